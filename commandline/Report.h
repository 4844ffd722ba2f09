// Where a silent run tells what it did, a line at a time: the console it was
// started from, and a journal file when one is named.
#pragma once
#include <windows.h>
#include <string>

// The standard output the program was given (a file or a pipe, as a script
// redirects it), otherwise the console of the process that started it;
// nothing when there is neither. A console is written in UTF-16, anything
// else in UTF-8, each line ended by CR LF.
class ConsoleOutput {
public:
    ConsoleOutput();
    ~ConsoleOutput();
    ConsoleOutput(const ConsoleOutput&) = delete;
    ConsoleOutput& operator=(const ConsoleOutput&) = delete;

    void WriteLine(const std::wstring& line) const;

private:
    HANDLE m_output = nullptr;
    bool m_opened = false;
};

// A file that the report is added to, in UTF-8, each line ended by CR LF.
class Journal {
public:
    Journal() = default;
    ~Journal();
    Journal(const Journal&) = delete;
    Journal& operator=(const Journal&) = delete;

    // Opens `path` to add to it, making it where it is missing; false, with
    // the system's reason in the last error, when it cannot.
    bool Open(const std::wstring& path);
    void WriteLine(const std::wstring& line) const;

private:
    HANDLE m_file = INVALID_HANDLE_VALUE;
};
