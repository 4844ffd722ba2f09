#include "icons/IconExtraction.h"
#include "icons/Picture.h"
#include "resource.h"
#include <shellapi.h>
#include <cstring>
#include <vector>

namespace {

// The headers of the files the icon reader tells apart by their first bytes.
constexpr WORD EXECUTABLE_SIGNATURE = 0x5A4D;   // "MZ"
constexpr DWORD EXECUTABLE_HEADER_SIZE = 64;
constexpr DWORD NEW_HEADER_OFFSET_AT = 60;
constexpr WORD ICON_TYPE = 1;
constexpr WORD CURSOR_TYPE = 2;
constexpr DWORD ICON_HEADER_SIZE = 6;
constexpr DWORD ICON_ENTRY_SIZE = 16;
// An image holds at least its bitmap header; a PNG image is longer still.
constexpr DWORD SMALLEST_IMAGE_SIZE = sizeof(BITMAPINFOHEADER);

long extractions = 0;

WORD WordAt(const BYTE* bytes, size_t offset)
{
    return static_cast<WORD>(bytes[offset] | bytes[offset + 1] << 8);
}

DWORD DwordAt(const BYTE* bytes, size_t offset)
{
    return static_cast<DWORD>(WordAt(bytes, offset)) | static_cast<DWORD>(WordAt(bytes, offset + 2)) << 16;
}

class ReadOnlyFile {
public:
    explicit ReadOnlyFile(const char* path)
        : m_handle(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr))
    {
    }
    ~ReadOnlyFile()
    {
        if (m_handle != INVALID_HANDLE_VALUE)
            CloseHandle(m_handle);
    }
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

    bool IsOpen() const { return m_handle != INVALID_HANDLE_VALUE; }
    ULONGLONG Size() const
    {
        LARGE_INTEGER size = {};
        return GetFileSizeEx(m_handle, &size) ? static_cast<ULONGLONG>(size.QuadPart) : 0;
    }
    bool Read(DWORD offset, BYTE* bytes, DWORD length) const
    {
        LARGE_INTEGER at = {};
        at.QuadPart = offset;
        DWORD read = 0;
        return SetFilePointerEx(m_handle, at, nullptr, FILE_BEGIN) &&
               ReadFile(m_handle, bytes, length, &read, nullptr) && read == length;
    }

private:
    HANDLE m_handle;
};

bool ExecutableIsSound(const ReadOnlyFile& file, ULONGLONG size)
{
    BYTE header[EXECUTABLE_HEADER_SIZE];
    if (size < sizeof header || !file.Read(0, header, sizeof header))
        return false;
    return DwordAt(header, NEW_HEADER_OFFSET_AT) + 4ull <= size;
}

bool IconDirectoryIsSound(const ReadOnlyFile& file, ULONGLONG size, WORD count)
{
    const DWORD directorySize = ICON_HEADER_SIZE + ICON_ENTRY_SIZE * count;
    if (count == 0 || directorySize > size)
        return false;
    std::vector<BYTE> directory(directorySize);
    if (!file.Read(0, directory.data(), directorySize))
        return false;
    for (DWORD entry = ICON_HEADER_SIZE; entry < directorySize; entry += ICON_ENTRY_SIZE) {
        const ULONGLONG imageSize = DwordAt(directory.data(), entry + 8);
        const ULONGLONG imageOffset = DwordAt(directory.data(), entry + 12);
        if (imageSize < SMALLEST_IMAGE_SIZE || imageOffset < directorySize || imageOffset + imageSize > size)
            return false;
    }
    return true;
}

// A picture is one icon, at position 0.
int ExtractPictureIcons(const char* path, int first, HICON* large, HICON* small)
{
    if (first != 0)
        return 0;
    if (large)
        large[0] = PictureIcon(path, GetSystemMetrics(SM_CXICON));
    if (small)
        small[0] = PictureIcon(path, GetSystemMetrics(SM_CXSMICON));
    return (large && large[0]) || (small && small[0]) ? 1 : 0;
}

} // namespace

bool IconFileIsSound(const char* path)
{
    if (IsPictureName(path))
        return PictureIsReadable(path);
    char found[PATH_BUFFER_SIZE];
    const DWORD length = SearchPathA(nullptr, path, nullptr, sizeof found, found, nullptr);
    if (length == 0 || length >= sizeof found)
        return false;
    const ReadOnlyFile file(found);
    if (!file.IsOpen())
        return false;
    const ULONGLONG size = file.Size();
    BYTE header[ICON_HEADER_SIZE];
    if (size < sizeof header || !file.Read(0, header, sizeof header))
        return false;
    if (WordAt(header, 0) == EXECUTABLE_SIGNATURE)
        return ExecutableIsSound(file, size);
    // The reader takes any other file whose second word names an icon or a
    // cursor for an icon file, whatever its first.
    const WORD type = WordAt(header, 2);
    if (type == ICON_TYPE || type == CURSOR_TYPE)
        return IconDirectoryIsSound(file, size, WordAt(header, 4));
    return true;
}

int IconCount(const char* path)
{
    if (!IconFileIsSound(path))
        return 0;
    if (IsPictureName(path))
        return 1;
    // Some platforms answer a missing file with all bits set.
    const int count = static_cast<int>(ExtractIconExA(path, -1, nullptr, nullptr, 0));
    return count > 0 ? count : 0;
}

int ExtractIcons(const char* path, int first, HICON* large, HICON* small, int count)
{
    for (int i = 0; i < count; ++i) {
        if (large)
            large[i] = nullptr;
        if (small)
            small[i] = nullptr;
    }
    if (count <= 0 || !IconFileIsSound(path))
        return 0;
    if (IsPictureName(path))
        return ExtractPictureIcons(path, first, large, small);
    extractions += count;
    // The answer may count icons whose handles stay null, and a call that
    // fails may leave anything behind: only real handles of a call that
    // succeeded count.
    if (static_cast<int>(ExtractIconExA(path, first, large, small, static_cast<UINT>(count))) <= 0) {
        for (int i = 0; i < count; ++i) {
            if (large)
                large[i] = nullptr;
            if (small)
                small[i] = nullptr;
        }
        return 0;
    }
    int real = 0;
    for (int i = 0; i < count; ++i) {
        if ((large && large[i]) || (small && small[i]))
            ++real;
    }
    return real;
}

HICON ExtractIconOfSoundFile(const char* path, int position)
{
    if (IsPictureName(path))
        return position == 0 ? PictureIcon(path, GetSystemMetrics(SM_CXICON)) : nullptr;
    ++extractions;
    HICON icon = nullptr;
    return static_cast<int>(ExtractIconExA(path, position, &icon, nullptr, 1)) > 0 ? icon : nullptr;
}

// ExtractIconExA asked for several icons fills only the first handle under
// 64-bit Wine, which keeps the icons' ids in the handles' array; the reader
// beneath it, given an array of its own for the ids, fills them all. A reader
// may give up a run at an icon it cannot read, so each position left empty
// is asked once more, alone.
void ExtractIconRunOfSoundFile(const char* path, int first, HICON* icons, int count, SIZE size)
{
    for (int i = 0; i < count; ++i)
        icons[i] = nullptr;
    if (count <= 0 || count > MAX_ICONS_TAKEN_AT_ONCE)
        return;
    if (IsPictureName(path)) {
        if (first == 0)
            icons[0] = PictureIcon(path, size.cx);
        return;
    }
    if (count > 1) {
        UINT ids[MAX_ICONS_TAKEN_AT_ONCE] = {};
        extractions += count;
        const UINT answer = PrivateExtractIconsA(path, first, size.cx, size.cy, icons, ids,
                                                 static_cast<UINT>(count), LR_DEFAULTCOLOR);
        // A call that fails may leave anything behind.
        if (answer == 0 || answer == static_cast<UINT>(-1)) {
            for (int i = 0; i < count; ++i)
                icons[i] = nullptr;
        }
    }
    for (int i = 0; i < count; ++i) {
        if (!icons[i])
            icons[i] = ExtractIconOfSoundFile(path, first + i);
    }
}

long IconExtractionCount()
{
    return extractions;
}
