// Times the program's start from outside, as a user who starts it waits for
// it: from the creation of its process to its main dialog drawn and waiting
// for input, on a folder; against the platform's floor for such a dialog,
// the bare dialog of the same template, which asks the shell for the
// folder's icon location and draws its grid's first screen; and a silent run
// on the same folder, from the creation of its process to its end, against
// the same floor. The three are run in turns, each round in another order,
// and the ratios are taken round by round.
//
//     startup_bench [ROUNDS]
#include "BenchSupport.h"
#include "resource.h"
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const DWORD PatienceMs = 30000;

struct Search {
    DWORD process;
    HWND found;
};

BOOL CALLBACK FindMainWindow(HWND window, LPARAM parameter)
{
    auto* search = reinterpret_cast<Search*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->process || !IsWindowVisible(window))
        return TRUE;
    search->found = window;
    return FALSE;
}

// Milliseconds from the process's creation to its dialog waiting for input,
// when `dialog`, or to its end otherwise; a dialog is then closed. Below 0
// when it does not get there.
double TimedStart(const std::wstring& program, const std::wstring& arguments, bool dialog)
{
    std::wstring commandLine = L"\"" + program + L"\" " + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    const double start = Milliseconds();
    if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return -1;
    double elapsed = -1;
    if (!dialog) {
        if (WaitForSingleObject(process.hProcess, PatienceMs) == WAIT_OBJECT_0)
            elapsed = Milliseconds() - start;
    } else if (WaitForInputIdle(process.hProcess, PatienceMs) == 0) {
        elapsed = Milliseconds() - start;
        Search search = { process.dwProcessId, nullptr };
        EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&search));
        if (!search.found)
            elapsed = -1;
        PostMessageW(search.found, WM_COMMAND, IDCANCEL, 0);
    }
    if (WaitForSingleObject(process.hProcess, PatienceMs) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return elapsed;
}

} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 5;
    const std::wstring program = BesideTheProgram(L"Brisevent.exe");
    const std::wstring bare = BesideTheProgram(L"bare_dialog.exe");
    wchar_t temp[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"brisevent-startup-bench";
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring quoted = L"\"" + folder + L"\"";

    ProgramKeys keys;
    std::vector<double> starts, floors, silents, startRatios, silentRatios;
    // One start of each first: the files are read from disk once before any
    // is timed.
    TimedStart(program, quoted, true);
    TimedStart(bare, quoted, true);
    for (int round = 0; round < rounds; ++round) {
        double started = 0, floor = 0, silent = 0;
        for (int turn = 0; turn < 3; ++turn) {
            switch ((turn + round) % 3) {
            case 0: started = TimedStart(program, quoted, true); break;
            case 1: floor = TimedStart(bare, quoted, true); break;
            default: silent = TimedStart(program, L"/infobulle:banc " + quoted, false); break;
            }
        }
        if (started < 0 || floor <= 0 || silent < 0) {
            std::fprintf(stderr, "a start did not get to its end\n");
            return 1;
        }
        starts.push_back(started);
        floors.push_back(floor);
        silents.push_back(silent);
        startRatios.push_back(started / floor);
        silentRatios.push_back(silent / floor);
    }
    DeleteFileW((folder + L"\\desktop.ini").c_str());
    SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryW(folder.c_str());

    std::printf("\nGoals on starting: start-up / bare dialog floor at most 1.10, silent run / bare dialog floor at "
                "most 0.8 (wall clock, from outside).\n");
    std::printf("Medians of %d rounds, milliseconds: start-up %.1f, bare dialog floor %.1f, silent run %.1f\n", rounds,
                Median(starts), Median(floors), Median(silents));
    std::printf("Ratio start-up / bare dialog floor: %.3f\n", Median(startRatios));
    std::printf("Ratio silent run / bare dialog floor: %.3f\n", Median(silentRatios));
    return 0;
}
