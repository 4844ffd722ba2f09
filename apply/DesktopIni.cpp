#include "apply/DesktopIni.h"
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

// A value of the section, read whole: the buffer grows until the value fits.
std::wstring ReadValue(const wchar_t* file, const wchar_t* key)
{
    const ShellClassInfoNames names;
    std::vector<wchar_t> value(INFOTIP_BUFFER_SIZE);
    for (;;) {
        const DWORD length = GetPrivateProfileStringW(names.section, key, L"", value.data(),
                                                      static_cast<DWORD>(value.size()), file);
        if (length + 1 < value.size())
            return std::wstring(value.data(), length);
        value.resize(value.size() * 2);
    }
}

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

std::wstring ReadInfoTip(const wchar_t* target)
{
    wchar_t file[PATH_BUFFER_SIZE];
    if (!DesktopIniPath(target, file))
        return std::wstring();
    return ReadValue(file, ShellClassInfoNames().infoTip);
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
    return CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, folder, -1, start, -1) == CSTR_EQUAL ? file + length + 1
                                                                                                 : file;
}

bool HoldsIconResource(const wchar_t* file)
{
    return !ReadValue(file, ICON_RESOURCE_KEY).empty();
}

bool ReadCustomIcon(const wchar_t* target, IconLocation& icon)
{
    wchar_t file[PATH_BUFFER_SIZE];
    if (!DesktopIniPath(target, file))
        return false;
    const ShellClassInfoNames names;
    wchar_t location[LOCATION_TEXT_SIZE];
    int index = 0;
    const std::wstring resource = ReadValue(file, ICON_RESOURCE_KEY);
    if (!resource.empty()) {
        if (!CopyLocation(resource, location))
            return false;
        index = PathParseIconLocationW(location);
    } else {
        const std::wstring iconFile = ReadValue(file, names.iconFile);
        if (!CopyLocation(iconFile, location))
            return false;
        wchar_t indexText[STRING_BUFFER_SIZE];
        GetPrivateProfileStringW(names.section, names.iconIndex, L"", indexText, ARRAYSIZE(indexText), file);
        index = static_cast<int>(wcstol(indexText, nullptr, 10));
    }
    wchar_t full[PATH_BUFFER_SIZE];
    if (!FullIconPath(location, target, full))
        return false;
    memcpy(icon.file, full, sizeof icon.file);
    icon.index = IconPosition(full, index);
    return true;
}
