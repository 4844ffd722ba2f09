#include "apply/MadeIconFile.h"
#include "apply/WholeFile.h"
#include "framework/WinApp.h"
#include "icons/Picture.h"
#include <cstdio>
#include <cstring>
#include <string>

namespace {

// The sizes of the images an icon file made from a picture holds.
const int MADE_ICON_SIZES[] = { 16, 24, 32, 48, 64, LARGEST_ICON_SIZE };
constexpr size_t ICON_HEADER_SIZE = 6;
constexpr size_t ICON_ENTRY_SIZE = 16;
constexpr WORD ICON_TYPE = 1;
// Where the files the program made are recorded, below its settings key:
// each value is named by the file's full path and holds a digest of it.
const wchar_t MADE_ICONS_KEY[] = L"IconesFaites";
// The highest number given to a made file beside others of the same name.
constexpr int MAX_NAME_NUMBER = 999;

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

// FNV-1a, 64 bits: enough to tell the file the program made from another.
ULONGLONG Digest(const std::vector<BYTE>& bytes)
{
    ULONGLONG digest = 14695981039346656037ull;
    for (const BYTE b : bytes) {
        digest ^= b;
        digest *= 1099511628211ull;
    }
    return digest;
}

bool SameBytes(const wchar_t* path, const std::vector<BYTE>& bytes)
{
    std::vector<BYTE> present;
    return ReadWholeFile(path, present, bytes.size()) && present == bytes;
}

bool OpenMadeIconsKey(HKEY& key)
{
    wchar_t settings[STRING_BUFFER_SIZE];
    AfxLoadString(IDS_RECENT_KEY, settings);
    const std::wstring path = std::wstring(settings) + L"\\" + MADE_ICONS_KEY;
    return RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                           KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key, nullptr) == ERROR_SUCCESS;
}

void RecordMadeIconFile(const wchar_t* file, const std::vector<BYTE>& bytes)
{
    HKEY key;
    if (!OpenMadeIconsKey(key))
        return;
    const ULONGLONG digest = Digest(bytes);
    RegSetValueExW(key, file, 0, REG_BINARY, reinterpret_cast<const BYTE*>(&digest), sizeof digest);
    RegCloseKey(key);
}

// "name.ico" for the first, "name (n).ico" after it; false when it does not
// fit.
bool NameFor(const wchar_t* folder, const wchar_t* picture, int number, wchar_t (&path)[PATH_BUFFER_SIZE])
{
    const wchar_t* name = wcsrchr(picture, L'\\');
    name = name ? name + 1 : picture;
    const wchar_t* dot = wcsrchr(name, L'.');
    const int stem = static_cast<int>(dot ? dot - name : static_cast<int>(wcslen(name)));
    const size_t length = wcslen(folder);
    const wchar_t* separator = length > 0 && folder[length - 1] == L'\\' ? L"" : L"\\";
    wchar_t suffix[16] = L"";
    if (number > 1)
        swprintf(suffix, ARRAYSIZE(suffix), L" (%d)", number);
    const int written = swprintf(path, ARRAYSIZE(path), L"%ls%ls%.*ls%ls.ico", folder, separator, stem, name, suffix);
    return written > 0 && static_cast<size_t>(written) < ARRAYSIZE(path);
}

} // namespace

bool IconFileOfPicture(const wchar_t* picture, std::vector<BYTE>& bytes)
{
    const size_t count = sizeof MADE_ICON_SIZES / sizeof MADE_ICON_SIZES[0];
    std::vector<std::vector<BYTE>> images;
    for (const int size : MADE_ICON_SIZES) {
        std::vector<BYTE> pixels;
        if (!FittedPicture(picture, size, pixels))
            return false;
        std::vector<BYTE> image = size == LARGEST_ICON_SIZE ? std::vector<BYTE>() : IconImage(pixels, size);
        if (size == LARGEST_ICON_SIZE && !PngOfImage(pixels, size, image))
            return false;
        images.push_back(image);
    }
    bytes.assign(ICON_HEADER_SIZE + ICON_ENTRY_SIZE * count, 0);
    PutWord(bytes, 2, ICON_TYPE);
    PutWord(bytes, 4, static_cast<WORD>(count));
    for (size_t i = 0; i < count; ++i) {
        const size_t entry = ICON_HEADER_SIZE + ICON_ENTRY_SIZE * i;
        // A width and height of 256 are written as 0.
        bytes[entry] = static_cast<BYTE>(MADE_ICON_SIZES[i]);
        bytes[entry + 1] = static_cast<BYTE>(MADE_ICON_SIZES[i]);
        PutWord(bytes, entry + 4, 1);
        PutWord(bytes, entry + 6, 32);
        PutDword(bytes, entry + 8, static_cast<DWORD>(images[i].size()));
        PutDword(bytes, entry + 12, static_cast<DWORD>(bytes.size()));
        bytes.insert(bytes.end(), images[i].begin(), images[i].end());
    }
    return true;
}

bool MakeIconFile(const wchar_t* picture, const wchar_t* folder, wchar_t (&made)[PATH_BUFFER_SIZE])
{
    std::vector<BYTE> bytes;
    if (!IconFileOfPicture(picture, bytes)) {
        SetLastError(ERROR_INVALID_DATA);
        return false;
    }
    for (int number = 1; number <= MAX_NAME_NUMBER; ++number) {
        if (!NameFor(folder, picture, number, made)) {
            SetLastError(ERROR_FILENAME_EXCED_RANGE);
            return false;
        }
        if (SameBytes(made, bytes)) {
            RecordMadeIconFile(made, bytes);
            return true;
        }
        // A new file only: whatever is there already is the user's.
        if (!WriteNewHiddenFile(made, bytes)) {
            if (GetLastError() == ERROR_FILE_EXISTS || GetLastError() == ERROR_ALREADY_EXISTS)
                continue;
            return false;
        }
        RecordMadeIconFile(made, bytes);
        return true;
    }
    SetLastError(ERROR_FILE_EXISTS);
    return false;
}

void RemoveMadeIconFile(const wchar_t* file)
{
    HKEY key;
    if (!OpenMadeIconsKey(key))
        return;
    ULONGLONG recorded = 0;
    DWORD size = sizeof recorded;
    DWORD type = 0;
    if (RegQueryValueExW(key, file, nullptr, &type, reinterpret_cast<BYTE*>(&recorded), &size) == ERROR_SUCCESS &&
        type == REG_BINARY && size == sizeof recorded) {
        std::vector<BYTE> bytes;
        const bool unchanged = ReadWholeFile(file, bytes, MAX_PICTURE_PIXELS) && Digest(bytes) == recorded;
        if (!unchanged || DeleteFileW(file) || GetFileAttributesW(file) == INVALID_FILE_ATTRIBUTES)
            RegDeleteValueW(key, file);
    }
    RegCloseKey(key);
}
