#include "target/IconLocationText.h"
#include "framework/Paths.h"
#include <windows.h>
#include <shlwapi.h>
#include <cstring>

namespace {

bool Fits(DWORD length, size_t size)
{
    return length > 0 && length < size;
}

bool IsBareName(const wchar_t* file)
{
    return wcspbrk(file, L"\\/:") == nullptr;
}

} // namespace

bool FullIconPath(const wchar_t* file, const wchar_t* folder, wchar_t (&full)[PATH_BUFFER_SIZE])
{
    wchar_t expanded[PATH_BUFFER_SIZE];
    const DWORD expandedSize = ExpandEnvironmentStringsW(file, expanded, ARRAYSIZE(expanded));
    if (expandedSize == 0 || expandedSize > ARRAYSIZE(expanded))
        return false;
    wchar_t found[PATH_BUFFER_SIZE];
    if (folder && PathIsRelativeW(expanded)) {
        wchar_t joined[PATH_BUFFER_SIZE];
        if (!PathCombineW(joined, folder, expanded))
            return false;
        return CanonicalPath(joined, full);
    }
    if (IsBareName(expanded) && Fits(SearchPathW(nullptr, expanded, nullptr, ARRAYSIZE(found), found, nullptr), ARRAYSIZE(found)))
        return CanonicalPath(found, full);
    return CanonicalPath(expanded, full);
}
