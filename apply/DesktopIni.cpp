#include "apply/DesktopIni.h"
#include "framework/WinApp.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>

char PendingIniDeletion[PATH_BUFFER_SIZE] = "";

ShellClassInfoNames::ShellClassInfoNames()
{
    AfxLoadString(IDS_SHELL_CLASS_INFO, section);
    AfxLoadString(IDS_ICON_FILE_KEY, iconFile);
    AfxLoadString(IDS_ICON_INDEX_KEY, iconIndex);
    AfxLoadString(IDS_CONFIRM_FILE_OP, confirmFileOp);
    AfxLoadString(IDS_INFOTIP_KEY, infoTip);
}

bool DesktopIniPath(const char* target, char (&file)[PATH_BUFFER_SIZE])
{
    file[0] = '\0';
    const size_t length = strnlen(target, PATH_BUFFER_SIZE);
    if (length == PATH_BUFFER_SIZE)
        return false;
    char name[STRING_BUFFER_SIZE];
    AfxLoadString(IDS_DESKTOP_INI, name);
    const char* separator = length > 0 && target[length - 1] == '\\' ? "" : "\\";
    const int written = snprintf(file, sizeof file, "%s%s%s", target, separator, name);
    if (written < 0 || static_cast<size_t>(written) >= sizeof file) {
        file[0] = '\0';
        return false;
    }
    return true;
}

void ReadInfoTip(const char* target, char (&infoTip)[INFOTIP_BUFFER_SIZE])
{
    infoTip[0] = '\0';
    char file[PATH_BUFFER_SIZE];
    if (!DesktopIniPath(target, file))
        return;
    const ShellClassInfoNames names;
    GetPrivateProfileStringA(names.section, names.infoTip, "", infoTip, sizeof infoTip, file);
}

bool ReadCustomIcon(const char* target, IconLocation& icon)
{
    char file[PATH_BUFFER_SIZE];
    if (!DesktopIniPath(target, file))
        return false;
    const ShellClassInfoNames names;
    // One character more than a path: a value that fills it was cut and
    // names some other file.
    char iconFile[PATH_BUFFER_SIZE + 1];
    const DWORD length = GetPrivateProfileStringA(names.section, names.iconFile, "", iconFile, sizeof iconFile, file);
    if (length == 0 || length >= PATH_BUFFER_SIZE)
        return false;
    char index[STRING_BUFFER_SIZE];
    GetPrivateProfileStringA(names.section, names.iconIndex, "", index, sizeof index, file);
    memcpy(icon.file, iconFile, length + 1);
    icon.index = static_cast<int>(strtol(index, nullptr, 10));
    return true;
}
