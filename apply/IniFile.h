// A desktop.ini read whole, changed in memory and written back whole, in one
// step. What is not changed stays as it was, line for line: the other keys
// and sections, comments, blank lines, line ends and, in a file in the code
// page, the very bytes. Keys and sections are found as the profile
// functions find them: the first section of the name, letter case aside,
// and in it the key whose name stands before the first "=".
#pragma once
#include <windows.h>
#include <string>
#include <vector>

class IniFile {
public:
    // Reads `path` in the encoding its mark names (UTF-16 LE or BE, UTF-8),
    // otherwise in the code page; a file that is not there reads as an empty
    // one. False, with the system's reason in the last error, when it cannot
    // be read, is larger than MAX_REWRITTEN_INI_SIZE, or does not decode.
    bool Read(const wchar_t* path);

    // The key's value as the profile functions give it, without the blanks
    // and the one pair of quotes around it; empty when there is none.
    std::wstring Value(const wchar_t* section, const wchar_t* key) const;

    // Sets the key, adding it after the last line of its section, and the
    // section at the end of the file, where they are missing. Line breaks
    // in the value become blanks: no value adds a line of its own.
    void Set(const wchar_t* section, const wchar_t* key, const wchar_t* value);
    // Removes the key from its section, however many lines name it.
    void Remove(const wchar_t* section, const wchar_t* key);
    // Whether the section holds nothing but blank lines, or is not there.
    bool SectionIsEmpty(const wchar_t* section) const;
    // Removes the section: its header and every line up to the next one.
    void RemoveSection(const wchar_t* section);
    // Whether nothing but blank lines is left.
    bool IsBlank() const;

    // The file's attributes as read; INVALID_FILE_ATTRIBUTES when it was
    // not there.
    DWORD Attributes() const { return m_attributes; }

    // Writes what changed, in one step, and gives the file `attributes`: in
    // the code page while every changed line fits it, otherwise, as a file
    // that was in UTF-8 or UTF-16 BE, in UTF-16 LE with its mark, which the
    // shell reads everywhere. Without a change only the attributes are set,
    // and a file that was not there is not made. False, with the system's
    // reason in the last error, when the file or its attributes cannot be
    // written, or a line of a file in the code page has no UTF-16 form.
    bool Write(const wchar_t* path, DWORD attributes) const;

private:
    enum class Encoding { CodePage, Utf16, Utf16BigEndian, Utf8 };
    struct Line {
        std::wstring text;     // without its end
        std::wstring end;      // "\r\n", "\n", "\r", or none at the end of the file
        std::string bytes;     // as read from a file in the code page, its end included
        bool exact = true;     // its bytes decode in the code page, so `text` is theirs
        bool changed = false;  // written anew from `text`
    };

    size_t FindSection(const wchar_t* section) const;
    size_t SectionEnd(size_t header) const;
    void EndLine(size_t line);
    void Insert(size_t at, std::wstring text);
    bool Encode(std::vector<BYTE>& bytes) const;

    std::vector<Line> m_lines;
    Encoding m_encoding = Encoding::CodePage;
    DWORD m_attributes = INVALID_FILE_ATTRIBUTES;
    bool m_changed = false;
};
