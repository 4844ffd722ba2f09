#include "icons/PictureHeader.h"
#include "icons/MappedFile.h"
#include <cstdint>
#include <cstring>

namespace {

const unsigned char PNG_SIGNATURE[] = { 0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n' };
constexpr size_t PNG_IHDR_AT = 12;
constexpr uint16_t JPEG_START = 0xFFD8;
constexpr unsigned char JPEG_START_OF_SCAN = 0xDA;
constexpr unsigned char JPEG_END = 0xD9;
constexpr unsigned char GIF_IMAGE = 0x2C;
constexpr unsigned char GIF_EXTENSION = 0x21;
constexpr unsigned char GIF_TRAILER = 0x3B;
constexpr unsigned char GIF_COLOUR_TABLE = 0x80;
constexpr size_t GIF_HEADER_SIZE = 13;
constexpr size_t GIF_IMAGE_DESCRIPTOR_SIZE = 10;
constexpr size_t BMP_INFO_AT = 14;
constexpr uint32_t BMP_CORE_HEADER_SIZE = 12;
constexpr uint16_t TIFF_IMAGE_WIDTH = 256;
constexpr uint16_t TIFF_IMAGE_LENGTH = 257;
constexpr uint16_t TIFF_SHORT = 3;
constexpr uint16_t TIFF_LONG = 4;
constexpr size_t TIFF_ENTRY_SIZE = 12;

// The file's bytes, read in either byte order, never outside them: a read
// outside answers 0, which no size is.
class Bytes {
public:
    Bytes(const unsigned char* bytes, size_t size, bool bigEndian = false)
        : m_bytes(bytes), m_size(size), m_bigEndian(bigEndian)
    {
    }

    bool Holds(uint64_t at, uint64_t length) const { return at <= m_size && length <= m_size - at; }
    unsigned Byte(uint64_t at) const { return Holds(at, 1) ? m_bytes[at] : 0; }
    uint32_t Word(uint64_t at) const
    {
        return m_bigEndian ? Byte(at) << 8 | Byte(at + 1) : Byte(at) | Byte(at + 1) << 8;
    }
    uint32_t Dword(uint64_t at) const
    {
        return m_bigEndian ? Word(at) << 16 | Word(at + 2) : Word(at) | Word(at + 2) << 16;
    }
    bool Starts(const char* text) const { return Holds(0, strlen(text)) && memcmp(m_bytes, text, strlen(text)) == 0; }

private:
    const unsigned char* m_bytes;
    size_t m_size;
    bool m_bigEndian;
};

bool Area(uint64_t width, uint64_t height, ULONGLONG& pixels)
{
    pixels = width * height;
    return pixels > 0;
}

bool PngPixels(const unsigned char* bytes, size_t size, ULONGLONG& pixels)
{
    const Bytes file(bytes, size, true);
    return file.Holds(PNG_IHDR_AT, 12) && memcmp(bytes + PNG_IHDR_AT, "IHDR", 4) == 0 &&
           Area(file.Dword(PNG_IHDR_AT + 4), file.Dword(PNG_IHDR_AT + 8), pixels);
}

// The first frame header (SOF0 to SOF15, but the markers that share their
// numbers), found by walking the segments by their lengths.
bool JpegPixels(const Bytes& file, ULONGLONG& pixels)
{
    uint64_t at = 2;
    for (;;) {
        if (file.Byte(at) != 0xFF)
            return false;
        while (file.Byte(at) == 0xFF)
            ++at;
        const unsigned marker = file.Byte(at++);
        // Markers that stand alone: the restart markers and TEM.
        if ((marker >= 0xD0 && marker <= 0xD7) || marker == 0x01)
            continue;
        const uint32_t length = file.Word(at);
        if (marker == JPEG_START_OF_SCAN || marker == JPEG_END || length < 2 || !file.Holds(at, length))
            return false;
        const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame)
            return length >= 7 && Area(file.Word(at + 5), file.Word(at + 3), pixels);
        at += length;
    }
}

// The data sub-blocks from `at`, each its length and its bytes, up to an
// empty one; where the next block begins, or 0 when they run past the end.
uint64_t SkipSubBlocks(const Bytes& file, uint64_t at)
{
    while (file.Holds(at, 1)) {
        const unsigned length = file.Byte(at);
        if (length == 0)
            return at + 1;
        at += 1 + length;
    }
    return 0;
}

uint64_t ColourTableSize(unsigned flags)
{
    return flags & GIF_COLOUR_TABLE ? 3u << ((flags & 7) + 1) : 0;
}

// Every frame, as the blocks give it, up to the trailer or the end of the
// file.
bool GifPixels(const Bytes& file, ULONGLONG& pixels)
{
    if (!file.Holds(0, GIF_HEADER_SIZE) || !Area(file.Word(6), file.Word(8), pixels))
        return false;
    ULONGLONG frames = 0;
    uint64_t at = GIF_HEADER_SIZE + ColourTableSize(file.Byte(10));
    while (at && file.Holds(at, 1) && file.Byte(at) != GIF_TRAILER) {
        const unsigned block = file.Byte(at);
        if (block == GIF_IMAGE) {
            if (!file.Holds(at, GIF_IMAGE_DESCRIPTOR_SIZE))
                break;
            frames += uint64_t{ file.Word(at + 5) } * file.Word(at + 7);
            at = SkipSubBlocks(file, at + GIF_IMAGE_DESCRIPTOR_SIZE + ColourTableSize(file.Byte(at + 9)) + 1);
        } else if (block == GIF_EXTENSION) {
            at = SkipSubBlocks(file, at + 2);
        } else {
            break;
        }
    }
    if (frames > pixels)
        pixels = frames;
    return true;
}

bool BmpPixels(const Bytes& file, ULONGLONG& pixels)
{
    const uint32_t header = file.Dword(BMP_INFO_AT);
    if (header == BMP_CORE_HEADER_SIZE)
        return Area(file.Word(BMP_INFO_AT + 4), file.Word(BMP_INFO_AT + 6), pixels);
    const int32_t width = static_cast<int32_t>(file.Dword(BMP_INFO_AT + 4));
    const int32_t height = static_cast<int32_t>(file.Dword(BMP_INFO_AT + 8));
    return header > BMP_CORE_HEADER_SIZE && width > 0 &&
           Area(static_cast<uint64_t>(width), height < 0 ? 0 - static_cast<uint64_t>(height) : height, pixels);
}

// The first image's width and length, from the entries of the first image
// file directory.
bool TiffPixels(const Bytes& file, ULONGLONG& pixels)
{
    const uint64_t directory = file.Dword(4);
    const uint32_t entries = file.Word(directory);
    if (!file.Holds(directory + 2, uint64_t{ TIFF_ENTRY_SIZE } * entries))
        return false;
    uint64_t width = 0;
    uint64_t length = 0;
    for (uint32_t i = 0; i < entries; ++i) {
        const uint64_t entry = directory + 2 + uint64_t{ TIFF_ENTRY_SIZE } * i;
        const uint32_t tag = file.Word(entry);
        const uint32_t type = file.Word(entry + 2);
        const uint64_t value = type == TIFF_SHORT ? file.Word(entry + 8) : type == TIFF_LONG ? file.Dword(entry + 8) : 0;
        if (tag == TIFF_IMAGE_WIDTH)
            width = value;
        if (tag == TIFF_IMAGE_LENGTH)
            length = value;
    }
    return Area(width, length, pixels);
}

} // namespace

bool DeclaredPixels(const wchar_t* path, ULONGLONG& pixels)
{
    pixels = 0;
    const MappedFile mapped(path);
    const unsigned char* bytes = mapped.Bytes();
    if (!bytes)
        return false;
    const Bytes file(bytes, mapped.Size());
    const Bytes bigEndian(bytes, mapped.Size(), true);
    if (file.Holds(0, sizeof PNG_SIGNATURE) && memcmp(bytes, PNG_SIGNATURE, sizeof PNG_SIGNATURE) == 0)
        return PngPixels(bytes, mapped.Size(), pixels);
    if (bigEndian.Word(0) == JPEG_START)
        return JpegPixels(bigEndian, pixels);
    if (file.Starts("GIF87a") || file.Starts("GIF89a"))
        return GifPixels(file, pixels);
    if (file.Starts("BM"))
        return BmpPixels(file, pixels);
    if (file.Starts("II*") && file.Byte(3) == 0)
        return TiffPixels(file, pixels);
    if (file.Starts("MM") && bigEndian.Word(2) == 42)
        return TiffPixels(bigEndian, pixels);
    return false;
}
