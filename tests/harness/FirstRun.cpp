#include "harness/FirstRun.h"
#include <windows.h>
#include <shlwapi.h>

const char OPTION_KEY[] = "Software\\VELDRAKO";
const char MARKER_KEY[] = "Software\\VELDRAKO\\Brisevent";

void MakeFirstRunMarker()
{
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, MARKER_KEY, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, "MenuContextuel", 0, REG_SZ, reinterpret_cast<const BYTE*>("2"), 2);
    RegCloseKey(key);
}

FirstRunScope::FirstRunScope() { SHDeleteKeyA(HKEY_CURRENT_USER, OPTION_KEY); }

FirstRunScope::~FirstRunScope()
{
    SHDeleteKeyA(HKEY_CURRENT_USER, OPTION_KEY);
    MakeFirstRunMarker();
}
