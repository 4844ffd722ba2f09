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

BOOL CALLBACK FindVisibleWindow(HWND window, LPARAM parameter)
{
    auto* search = reinterpret_cast<Search*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !IsWindowVisible(window))
        return TRUE;
    search->found = window;
    return FALSE;
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

ScriptRun RunAsScript(const std::wstring& arguments)
{
    ScriptRun run;
    SECURITY_ATTRIBUTES inherited = { sizeof inherited, nullptr, TRUE };
    HANDLE reading = nullptr;
    HANDLE writing = nullptr;
    if (!CreatePipe(&reading, &writing, &inherited, 0))
        return run;
    SetHandleInformation(reading, HANDLE_FLAG_INHERIT, 0);
    const std::string program = PathBesideTests("Brisevent.exe");
    std::wstring commandLine = L"\"" + std::wstring(program.begin(), program.end()) + L"\" " + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writing;
    startup.hStdError = writing;
    PROCESS_INFORMATION process = {};
    const bool started = CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                                        &process);
    CloseHandle(writing);
    if (!started) {
        CloseHandle(reading);
        return run;
    }
    // Read as it comes, looking for a window of the program's meanwhile.
    const DWORD start = GetTickCount();
    for (;;) {
        Search search = { process.dwProcessId, nullptr, nullptr };
        EnumWindows(FindVisibleWindow, reinterpret_cast<LPARAM>(&search));
        run.windowShown = run.windowShown || search.found;
        DWORD waiting = 0;
        const bool open = PeekNamedPipe(reading, nullptr, 0, nullptr, &waiting, nullptr);
        if (waiting > 0) {
            std::string bytes(waiting, '\0');
            DWORD read = 0;
            ReadFile(reading, &bytes[0], waiting, &read, nullptr);
            run.output += bytes.substr(0, read);
            continue;
        }
        if (!open || GetTickCount() - start > PATIENCE_MS)
            break;
        Sleep(5);
    }
    if (WaitForSingleObject(process.hProcess, PATIENCE_MS) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 1);
    GetExitCodeProcess(process.hProcess, &run.status);
    CloseHandle(reading);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return run;
}
