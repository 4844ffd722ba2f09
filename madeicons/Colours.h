// The colours a folder can be given: twelve by name, and any other as
// "#RRGGBB".
#pragma once
#include <windows.h>
#include <string>

struct NamedColour {
    const wchar_t* name;
    COLORREF value;
};

constexpr NamedColour NAMED_COLOURS[] = {
    { L"rouge", RGB(0xE5, 0x39, 0x35) },     { L"orange", RGB(0xFB, 0x8C, 0x00) },
    { L"jaune", RGB(0xFD, 0xD8, 0x35) },     { L"vert", RGB(0x43, 0xA0, 0x47) },
    { L"turquoise", RGB(0x00, 0xAC, 0xC1) }, { L"bleu", RGB(0x1E, 0x88, 0xE5) },
    { L"indigo", RGB(0x39, 0x49, 0xAB) },    { L"violet", RGB(0x8E, 0x24, 0xAA) },
    { L"rose", RGB(0xD8, 0x1B, 0x60) },      { L"marron", RGB(0x6D, 0x4C, 0x41) },
    { L"gris", RGB(0x75, 0x75, 0x75) },      { L"noir", RGB(0x21, 0x21, 0x21) },
};

// A name of the list, in any case, or "#" and six hexadecimal digits; false
// for anything else.
bool ReadColour(const std::wstring& text, COLORREF& colour);

// "E53935": how the colour names the icon file made of it.
std::wstring ColourDigits(COLORREF colour);
