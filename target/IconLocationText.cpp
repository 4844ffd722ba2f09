#include "target/IconLocationText.h"
#include <windows.h>
#include <shlwapi.h>
#include <cstring>

namespace {

bool Fits(DWORD length, size_t size)
{
    return length > 0 && length < size;
}

bool IsBareName(const char* file)
{
    return std::strpbrk(file, "\\/:") == nullptr;
}

} // namespace

bool FullIconPath(const char* file, const char* folder, char (&full)[PATH_BUFFER_SIZE])
{
    char expanded[PATH_BUFFER_SIZE];
    const DWORD expandedSize = ExpandEnvironmentStringsA(file, expanded, sizeof expanded);
    if (expandedSize == 0 || expandedSize > sizeof expanded)
        return false;
    if (folder && PathIsRelativeA(expanded)) {
        char joined[PATH_BUFFER_SIZE];
        if (!PathCombineA(joined, folder, expanded))
            return false;
        return Fits(GetFullPathNameA(joined, sizeof full, full, nullptr), sizeof full);
    }
    if (IsBareName(expanded) && Fits(SearchPathA(nullptr, expanded, nullptr, sizeof full, full, nullptr), sizeof full))
        return true;
    return Fits(GetFullPathNameA(expanded, sizeof full, full, nullptr), sizeof full);
}
