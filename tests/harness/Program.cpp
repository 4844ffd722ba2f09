#include "harness/Program.h"
#include "harness/Windows.h"

namespace {

constexpr DWORD PATIENCE_MS = 20000;

struct Search {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindMainWindow(HWND window, LPARAM parameter)
{
    auto* search = reinterpret_cast<Search*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window) && WindowText(window) == "Changer l'ic\xf4ne du dossier") {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

ProgramProcess::ProgramProcess(const std::string& arguments)
{
    std::string commandLine = "\"" + PathBesideTests("Brisevent.exe") + "\" " + arguments;
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
    const DWORD start = GetTickCount();
    Search search = { m_process.dwProcessId, nullptr };
    while (!search.found && GetTickCount() - start < PATIENCE_MS) {
        EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&search));
        if (!search.found)
            Sleep(50);
    }
    return search.found;
}

bool ProgramProcess::WaitForEnd()
{
    if (WaitForSingleObject(m_process.hProcess, PATIENCE_MS) == WAIT_OBJECT_0)
        return true;
    TerminateProcess(m_process.hProcess, 1);
    WaitForSingleObject(m_process.hProcess, PATIENCE_MS);
    return false;
}

DWORD ProgramProcess::ExitCode() const
{
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(m_process.hProcess, &code);
    return code;
}
