#include "madeicons/IconFileBytes.h"
#include "icons/Picture.h"
#include <cstring>

namespace {

constexpr size_t ICON_HEADER_SIZE = 6;
constexpr size_t ICON_ENTRY_SIZE = 16;
constexpr WORD ICON_TYPE = 1;

void PutWord(std::vector<BYTE>& bytes, size_t at, WORD value)
{
    bytes[at] = static_cast<BYTE>(value);
    bytes[at + 1] = static_cast<BYTE>(value >> 8);
}

void PutDword(std::vector<BYTE>& bytes, size_t at, DWORD value)
{
    PutWord(bytes, at, static_cast<WORD>(value));
    PutWord(bytes, at + 2, static_cast<WORD>(value >> 16));
}

// An image as icon files hold it: a bitmap header of twice the height, the
// colour rows bottom-up, then a mask that is set where the image is clear.
std::vector<BYTE> IconImage(const std::vector<BYTE>& pixels, int size)
{
    const size_t maskStride = ((static_cast<size_t>(size) + 31) / 32) * 4;
    const size_t colourSize = static_cast<size_t>(size) * size * 4;
    std::vector<BYTE> image(sizeof(BITMAPINFOHEADER) + colourSize + maskStride * size, 0);
    PutDword(image, 0, sizeof(BITMAPINFOHEADER));
    PutDword(image, 4, static_cast<DWORD>(size));
    PutDword(image, 8, static_cast<DWORD>(size * 2));
    PutWord(image, 12, 1);
    PutWord(image, 14, 32);
    PutDword(image, 20, static_cast<DWORD>(colourSize + maskStride * size));
    BYTE* colour = &image[sizeof(BITMAPINFOHEADER)];
    BYTE* mask = colour + colourSize;
    for (int row = 0; row < size; ++row) {
        const BYTE* source = &pixels[static_cast<size_t>(size - 1 - row) * size * 4];
        std::memcpy(colour + static_cast<size_t>(row) * size * 4, source, static_cast<size_t>(size) * 4);
        for (int column = 0; column < size; ++column) {
            if (source[column * 4 + 3] == 0)
                mask[row * maskStride + column / 8] |= static_cast<BYTE>(0x80 >> (column % 8));
        }
    }
    return image;
}

} // namespace

bool IconFileOfImages(const std::vector<std::vector<BYTE>>& images, std::vector<BYTE>& bytes)
{
    if (images.size() != MADE_ICON_SIZE_COUNT)
        return false;
    std::vector<std::vector<BYTE>> stored;
    for (size_t i = 0; i < MADE_ICON_SIZE_COUNT; ++i) {
        const int size = MADE_ICON_SIZES[i];
        if (images[i].size() != static_cast<size_t>(size) * size * 4)
            return false;
        std::vector<BYTE> image = size == LARGEST_ICON_SIZE ? std::vector<BYTE>() : IconImage(images[i], size);
        if (size == LARGEST_ICON_SIZE && !PngOfImage(images[i], size, image))
            return false;
        stored.push_back(image);
    }
    bytes.assign(ICON_HEADER_SIZE + ICON_ENTRY_SIZE * MADE_ICON_SIZE_COUNT, 0);
    PutWord(bytes, 2, ICON_TYPE);
    PutWord(bytes, 4, static_cast<WORD>(MADE_ICON_SIZE_COUNT));
    for (size_t i = 0; i < MADE_ICON_SIZE_COUNT; ++i) {
        const size_t entry = ICON_HEADER_SIZE + ICON_ENTRY_SIZE * i;
        // A width and height of 256 are written as 0.
        bytes[entry] = static_cast<BYTE>(MADE_ICON_SIZES[i]);
        bytes[entry + 1] = static_cast<BYTE>(MADE_ICON_SIZES[i]);
        PutWord(bytes, entry + 4, 1);
        PutWord(bytes, entry + 6, 32);
        PutDword(bytes, entry + 8, static_cast<DWORD>(stored[i].size()));
        PutDword(bytes, entry + 12, static_cast<DWORD>(bytes.size()));
        bytes.insert(bytes.end(), stored[i].begin(), stored[i].end());
    }
    return true;
}
