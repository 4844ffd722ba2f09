#include "app/FolderIconDialog.h"
#include "app/RegistryText.h"
#include "framework/WinApp.h"
#include "resource.h"
#include <cstdlib>

namespace {

// Stored as its digits alone, without a terminating zero, the way the shell
// itself keeps this value.
void WriteShellIconSize(HKEY key, const wchar_t* name, int size)
{
    wchar_t digits[SHELL_ICON_SIZE_DIGITS];
    _itow(size, digits, 10);
    RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(digits), static_cast<DWORD>(lstrlenW(digits) * sizeof(wchar_t)));
}

// Every top-level window hears of the change before the next step; one that
// does not answer is given up on instead of holding the program.
void BroadcastSettingChange()
{
    DWORD_PTR answer;
    SendMessageTimeoutW(HWND_BROADCAST, WM_WININICHANGE, 0, 0, SMTO_ABORTIFHUNG, BROADCAST_TIMEOUT_MS, &answer);
}

} // namespace

// A size that changes and comes back makes the shell throw its cached icon
// images away and draw them anew.
void FolderIconDialog::RebuildIconCache()
{
    int size = GetSystemMetrics(SM_CXICON);
    wchar_t keyName[STRING_BUFFER_SIZE];
    wchar_t valueName[STRING_BUFFER_SIZE];
    AfxLoadString(IDS_WINDOW_METRICS_KEY, keyName);
    AfxLoadString(IDS_SHELL_ICON_SIZE, valueName);
    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, keyName, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return;
    wchar_t stored[STRING_BUFFER_SIZE];
    if (ReadRegistryText(key, valueName, stored, ARRAYSIZE(stored)))
        size = _wtoi(stored);
    WriteShellIconSize(key, valueName, size + 1);
    BroadcastSettingChange();
    WriteShellIconSize(key, valueName, size);
    BroadcastSettingChange();
    RegCloseKey(key);
}
