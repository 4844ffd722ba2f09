// Times the icon grid against the bare platform work under it: loading a
// file of 1024 icons into a fresh grid, against extracting the same icons
// into an image list with no list box; and asking the grid again for the
// file it already shows.
//
//     icon_grid_bench [ICON-FILE] [ROUNDS]
//
// The icon file defaults to icon-files\1024-icons.dll beside the program;
// an empty argument means the default too.
#include "icons/IconListBox.h"
#include "resource.h"
#include <shellapi.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// The grid's list box in the template of the main dialog, and its size there.
const DWORD GridStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_HSCROLL | WS_TABSTOP | LBS_NOTIFY |
                        LBS_OWNERDRAWFIXED | LBS_NOINTEGRALHEIGHT | LBS_MULTICOLUMN | LBS_DISABLENOSCROLL;
const int GridWidth = 456;
const int GridHeight = 146;
const char* const HostClass = "IconGridBenchHost";

IconListBox* g_grid = nullptr;

// Stands in for the owning dialog: measures the cells and hands drawing
// back to the grid.
LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_MEASUREITEM:
        MeasureIconCell(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_DRAWITEM:
        if (g_grid)
            g_grid->DrawItem(reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

// Milliseconds by the clock on the wall, and of processor time spent by this
// process, which other programs on a busy machine disturb less.
struct Timing {
    double wall;
    double cpu;
};

double ProcessorMilliseconds()
{
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    const auto ticks = [](const FILETIME& time) {
        return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    return static_cast<double>(ticks(kernel) + ticks(user)) / 10000.0;
}

class Stopwatch {
public:
    Stopwatch() : m_cpu(ProcessorMilliseconds()) { QueryPerformanceCounter(&m_wall); }
    Timing Elapsed() const
    {
        LARGE_INTEGER now;
        LARGE_INTEGER frequency;
        QueryPerformanceCounter(&now);
        QueryPerformanceFrequency(&frequency);
        const double wall =
            1000.0 * static_cast<double>(now.QuadPart - m_wall.QuadPart) / static_cast<double>(frequency.QuadPart);
        return { wall, ProcessorMilliseconds() - m_cpu };
    }

private:
    LARGE_INTEGER m_wall;
    double m_cpu;
};

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void Pump()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void AddToList(HIMAGELIST list, HICON icon)
{
    ImageList_ReplaceIcon(list, -1, icon);
    DestroyIcon(icon);
}

// The platform's part of a load, the way the platform allows: the icons of
// one batch call when it yields them all, else one at a time.
Timing BareLoad(const char* path, bool& batchWhole)
{
    static HICON icons[MAX_ICONS_PER_FILE];
    const Stopwatch watch;
    const HIMAGELIST list = CreateIconImageList();
    const int count = static_cast<int>(ExtractIconExA(path, -1, nullptr, nullptr, 0));
    const int wanted = std::min(count, MAX_ICONS_PER_FILE);
    std::fill(icons, icons + MAX_ICONS_PER_FILE, nullptr);
    const int got = static_cast<int>(ExtractIconExA(path, 0, icons, nullptr, static_cast<UINT>(wanted)));
    batchWhole = got == count && std::all_of(icons, icons + wanted, [](HICON icon) { return icon != nullptr; });
    for (int i = 0; i < wanted; ++i) {
        if (batchWhole) {
            AddToList(list, icons[i]);
            continue;
        }
        if (icons[i])
            DestroyIcon(icons[i]);
        HICON icon = nullptr;
        if (static_cast<int>(ExtractIconExA(path, i, &icon, nullptr, 1)) > 0 && icon)
            AddToList(list, icon);
    }
    const Timing elapsed = watch.Elapsed();
    ImageList_Destroy(list);
    return elapsed;
}

struct GridTimes {
    Timing load;
    Timing firstPaint;
    Timing again;
    int items;
};

GridTimes GridLoad(HWND host, const char* path, const std::string& otherCase)
{
    IconListBox grid;
    g_grid = &grid;
    grid.m_hWnd = CreateWindowExA(0, "LISTBOX", "", GridStyle, 8, 8, GridWidth, GridHeight, host, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    grid.m_imageList = CreateIconImageList();
    grid.ClearIcons();
    Pump();

    GridTimes times = {};
    const Stopwatch load;
    grid.LoadIconFile(path, 0);
    times.load = load.Elapsed();
    const Stopwatch paint;
    UpdateWindow(grid.m_hWnd);
    times.firstPaint = paint.Elapsed();
    const Stopwatch again;
    grid.LoadIconFile(otherCase.c_str(), 5);
    times.again = again.Elapsed();
    times.items = static_cast<int>(grid.SendMessage(LB_GETCOUNT));

    DestroyWindow(grid.m_hWnd);
    ImageList_Destroy(grid.m_imageList);
    g_grid = nullptr;
    Pump();
    return times;
}

std::string DefaultIconFile()
{
    char path[MAX_PATH] = "";
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path, length);
    folder.erase(folder.find_last_of('\\') + 1);
    return folder + "icon-files\\1024-icons.dll";
}

HWND CreateHost()
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = HostProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = HostClass;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    RegisterClassA(&windowClass);
    const HWND host = CreateWindowExA(0, HostClass, "Icon grid benchmark", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                      GridWidth + 40, GridHeight + 60, nullptr, nullptr, windowClass.hInstance,
                                      nullptr);
    Pump();
    return host;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string path = argc > 1 && argv[1][0] ? argv[1] : DefaultIconFile();
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    std::string otherCase = path;
    CharUpperBuffA(&otherCase[0], static_cast<DWORD>(otherCase.size()));

    InitCommonControls();
    ReadSystemIconSize();
    const int count = static_cast<int>(ExtractIconExA(path.c_str(), -1, nullptr, nullptr, 0));
    if (count <= 0) {
        std::fprintf(stderr, "%s holds no icons\n", path.c_str());
        return 1;
    }
    const HWND host = CreateHost();

    // Each round times the grid and the bare work back to back, in turns
    // first, and the ratios are taken round by round: a machine whose speed
    // drifts then skews both sides of a ratio alike.
    std::vector<double> bareWall, bareCpu, loadWall, loadCpu, paint, again, wallRatios, cpuRatios;
    bool batchWhole = false;
    int items = 0;
    for (int round = 0; round < rounds; ++round) {
        GridTimes grid = {};
        Timing bare = {};
        if (round % 2 == 0) {
            bare = BareLoad(path.c_str(), batchWhole);
            grid = GridLoad(host, path.c_str(), otherCase);
        } else {
            grid = GridLoad(host, path.c_str(), otherCase);
            bare = BareLoad(path.c_str(), batchWhole);
        }
        bareWall.push_back(bare.wall);
        bareCpu.push_back(bare.cpu);
        loadWall.push_back(grid.load.wall);
        loadCpu.push_back(grid.load.cpu);
        paint.push_back(grid.firstPaint.wall);
        again.push_back(grid.again.wall);
        wallRatios.push_back(grid.load.wall / bare.wall);
        if (bare.cpu > 0)
            cpuRatios.push_back(grid.load.cpu / bare.cpu);
        items = grid.items;
    }
    DestroyWindow(host);

    std::printf("Icon file: %s (%d icons, %d listed)\n", path.c_str(), count, items);
    std::printf("Batch extraction: %s\n", batchWhole ? "whole, used" : "not whole here, icons taken one at a time");
    std::printf("Medians of %d rounds, milliseconds:          wall    processor\n", rounds);
    std::printf("  bare platform work (extract into an image list) %9.1f %9.1f\n", Median(bareWall), Median(bareCpu));
    std::printf("  grid: load into a fresh grid                     %9.1f %9.1f\n", Median(loadWall), Median(loadCpu));
    std::printf("  grid: first paint after the load                 %9.1f\n", Median(paint));
    std::printf("  grid: asking again for the file shown            %9.3f\n", Median(again));
    std::printf("Ratio grid load / bare work (goal at most 1.10): wall %.3f", Median(wallRatios));
    if (!cpuRatios.empty())
        std::printf(", processor %.3f", Median(cpuRatios));
    std::printf("\n");
    return 0;
}
