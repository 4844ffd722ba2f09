#include "madeicons/Colours.h"
#include "framework/Paths.h"
#include <cwchar>
#include <cwctype>

namespace {

constexpr size_t COLOUR_DIGIT_COUNT = 6;

} // namespace

bool ReadColour(const std::wstring& text, COLORREF& colour)
{
    for (const NamedColour& named : NAMED_COLOURS) {
        if (SameIgnoringCase(text.c_str(), named.name)) {
            colour = named.value;
            return true;
        }
    }
    if (text.size() != COLOUR_DIGIT_COUNT + 1 || text[0] != L'#')
        return false;
    for (size_t i = 1; i < text.size(); ++i) {
        if (!std::iswxdigit(text[i]) || text[i] > L'f')
            return false;
    }
    const unsigned long value = std::wcstoul(text.c_str() + 1, nullptr, 16);
    colour = RGB(value >> 16 & 0xFF, value >> 8 & 0xFF, value & 0xFF);
    return true;
}

std::wstring ColourDigits(COLORREF colour)
{
    wchar_t digits[COLOUR_DIGIT_COUNT + 1];
    swprintf(digits, ARRAYSIZE(digits), L"%02X%02X%02X", GetRValue(colour), GetGValue(colour), GetBValue(colour));
    return digits;
}
