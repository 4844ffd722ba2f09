// The built program, started as a user starts it.
#include "harness/TempFolder.h"
#include "harness/Windows.h"
#include <gtest/gtest.h>
#include <windows.h>

namespace {

struct MainWindowSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindMainWindow(HWND window, LPARAM parameter)
{
    auto* search = reinterpret_cast<MainWindowSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window) && WindowText(window) == "Changer l'ic\xf4ne du dossier") {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND WaitForMainWindow(DWORD processId, DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    MainWindowSearch search = { processId, nullptr };
    while (!search.found && GetTickCount() - start < milliseconds) {
        EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&search));
        if (!search.found)
            Sleep(50);
    }
    return search.found;
}

} // namespace

TEST(Program, StartsWithItsMainWindowAndEndsWhenCancelIsPressed)
{
    TempFolder folder;
    std::string commandLine = "\"" + PathBesideTests("Brisevent.exe") + "\" \"" + folder.Path() + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        << commandLine;

    const HWND window = WaitForMainWindow(process.dwProcessId, 20000);
    EXPECT_NE(window, nullptr);
    if (window) {
        EXPECT_EQ(ClassName(window), "#32770");
        SendMessageA(GetDlgItem(window, IDCANCEL), BM_CLICK, 0, 0);
    }
    const bool ended = WaitForSingleObject(process.hProcess, 20000) == WAIT_OBJECT_0;
    EXPECT_TRUE(ended);
    if (!ended)
        TerminateProcess(process.hProcess, 1);
    DWORD exitCode = STILL_ACTIVE;
    GetExitCodeProcess(process.hProcess, &exitCode);
    EXPECT_EQ(exitCode, 0u);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}
