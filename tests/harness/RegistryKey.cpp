#include "harness/RegistryKey.h"
#include "icons/RecentIconFiles.h"
#include <shlwapi.h>
#include <algorithm>
#include <iterator>

namespace {

// Deleted from its parent, opened in the tests' view of the registry.
void DeleteTree(HKEY root, const std::string& path)
{
    const size_t separator = path.find_last_of('\\');
    if (separator == std::string::npos) {
        SHDeleteKeyA(root, path.c_str());
        return;
    }
    HKEY parent;
    if (RegOpenKeyExA(root, path.substr(0, separator).c_str(), 0, KEY_ALL_ACCESS | REGISTRY_VIEW, &parent) !=
        ERROR_SUCCESS)
        return;
    SHDeleteKeyA(parent, path.substr(separator + 1).c_str());
    RegCloseKey(parent);
}

} // namespace

ScopedRegistryKey::ScopedRegistryKey(HKEY root, std::string path) : m_root(root), m_path(std::move(path))
{
    DeleteTree(m_root, m_path);
}

ScopedRegistryKey::~ScopedRegistryKey()
{
    DeleteTree(m_root, m_path);
}

bool RegistryKeyExists(HKEY root, const std::string& path)
{
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ | REGISTRY_VIEW, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

RegistryData ReadRegistryData(HKEY root, const std::string& path, const char* name)
{
    RegistryData value;
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ | REGISTRY_VIEW, &key) != ERROR_SUCCESS)
        return value;
    DWORD size = 0;
    if (RegQueryValueExA(key, name, nullptr, &value.type, nullptr, &size) == ERROR_SUCCESS) {
        value.data.resize(size);
        value.present = RegQueryValueExA(key, name, nullptr, &value.type, value.data.data(), &size) == ERROR_SUCCESS;
        value.data.resize(size);
    }
    RegCloseKey(key);
    return value;
}

bool StoreOneRecentFile(const char* key, const std::string& file)
{
    HKEY recent;
    if (RegCreateKeyA(HKEY_CURRENT_USER, key, &recent) != ERROR_SUCCESS)
        return false;
    BYTE order[RECENT_FILE_COUNT];
    std::fill(std::begin(order), std::end(order), NO_RECENT_SLOT);
    order[0] = 0;
    const bool stored = RegSetValueExA(recent, "Sauve000", 0, REG_SZ, reinterpret_cast<const BYTE*>(file.c_str()),
                                       static_cast<DWORD>(file.size() + 1)) == ERROR_SUCCESS &&
                        RegSetValueExA(recent, "OrdreListe", 0, REG_BINARY, order, sizeof order) == ERROR_SUCCESS;
    RegCloseKey(recent);
    return stored;
}
