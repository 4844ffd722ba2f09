#include "apply/DriveIcon.h"
#include "apply/DesktopIni.h"
#include "framework/WinApp.h"
#include "target/DefaultIcons.h"
#include "resource.h"
#include <windows.h>
#include <cstdio>

namespace {

LONG CreateKey(HKEY parent, const char* name, HKEY* key)
{
    return RegCreateKeyExA(parent, name, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS | KEY_WOW64_64KEY,
                           nullptr, key, nullptr);
}

LONG OpenKey(HKEY parent, const char* name, REGSAM access, HKEY* key)
{
    return RegOpenKeyExA(parent, name, 0, access | KEY_WOW64_64KEY, key);
}

// A key that is not there holds no icon to remove.
LONG Missing(LONG error)
{
    return error == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : error;
}

// The names of the three keys of one drive letter's icon.
struct DriveIconKeys {
    explicit DriveIconKeys(char letter) : letterName{ letter, '\0' }
    {
        AfxLoadString(IDS_DRIVE_ICONS_KEY, driveIcons);
        AfxLoadString(IDS_DEFAULT_ICON_KEY, defaultIcon);
    }

    char driveIcons[STRING_BUFFER_SIZE];
    char letterName[2];
    char defaultIcon[STRING_BUFFER_SIZE];
};

} // namespace

LONG SetDriveIcon(char letter, const char* iconFile, int iconIndex)
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
            char location[LOCATION_TEXT_SIZE];
            std::snprintf(location, sizeof location, "%s,%d", iconFile, iconIndex);
            error = RegSetValueExA(iconKey, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(location),
                                   static_cast<DWORD>(lstrlenA(location) + 1));
            RegCloseKey(iconKey);
        }
        RegCloseKey(letterKey);
    }
    RegCloseKey(drivesKey);
    return error;
}

LONG ResetDriveIcon(char letter)
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
            error = RegDeleteValueA(iconKey, nullptr);
            RegCloseKey(iconKey);
        }
        RegCloseKey(letterKey);
    }
    RegCloseKey(drivesKey);
    return Missing(error);
}

bool ReadDriveIcon(char letter, IconLocation& icon)
{
    const DriveIconKeys names(letter);
    char path[3 * STRING_BUFFER_SIZE];
    std::snprintf(path, sizeof path, "%s\\%s\\%s", names.driveIcons, names.letterName, names.defaultIcon);
    HKEY key;
    if (OpenKey(HKEY_LOCAL_MACHINE, path, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    const bool found = ReadIconLocation(key, icon);
    RegCloseKey(key);
    return found;
}
