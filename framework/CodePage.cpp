#include "framework/CodePage.h"
#include <vector>

namespace {

// Whether `narrow` reads back as `wide` exactly. The conversion's own flags
// are not trusted alone: not every platform honours the refusal of
// best-fit matches.
bool ReadsBackAs(const char* narrow, const wchar_t* wide)
{
    const int length = MultiByteToWideChar(CP_ACP, 0, narrow, -1, nullptr, 0);
    if (length <= 0)
        return false;
    std::vector<wchar_t> back(static_cast<size_t>(length));
    MultiByteToWideChar(CP_ACP, 0, narrow, -1, back.data(), length);
    return lstrcmpW(back.data(), wide) == 0;
}

} // namespace

bool ToCodePageExactly(const wchar_t* wide, char* narrow, int size)
{
    if (size <= 0)
        return false;
    BOOL usedDefault = FALSE;
    const int written = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, -1, narrow, size, nullptr, &usedDefault);
    if (written <= 0 || usedDefault || !ReadsBackAs(narrow, wide)) {
        narrow[0] = '\0';
        return false;
    }
    return true;
}
