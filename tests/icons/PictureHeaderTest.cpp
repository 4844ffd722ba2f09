// The size a picture declares in its own header, read before any decoder
// sees the picture.
#include "harness/TempFolder.h"
#include "harness/Windows.h"
#include "icons/PictureHeader.h"
#include <gtest/gtest.h>
#include <fstream>

namespace {

struct Header {
    const char* kind;
    std::string bytes;
    ULONGLONG pixels;   // 0: refused
};

std::string Big16(unsigned value)
{
    return { static_cast<char>(value >> 8), static_cast<char>(value) };
}

std::string Little16(unsigned value)
{
    return { static_cast<char>(value), static_cast<char>(value >> 8) };
}

const std::string GIF_FRAME_OF_100 = std::string("\x2c\0\0\0\0", 5) + Little16(100) + Little16(100) +
                                     std::string("\0\x02\x01\x44\0", 5);
const std::string PNG_SIGNATURE = "\x89PNG\r\n\x1a\n";

} // namespace

TEST(PictureHeader, DeclaredSizeIsReadFromEachKindsOwnHeader)
{
    const Header headers[] = {
        { "PNG", PNG_SIGNATURE + std::string("\0\0\0\x0dIHDR\0\0\x01\x2c\0\0\0\xc8", 16), 60000 },
        { "JPEG, its frame after other segments",
          std::string("\xff\xd8\xff\xe0\0\x04\0\0\xff\xc4\0\x02\xff\xc2\0\x0b\x08", 17) + Big16(200) + Big16(300) +
              std::string("\x01\x01\x11\0", 4),
          60000 },
        { "GIF, every frame", "GIF89a" + Little16(10) + Little16(10) + std::string("\x80\0\0\0\0\0\0\0\0", 9) +
                                  std::string("\x21\xf9\x04\0\0\0\0\0", 8) + GIF_FRAME_OF_100 + GIF_FRAME_OF_100 + "\x3b",
          20000 },
        { "BMP, top-down", "BM" + std::string(12, '\0') + std::string("\x28\0\0\0\x2c\x01\0\0\x38\xff\xff\xff", 12),
          60000 },
        { "TIFF, big-endian", std::string("MM\0*\0\0\0\x08\0\x02", 10) + Big16(256) + Big16(3) +
                                  std::string("\0\0\0\x01\x01\x2c\0\0", 8) + Big16(257) + Big16(4) +
                                  std::string("\0\0\0\x01\0\0\0\xc8", 8),
          60000 },
        { "PNG without its header", PNG_SIGNATURE + std::string("\0\0\0\0IEND", 8), 0 },
        { "JPEG scanned before any frame", std::string("\xff\xd8\xff\xda\0\x02", 6), 0 },
        { "text", "pas une image", 0 },
    };
    TempFolder folder;
    for (const Header& header : headers) {
        SCOPED_TRACE(header.kind);
        const std::string path = folder / "image.png";
        std::ofstream(path, std::ios::binary) << header.bytes;
        ULONGLONG pixels = 0;
        EXPECT_EQ(DeclaredPixels(Wide(path).c_str(), pixels), header.pixels != 0);
        EXPECT_EQ(pixels, header.pixels);
    }
}
