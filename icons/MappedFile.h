// A whole file mapped read-only into memory, unmapped and closed with the
// object: a check that reads a few scattered places of a large file touches
// only their pages.
#pragma once
#include <windows.h>
#include <cstddef>

class MappedFile {
public:
    explicit MappedFile(const wchar_t* path);
    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    // Null for a file that is missing, empty or too large for the address space.
    const unsigned char* Bytes() const { return m_view; }
    size_t Size() const { return m_size; }

private:
    const unsigned char* m_view = nullptr;
    size_t m_size = 0;
};
