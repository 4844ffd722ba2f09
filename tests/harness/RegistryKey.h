// A registry key that a test owns: it is deleted, with its subkeys, before
// the test uses it and again when the test ends.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

// The view of the registry that tests read and write: the program keeps the
// machine's keys in the 64-bit view, which the shell reads, also from its
// 32-bit build.
constexpr REGSAM REGISTRY_VIEW = KEY_WOW64_64KEY;

class ScopedRegistryKey {
public:
    ScopedRegistryKey(HKEY root, std::string path);
    ~ScopedRegistryKey();
    ScopedRegistryKey(const ScopedRegistryKey&) = delete;
    ScopedRegistryKey& operator=(const ScopedRegistryKey&) = delete;

private:
    HKEY m_root;
    std::string m_path;
};

bool RegistryKeyExists(HKEY root, const std::string& path);

// A value as stored: its type and its bytes, whatever they are.
struct RegistryData {
    bool present = false;
    DWORD type = 0;
    std::vector<BYTE> data;
};

RegistryData ReadRegistryData(HKEY root, const std::string& path, const char* name);

// The recent icon files under HKEY_CURRENT_USER\`key` as the program stores
// them, holding `file` alone: "Sauve000", and an "OrdreListe" of slot 0
// followed by unused slots.
bool StoreOneRecentFile(const char* key, const std::string& file);
