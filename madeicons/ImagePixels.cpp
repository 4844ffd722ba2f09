#include "madeicons/ImagePixels.h"
#include <cstring>

namespace {

BITMAPINFO TopDownFormat(int width, int height)
{
    BITMAPINFO format = {};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    return format;
}

bool ReadBitmap(HBITMAP bitmap, int width, int height, std::vector<BYTE>& pixels)
{
    BITMAPINFO format = TopDownFormat(width, height);
    pixels.assign(static_cast<size_t>(width) * height * 4, 0);
    const HDC screen = GetDC(nullptr);
    const int rows = GetDIBits(screen, bitmap, 0, static_cast<UINT>(height), pixels.data(), &format, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return rows == height;
}

// The mask is white where the icon is clear.
void AlphaFromMask(std::vector<BYTE>& pixels, const std::vector<BYTE>& mask)
{
    for (size_t at = 0; at + 3 < pixels.size(); at += 4)
        pixels[at + 3] = mask[at] ? 0 : 255;
}

} // namespace

std::vector<BYTE> Reduced(const std::vector<BYTE>& square, int side, int size)
{
    std::vector<BYTE> reduced(static_cast<size_t>(size) * size * 4);
    for (int y = 0; y < size; ++y) {
        const int top = y * side / size;
        const int bottom = (y + 1) * side / size;
        for (int x = 0; x < size; ++x) {
            const int left = x * side / size;
            const int right = (x + 1) * side / size;
            unsigned sums[4] = {};
            for (int row = top; row < bottom; ++row) {
                for (int column = left; column < right; ++column) {
                    for (int channel = 0; channel < 4; ++channel)
                        sums[channel] += square[(static_cast<size_t>(row) * side + column) * 4 + channel];
                }
            }
            const unsigned count = static_cast<unsigned>((bottom - top) * (right - left));
            for (int channel = 0; channel < 4; ++channel)
                reduced[(static_cast<size_t>(y) * size + x) * 4 + channel] =
                    static_cast<BYTE>((sums[channel] + count / 2) / count);
        }
    }
    return reduced;
}

void Premultiply(std::vector<BYTE>& pixels)
{
    for (size_t at = 0; at + 3 < pixels.size(); at += 4) {
        const unsigned alpha = pixels[at + 3];
        for (size_t channel = 0; channel < 3; ++channel)
            pixels[at + channel] = static_cast<BYTE>((pixels[at + channel] * alpha + 127) / 255);
    }
}

void Unpremultiply(std::vector<BYTE>& pixels)
{
    for (size_t at = 0; at + 3 < pixels.size(); at += 4) {
        const unsigned alpha = pixels[at + 3];
        for (size_t channel = 0; channel < 3; ++channel) {
            const unsigned value = alpha == 0 ? 0 : (pixels[at + channel] * 255u + alpha / 2) / alpha;
            pixels[at + channel] = static_cast<BYTE>(value > 255 ? 255 : value);
        }
    }
}

HICON IconOfPixels(const std::vector<BYTE>& pixels, int size)
{
    const BITMAPINFO format = TopDownFormat(size, size);
    void* bits = nullptr;
    const HBITMAP colour = CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HBITMAP mask = CreateBitmap(size, size, 1, 1, nullptr);
    HICON icon = nullptr;
    if (colour && mask && bits && pixels.size() == static_cast<size_t>(size) * size * 4) {
        std::memcpy(bits, pixels.data(), pixels.size());
        ICONINFO parts = { TRUE, 0, 0, mask, colour };
        icon = CreateIconIndirect(&parts);
    }
    if (colour)
        DeleteObject(colour);
    if (mask)
        DeleteObject(mask);
    return icon;
}

bool PixelsOfIcon(HICON icon, int size, std::vector<BYTE>& pixels)
{
    ICONINFO parts = {};
    if (!icon || !GetIconInfo(icon, &parts))
        return false;
    std::vector<BYTE> mask;
    bool read = false;
    if (parts.hbmColor) {
        read = ReadBitmap(parts.hbmColor, size, size, pixels) && ReadBitmap(parts.hbmMask, size, size, mask);
        bool anyAlpha = false;
        for (size_t at = 3; read && !anyAlpha && at < pixels.size(); at += 4)
            anyAlpha = pixels[at] != 0;
        if (read && !anyAlpha)
            AlphaFromMask(pixels, mask);
    } else {
        // A monochrome icon's mask holds both its halves: which pixels are
        // clear, then their colour.
        std::vector<BYTE> halves;
        read = ReadBitmap(parts.hbmMask, size, size * 2, halves);
        if (read) {
            const size_t half = static_cast<size_t>(size) * size * 4;
            pixels.assign(halves.begin() + half, halves.end());
            mask.assign(halves.begin(), halves.begin() + half);
            AlphaFromMask(pixels, mask);
        }
    }
    if (parts.hbmColor)
        DeleteObject(parts.hbmColor);
    DeleteObject(parts.hbmMask);
    return read;
}
