#include "framework/Paths.h"
#include <cwchar>
#include <string>

namespace {

bool Fits(DWORD length)
{
    return length > 0 && length < PATH_BUFFER_SIZE;
}

// The same mapping for every user: a name must not match another one only
// under some languages' rules.
std::wstring Upper(const wchar_t* text)
{
    std::wstring upper(text);
    if (!upper.empty())
        LCMapStringW(LOCALE_INVARIANT, LCMAP_UPPERCASE, text, static_cast<int>(upper.size()), &upper[0],
                     static_cast<int>(upper.size()));
    return upper;
}

} // namespace

bool CanonicalPath(const wchar_t* path, wchar_t (&canonical)[PATH_BUFFER_SIZE])
{
    wchar_t full[PATH_BUFFER_SIZE];
    canonical[0] = L'\0';
    if (!path[0] || !Fits(GetFullPathNameW(path, ARRAYSIZE(full), full, nullptr)))
        return false;
    // A path that does not exist keeps the spelling it was given.
    if (!Fits(GetLongPathNameW(full, canonical, ARRAYSIZE(canonical))))
        lstrcpynW(canonical, full, ARRAYSIZE(canonical));
    return true;
}

bool SameIgnoringCase(const wchar_t* a, const wchar_t* b)
{
    return Upper(a) == Upper(b);
}

bool ComesBeforeIgnoringCase(const wchar_t* a, const wchar_t* b)
{
    return Upper(a) < Upper(b);
}

bool IsDriveRootPath(const wchar_t* path)
{
    const wchar_t letter = path[0];
    return ((letter >= L'A' && letter <= L'Z') || (letter >= L'a' && letter <= L'z')) && path[1] == L':' &&
           path[2] == L'\\' && path[3] == L'\0';
}
