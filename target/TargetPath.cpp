#include "target/TargetPath.h"
#include "apply/DesktopIni.h"
#include "framework/Paths.h"
#include <cwchar>

namespace {

PathKind Refused(DWORD reason)
{
    SetLastError(reason);
    return PathKind::Refused;
}

} // namespace

PathKind ClassifyPath(const wchar_t* given, wchar_t (&path)[PATH_BUFFER_SIZE], wchar_t (&displayName)[PATH_BUFFER_SIZE])
{
    if (!given[0] || wcspbrk(given, L"?*"))
        return Refused(ERROR_INVALID_NAME);
    if (wcslen(given) >= PATH_BUFFER_SIZE || !CanonicalPath(given, path))
        return Refused(ERROR_FILENAME_EXCED_RANGE);
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW(path, &found);
    if (search != INVALID_HANDLE_VALUE) {
        FindClose(search);
        wchar_t ini[PATH_BUFFER_SIZE];
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            return Refused(ERROR_DIRECTORY);
        if (!DesktopIniPath(path, ini))
            return Refused(ERROR_FILENAME_EXCED_RANGE);
        lstrcpynW(displayName, found.cFileName, ARRAYSIZE(displayName));
        return PathKind::Folder;
    }
    if (!IsDriveRootPath(path) || GetDriveTypeW(path) == DRIVE_NO_ROOT_DIR)
        return Refused(ERROR_PATH_NOT_FOUND);
    lstrcpynW(displayName, path, ARRAYSIZE(displayName));
    return PathKind::Drive;
}
