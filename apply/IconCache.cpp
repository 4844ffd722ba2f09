#include "app/FolderIconDialog.h"
#include "app/RegistryText.h"
#include "framework/WinApp.h"
#include "resource.h"
#include <cstdlib>

namespace {

// Stored as its digits alone, without a terminating zero, the way the shell
// itself keeps this value.
void WriteShellIconSize(HKEY key, const char* name, int size)
{
    char digits[SHELL_ICON_SIZE_DIGITS];
    _itoa(size, digits, 10);
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(digits), static_cast<DWORD>(lstrlenA(digits)));
}

// Every top-level window hears of the change before the next step; one that
// does not answer is given up on instead of holding the program.
void BroadcastSettingChange()
{
    DWORD_PTR answer;
    SendMessageTimeoutA(HWND_BROADCAST, WM_WININICHANGE, 0, 0, SMTO_ABORTIFHUNG, BROADCAST_TIMEOUT_MS, &answer);
}

} // namespace

// A size that changes and comes back makes the shell throw its cached icon
// images away and draw them anew.
void FolderIconDialog::RebuildIconCache()
{
    int size = GetSystemMetrics(SM_CXICON);
    char keyName[STRING_BUFFER_SIZE];
    char valueName[STRING_BUFFER_SIZE];
    AfxLoadString(IDS_WINDOW_METRICS_KEY, keyName);
    AfxLoadString(IDS_SHELL_ICON_SIZE, valueName);
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, keyName, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return;
    char stored[STRING_BUFFER_SIZE];
    if (ReadRegistryText(key, valueName, stored, sizeof stored))
        size = std::atoi(stored);
    WriteShellIconSize(key, valueName, size + 1);
    BroadcastSettingChange();
    WriteShellIconSize(key, valueName, size);
    BroadcastSettingChange();
    RegCloseKey(key);
}
