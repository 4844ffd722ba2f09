// Which state of a file something was taken from: its path, when it was last
// written and its size. A file that has changed since is read again.
#pragma once
#include "framework/Paths.h"
#include <windows.h>
#include <string>

struct FileStamp {
    std::wstring path;
    FILETIME written = {};
    ULONGLONG size = 0;

    // False when the file's state cannot be read.
    bool Read(const wchar_t* file)
    {
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (!GetFileAttributesExW(file, GetFileExInfoStandard, &data))
            return false;
        path = file;
        written = data.ftLastWriteTime;
        size = static_cast<ULONGLONG>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
        return true;
    }
    bool operator==(const FileStamp& other) const
    {
        return SameIgnoringCase(path.c_str(), other.path.c_str()) && size == other.size &&
               CompareFileTime(&written, &other.written) == 0;
    }
};
