#include "harness/RegistryKey.h"
#include <shlwapi.h>

ScopedRegistryKey::ScopedRegistryKey(HKEY root, std::string path) : m_root(root), m_path(std::move(path))
{
    SHDeleteKeyA(m_root, m_path.c_str());
}

ScopedRegistryKey::~ScopedRegistryKey()
{
    SHDeleteKeyA(m_root, m_path.c_str());
}

bool RegistryKeyExists(HKEY root, const std::string& path)
{
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

RegistryData ReadRegistryData(HKEY root, const std::string& path, const char* name)
{
    RegistryData value;
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
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
