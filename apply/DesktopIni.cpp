#include "apply/DesktopIni.h"
#include "framework/Paths.h"
#include "framework/WinApp.h"
#include "icons/IconResourceId.h"
#include "target/IconLocationText.h"
#include <shlwapi.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>

std::vector<std::wstring> PendingIniDeletions;

const wchar_t ICON_RESOURCE_KEY[] = L"IconResource";

ShellClassInfoNames::ShellClassInfoNames()
{
    AfxLoadString(IDS_SHELL_CLASS_INFO, section);
    AfxLoadString(IDS_ICON_FILE_KEY, iconFile);
    AfxLoadString(IDS_ICON_INDEX_KEY, iconIndex);
    AfxLoadString(IDS_CONFIRM_FILE_OP, confirmFileOp);
    AfxLoadString(IDS_INFOTIP_KEY, infoTip);
}

bool DesktopIniPath(const wchar_t* target, wchar_t (&file)[PATH_BUFFER_SIZE])
{
    file[0] = L'\0';
    const size_t length = wcsnlen(target, PATH_BUFFER_SIZE);
    if (length == PATH_BUFFER_SIZE)
        return false;
    wchar_t name[STRING_BUFFER_SIZE];
    AfxLoadString(IDS_DESKTOP_INI, name);
    const wchar_t* separator = length > 0 && target[length - 1] == L'\\' ? L"" : L"\\";
    const int written = swprintf(file, ARRAYSIZE(file), L"%ls%ls%ls", target, separator, name);
    if (written < 0 || static_cast<size_t>(written) >= ARRAYSIZE(file)) {
        file[0] = L'\0';
        return false;
    }
    return true;
}

namespace {

// A location that does not fit is no location: cut short, it would name
// another file.
bool CopyLocation(const std::wstring& text, wchar_t (&location)[LOCATION_TEXT_SIZE])
{
    if (text.empty() || text.size() >= LOCATION_TEXT_SIZE)
        return false;
    lstrcpynW(location, text.c_str(), LOCATION_TEXT_SIZE);
    return true;
}

} // namespace

bool ReadDesktopIni(const wchar_t* target, IniFile& ini)
{
    wchar_t file[PATH_BUFFER_SIZE];
    return DesktopIniPath(target, file) && ini.Read(file);
}

void DeleteIfStillBlank(const wchar_t* file)
{
    IniFile ini;
    if (ini.Read(file) && ini.IsBlank())
        DeleteFileW(file);
}

std::wstring ReadInfoTip(const wchar_t* target)
{
    IniFile ini;
    if (!ReadDesktopIni(target, ini))
        return std::wstring();
    const ShellClassInfoNames names;
    return ini.Value(names.section, names.infoTip);
}

const wchar_t* IconFileNameFor(const wchar_t* target, const wchar_t* file)
{
    size_t length = wcsnlen(target, PATH_BUFFER_SIZE);
    while (length > 0 && target[length - 1] == L'\\')
        --length;
    if (length == 0 || wcsnlen(file, PATH_BUFFER_SIZE) <= length + 1 || file[length] != L'\\')
        return file;
    wchar_t folder[PATH_BUFFER_SIZE];
    wchar_t start[PATH_BUFFER_SIZE];
    lstrcpynW(folder, target, static_cast<int>(length + 1));
    lstrcpynW(start, file, static_cast<int>(length + 1));
    return SameIgnoringCase(folder, start) ? file + length + 1 : file;
}

bool ReadCustomIcon(const wchar_t* target, IconLocation& icon)
{
    IniFile ini;
    if (!ReadDesktopIni(target, ini))
        return false;
    const ShellClassInfoNames names;
    wchar_t location[LOCATION_TEXT_SIZE];
    int index = 0;
    const std::wstring resource = ini.Value(names.section, ICON_RESOURCE_KEY);
    if (!resource.empty()) {
        if (!CopyLocation(resource, location))
            return false;
        index = PathParseIconLocationW(location);
    } else {
        if (!CopyLocation(ini.Value(names.section, names.iconFile), location))
            return false;
        index = static_cast<int>(wcstol(ini.Value(names.section, names.iconIndex).c_str(), nullptr, 10));
    }
    wchar_t full[PATH_BUFFER_SIZE];
    if (!FullIconPath(location, target, full))
        return false;
    memcpy(icon.file, full, sizeof icon.file);
    icon.index = IconPosition(full, index);
    return true;
}
