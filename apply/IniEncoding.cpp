#include "apply/IniEncoding.h"
#include "apply/WholeFile.h"
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

// Written whole beside the file, then put in its place: a write that fails
// half-way leaves the user's file as it was. The file keeps its attributes;
// a read-only one refuses the move, as it would refuse the write.
bool Rewrite(const wchar_t* path, const std::vector<BYTE>& bytes)
{
    const DWORD attributes = GetFileAttributesW(path);
    // A file of that name already there is somebody's: it stays, and the
    // rewrite fails.
    const std::wstring beside = std::wstring(path) + INI_REWRITE_SUFFIX;
    if (!WriteNewHiddenFile(beside.c_str(), bytes))
        return false;
    if (!MoveFileExW(beside.c_str(), path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD error = GetLastError();
        DeleteFileW(beside.c_str());
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
    // A file that is not there yet is made in UTF-16 from the start.
    std::vector<BYTE> bytes;
    if (!ReadWholeFile(file, bytes, MAX_REWRITTEN_INI_SIZE) && GetLastError() != ERROR_FILE_NOT_FOUND)
        return false;
    if (bytes.size() >= sizeof UTF16_MARK && bytes[0] == UTF16_MARK[0] && bytes[1] == UTF16_MARK[1])
        return true;
    return Rewrite(file, AsUtf16(bytes));
}
