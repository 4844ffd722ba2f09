#include "icons/IconExtraction.h"
#include "icons/IconLibraryCheck.h"
#include "icons/MappedFile.h"
#include "icons/Picture.h"
#include "resource.h"
#include <shellapi.h>
#include <atomic>

namespace {

std::atomic<long> extractions{ 0 };
constexpr IconFileCheck NO_FILE = { false, true, 0 };

// The check of the file that the platform's icon reader would open for
// `path`, found as it finds it.
IconFileCheck CheckFileFound(const wchar_t* path)
{
    wchar_t found[PATH_BUFFER_SIZE];
    const DWORD length = SearchPathW(nullptr, path, nullptr, ARRAYSIZE(found), found, nullptr);
    if (length == 0 || length >= ARRAYSIZE(found))
        return NO_FILE;
    const MappedFile file(found);
    return file.Bytes() ? CheckIconFile(file.Bytes(), file.Size()) : NO_FILE;
}

// A picture is one icon, at position 0.
int ExtractPictureIcons(const wchar_t* path, int first, HICON* large, HICON* small)
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

bool IconFileIsSound(const wchar_t* path)
{
    if (IsPictureName(path))
        return PictureIsReadable(path);
    return CheckFileFound(path).sound;
}

int IconCount(const wchar_t* path)
{
    if (IsPictureName(path))
        return PictureIsReadable(path) ? 1 : 0;
    const IconFileCheck check = CheckFileFound(path);
    if (!check.sound)
        return 0;
    if (check.counted)
        return check.icons;
    // Some platforms answer a missing file with all bits set.
    const int count = static_cast<int>(ExtractIconExW(path, -1, nullptr, nullptr, 0));
    return count > 0 ? count : 0;
}

int ExtractIcons(const wchar_t* path, int first, HICON* large, HICON* small, int count)
{
    for (int i = 0; i < count; ++i) {
        if (large)
            large[i] = nullptr;
        if (small)
            small[i] = nullptr;
    }
    // A negative position names a resource id to the reader, which in a
    // 16-bit library takes it for a position before the first.
    if (count <= 0 || first < 0 || !IconFileIsSound(path))
        return 0;
    if (IsPictureName(path))
        return ExtractPictureIcons(path, first, large, small);
    extractions += count;
    // The answer may count icons whose handles stay null, and a call that
    // fails may leave anything behind: only real handles of a call that
    // succeeded count.
    if (static_cast<int>(ExtractIconExW(path, first, large, small, static_cast<UINT>(count))) <= 0) {
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

HICON ExtractIconOfSoundFile(const wchar_t* path, int position)
{
    if (IsPictureName(path))
        return position == 0 ? PictureIcon(path, GetSystemMetrics(SM_CXICON)) : nullptr;
    ++extractions;
    HICON icon = nullptr;
    return static_cast<int>(ExtractIconExW(path, position, &icon, nullptr, 1)) > 0 ? icon : nullptr;
}

// ExtractIconExW asked for several icons fills only the first handle under
// 64-bit Wine, which keeps the icons' ids in the handles' array; the reader
// beneath it, given an array of its own for the ids, fills them all. A reader
// may give up a run at an icon it cannot read, so each position left empty
// is asked once more, alone.
void ExtractIconRunOfSoundFile(const wchar_t* path, int first, HICON* icons, int count, SIZE size)
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
        const UINT answer = PrivateExtractIconsW(path, first, size.cx, size.cy, icons, ids,
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

HICON ExtractIconOfSizeOfSoundFile(const wchar_t* path, int position, int size)
{
    if (IsPictureName(path))
        return position == 0 ? PictureIcon(path, size) : nullptr;
    ++extractions;
    HICON icon = nullptr;
    UINT id = 0;
    const UINT answer = PrivateExtractIconsW(path, position, size, size, &icon, &id, 1, LR_DEFAULTCOLOR);
    return answer == 0 || answer == static_cast<UINT>(-1) ? nullptr : icon;
}

long IconExtractionCount()
{
    return extractions;
}
