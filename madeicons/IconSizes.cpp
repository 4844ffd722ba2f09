#include "madeicons/IconSizes.h"
#include "framework/Paths.h"
#include "icons/IconExtraction.h"
#include "icons/MappedFile.h"
#include "madeicons/ImagePixels.h"
#include "resource.h"
#include <algorithm>

namespace {

// An icon group or an icon file's directory: a header of 6 bytes whose
// third word is the count, then an entry for each image, whose first byte is
// its width.
constexpr size_t DIRECTORY_HEADER_SIZE = 6;
constexpr size_t DIRECTORY_COUNT_AT = 4;
constexpr size_t GROUP_ENTRY_SIZE = 14;
constexpr size_t FILE_ENTRY_SIZE = 16;
constexpr WORD ICON_FILE_TYPE = 1;

WORD WordAt(const BYTE* bytes, size_t at)
{
    return static_cast<WORD>(bytes[at] | bytes[at + 1] << 8);
}

void ReadDirectory(const BYTE* bytes, size_t size, size_t entrySize, std::vector<int>& sizes)
{
    if (size < DIRECTORY_HEADER_SIZE)
        return;
    const size_t count = WordAt(bytes, DIRECTORY_COUNT_AT);
    for (size_t i = 0; i < count && DIRECTORY_HEADER_SIZE + (i + 1) * entrySize <= size; ++i) {
        const BYTE width = bytes[DIRECTORY_HEADER_SIZE + i * entrySize];
        sizes.push_back(width == 0 ? LARGEST_ICON_SIZE : width);
    }
}

struct GroupSearch {
    int position;
    std::vector<int>* sizes;
};

// Groups come in the order the icon reader counts them in.
BOOL CALLBACK ReadGroupAt(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR parameter)
{
    GroupSearch& search = *reinterpret_cast<GroupSearch*>(parameter);
    if (search.position-- > 0)
        return TRUE;
    const HRSRC found = FindResourceW(module, name, type);
    const HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const BYTE* bytes = loaded ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
    if (bytes)
        ReadDirectory(bytes, SizeofResource(module, found), GROUP_ENTRY_SIZE, *search.sizes);
    return FALSE;
}

bool IsIconFileName(const wchar_t* path)
{
    const wchar_t* dot = wcsrchr(path, L'.');
    return dot && SameIgnoringCase(dot, L".ico");
}

bool PixelsOfSize(const wchar_t* file, int position, int size, std::vector<BYTE>& pixels)
{
    const HICON icon = ExtractIconOfSizeOfSoundFile(file, position, size);
    const bool read = PixelsOfIcon(icon, size, pixels);
    if (icon)
        DestroyIcon(icon);
    return read;
}

} // namespace

std::vector<int> HeldSizes(const wchar_t* file, int position)
{
    std::vector<int> sizes;
    wchar_t found[PATH_BUFFER_SIZE];
    const DWORD length = SearchPathW(nullptr, file, nullptr, ARRAYSIZE(found), found, nullptr);
    if (position < 0 || length == 0 || length >= ARRAYSIZE(found) || !IconFileIsSound(found))
        return sizes;
    if (IsIconFileName(found)) {
        const MappedFile mapped(found);
        if (position == 0 && mapped.Bytes() && mapped.Size() >= DIRECTORY_HEADER_SIZE &&
            WordAt(mapped.Bytes(), 2) == ICON_FILE_TYPE)
            ReadDirectory(mapped.Bytes(), mapped.Size(), FILE_ENTRY_SIZE, sizes);
        return sizes;
    }
    const HMODULE module = LoadLibraryExW(found, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module)
        return sizes;
    GroupSearch search = { position, &sizes };
    EnumResourceNamesW(module, RT_GROUP_ICON, ReadGroupAt, reinterpret_cast<LONG_PTR>(&search));
    FreeLibrary(module);
    return sizes;
}

bool IconPixels(const wchar_t* file, int position, int size, std::vector<BYTE>& pixels)
{
    if (size <= 0 || size > LARGEST_ICON_SIZE || !IconFileIsSound(file))
        return false;
    std::vector<int> held = HeldSizes(file, position);
    std::sort(held.begin(), held.end());
    const auto larger = std::lower_bound(held.begin(), held.end(), size);
    if (larger == held.end() || *larger == size)
        return PixelsOfSize(file, position, size, pixels);
    std::vector<BYTE> source;
    if (!PixelsOfSize(file, position, *larger, source))
        return false;
    Premultiply(source);
    pixels = Reduced(source, *larger, size);
    Unpremultiply(pixels);
    return true;
}
