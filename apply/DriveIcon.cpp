#include "apply/DriveIcon.h"
#include "framework/WinApp.h"
#include "resource.h"
#include <windows.h>
#include <cstdio>

namespace {

// Text of a stored location: a path, a comma, and an index of up to 11 characters.
constexpr int LOCATION_TEXT_SIZE = PATH_BUFFER_SIZE + 16;

bool CreateKey(HKEY parent, const char* name, HKEY* key)
{
    return RegCreateKeyExA(parent, name, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, key,
                           nullptr) == ERROR_SUCCESS;
}

bool OpenKey(HKEY parent, const char* name, HKEY* key)
{
    return RegOpenKeyExA(parent, name, 0, KEY_ALL_ACCESS, key) == ERROR_SUCCESS;
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

void SetDriveIcon(char letter, const char* iconFile, int iconIndex)
{
    const DriveIconKeys names(letter);

    HKEY drivesKey, letterKey, iconKey;
    if (!CreateKey(HKEY_LOCAL_MACHINE, names.driveIcons, &drivesKey))
        return;
    if (CreateKey(drivesKey, names.letterName, &letterKey)) {
        if (CreateKey(letterKey, names.defaultIcon, &iconKey)) {
            char location[LOCATION_TEXT_SIZE];
            std::snprintf(location, sizeof location, "%s,%d", iconFile, iconIndex);
            RegSetValueExA(iconKey, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(location),
                           static_cast<DWORD>(lstrlenA(location) + 1));
            RegCloseKey(iconKey);
        }
        RegCloseKey(letterKey);
    }
    RegCloseKey(drivesKey);
}

void ResetDriveIcon(char letter)
{
    const DriveIconKeys names(letter);

    HKEY drivesKey, letterKey, iconKey;
    if (!OpenKey(HKEY_LOCAL_MACHINE, names.driveIcons, &drivesKey))
        return;
    if (OpenKey(drivesKey, names.letterName, &letterKey)) {
        if (OpenKey(letterKey, names.defaultIcon, &iconKey)) {
            RegDeleteValueA(iconKey, nullptr);
            RegCloseKey(iconKey);
        }
        RegCloseKey(letterKey);
    }
    RegCloseKey(drivesKey);
}
