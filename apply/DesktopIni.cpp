#include "apply/DesktopIni.h"
#include "framework/CodePage.h"
#include "framework/WinApp.h"
#include "icons/IconResourceId.h"
#include "target/IconLocationText.h"
#include <shlwapi.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>

std::vector<std::string> PendingIniDeletions;

const char ICON_RESOURCE_KEY[] = "IconResource";

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

namespace {

std::wstring Widened(const char* text)
{
    wchar_t wide[PATH_BUFFER_SIZE];
    if (!MultiByteToWideChar(CP_ACP, 0, text, -1, wide, PATH_BUFFER_SIZE))
        wide[0] = L'\0';
    return wide;
}

// A value of the section, read whole: the buffer grows until the value fits.
std::wstring ReadValue(const char* file, const char* key)
{
    const ShellClassInfoNames names;
    const std::wstring wideFile = Widened(file);
    const std::wstring section = Widened(names.section);
    const std::wstring wideKey = Widened(key);
    std::vector<wchar_t> value(INFOTIP_BUFFER_SIZE);
    for (;;) {
        const DWORD length = GetPrivateProfileStringW(section.c_str(), wideKey.c_str(), L"", value.data(),
                                                      static_cast<DWORD>(value.size()), wideFile.c_str());
        if (length + 1 < value.size())
            return std::wstring(value.data(), length);
        value.resize(value.size() * 2);
    }
}

} // namespace

std::wstring ReadInfoTip(const char* target)
{
    char file[PATH_BUFFER_SIZE];
    if (!DesktopIniPath(target, file))
        return std::wstring();
    return ReadValue(file, ShellClassInfoNames().infoTip);
}

const char* IconFileNameFor(const char* target, const char* file)
{
    size_t length = strnlen(target, PATH_BUFFER_SIZE);
    while (length > 0 && target[length - 1] == '\\')
        --length;
    if (length == 0 || strnlen(file, PATH_BUFFER_SIZE) <= length + 1 || file[length] != '\\')
        return file;
    char folder[PATH_BUFFER_SIZE];
    char start[PATH_BUFFER_SIZE];
    lstrcpynA(folder, target, static_cast<int>(length + 1));
    lstrcpynA(start, file, static_cast<int>(length + 1));
    return CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, folder, -1, start, -1) == CSTR_EQUAL ? file + length + 1
                                                                                                 : file;
}

bool HoldsIconResource(const char* file)
{
    return !ReadValue(file, ICON_RESOURCE_KEY).empty();
}

bool ReadCustomIcon(const char* target, IconLocation& icon)
{
    char file[PATH_BUFFER_SIZE];
    if (!DesktopIniPath(target, file))
        return false;
    const ShellClassInfoNames names;
    char location[LOCATION_TEXT_SIZE];
    int index = 0;
    const std::wstring resource = ReadValue(file, ICON_RESOURCE_KEY);
    if (!resource.empty()) {
        if (!ToCodePageExactly(resource.c_str(), location, sizeof location))
            return false;
        index = PathParseIconLocationA(location);
    } else {
        const std::wstring iconFile = ReadValue(file, names.iconFile);
        if (iconFile.empty() || !ToCodePageExactly(iconFile.c_str(), location, sizeof location))
            return false;
        char indexText[STRING_BUFFER_SIZE];
        GetPrivateProfileStringA(names.section, names.iconIndex, "", indexText, sizeof indexText, file);
        index = static_cast<int>(strtol(indexText, nullptr, 10));
    }
    char full[PATH_BUFFER_SIZE];
    if (!FullIconPath(location, target, full))
        return false;
    memcpy(icon.file, full, sizeof icon.file);
    icon.index = IconPosition(full, index);
    return true;
}
