#include "apply/WholeFile.h"
#include <cstdio>
#include <cwchar>
#include <string>

namespace {

// What ends the name of a working file: the name of the file it is for,
// then this, the process's and the thread's numbers, and ".tmp". The
// numbers tell whether whoever wrote it may still be writing.
const wchar_t WORKING_MARK[] = L".~brisevent-";

// The path in the form that is not held to the length of a path buffer:
// the working file's name is longer than the file's.
std::wstring LongForm(const wchar_t* path)
{
    const DWORD size = GetFullPathNameW(path, 0, nullptr, nullptr);
    if (size == 0)
        return path;
    std::wstring full(size, L'\0');
    full.resize(GetFullPathNameW(path, size, &full[0], nullptr));
    if (full.compare(0, 4, L"\\\\?\\") == 0)
        return full;
    if (full.compare(0, 2, L"\\\\") == 0)
        return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

std::wstring WorkingName(const std::wstring& file)
{
    wchar_t numbers[32];
    swprintf(numbers, ARRAYSIZE(numbers), L"%lu-%lu.tmp", GetCurrentProcessId(), GetCurrentThreadId());
    return file + WORKING_MARK + numbers;
}

// A working file is left over when the process that wrote it has ended, or
// when it bears this very thread's numbers, which were another process's.
bool IsLeftOver(const wchar_t* name)
{
    const wchar_t* mark = wcsstr(name, WORKING_MARK);
    unsigned long process = 0;
    unsigned long thread = 0;
    wchar_t end[8] = L"";
    if (!mark || swscanf(mark + ARRAYSIZE(WORKING_MARK) - 1, L"%lu-%lu%7ls", &process, &thread, end) != 3 ||
        wcscmp(end, L".tmp") != 0)
        return false;
    if (process == GetCurrentProcessId())
        return thread == GetCurrentThreadId();
    const HANDLE writer = OpenProcess(SYNCHRONIZE, FALSE, process);
    if (!writer)
        return GetLastError() == ERROR_INVALID_PARAMETER;
    const bool ended = WaitForSingleObject(writer, 0) == WAIT_OBJECT_0;
    CloseHandle(writer);
    return ended;
}

void RemoveLeftOvers(const std::wstring& target)
{
    const size_t slash = target.rfind(L'\\');
    const std::wstring folder = target.substr(0, slash + 1);
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW((folder + L"*" + WORKING_MARK + L"*.tmp").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && IsLeftOver(found.cFileName))
            DeleteFileW((folder + found.cFileName).c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

// A new file holding `bytes`, on disk when this returns; none when it cannot
// be written whole.
bool WriteAndFlush(const std::wstring& path, const std::vector<BYTE>& bytes, DWORD attributes)
{
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, attributes, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool whole = (bytes.empty() || (WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                                                    nullptr) &&
                                          written == bytes.size())) &&
                       FlushFileBuffers(file);
    const DWORD error = GetLastError();
    CloseHandle(file);
    if (!whole)
        DeleteFileW(path.c_str());
    SetLastError(error);
    return whole;
}

} // namespace

bool ReadWholeFile(const wchar_t* path, std::vector<BYTE>& bytes, ULONGLONG limit)
{
    const HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size = {};
    DWORD read = 0;
    bool whole = GetFileSizeEx(file, &size);
    if (whole && static_cast<ULONGLONG>(size.QuadPart) > limit) {
        SetLastError(ERROR_FILE_TOO_LARGE);
        whole = false;
    }
    if (whole) {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        whole = bytes.empty() || (ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) &&
                                  read == bytes.size());
    }
    const DWORD error = GetLastError();
    CloseHandle(file);
    SetLastError(error);
    return whole;
}

bool WriteWholeFile(const wchar_t* path, const std::vector<BYTE>& bytes, DWORD attributes, bool replace)
{
    const std::wstring target = LongForm(path);
    RemoveLeftOvers(target);
    const std::wstring working = WorkingName(target);
    // A read-only working file could not take the file's place everywhere.
    const DWORD created = attributes & ~(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY);
    if (!WriteAndFlush(working, bytes, created ? created : FILE_ATTRIBUTE_NORMAL))
        return false;
    if (!MoveFileExW(working.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH | (replace ? MOVEFILE_REPLACE_EXISTING : 0))) {
        const DWORD error = GetLastError();
        DeleteFileW(working.c_str());
        SetLastError(error == ERROR_FILE_EXISTS ? ERROR_ALREADY_EXISTS : error);
        return false;
    }
    if (attributes & FILE_ATTRIBUTE_READONLY)
        SetFileAttributesW(target.c_str(), attributes);
    return true;
}
