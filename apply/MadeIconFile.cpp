#include "apply/MadeIconFile.h"
#include "apply/DesktopIni.h"
#include "apply/DriveIcon.h"
#include "apply/WholeFile.h"
#include "framework/Paths.h"
#include "framework/WinApp.h"
#include "icons/Picture.h"
#include "madeicons/IconFileBytes.h"
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

// Where the files the program made are recorded, below its settings key:
// each value is named by the file's full path.
const wchar_t MADE_ICONS_KEY[] = L"IconesFaites";
// The longest record read: the digest, and more targets than anyone names a
// file with.
constexpr DWORD MAX_MADE_RECORD_SIZE = 1048576;
// The highest number given to a made file beside others of the same name.
constexpr int MAX_NAME_NUMBER = 999;

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

// What the program knows of a file it made: a digest of its bytes as made,
// and every folder or drive root it was applied to, so that the file goes
// only once none of them names it any more. The registry value holds the
// digest, then each target in UTF-16 followed by a zero.
struct MadeRecord {
    ULONGLONG digest = 0;
    std::vector<std::wstring> targets;
};

// Only a file made is recorded: the key is made only then.
bool OpenMadeIconsKey(HKEY& key, bool create)
{
    wchar_t settings[STRING_BUFFER_SIZE];
    AfxLoadString(IDS_RECENT_KEY, settings);
    const std::wstring path = std::wstring(settings) + L"\\" + MADE_ICONS_KEY;
    const REGSAM access = KEY_QUERY_VALUE | KEY_SET_VALUE;
    return (create ? RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access,
                                     nullptr, &key, nullptr)
                   : RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, access, &key)) == ERROR_SUCCESS;
}

bool ReadRecord(HKEY key, const wchar_t* file, MadeRecord& record)
{
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key, file, nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != REG_BINARY ||
        size < sizeof record.digest || size > MAX_MADE_RECORD_SIZE)
        return false;
    std::vector<BYTE> data(size);
    if (RegQueryValueExW(key, file, nullptr, &type, data.data(), &size) != ERROR_SUCCESS || type != REG_BINARY ||
        size < sizeof record.digest)
        return false;
    std::memcpy(&record.digest, data.data(), sizeof record.digest);
    std::wstring names((size - sizeof record.digest) / sizeof(wchar_t), L'\0');
    if (!names.empty())
        std::memcpy(&names[0], &data[sizeof record.digest], names.size() * sizeof(wchar_t));
    record.targets.clear();
    for (size_t start = 0; start < names.size();) {
        const size_t end = std::min(names.find(L'\0', start), names.size());
        if (end > start)
            record.targets.push_back(names.substr(start, end - start));
        start = end + 1;
    }
    return true;
}

void WriteRecord(HKEY key, const wchar_t* file, const MadeRecord& record)
{
    std::vector<BYTE> data(sizeof record.digest);
    std::memcpy(data.data(), &record.digest, sizeof record.digest);
    for (const std::wstring& target : record.targets) {
        const BYTE* units = reinterpret_cast<const BYTE*>(target.c_str());
        data.insert(data.end(), units, units + (target.size() + 1) * sizeof(wchar_t));
    }
    RegSetValueExW(key, file, 0, REG_BINARY, data.data(), static_cast<DWORD>(data.size()));
}

bool Listed(const std::vector<std::wstring>& targets, const wchar_t* target)
{
    return std::any_of(targets.begin(), targets.end(),
                       [target](const std::wstring& listed) { return SameIgnoringCase(listed.c_str(), target); });
}

// The file made for `target` with `bytes`: a record made anew keeps the
// targets already known to name the same file.
void RecordMadeIconFile(const wchar_t* file, const std::vector<BYTE>& bytes, const wchar_t* target)
{
    HKEY key;
    if (!OpenMadeIconsKey(key, true))
        return;
    MadeRecord record;
    const ULONGLONG digest = Digest(bytes);
    if (!ReadRecord(key, file, record) || record.digest != digest)
        record = MadeRecord{ digest, {} };
    if (!Listed(record.targets, target))
        record.targets.push_back(target);
    WriteRecord(key, file, record);
    RegCloseKey(key);
}

// Whether the folder or drive root names `file` as its icon now.
bool NamesIconFile(const std::wstring& target, const wchar_t* file)
{
    IconLocation icon = {};
    const bool named = IsDriveRootPath(target.c_str()) ? ReadDriveIcon(target[0], icon)
                                                       : ReadCustomIcon(target.c_str(), icon);
    return named && SameIgnoringCase(icon.file, file);
}

// The folder the file lies in: the one it was made for, which records of
// files made before targets were recorded do not name.
std::wstring FolderOf(const wchar_t* file)
{
    const wchar_t* slash = wcsrchr(file, L'\\');
    if (!slash)
        return std::wstring();
    const std::wstring folder(file, slash);
    return folder.size() == 2 && folder[1] == L':' ? folder + L"\\" : folder;
}

// "name.ico" for the first, "name (n).ico" after it; false when it does not
// fit.
bool NameFor(const wchar_t* folder, const wchar_t* source, int number, wchar_t (&path)[PATH_BUFFER_SIZE])
{
    const wchar_t* name = wcsrchr(source, L'\\');
    name = name ? name + 1 : source;
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
    std::vector<std::vector<BYTE>> images;
    for (const int size : MADE_ICON_SIZES) {
        std::vector<BYTE> pixels;
        if (!FittedPicture(picture, size, pixels))
            return false;
        images.push_back(pixels);
    }
    return IconFileOfImages(images, bytes);
}

bool MakeIconFile(const wchar_t* picture, const wchar_t* folder, wchar_t (&made)[PATH_BUFFER_SIZE],
                  const wchar_t* name)
{
    std::vector<BYTE> bytes;
    if (!IconFileOfPicture(picture, bytes)) {
        SetLastError(ERROR_INVALID_DATA);
        return false;
    }
    return WriteMadeIconFile(bytes, name ? name : picture, folder, made);
}

bool WriteMadeIconFile(const std::vector<BYTE>& bytes, const wchar_t* name, const wchar_t* folder,
                       wchar_t (&made)[PATH_BUFFER_SIZE])
{
    for (int number = 1; number <= MAX_NAME_NUMBER; ++number) {
        if (!NameFor(folder, name, number, made)) {
            SetLastError(ERROR_FILENAME_EXCED_RANGE);
            return false;
        }
        // A new file only: whatever is there already is the user's.
        if (!SameBytes(made, bytes) && !WriteWholeFile(made, bytes, FILE_ATTRIBUTE_HIDDEN, false)) {
            if (GetLastError() == ERROR_ALREADY_EXISTS)
                continue;
            return false;
        }
        RecordMadeIconFile(made, bytes, folder);
        return true;
    }
    SetLastError(ERROR_FILE_EXISTS);
    return false;
}

void NoteIconFileNamed(const wchar_t* file, const wchar_t* target)
{
    HKEY key;
    if (!OpenMadeIconsKey(key, false))
        return;
    MadeRecord record;
    if (ReadRecord(key, file, record) && !Listed(record.targets, target)) {
        record.targets.push_back(target);
        WriteRecord(key, file, record);
    }
    RegCloseKey(key);
}

void RemoveMadeIconFile(const wchar_t* file)
{
    HKEY key;
    if (!OpenMadeIconsKey(key, false))
        return;
    MadeRecord record;
    if (ReadRecord(key, file, record)) {
        std::vector<std::wstring> naming;
        std::vector<std::wstring> looked = record.targets;
        const std::wstring home = FolderOf(file);
        if (!home.empty() && !Listed(looked, home.c_str()))
            looked.push_back(home);
        for (const std::wstring& target : looked) {
            if (NamesIconFile(target, file))
                naming.push_back(target);
        }
        if (!naming.empty()) {
            record.targets = naming;
            WriteRecord(key, file, record);
        } else {
            std::vector<BYTE> bytes;
            const bool unchanged = ReadWholeFile(file, bytes, MAX_PICTURE_PIXELS) && Digest(bytes) == record.digest;
            if (!unchanged || DeleteFileW(file) || GetFileAttributesW(file) == INVALID_FILE_ATTRIBUTES)
                RegDeleteValueW(key, file);
        }
    }
    RegCloseKey(key);
}

bool IsMadeIconFile(const wchar_t* file)
{
    HKEY key;
    if (!OpenMadeIconsKey(key, false))
        return false;
    MadeRecord record;
    const bool made = ReadRecord(key, file, record);
    RegCloseKey(key);
    return made;
}

void NoteIconFileMade(const wchar_t* file, const std::vector<BYTE>& bytes, const wchar_t* target)
{
    RecordMadeIconFile(file, bytes, target);
}
