#include "target/QuotedPaths.h"
#include <cwchar>

namespace {

bool IsBlank(wchar_t c)
{
    return c == L' ' || c == L'\t';
}

const wchar_t* SkipBlanks(const wchar_t* text)
{
    while (IsBlank(*text))
        ++text;
    return text;
}

} // namespace

std::vector<std::wstring> QuotedPaths(const wchar_t* text)
{
    std::vector<std::wstring> paths;
    for (const wchar_t* next = SkipBlanks(text); *next; next = SkipBlanks(next)) {
        const wchar_t* end = *next == L'"' ? wcschr(next + 1, L'"') : nullptr;
        // Two quoted paths written together would read as one path holding
        // a quote.
        if (!end || end == next + 1 || (end[1] && !IsBlank(end[1])))
            return {};
        paths.emplace_back(next + 1, end);
        next = end + 1;
    }
    return paths;
}
