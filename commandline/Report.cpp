#include "commandline/Report.h"
#include <string>

namespace {

std::string Utf8(const std::wstring& text)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                         nullptr);
    std::string bytes(static_cast<size_t>(size > 0 ? size : 0), '\0');
    if (size > 0)
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &bytes[0], size, nullptr, nullptr);
    return bytes;
}

void WriteUtf8Line(HANDLE file, const std::wstring& line)
{
    const std::string bytes = Utf8(line + L"\r\n");
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

bool Usable(HANDLE handle)
{
    return handle && handle != INVALID_HANDLE_VALUE;
}

} // namespace

// A program without a console of its own is given a standard output only
// when its starter redirected it; otherwise the starter's console is the one
// to speak to.
ConsoleOutput::ConsoleOutput() : m_output(GetStdHandle(STD_OUTPUT_HANDLE))
{
    if (Usable(m_output) || !AttachConsole(ATTACH_PARENT_PROCESS))
        return;
    m_output = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    m_opened = Usable(m_output);
}

ConsoleOutput::~ConsoleOutput()
{
    if (m_opened)
        CloseHandle(m_output);
}

void ConsoleOutput::WriteLine(const std::wstring& line) const
{
    if (!Usable(m_output))
        return;
    DWORD mode = 0;
    if (!GetConsoleMode(m_output, &mode)) {
        WriteUtf8Line(m_output, line);
        return;
    }
    const std::wstring ended = line + L"\r\n";
    DWORD written = 0;
    WriteConsoleW(m_output, ended.data(), static_cast<DWORD>(ended.size()), &written, nullptr);
}

Journal::~Journal()
{
    if (m_file != INVALID_HANDLE_VALUE)
        CloseHandle(m_file);
}

bool Journal::Open(const std::wstring& path)
{
    m_file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
    return m_file != INVALID_HANDLE_VALUE;
}

void Journal::WriteLine(const std::wstring& line) const
{
    if (m_file != INVALID_HANDLE_VALUE)
        WriteUtf8Line(m_file, line);
}
