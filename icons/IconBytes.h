// The bytes of a file under check, read in little-endian words that never
// reach outside them, and the checks of the kinds of executable that carry
// icons, for the check of any icon file (IconLibraryCheck.h).
#pragma once
#include "icons/IconLibraryCheck.h"
#include <cstdint>

class IconBytes {
public:
    IconBytes(const unsigned char* bytes, uint64_t size) : m_bytes(bytes), m_size(size) {}

    uint64_t Size() const { return m_size; }
    bool Holds(uint64_t offset, uint64_t length) const { return offset <= m_size && length <= m_size - offset; }
    // 0 where the word does not lie inside the bytes.
    uint16_t Word(uint64_t offset) const
    {
        return Holds(offset, 2) ? static_cast<uint16_t>(m_bytes[offset] | m_bytes[offset + 1] << 8) : 0;
    }
    uint32_t Dword(uint64_t offset) const
    {
        return Word(offset) | static_cast<uint32_t>(Holds(offset, 4) ? Word(offset + 2) : 0) << 16;
    }

private:
    const unsigned char* m_bytes;
    uint64_t m_size;
};

constexpr IconFileCheck UNSOUND_FILE = { false, true, 0 };
constexpr IconFileCheck FILE_WITHOUT_ICONS = { true, true, 0 };
// The smallest image the reader is handed: its bitmap header.
constexpr uint32_t SMALLEST_IMAGE_SIZE = 40;
// An icon group: a header of 6 bytes, then 14 bytes for each image it names,
// whose count is in the header's third word.
constexpr uint32_t GROUP_HEADER_SIZE = 6;
constexpr uint32_t GROUP_ENTRY_SIZE = 14;
constexpr uint32_t GROUP_COUNT_AT = 4;

// An executable whose new header, at `header`, is that of a 32-bit or 64-bit
// Windows one (PE), or of a 16-bit one (NE).
IconFileCheck CheckPortableExecutable(const IconBytes& file, uint32_t header);
IconFileCheck CheckNewExecutable(const IconBytes& file, uint32_t header);
