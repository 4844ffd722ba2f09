#include "framework/CommandLine.h"
#include "framework/CodePage.h"
#include <windows.h>
#include <vector>

namespace {

bool IsBlank(wchar_t c)
{
    return c == L' ' || c == L'\t';
}

} // namespace

std::string CommandLineTail(const wchar_t* commandLine)
{
    const wchar_t* tail = commandLine;
    if (*tail == L'"') {
        ++tail;
        while (*tail && *tail != L'"')
            ++tail;
        if (*tail == L'"')
            ++tail;
    } else {
        while (*tail && !IsBlank(*tail))
            ++tail;
    }
    while (IsBlank(*tail))
        ++tail;

    // Each UTF-16 unit takes at most two bytes in any code page.
    std::vector<char> narrow(2 * static_cast<size_t>(lstrlenW(tail)) + 1);
    if (!ToCodePageExactly(tail, narrow.data(), static_cast<int>(narrow.size())))
        return "?";
    return narrow.data();
}
