#include "apply/IniFile.h"
#include "apply/WholeFile.h"
#include "framework/CodePage.h"
#include "framework/Paths.h"
#include "resource.h"
#include <algorithm>
#include <cwctype>

namespace {

const BYTE UTF8_MARK[] = { 0xEF, 0xBB, 0xBF };
const BYTE UTF16_MARK[] = { 0xFF, 0xFE };
const BYTE UTF16_BIG_ENDIAN_MARK[] = { 0xFE, 0xFF };
const wchar_t NEW_LINE_END[] = L"\r\n";
constexpr size_t NONE = static_cast<size_t>(-1);

template <size_t N>
bool StartsWith(const std::vector<BYTE>& bytes, const BYTE (&mark)[N])
{
    return bytes.size() >= N && std::equal(mark, mark + N, bytes.begin());
}

// The profile functions' blanks, the end-of-file character among them.
bool IsBlank(wchar_t c)
{
    return iswspace(c) || c == L'\x1a';
}

std::wstring Trimmed(const std::wstring& text)
{
    size_t start = 0;
    size_t end = text.size();
    while (start < end && IsBlank(text[start]))
        ++start;
    while (end > start && IsBlank(text[end - 1]))
        --end;
    return text.substr(start, end - start);
}

// "[name]": the name runs to the last closing bracket.
bool SectionName(const std::wstring& line, std::wstring& name)
{
    const std::wstring trimmed = Trimmed(line);
    const size_t close = trimmed.rfind(L']');
    if (trimmed.empty() || trimmed[0] != L'[' || close == std::wstring::npos)
        return false;
    name = trimmed.substr(1, close - 1);
    return true;
}

std::wstring KeyName(const std::wstring& line)
{
    return Trimmed(line.substr(0, line.find(L'=')));
}

bool NamesKey(const std::wstring& line, const wchar_t* key)
{
    std::wstring section;
    return !SectionName(line, section) && SameIgnoringCase(KeyName(line).c_str(), key);
}

std::wstring ValueOf(const std::wstring& line)
{
    const size_t equals = line.find(L'=');
    if (equals == std::wstring::npos)
        return std::wstring();
    std::wstring value = Trimmed(line.substr(equals + 1));
    if (value.size() >= 2 && (value[0] == L'"' || value[0] == L'\'') && value.back() == value[0])
        value = value.substr(1, value.size() - 2);
    return value;
}

// A line break in a value would start a line of its own: a key or a section
// that nobody chose.
std::wstring OneLine(const wchar_t* value)
{
    std::wstring line;
    for (const wchar_t* c = value; *c; ++c) {
        if (*c == L'\r' && c[1] == L'\n')
            ++c;
        line += *c == L'\r' || *c == L'\n' ? L' ' : *c;
    }
    return line;
}

bool Decode(UINT codePage, DWORD flags, const char* bytes, size_t length, std::wstring& text)
{
    text.clear();
    if (length == 0)
        return true;
    const int size = MultiByteToWideChar(codePage, flags, bytes, static_cast<int>(length), nullptr, 0);
    if (size <= 0)
        return false;
    text.resize(static_cast<size_t>(size));
    return MultiByteToWideChar(codePage, flags, bytes, static_cast<int>(length), &text[0], size) == size;
}

void AppendCodePage(std::vector<BYTE>& bytes, const std::wstring& text)
{
    if (text.empty())
        return;
    const int size = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                         nullptr);
    const size_t at = bytes.size();
    bytes.resize(at + static_cast<size_t>(size > 0 ? size : 0));
    if (size > 0)
        WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                            reinterpret_cast<char*>(&bytes[at]), size, nullptr, nullptr);
}

void AppendUtf16(std::vector<BYTE>& bytes, const std::wstring& text)
{
    for (const wchar_t c : text) {
        bytes.push_back(static_cast<BYTE>(c));
        bytes.push_back(static_cast<BYTE>(c >> 8));
    }
}

// Where each line ends, for the profile functions: at a carriage return, a
// line feed, or the pair. The text is bytes or UTF-16 code units; in no code
// page is either end a part of another character.
template <class Text, class Take>
void SplitLines(const Text& text, Take take)
{
    size_t start = 0;
    while (start < text.size()) {
        size_t end = start;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n')
            ++end;
        size_t next = end;
        if (next < text.size())
            next += text[next] == '\r' && next + 1 < text.size() && text[next + 1] == '\n' ? 2 : 1;
        take(start, end, next);
        start = next;
    }
}

} // namespace

bool IniFile::Read(const wchar_t* path)
{
    m_lines.clear();
    m_encoding = Encoding::CodePage;
    m_changed = false;
    m_attributes = GetFileAttributesW(path);
    std::vector<BYTE> bytes;
    if (!ReadWholeFile(path, bytes, MAX_REWRITTEN_INI_SIZE)) {
        m_attributes = INVALID_FILE_ATTRIBUTES;
        return GetLastError() == ERROR_FILE_NOT_FOUND;
    }
    std::wstring text;
    if (StartsWith(bytes, UTF16_MARK) || StartsWith(bytes, UTF16_BIG_ENDIAN_MARK)) {
        m_encoding = bytes[0] == UTF16_MARK[0] ? Encoding::Utf16 : Encoding::Utf16BigEndian;
        if (bytes.size() % 2) {
            SetLastError(ERROR_NO_UNICODE_TRANSLATION);
            return false;
        }
        const int high = m_encoding == Encoding::Utf16 ? 1 : 0;
        for (size_t at = sizeof UTF16_MARK; at < bytes.size(); at += 2)
            text += static_cast<wchar_t>(bytes[at + high] << 8 | bytes[at + 1 - high]);
    } else if (StartsWith(bytes, UTF8_MARK)) {
        m_encoding = Encoding::Utf8;
        if (!Decode(CP_UTF8, MB_ERR_INVALID_CHARS, reinterpret_cast<const char*>(&bytes[sizeof UTF8_MARK]),
                    bytes.size() - sizeof UTF8_MARK, text)) {
            SetLastError(ERROR_NO_UNICODE_TRANSLATION);
            return false;
        }
    } else {
        const std::string raw(bytes.begin(), bytes.end());
        SplitLines(raw, [&](size_t start, size_t end, size_t next) {
            Line line;
            line.bytes = raw.substr(start, next - start);
            line.exact = Decode(CP_ACP, MB_ERR_INVALID_CHARS, &raw[start], end - start, line.text);
            if (!line.exact)
                Decode(CP_ACP, 0, &raw[start], end - start, line.text);
            Decode(CP_ACP, 0, &raw[end], next - end, line.end);
            m_lines.push_back(line);
        });
        return true;
    }
    SplitLines(text, [&](size_t start, size_t end, size_t next) {
        Line line;
        line.text = text.substr(start, end - start);
        line.end = text.substr(end, next - end);
        m_lines.push_back(line);
    });
    return true;
}

size_t IniFile::FindSection(const wchar_t* section) const
{
    for (size_t i = 0; i < m_lines.size(); ++i) {
        std::wstring name;
        if (SectionName(m_lines[i].text, name) && SameIgnoringCase(name.c_str(), section))
            return i;
    }
    return NONE;
}

size_t IniFile::SectionEnd(size_t header) const
{
    size_t end = header + 1;
    std::wstring name;
    while (end < m_lines.size() && !SectionName(m_lines[end].text, name))
        ++end;
    return end;
}

std::wstring IniFile::Value(const wchar_t* section, const wchar_t* key) const
{
    const size_t header = FindSection(section);
    if (header == NONE)
        return std::wstring();
    for (size_t i = header + 1; i < SectionEnd(header); ++i) {
        if (NamesKey(m_lines[i].text, key))
            return ValueOf(m_lines[i].text);
    }
    return std::wstring();
}

// A line that is followed by another must end.
void IniFile::EndLine(size_t line)
{
    if (!m_lines[line].end.empty())
        return;
    m_lines[line].end = NEW_LINE_END;
    m_lines[line].bytes += "\r\n";
}

void IniFile::Insert(size_t at, std::wstring text)
{
    if (at > 0)
        EndLine(at - 1);
    Line line;
    line.text = std::move(text);
    line.end = NEW_LINE_END;
    line.changed = true;
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(at), line);
    m_changed = true;
}

void IniFile::Set(const wchar_t* section, const wchar_t* key, const wchar_t* value)
{
    const std::wstring line = OneLine(value);
    const size_t header = FindSection(section);
    if (header == NONE) {
        Insert(m_lines.size(), L"[" + std::wstring(section) + L"]");
        Insert(m_lines.size(), key + (L"=" + line));
        return;
    }
    const size_t end = SectionEnd(header);
    size_t after = header + 1;
    for (size_t i = header + 1; i < end; ++i) {
        Line& present = m_lines[i];
        if (NamesKey(present.text, key)) {
            // The same value stays as it is written.
            if (ValueOf(present.text) != line || present.text.find(L'=') == std::wstring::npos) {
                present.text = KeyName(present.text) + L"=" + line;
                present.changed = true;
                m_changed = true;
            }
            return;
        }
        if (!Trimmed(present.text).empty())
            after = i + 1;
    }
    Insert(after, key + (L"=" + line));
}

void IniFile::Remove(const wchar_t* section, const wchar_t* key)
{
    const size_t header = FindSection(section);
    if (header == NONE)
        return;
    for (size_t i = SectionEnd(header); i-- > header + 1;) {
        if (NamesKey(m_lines[i].text, key)) {
            m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(i));
            m_changed = true;
        }
    }
}

bool IniFile::SectionIsEmpty(const wchar_t* section) const
{
    const size_t header = FindSection(section);
    if (header == NONE)
        return true;
    for (size_t i = header + 1; i < SectionEnd(header); ++i) {
        if (!Trimmed(m_lines[i].text).empty())
            return false;
    }
    return true;
}

void IniFile::RemoveSection(const wchar_t* section)
{
    const size_t header = FindSection(section);
    if (header == NONE)
        return;
    m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(header),
                  m_lines.begin() + static_cast<std::ptrdiff_t>(SectionEnd(header)));
    m_changed = true;
}

bool IniFile::IsBlank() const
{
    for (const Line& line : m_lines) {
        if (!Trimmed(line.text).empty())
            return false;
    }
    return true;
}

bool IniFile::Encode(std::vector<BYTE>& bytes) const
{
    bool fits = m_encoding == Encoding::CodePage;
    for (const Line& line : m_lines)
        fits = fits && (!line.changed || FitsCodePage(line.text.c_str()));
    bytes.clear();
    if (fits) {
        for (const Line& line : m_lines) {
            if (line.changed) {
                AppendCodePage(bytes, line.text);
                AppendCodePage(bytes, line.end);
            } else {
                bytes.insert(bytes.end(), line.bytes.begin(), line.bytes.end());
            }
        }
        return true;
    }
    bytes.assign(UTF16_MARK, UTF16_MARK + sizeof UTF16_MARK);
    for (const Line& line : m_lines) {
        // A line read from the code page is turned only when it decodes.
        if (!line.exact) {
            SetLastError(ERROR_NO_UNICODE_TRANSLATION);
            return false;
        }
        AppendUtf16(bytes, line.text);
        AppendUtf16(bytes, line.end);
    }
    return true;
}

bool IniFile::Write(const wchar_t* path, DWORD attributes) const
{
    if (!m_changed) {
        if (m_attributes == INVALID_FILE_ATTRIBUTES || m_attributes == attributes)
            return true;
        return SetFileAttributesW(path, attributes) != FALSE;
    }
    std::vector<BYTE> bytes;
    return Encode(bytes) && WriteWholeFile(path, bytes, attributes, true);
}
