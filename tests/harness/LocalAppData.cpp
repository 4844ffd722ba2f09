#include "harness/LocalAppData.h"
#include <windows.h>

namespace {

const char USER_SHELL_FOLDERS[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
const char LOCAL_APP_DATA[] = "Local AppData";

void SetLocalAppData(DWORD type, const BYTE* data, DWORD size)
{
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, USER_SHELL_FOLDERS, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, LOCAL_APP_DATA, 0, type, data, size);
    RegCloseKey(key);
}

} // namespace

ScopedLocalAppData::ScopedLocalAppData() : m_saved(ReadRegistryData(HKEY_CURRENT_USER, USER_SHELL_FOLDERS, LOCAL_APP_DATA))
{
    const std::string& path = m_folder.Path();
    SetLocalAppData(REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()), static_cast<DWORD>(path.size() + 1));
}

ScopedLocalAppData::~ScopedLocalAppData()
{
    if (m_saved.present)
        SetLocalAppData(m_saved.type, m_saved.data.data(), static_cast<DWORD>(m_saved.data.size()));
}
