#include "apply/WholeFile.h"

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

bool WriteNewHiddenFile(const wchar_t* path, const std::vector<BYTE>& bytes)
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
