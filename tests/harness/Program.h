// The built program, started as its own process the way a user starts it.
#pragma once
#include <windows.h>
#include <string>

class ProgramProcess {
public:
    // Starts Brisevent.exe from the tests' folder with `arguments` after its name.
    explicit ProgramProcess(const std::string& arguments);
    // The same with the arguments in UTF-16, as the shell passes them.
    explicit ProgramProcess(const std::wstring& arguments);
    // Starts a command line as the shell would run it, program path and all.
    struct CommandLine {
        std::string text;
    };
    explicit ProgramProcess(CommandLine commandLine);
    ~ProgramProcess();
    ProgramProcess(const ProgramProcess&) = delete;
    ProgramProcess& operator=(const ProgramProcess&) = delete;

    bool Started() const { return m_process.hProcess != nullptr; }
    // The program's visible main dialog, once it is there; null after 20 s.
    HWND WaitForMainWindow() const;
    // The program's visible top-level window of that whole title (Windows-1252):
    // at once, or once it is there (null after 20 s).
    HWND VisibleWindow(const char* title) const;
    HWND WaitForWindow(const char* title) const;
    // True when the process ended within 20 s; it is ended by force otherwise.
    bool WaitForEnd();
    // Ends the process at once, as a crash or the task manager would.
    void Kill();
    DWORD ExitCode() const;

private:
    PROCESS_INFORMATION m_process = {};
};

// The built program run to its end as a script runs it, its standard output
// a pipe: what it wrote there (UTF-8), its exit status, and whether any
// window of its showed meanwhile.
struct ScriptRun {
    DWORD status = STILL_ACTIVE;
    std::string output;
    bool windowShown = false;
};
ScriptRun RunAsScript(const std::wstring& arguments);
