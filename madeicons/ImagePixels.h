// Square images as the program makes icons of them: 32-bit BGRA rows, top row
// first, alpha not premultiplied, as icons and icon files hold their colours.
#pragma once
#include <windows.h>
#include <vector>

// Each pixel of the smaller square is the mean of the pixels of the larger one
// that it covers, which keeps fine detail and soft edges at every size. The
// pixels are to be premultiplied, or a clear pixel's colour bleeds into its
// neighbours.
std::vector<BYTE> Reduced(const std::vector<BYTE>& square, int side, int size);
void Premultiply(std::vector<BYTE>& pixels);
void Unpremultiply(std::vector<BYTE>& pixels);

// The image as an icon with its alpha; null when the system has no room for it.
HICON IconOfPixels(const std::vector<BYTE>& pixels, int size);

// The icon's image of `size`, with the alpha of a 32-bit icon or, for an icon
// without any, that of its mask; false when its bitmaps cannot be read.
bool PixelsOfIcon(HICON icon, int size, std::vector<BYTE>& pixels);
