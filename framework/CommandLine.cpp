#include "framework/CommandLine.h"
#include <windows.h>

namespace {

bool IsBlank(wchar_t c)
{
    return c == L' ' || c == L'\t';
}

} // namespace

std::wstring CommandLineTail(const wchar_t* commandLine)
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

    return tail;
}
