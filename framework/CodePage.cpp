#include "framework/CodePage.h"
#include <vector>

bool FitsCodePage(const wchar_t* text)
{
    // The conversion's own flags are not trusted alone: not every platform
    // honours the refusal of best-fit matches, so the text is read back.
    BOOL usedDefault = FALSE;
    const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text, -1, nullptr, 0, nullptr, &usedDefault);
    if (length <= 0 || usedDefault)
        return false;
    std::vector<char> narrow(static_cast<size_t>(length));
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text, -1, narrow.data(), length, nullptr, &usedDefault);
    const int backLength = MultiByteToWideChar(CP_ACP, 0, narrow.data(), -1, nullptr, 0);
    if (usedDefault || backLength <= 0)
        return false;
    std::vector<wchar_t> back(static_cast<size_t>(backLength));
    MultiByteToWideChar(CP_ACP, 0, narrow.data(), -1, back.data(), backLength);
    return lstrcmpW(back.data(), text) == 0;
}
