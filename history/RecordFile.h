// The file of one change in the history: a header that names the file's
// kind and the moment the change began, then records one after the other.
// Each record is its kind, the length of its body, the body, and a check of
// the three: a record cut short by a process that ended while writing it,
// or spoilt since, is known as such, and reading stops there.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

// FNV-1a, 64 bits, carried on from `digest`: what tells one content from
// another, and a record whole from a spoilt one.
ULONGLONG Digest(const BYTE* bytes, size_t size, ULONGLONG digest = 14695981039346656037ull);

// A record's body put together field by field: numbers little-endian,
// texts as their count of UTF-16 units and the units, bytes as their count
// and the bytes.
class RecordBody {
public:
    void PutNumber(DWORD value);
    void PutLong(ULONGLONG value);
    void PutText(const std::wstring& text);
    void PutBytes(const std::vector<BYTE>& bytes);

    const std::vector<BYTE>& Bytes() const { return m_bytes; }

private:
    std::vector<BYTE> m_bytes;
};

// A record's body read back in the order it was put together. A field that
// is not there whole, or is longer than allowed, is read as nothing, and
// the body is then no longer whole.
class RecordFields {
public:
    explicit RecordFields(const std::vector<BYTE>& body) : m_body(body) {}

    DWORD Number();
    ULONGLONG Long();
    std::wstring Text(size_t longest);
    std::vector<BYTE> Bytes(size_t longest);
    // Every field there whole, and nothing left after them.
    bool Whole() const { return !m_short && m_at == m_body.size(); }

private:
    bool Take(size_t size, const BYTE*& at);

    const std::vector<BYTE>& m_body;
    size_t m_at = 0;
    bool m_short = false;
};

// A change's file being written. Nobody else writes it, and nobody takes it
// back while it is open.
class RecordWriter {
public:
    RecordWriter() = default;
    ~RecordWriter() { Close(); }
    RecordWriter(const RecordWriter&) = delete;
    RecordWriter& operator=(const RecordWriter&) = delete;

    // Makes `path`, which must not be there yet, and writes its header;
    // false, with the system's reason in the last error, when it cannot.
    bool Create(const std::wstring& path, const FILETIME& began);
    bool IsOpen() const { return m_file != INVALID_HANDLE_VALUE; }
    // Adds a record to those that the next Write writes.
    void Add(DWORD kind, const RecordBody& body);
    // Writes the records added since the last time, in one write; with
    // `flush`, they are on disk when this returns. False when they could
    // not be written whole.
    bool Write(bool flush);
    void Close();

private:
    HANDLE m_file = INVALID_HANDLE_VALUE;
    std::vector<BYTE> m_pending;
};

// A change's file read back, record by record.
class RecordReader {
public:
    RecordReader() = default;
    ~RecordReader();
    RecordReader(const RecordReader&) = delete;
    RecordReader& operator=(const RecordReader&) = delete;

    // False, with the reason in the last error, when the file cannot be
    // opened, is still being written (ERROR_SHARING_VIOLATION), or has no
    // header of the history's (ERROR_INVALID_DATA).
    bool Open(const std::wstring& path, FILETIME& began);
    // The next whole record; false at the end, or at a record cut short or
    // spoilt, and at every call after that.
    bool Next(DWORD& kind, std::vector<BYTE>& body);

private:
    bool ReadExactly(void* into, DWORD size);

    HANDLE m_file = INVALID_HANDLE_VALUE;
    bool m_ended = false;
};
