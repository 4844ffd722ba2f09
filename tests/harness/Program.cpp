#include "harness/Program.h"
#include "harness/Windows.h"

namespace {

constexpr DWORD PATIENCE_MS = 20000;

struct Search {
    DWORD processId;
    const char* title;
    HWND found;
};

BOOL CALLBACK FindWindowByTitle(HWND window, LPARAM parameter)
{
    auto* search = reinterpret_cast<Search*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window) && WindowText(window) == search->title) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

ProgramProcess::ProgramProcess(const std::string& arguments)
    : ProgramProcess(CommandLine{ "\"" + PathBesideTests("Brisevent.exe") + "\" " + arguments })
{
}

ProgramProcess::ProgramProcess(CommandLine whole)
{
    std::string& commandLine = whole.text;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &m_process))
        m_process = {};
}

ProgramProcess::ProgramProcess(const std::wstring& arguments)
{
    const std::string program = PathBesideTests("Brisevent.exe");
    std::wstring commandLine = L"\"" + std::wstring(program.begin(), program.end()) + L"\" " + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &m_process))
        m_process = {};
}

ProgramProcess::~ProgramProcess()
{
    if (!m_process.hProcess)
        return;
    WaitForEnd();
    CloseHandle(m_process.hThread);
    CloseHandle(m_process.hProcess);
}

HWND ProgramProcess::WaitForMainWindow() const
{
    return WaitForWindow("Changer l'ic\xf4ne du dossier");
}

HWND ProgramProcess::VisibleWindow(const char* title) const
{
    Search search = { m_process.dwProcessId, title, nullptr };
    EnumWindows(FindWindowByTitle, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND ProgramProcess::WaitForWindow(const char* title) const
{
    const DWORD start = GetTickCount();
    HWND found = VisibleWindow(title);
    while (!found && GetTickCount() - start < PATIENCE_MS) {
        Sleep(50);
        found = VisibleWindow(title);
    }
    return found;
}

bool ProgramProcess::WaitForEnd()
{
    if (WaitForSingleObject(m_process.hProcess, PATIENCE_MS) == WAIT_OBJECT_0)
        return true;
    TerminateProcess(m_process.hProcess, 1);
    WaitForSingleObject(m_process.hProcess, PATIENCE_MS);
    return false;
}

void ProgramProcess::Kill()
{
    TerminateProcess(m_process.hProcess, 1);
    WaitForSingleObject(m_process.hProcess, PATIENCE_MS);
}

DWORD ProgramProcess::ExitCode() const
{
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(m_process.hProcess, &code);
    return code;
}
