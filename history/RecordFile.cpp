#include "history/RecordFile.h"
#include "resource.h"
#include <cstring>

namespace {

// The first bytes of every change's file; the last one is the format's
// version.
const BYTE HISTORY_MARK[8] = { 'B', 'r', 'i', 's', 'H', 'i', 's', '1' };
constexpr size_t HEADER_SIZE = sizeof HISTORY_MARK + sizeof(ULONGLONG);
// A record's kind and length before its body, its check after it.
constexpr size_t FRAME_SIZE = 2 * sizeof(DWORD);

void PutLittleEndian(std::vector<BYTE>& bytes, ULONGLONG value, size_t size)
{
    for (size_t i = 0; i < size; ++i)
        bytes.push_back(static_cast<BYTE>(value >> (8 * i)));
}

ULONGLONG LittleEndian(const BYTE* bytes, size_t size)
{
    ULONGLONG value = 0;
    for (size_t i = 0; i < size; ++i)
        value |= static_cast<ULONGLONG>(bytes[i]) << (8 * i);
    return value;
}

// The check that ends a record: of its frame, then of its body.
ULONGLONG RecordCheck(const BYTE* frame, const std::vector<BYTE>& body)
{
    return Digest(body.data(), body.size(), Digest(frame, FRAME_SIZE));
}

ULONGLONG Ticks(const FILETIME& time)
{
    return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

} // namespace

ULONGLONG Digest(const BYTE* bytes, size_t size, ULONGLONG digest)
{
    for (size_t i = 0; i < size; ++i) {
        digest ^= bytes[i];
        digest *= 1099511628211ull;
    }
    return digest;
}

void RecordBody::PutNumber(DWORD value)
{
    PutLittleEndian(m_bytes, value, sizeof value);
}

void RecordBody::PutLong(ULONGLONG value)
{
    PutLittleEndian(m_bytes, value, sizeof value);
}

void RecordBody::PutText(const std::wstring& text)
{
    PutNumber(static_cast<DWORD>(text.size()));
    for (const wchar_t unit : text)
        PutLittleEndian(m_bytes, static_cast<WORD>(unit), sizeof(WORD));
}

void RecordBody::PutBytes(const std::vector<BYTE>& bytes)
{
    PutNumber(static_cast<DWORD>(bytes.size()));
    m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
}

bool RecordFields::Take(size_t size, const BYTE*& at)
{
    if (m_short || size > m_body.size() - m_at) {
        m_short = true;
        return false;
    }
    at = m_body.data() + m_at;
    m_at += size;
    return true;
}

DWORD RecordFields::Number()
{
    const BYTE* at = nullptr;
    return Take(sizeof(DWORD), at) ? static_cast<DWORD>(LittleEndian(at, sizeof(DWORD))) : 0;
}

ULONGLONG RecordFields::Long()
{
    const BYTE* at = nullptr;
    return Take(sizeof(ULONGLONG), at) ? LittleEndian(at, sizeof(ULONGLONG)) : 0;
}

std::wstring RecordFields::Text(size_t longest)
{
    const DWORD count = Number();
    const BYTE* at = nullptr;
    if (count > longest) {
        m_short = true;
        return std::wstring();
    }
    if (!Take(static_cast<size_t>(count) * sizeof(WORD), at))
        return std::wstring();
    std::wstring text(count, L'\0');
    for (DWORD i = 0; i < count; ++i)
        text[i] = static_cast<wchar_t>(LittleEndian(at + i * sizeof(WORD), sizeof(WORD)));
    return text;
}

std::vector<BYTE> RecordFields::Bytes(size_t longest)
{
    const DWORD count = Number();
    const BYTE* at = nullptr;
    if (count > longest) {
        m_short = true;
        return std::vector<BYTE>();
    }
    if (!Take(count, at))
        return std::vector<BYTE>();
    return std::vector<BYTE>(at, at + count);
}

bool RecordWriter::Create(const std::wstring& path, const FILETIME& began)
{
    Close();
    // Others may read it; nobody may take it back or delete it while it is
    // being written.
    m_file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
    if (m_file == INVALID_HANDLE_VALUE)
        return false;
    std::vector<BYTE> header(HISTORY_MARK, HISTORY_MARK + sizeof HISTORY_MARK);
    PutLittleEndian(header, Ticks(began), sizeof(ULONGLONG));
    DWORD written = 0;
    if (!WriteFile(m_file, header.data(), static_cast<DWORD>(header.size()), &written, nullptr) ||
        written != header.size()) {
        const DWORD error = GetLastError();
        Close();
        DeleteFileW(path.c_str());
        SetLastError(error);
        return false;
    }
    return true;
}

void RecordWriter::Add(DWORD kind, const RecordBody& body)
{
    const std::vector<BYTE>& bytes = body.Bytes();
    const size_t start = m_pending.size();
    PutLittleEndian(m_pending, kind, sizeof kind);
    PutLittleEndian(m_pending, bytes.size(), sizeof(DWORD));
    const ULONGLONG check = RecordCheck(m_pending.data() + start, bytes);
    m_pending.insert(m_pending.end(), bytes.begin(), bytes.end());
    PutLittleEndian(m_pending, check, sizeof check);
}

bool RecordWriter::Write(bool flush)
{
    std::vector<BYTE> records;
    records.swap(m_pending);
    if (!IsOpen())
        return false;
    DWORD written = 0;
    return WriteFile(m_file, records.data(), static_cast<DWORD>(records.size()), &written, nullptr) &&
           written == records.size() && (!flush || FlushFileBuffers(m_file));
}

void RecordWriter::Close()
{
    if (m_file != INVALID_HANDLE_VALUE)
        CloseHandle(m_file);
    m_file = INVALID_HANDLE_VALUE;
}

RecordReader::~RecordReader()
{
    if (m_file != INVALID_HANDLE_VALUE)
        CloseHandle(m_file);
}

bool RecordReader::ReadExactly(void* into, DWORD size)
{
    DWORD read = 0;
    return ReadFile(m_file, into, size, &read, nullptr) && read == size;
}

bool RecordReader::Open(const std::wstring& path, FILETIME& began)
{
    // Sharing reading alone: a file still open for writing is refused.
    m_file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (m_file == INVALID_HANDLE_VALUE)
        return false;
    BYTE header[HEADER_SIZE];
    if (!ReadExactly(header, sizeof header) || std::memcmp(header, HISTORY_MARK, sizeof HISTORY_MARK) != 0) {
        SetLastError(ERROR_INVALID_DATA);
        return false;
    }
    const ULONGLONG ticks = LittleEndian(header + sizeof HISTORY_MARK, sizeof(ULONGLONG));
    began.dwLowDateTime = static_cast<DWORD>(ticks);
    began.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
    return true;
}

bool RecordReader::Next(DWORD& kind, std::vector<BYTE>& body)
{
    BYTE frame[FRAME_SIZE];
    BYTE check[sizeof(ULONGLONG)];
    if (m_ended || m_file == INVALID_HANDLE_VALUE || !ReadExactly(frame, sizeof frame)) {
        m_ended = true;
        return false;
    }
    const DWORD size = static_cast<DWORD>(LittleEndian(frame + sizeof(DWORD), sizeof(DWORD)));
    if (size > MAX_HISTORY_RECORD_SIZE) {
        m_ended = true;
        return false;
    }
    body.resize(size);
    if ((size > 0 && !ReadExactly(body.data(), size)) || !ReadExactly(check, sizeof check) ||
        LittleEndian(check, sizeof check) != RecordCheck(frame, body)) {
        m_ended = true;
        return false;
    }
    kind = static_cast<DWORD>(LittleEndian(frame, sizeof(DWORD)));
    return true;
}
