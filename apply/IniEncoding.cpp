#include "apply/IniEncoding.h"
#include "framework/CodePage.h"
#include "resource.h"
#include <string>
#include <vector>

namespace {

const BYTE UTF16_MARK[] = { 0xFF, 0xFE };

bool AllFit(std::initializer_list<const wchar_t*> values)
{
    for (const wchar_t* value : values) {
        if (value && !FitsCodePage(value))
            return false;
    }
    return true;
}

// The whole file; empty for a file that is not there. False when it cannot
// be read or is larger than any desktop.ini the program would rewrite.
bool ReadIni(const wchar_t* path, std::vector<BYTE>& bytes)
{
    const HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_FILE_NOT_FOUND;
    LARGE_INTEGER size = {};
    DWORD read = 0;
    bool whole = GetFileSizeEx(file, &size) && size.QuadPart <= MAX_REWRITTEN_INI_SIZE;
    if (!whole)
        SetLastError(ERROR_FILE_TOO_LARGE);
    if (whole && size.QuadPart > 0) {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        whole = ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) && read == bytes.size();
    }
    CloseHandle(file);
    return whole;
}

// The text of a code-page file as UTF-16 LE, its mark first.
std::vector<BYTE> AsUtf16(const std::vector<BYTE>& bytes)
{
    std::vector<BYTE> converted(UTF16_MARK, UTF16_MARK + sizeof UTF16_MARK);
    if (bytes.empty())
        return converted;
    const char* text = reinterpret_cast<const char*>(bytes.data());
    const int length = MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length > 0 ? length : 0), L'\0');
    if (length > 0)
        MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(bytes.size()), &wide[0], length);
    const BYTE* units = reinterpret_cast<const BYTE*>(wide.data());
    converted.insert(converted.end(), units, units + wide.size() * sizeof(wchar_t));
    return converted;
}

bool WriteNewFile(const wchar_t* path, const std::vector<BYTE>& bytes)
{
    const HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_HIDDEN, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool whole = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                       written == bytes.size() && FlushFileBuffers(file);
    const DWORD error = GetLastError();
    CloseHandle(file);
    if (!whole) {
        DeleteFileW(path);
        SetLastError(error);
    }
    return whole;
}

// Written whole beside the file, then put in its place: a write that fails
// half-way leaves the user's file as it was. The file keeps its attributes.
bool Rewrite(const wchar_t* path, const std::vector<BYTE>& bytes, DWORD attributes)
{
    const std::wstring beside = std::wstring(path) + INI_REWRITE_SUFFIX;
    DeleteFileW(beside.c_str());
    if (!WriteNewFile(beside.c_str(), bytes))
        return false;
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        SetFileAttributesW(path, attributes & ~FILE_ATTRIBUTE_READONLY);
    if (!MoveFileExW(beside.c_str(), path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD error = GetLastError();
        DeleteFileW(beside.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES)
            SetFileAttributesW(path, attributes);
        SetLastError(error);
        return false;
    }
    if (attributes != INVALID_FILE_ATTRIBUTES)
        SetFileAttributesW(path, attributes);
    return true;
}

} // namespace

bool HoldValues(const wchar_t* file, std::initializer_list<const wchar_t*> values)
{
    if (AllFit(values))
        return true;
    std::vector<BYTE> bytes;
    if (!ReadIni(file, bytes))
        return false;
    if (bytes.size() >= sizeof UTF16_MARK && bytes[0] == UTF16_MARK[0] && bytes[1] == UTF16_MARK[1])
        return true;
    return Rewrite(file, AsUtf16(bytes), GetFileAttributesW(file));
}
