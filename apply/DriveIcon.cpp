#include "apply/DriveIcon.h"
#include "apply/DesktopIni.h"
#include "framework/WinApp.h"
#include "target/DefaultIcons.h"
#include "resource.h"
#include <windows.h>
#include <cstdio>

namespace {

LONG CreateKey(HKEY parent, const wchar_t* name, HKEY* key)
{
    return RegCreateKeyExW(parent, name, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS | KEY_WOW64_64KEY,
                           nullptr, key, nullptr);
}

LONG OpenKey(HKEY parent, const wchar_t* name, REGSAM access, HKEY* key)
{
    return RegOpenKeyExW(parent, name, 0, access | KEY_WOW64_64KEY, key);
}

// A key that is not there holds no icon to remove.
LONG Missing(LONG error)
{
    return error == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : error;
}

// The names of the three keys of one drive letter's icon.
struct DriveIconKeys {
    explicit DriveIconKeys(wchar_t letter) : letterName{ letter, L'\0' }
    {
        AfxLoadString(IDS_DRIVE_ICONS_KEY, driveIcons);
        AfxLoadString(IDS_DEFAULT_ICON_KEY, defaultIcon);
    }

    wchar_t driveIcons[STRING_BUFFER_SIZE];
    wchar_t letterName[2];
    wchar_t defaultIcon[STRING_BUFFER_SIZE];
};

} // namespace

LONG SetDriveIcon(wchar_t letter, const wchar_t* iconFile, int iconIndex)
{
    const DriveIconKeys names(letter);

    HKEY drivesKey, letterKey, iconKey;
    LONG error = CreateKey(HKEY_LOCAL_MACHINE, names.driveIcons, &drivesKey);
    if (error != ERROR_SUCCESS)
        return error;
    error = CreateKey(drivesKey, names.letterName, &letterKey);
    if (error == ERROR_SUCCESS) {
        error = CreateKey(letterKey, names.defaultIcon, &iconKey);
        if (error == ERROR_SUCCESS) {
            wchar_t location[LOCATION_TEXT_SIZE];
            swprintf(location, ARRAYSIZE(location), L"%ls,%d", iconFile, iconIndex);
            error = RegSetValueExW(iconKey, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(location),
                                   static_cast<DWORD>((lstrlenW(location) + 1) * sizeof(wchar_t)));
            RegCloseKey(iconKey);
        }
        RegCloseKey(letterKey);
    }
    RegCloseKey(drivesKey);
    return error;
}

LONG ResetDriveIcon(wchar_t letter)
{
    const DriveIconKeys names(letter);

    HKEY drivesKey, letterKey, iconKey;
    LONG error = OpenKey(HKEY_LOCAL_MACHINE, names.driveIcons, KEY_ALL_ACCESS, &drivesKey);
    if (error != ERROR_SUCCESS)
        return Missing(error);
    error = OpenKey(drivesKey, names.letterName, KEY_ALL_ACCESS, &letterKey);
    if (error == ERROR_SUCCESS) {
        error = OpenKey(letterKey, names.defaultIcon, KEY_ALL_ACCESS, &iconKey);
        if (error == ERROR_SUCCESS) {
            error = RegDeleteValueW(iconKey, nullptr);
            RegCloseKey(iconKey);
        }
        RegCloseKey(letterKey);
    }
    RegCloseKey(drivesKey);
    return Missing(error);
}

bool ReadDriveIcon(wchar_t letter, IconLocation& icon)
{
    const DriveIconKeys names(letter);
    wchar_t path[3 * STRING_BUFFER_SIZE];
    swprintf(path, ARRAYSIZE(path), L"%ls\\%ls\\%ls", names.driveIcons, names.letterName, names.defaultIcon);
    HKEY key;
    if (OpenKey(HKEY_LOCAL_MACHINE, path, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    const bool found = ReadIconLocation(key, icon);
    RegCloseKey(key);
    return found;
}
