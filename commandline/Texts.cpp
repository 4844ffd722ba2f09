#include "commandline/Texts.h"
#include "framework/WinApp.h"
#include "resource.h"

std::wstring Text(UINT id, std::initializer_list<std::wstring> values)
{
    wchar_t format[STRING_BUFFER_SIZE] = L"";
    AfxLoadString(id, format);
    std::wstring text;
    const std::wstring* value = values.begin();
    for (const wchar_t* c = format; *c; ++c) {
        if (c[0] == L'%' && (c[1] == L's' || c[1] == L'd') && value != values.end()) {
            text += *value++;
            ++c;
        } else {
            text += *c;
        }
    }
    return text;
}

std::wstring SystemReason(DWORD error)
{
    wchar_t reason[ERROR_TEXT_BUFFER_SIZE] = L"";
    if (!FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, reason,
                        ARRAYSIZE(reason), nullptr))
        return std::to_wstring(error);
    std::wstring line = reason;
    for (wchar_t& c : line) {
        if (c == L'\r' || c == L'\n')
            c = L' ';
    }
    line.erase(line.find_last_not_of(L' ') + 1);
    return line;
}
