#include "framework/CodePage.h"
#include <cwchar>
#include <vector>

bool FitsCodePage(const wchar_t* text)
{
    // The conversion's own flags are not trusted alone: not every platform
    // honours the refusal of best-fit matches, so the text is read back.
    // UTF-8 as the code page refuses those flags, and has a place for every
    // character: only a lone surrogate does not read back.
    const bool utf8 = GetACP() == CP_UTF8;
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* const defaultUsed = utf8 ? nullptr : &usedDefault;
    const int length = WideCharToMultiByte(CP_ACP, flags, text, -1, nullptr, 0, nullptr, defaultUsed);
    if (length <= 0 || usedDefault)
        return false;
    std::vector<char> narrow(static_cast<size_t>(length));
    WideCharToMultiByte(CP_ACP, flags, text, -1, narrow.data(), length, nullptr, defaultUsed);
    const int backLength = MultiByteToWideChar(CP_ACP, 0, narrow.data(), -1, nullptr, 0);
    if (usedDefault || backLength <= 0)
        return false;
    std::vector<wchar_t> back(static_cast<size_t>(backLength));
    MultiByteToWideChar(CP_ACP, 0, narrow.data(), -1, back.data(), backLength);
    // Compared unit by unit: a linguistic comparison takes some look-alikes
    // for the same text.
    return wcscmp(back.data(), text) == 0;
}
