#include "icons/MappedFile.h"
#include <cstdint>

MappedFile::MappedFile(const wchar_t* path)
{
    const HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    LARGE_INTEGER size = {};
    // The mapping keeps the file open; the handles are not needed past it.
    const HANDLE mapping = GetFileSizeEx(file, &size) && size.QuadPart > 0 &&
                                   static_cast<ULONGLONG>(size.QuadPart) <= SIZE_MAX
                               ? CreateFileMappingW(file, nullptr, PAGE_READONLY, 0, 0, nullptr)
                               : nullptr;
    CloseHandle(file);
    if (!mapping)
        return;
    m_view = static_cast<const unsigned char*>(MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0));
    CloseHandle(mapping);
    if (m_view)
        m_size = static_cast<size_t>(size.QuadPart);
}

MappedFile::~MappedFile()
{
    if (m_view)
        UnmapViewOfFile(m_view);
}
