#include "change/FolderIni.h"
#include "apply/DesktopIni.h"
#include "apply/IniFile.h"
#include "resource.h"
#include <cstdio>

namespace {

// The System attribute is what makes the shell look for a folder's
// desktop.ini: one that cannot be set is a write that failed.
bool SetSystemAttribute(const wchar_t* folder, bool system)
{
    const DWORD attributes = GetFileAttributesW(folder);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return false;
    const DWORD wanted = system ? attributes | FILE_ATTRIBUTE_SYSTEM : attributes & ~FILE_ATTRIBUTE_SYSTEM;
    return wanted == attributes || SetFileAttributesW(folder, wanted);
}

// desktop.ini is hidden; what else the user or the shell set on it stays.
DWORD Hidden(DWORD attributes)
{
    const DWORD kept = attributes == INVALID_FILE_ATTRIBUTES ? 0 : attributes & ~FILE_ATTRIBUTE_NORMAL;
    return kept | FILE_ATTRIBUTE_HIDDEN;
}

// As they are; a file that a removal makes to hold an infotip is not hidden.
DWORD Unchanged(DWORD attributes)
{
    return attributes == INVALID_FILE_ATTRIBUTES ? FILE_ATTRIBUTE_NORMAL : attributes;
}

// The system's reason for the call that just failed; a platform that fails
// without giving one still fails.
DWORD LastFailure()
{
    const DWORD error = GetLastError();
    return error != ERROR_SUCCESS ? error : ERROR_GEN_FAILURE;
}

void SetInfoTip(IniFile& ini, const ShellClassInfoNames& names, const wchar_t* infoTip)
{
    if (!infoTip)
        return;
    if (infoTip[0])
        ini.Set(names.section, names.infoTip, infoTip);
    else
        ini.Remove(names.section, names.infoTip);
}

// The folder's desktop.ini, read.
DWORD ReadIniOf(const wchar_t* folder, wchar_t (&file)[PATH_BUFFER_SIZE], IniFile& ini)
{
    if (!DesktopIniPath(folder, file))
        return ERROR_FILENAME_EXCED_RANGE;
    return ini.Read(file) ? ERROR_SUCCESS : LastFailure();
}

// The file written with `attributes`, then the folder given or spared the
// System attribute.
DWORD WriteIniOf(const wchar_t* folder, const wchar_t* file, const IniFile& ini, DWORD attributes, bool system)
{
    return ini.Write(file, attributes) && SetSystemAttribute(folder, system) ? ERROR_SUCCESS : LastFailure();
}

} // namespace

DWORD WriteFolderIcon(const wchar_t* folder, const wchar_t* iconFile, int iconIndex, const wchar_t* infoTip)
{
    wchar_t file[PATH_BUFFER_SIZE];
    IniFile ini;
    if (const DWORD error = ReadIniOf(folder, file, ini))
        return error;
    iconFile = IconFileNameFor(folder, iconFile);
    const ShellClassInfoNames names;
    wchar_t index[16];
    swprintf(index, ARRAYSIZE(index), L"%d", iconIndex);
    ini.Set(names.section, names.iconFile, iconFile);
    ini.Set(names.section, names.iconIndex, index);
    ini.Set(names.section, names.confirmFileOp, L"0");
    SetInfoTip(ini, names, infoTip);
    // Where the folder names its icon as one location, that one wins: it
    // gets the same icon.
    if (!ini.Value(names.section, ICON_RESOURCE_KEY).empty()) {
        wchar_t location[LOCATION_TEXT_SIZE];
        swprintf(location, ARRAYSIZE(location), L"%ls,%d", iconFile, iconIndex);
        ini.Set(names.section, ICON_RESOURCE_KEY, location);
    }
    return WriteIniOf(folder, file, ini, Hidden(ini.Attributes()), true);
}

DWORD RemoveFolderIcon(const wchar_t* folder, const wchar_t* infoTip, bool& emptied)
{
    emptied = false;
    wchar_t file[PATH_BUFFER_SIZE];
    IniFile ini;
    if (const DWORD error = ReadIniOf(folder, file, ini))
        return error;
    const ShellClassInfoNames names;
    for (const wchar_t* key : { names.iconFile, names.iconIndex, ICON_RESOURCE_KEY, names.confirmFileOp })
        ini.Remove(names.section, key);
    SetInfoTip(ini, names, infoTip);
    if (ini.SectionIsEmpty(names.section))
        ini.RemoveSection(names.section);
    if (!ini.IsBlank())
        return ini.Write(file, Unchanged(ini.Attributes())) ? ERROR_SUCCESS : LastFailure();
    // Only a folder whose file is left blank loses System: what else the
    // file holds may need it.
    const DWORD error = WriteIniOf(folder, file, ini, FILE_ATTRIBUTE_NORMAL, false);
    emptied = error == ERROR_SUCCESS;
    return error;
}

DWORD WriteInfoTip(const wchar_t* folder, const wchar_t* infoTip)
{
    if (!infoTip)
        return ERROR_SUCCESS;
    wchar_t file[PATH_BUFFER_SIZE];
    IniFile ini;
    if (const DWORD error = ReadIniOf(folder, file, ini))
        return error;
    SetInfoTip(ini, ShellClassInfoNames(), infoTip);
    return WriteIniOf(folder, file, ini, Hidden(ini.Attributes()), true);
}
