#include "icons/IconLibraryCheck.h"
#include "icons/IconBytes.h"

namespace {

// The reader tells files apart by their first bytes: an executable by its
// first word, an icon file by its second.
constexpr uint16_t EXECUTABLE_SIGNATURE = 0x5A4D;   // "MZ"
constexpr uint32_t EXECUTABLE_HEADER_SIZE = 64;
constexpr uint32_t NEW_HEADER_OFFSET_AT = 60;
constexpr uint32_t PE_SIGNATURE = 0x00004550;       // "PE\0\0"
constexpr uint16_t NE_SIGNATURE = 0x454E;           // "NE"
constexpr uint16_t ICON_TYPE = 1;
constexpr uint16_t CURSOR_TYPE = 2;
constexpr uint32_t ICON_HEADER_SIZE = 6;
constexpr uint32_t ICON_TYPE_AT = 2;
constexpr uint32_t ICON_COUNT_AT = 4;
constexpr uint32_t ICON_ENTRY_SIZE = 16;
constexpr uint32_t IMAGE_SIZE_AT = 8;
constexpr uint32_t IMAGE_OFFSET_AT = 12;

// The reader copies the whole directory, then reads the image it picks.
IconFileCheck CheckIconDirectory(const IconBytes& file)
{
    const uint32_t count = file.Word(ICON_COUNT_AT);
    const uint64_t directorySize = ICON_HEADER_SIZE + uint64_t{ ICON_ENTRY_SIZE } * count;
    if (count == 0 || !file.Holds(0, directorySize))
        return UNSOUND_FILE;
    for (uint64_t entry = ICON_HEADER_SIZE; entry < directorySize; entry += ICON_ENTRY_SIZE) {
        const uint32_t imageSize = file.Dword(entry + IMAGE_SIZE_AT);
        const uint32_t imageOffset = file.Dword(entry + IMAGE_OFFSET_AT);
        if (imageSize < SMALLEST_IMAGE_SIZE || imageOffset < directorySize || !file.Holds(imageOffset, imageSize))
            return UNSOUND_FILE;
    }
    // All the images are one icon; the reader takes no cursor file.
    const bool icon = file.Word(0) == 0 && file.Word(ICON_TYPE_AT) == ICON_TYPE;
    return { true, true, icon ? 1 : 0 };
}

IconFileCheck CheckExecutable(const IconBytes& file)
{
    if (!file.Holds(0, EXECUTABLE_HEADER_SIZE))
        return UNSOUND_FILE;
    const uint32_t header = file.Dword(NEW_HEADER_OFFSET_AT);
    if (!file.Holds(header, sizeof PE_SIGNATURE))
        return UNSOUND_FILE;
    if (file.Dword(header) == PE_SIGNATURE)
        return CheckPortableExecutable(file, header);
    if (file.Word(header) == NE_SIGNATURE)
        return CheckNewExecutable(file, header);
    return FILE_WITHOUT_ICONS;
}

} // namespace

IconFileCheck CheckIconFile(const unsigned char* bytes, size_t size)
{
    const IconBytes file(bytes, size);
    if (!file.Holds(0, ICON_HEADER_SIZE))
        return UNSOUND_FILE;
    if (file.Word(0) == EXECUTABLE_SIGNATURE)
        return CheckExecutable(file);
    const uint16_t type = file.Word(ICON_TYPE_AT);
    if (type == ICON_TYPE || type == CURSOR_TYPE)
        return CheckIconDirectory(file);
    return { true, false, 0 };
}
