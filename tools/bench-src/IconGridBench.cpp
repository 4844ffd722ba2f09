// Times the icon grid against the bare platform work under it, on each icon
// file in turn: the first screen of a fresh grid (the load and its first
// complete paint) and a full scroll (the first screen, then paging to the
// end of the grid), against extracting every icon into an image list and
// against extracting and drawing only the cells the first screen shows; and
// asking the grid again for the file it already shows.
//
//     icon_grid_bench [ROUNDS] [ICON-FILE...]
//
// The icon files default to icon-files\1024-icons.dll beside the program and
// the system's shell32.dll. Where icon-files\photo.jpg is there too, made by
// tools/bench, the photograph taken as an icon is timed after them.
#include "BenchSupport.h"
#include "icons/IconExtraction.h"
#include "icons/IconListBox.h"
#include "resource.h"
#include <shellapi.h>
#include <wincodec.h>
#include <algorithm>
#include <initializer_list>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// The grid's list box in the template of the main dialog, and its size there.
const DWORD GridStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_HSCROLL | WS_TABSTOP | LBS_NOTIFY |
                        LBS_OWNERDRAWFIXED | LBS_NOINTEGRALHEIGHT | LBS_MULTICOLUMN | LBS_DISABLENOSCROLL;
const int GridLeft = 8;
const int GridTop = 8;
const int GridWidth = 456;
const int GridHeight = 146;
const wchar_t* const HostClass = L"IconGridBenchHost";

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
        return DefWindowProcW(window, message, wParam, lParam);
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

// The platform's way to one icon of a file, as the grid had it before it
// filled its cells lazily: one call per icon, since a batch call here may
// fill only its first handle. The image's index, or -1 without an icon.
int ExtractInto(HIMAGELIST list, const wchar_t* path, int position)
{
    HICON icon = nullptr;
    if (static_cast<int>(ExtractIconExW(path, position, &icon, nullptr, 1)) <= 0 || !icon)
        return -1;
    const int image = ImageList_ReplaceIcon(list, -1, icon);
    DestroyIcon(icon);
    return image;
}

// Every icon the grid lists, extracted into an image list.
Timing BareFullExtraction(const wchar_t* path, int listed)
{
    const Stopwatch watch;
    const HIMAGELIST list = CreateIconImageList();
    for (int i = 0; i < listed; ++i)
        ExtractInto(list, path, i);
    const Timing elapsed = watch.Elapsed();
    ImageList_Destroy(list);
    return elapsed;
}

// Only the icons of the cells a fresh grid shows, extracted into an image
// list and drawn where the grid draws them.
Timing BareVisibleCells(HWND host, const wchar_t* path, const std::vector<RECT>& cells)
{
    const Stopwatch watch;
    const HIMAGELIST list = CreateIconImageList();
    std::vector<int> images;
    for (size_t i = 0; i < cells.size(); ++i)
        images.push_back(ExtractInto(list, path, static_cast<int>(i)));
    const HDC dc = GetDC(host);
    for (size_t i = 0; i < cells.size(); ++i) {
        if (images[i] >= 0)
            ImageList_DrawEx(list, images[i], dc, GridLeft + cells[i].left + ICON_CELL_OFFSET,
                             GridTop + cells[i].top + ICON_CELL_OFFSET, SystemIconSize.cx, SystemIconSize.cy,
                             CLR_NONE, CLR_NONE, ILD_NORMAL);
    }
    GdiFlush();
    const Timing elapsed = watch.Elapsed();
    ReleaseDC(host, dc);
    ImageList_Destroy(list);
    return elapsed;
}

// A fresh grid of the main dialog's size in the host, destroyed with its
// images when it goes.
class BenchGrid {
public:
    explicit BenchGrid(HWND host)
    {
        g_grid = &m_grid;
        m_grid.m_hWnd = CreateWindowExW(0, L"LISTBOX", L"", GridStyle, GridLeft, GridTop, GridWidth, GridHeight,
                                        host, nullptr, GetModuleHandleW(nullptr), nullptr);
        m_grid.m_imageList = CreateIconImageList();
        m_grid.ClearIcons();
        Pump();
    }
    ~BenchGrid()
    {
        DestroyWindow(m_grid.m_hWnd);
        ImageList_Destroy(m_grid.m_imageList);
        g_grid = nullptr;
        Pump();
    }
    BenchGrid(const BenchGrid&) = delete;
    BenchGrid& operator=(const BenchGrid&) = delete;

    IconListBox& Grid() { return m_grid; }

private:
    IconListBox m_grid;
};

// The cells of a fresh grid that its first screen shows, in the grid's
// client coordinates, and how many items it lists.
struct FirstScreen {
    std::vector<RECT> cells;
    int listed;
};

FirstScreen CellsShownFirst(HWND host, const wchar_t* path)
{
    BenchGrid bench(host);
    IconListBox& grid = bench.Grid();
    grid.LoadIconFile(path, 0);
    FirstScreen shown = { {}, static_cast<int>(grid.SendMessage(LB_GETCOUNT)) };
    RECT client;
    GetClientRect(grid.m_hWnd, &client);
    for (int i = 0; i < shown.listed; ++i) {
        RECT cell;
        RECT common;
        grid.SendMessage(LB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&cell));
        if (IntersectRect(&common, &cell, &client))
            shown.cells.push_back(cell);
    }
    return shown;
}

struct GridTimes {
    Timing firstScreen;
    Timing fullScroll;
    Timing pagingFilled;
    Timing again;
    long firstExtractions;
    long allExtractions;
};

// Pages from the grid's start to its end as the scroll bar does, each page
// painted.
Timing PageToTheEnd(IconListBox& grid)
{
    grid.SendMessage(LB_SETTOPINDEX, 0);
    UpdateWindow(grid.m_hWnd);
    const Stopwatch watch;
    for (LRESULT top = -1; grid.SendMessage(LB_GETTOPINDEX) != top;) {
        top = grid.SendMessage(LB_GETTOPINDEX);
        grid.SendMessage(WM_HSCROLL, SB_PAGEDOWN);
        UpdateWindow(grid.m_hWnd);
    }
    return watch.Elapsed();
}

// The full scroll is the first screen and the paging after it; asking again
// for the file, timed in between, belongs to neither. Paging once more
// through the grid, every image then filled, shows what scrolling and
// drawing alone cost.
GridTimes GridRun(HWND host, const wchar_t* path, const std::wstring& otherCase)
{
    BenchGrid bench(host);
    IconListBox& grid = bench.Grid();
    GridTimes times = {};
    const long extractions = IconExtractionCount();

    const Stopwatch firstScreen;
    grid.LoadIconFile(path, 0);
    UpdateWindow(grid.m_hWnd);
    times.firstScreen = firstScreen.Elapsed();
    times.firstExtractions = IconExtractionCount() - extractions;

    const Stopwatch again;
    grid.LoadIconFile(otherCase.c_str(), 5);
    times.again = again.Elapsed();

    const Timing paged = PageToTheEnd(grid);
    times.fullScroll = { times.firstScreen.wall + paged.wall, times.firstScreen.cpu + paged.cpu };
    times.allExtractions = IconExtractionCount() - extractions;
    times.pagingFilled = PageToTheEnd(grid);
    return times;
}

// Every round's figures for one icon file. Each round times the grid and
// the bare work back to back, in turns first, and the ratios are taken round
// by round: a machine whose speed drifts then skews both sides alike.
struct FileFigures {
    std::wstring path;
    std::wstring otherCase;
    int count = 0;
    FirstScreen shown;
    std::vector<double> bareFullWall, bareFullCpu, bareVisibleWall, bareVisibleCpu;
    std::vector<double> firstWall, firstCpu, scrollWall, scrollCpu, pagingWall, pagingCpu, again;
    std::vector<double> firstToFull, firstToVisible, scrollToFull, scrollToFullAndPaging;
    std::vector<double> firstToFullCpu, firstToVisibleCpu, scrollToFullCpu;
    GridTimes last = {};
};

double Ratio(double part, double whole)
{
    return whole > 0 ? part / whole : 0;
}

void RunRound(HWND host, FileFigures& file, int round)
{
    Timing bareFull = {};
    Timing bareVisible = {};
    GridTimes grid = {};
    for (int turn = 0; turn < 3; ++turn) {
        switch ((turn + round) % 3) {
        case 0:
            bareFull = BareFullExtraction(file.path.c_str(), file.shown.listed);
            break;
        case 1:
            bareVisible = BareVisibleCells(host, file.path.c_str(), file.shown.cells);
            break;
        default:
            grid = GridRun(host, file.path.c_str(), file.otherCase);
            break;
        }
    }
    file.bareFullWall.push_back(bareFull.wall);
    file.bareFullCpu.push_back(bareFull.cpu);
    file.bareVisibleWall.push_back(bareVisible.wall);
    file.bareVisibleCpu.push_back(bareVisible.cpu);
    file.firstWall.push_back(grid.firstScreen.wall);
    file.firstCpu.push_back(grid.firstScreen.cpu);
    file.scrollWall.push_back(grid.fullScroll.wall);
    file.scrollCpu.push_back(grid.fullScroll.cpu);
    file.pagingWall.push_back(grid.pagingFilled.wall);
    file.pagingCpu.push_back(grid.pagingFilled.cpu);
    file.again.push_back(grid.again.wall);
    file.firstToFull.push_back(Ratio(grid.firstScreen.wall, bareFull.wall));
    file.firstToVisible.push_back(Ratio(grid.firstScreen.wall, bareVisible.wall));
    file.scrollToFull.push_back(Ratio(grid.fullScroll.wall, bareFull.wall));
    file.scrollToFullAndPaging.push_back(Ratio(grid.fullScroll.wall, bareFull.wall + grid.pagingFilled.wall));
    file.firstToFullCpu.push_back(Ratio(grid.firstScreen.cpu, bareFull.cpu));
    file.firstToVisibleCpu.push_back(Ratio(grid.firstScreen.cpu, bareVisible.cpu));
    file.scrollToFullCpu.push_back(Ratio(grid.fullScroll.cpu, bareFull.cpu));
    file.last = grid;
}

void PrintFigures(const FileFigures& file, int rounds)
{
    std::printf("\nIcon file: %ls (%d icons, %d listed, %d cells on the first screen)\n", file.path.c_str(),
                file.count, file.shown.listed, static_cast<int>(file.shown.cells.size()));
    std::printf("Icons the grid extracted: %ld for the first screen, %ld for the full scroll\n",
                file.last.firstExtractions, file.last.allExtractions);
    std::printf("Medians of %d rounds, milliseconds:                   wall  processor\n", rounds);
    std::printf("  bare full extraction (every icon into an image list) %9.1f %9.1f\n", Median(file.bareFullWall),
                Median(file.bareFullCpu));
    std::printf("  bare visible cells (extracted and drawn)             %9.1f %9.1f\n", Median(file.bareVisibleWall),
                Median(file.bareVisibleCpu));
    std::printf("  grid: first screen (load and first paint)            %9.1f %9.1f\n", Median(file.firstWall),
                Median(file.firstCpu));
    std::printf("  grid: full scroll (first screen, paging to the end)  %9.1f %9.1f\n", Median(file.scrollWall),
                Median(file.scrollCpu));
    std::printf("  grid: paging again, every image filled               %9.1f %9.1f\n", Median(file.pagingWall),
                Median(file.pagingCpu));
    std::printf("  grid: asking again for the file shown                %9.3f\n", Median(file.again));
    std::printf("Processor time ratios: %.3f, %.3f, %.3f\n", Median(file.firstToFullCpu),
                Median(file.firstToVisibleCpu), Median(file.scrollToFullCpu));
    std::printf("Full scroll / (bare full extraction + paging a filled grid): %.3f\n",
                Median(file.scrollToFullAndPaging));
    std::printf("Ratio first screen / bare full extraction: %.3f\n", Median(file.firstToFull));
    std::printf("Ratio first screen / bare visible cells: %.3f\n", Median(file.firstToVisible));
    std::printf("Ratio full scroll / bare full extraction: %.3f\n", Median(file.scrollToFull));
}

// The photograph taken as an icon: its first screen decodes it afresh each
// round, since its file is stamped anew, as a newly dropped picture would be.
void StampAnew(const wchar_t* path, int round)
{
    const HANDLE file = CreateFileW(path, FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER time = { { now.dwLowDateTime, now.dwHighDateTime } };
    time.QuadPart += static_cast<ULONGLONG>(round) * 10000000ull;
    now = { time.LowPart, time.HighPart };
    SetFileTime(file, nullptr, nullptr, &now);
    CloseHandle(file);
}

// What the imaging component alone does for the same picture: decode it and
// scale it, its proportions kept, to the system icon size.
Timing BarePictureDecode(const wchar_t* path)
{
    const Stopwatch watch;
    IWICImagingFactory* factory = nullptr;
    IWICBitmapDecoder* decoder = nullptr;
    IWICBitmapFrameDecode* frame = nullptr;
    IWICFormatConverter* converter = nullptr;
    IWICBitmapScaler* scaler = nullptr;
    UINT width = 0;
    UINT height = 0;
    if (SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                   reinterpret_cast<void**>(&factory))) &&
        SUCCEEDED(factory->CreateDecoderFromFilename(path, nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand,
                                                     &decoder)) &&
        SUCCEEDED(decoder->GetFrame(0, &frame)) && SUCCEEDED(frame->GetSize(&width, &height)) && width >= height &&
        SUCCEEDED(factory->CreateFormatConverter(&converter)) &&
        SUCCEEDED(converter->Initialize(frame, GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                                        WICBitmapPaletteTypeCustom)) &&
        SUCCEEDED(factory->CreateBitmapScaler(&scaler))) {
        const UINT side = static_cast<UINT>(SystemIconSize.cx);
        const UINT fitted = (height * side + width / 2) / width;
        std::vector<BYTE> pixels(static_cast<size_t>(side) * fitted * 4);
        if (SUCCEEDED(scaler->Initialize(converter, side, fitted, WICBitmapInterpolationModeFant)))
            scaler->CopyPixels(nullptr, side * 4, static_cast<UINT>(pixels.size()), pixels.data());
    }
    for (IUnknown* object : std::initializer_list<IUnknown*>{ scaler, converter, frame, decoder, factory }) {
        if (object)
            object->Release();
    }
    return watch.Elapsed();
}

Timing PictureFirstScreen(HWND host, const wchar_t* path)
{
    BenchGrid bench(host);
    IconListBox& grid = bench.Grid();
    const Stopwatch watch;
    grid.LoadIconFile(path, 0);
    UpdateWindow(grid.m_hWnd);
    return watch.Elapsed();
}

void RunPictureBench(HWND host, const wchar_t* photo, int rounds)
{
    std::vector<double> bare, grid, ratios;
    for (int round = 0; round < rounds; ++round) {
        StampAnew(photo, round);
        const Timing first = PictureFirstScreen(host, photo);
        const Timing decoded = BarePictureDecode(photo);
        bare.push_back(decoded.wall);
        grid.push_back(first.wall);
        ratios.push_back(Ratio(first.wall, decoded.wall));
    }
    std::printf("\nPicture: %ls\n", photo);
    std::printf("Medians of %d rounds, milliseconds: bare decode and scale %.1f, grid's first screen %.1f\n", rounds,
                Median(bare), Median(grid));
    std::printf("Ratio picture icon / bare decode and scale: %.3f\n", Median(ratios));
}

std::wstring SystemShellLibrary()
{
    wchar_t folder[MAX_PATH] = L"";
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    return std::wstring(folder, length < MAX_PATH ? length : 0) + L"\\shell32.dll";
}

HWND CreateHost()
{
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = HostProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = HostClass;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    RegisterClassW(&windowClass);
    const HWND host = CreateWindowExW(0, HostClass, L"Icon grid benchmark", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                      GridWidth + 40, GridHeight + 60, nullptr, nullptr, windowClass.hInstance,
                                      nullptr);
    Pump();
    return host;
}

} // namespace

// The arguments are taken in UTF-16, so that any icon file can be named.
int main()
{
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv)
        return 1;
    const int rounds = argc > 1 ? std::max(1, _wtoi(argv[1])) : 5;
    std::vector<std::wstring> paths(argv + std::min(argc, 2), argv + argc);
    LocalFree(argv);
    if (paths.empty())
        paths = { BesideTheProgram(L"icon-files\\1024-icons.dll"), SystemShellLibrary() };

    InitCommonControls();
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ReadSystemIconSize();
    const HWND host = CreateHost();
    std::vector<FileFigures> files;
    for (const std::wstring& path : paths) {
        FileFigures file;
        file.path = path;
        file.otherCase = path;
        CharUpperBuffW(&file.otherCase[0], static_cast<DWORD>(file.otherCase.size()));
        file.count = static_cast<int>(ExtractIconExW(path.c_str(), -1, nullptr, nullptr, 0));
        file.shown = CellsShownFirst(host, path.c_str());
        if (file.count <= 0 || file.shown.listed <= 0) {
            std::fprintf(stderr, "%ls holds no icons the grid lists\n", path.c_str());
            return 1;
        }
        files.push_back(file);
    }
    for (int round = 0; round < rounds; ++round) {
        for (FileFigures& file : files)
            RunRound(host, file, round);
    }
    const std::wstring photo = BesideTheProgram(L"icon-files\\photo.jpg");
    const bool withPhoto = GetFileAttributesW(photo.c_str()) != INVALID_FILE_ATTRIBUTES;

    std::printf("Goals on the 1024-icon file: first screen / bare full extraction at most 0.05, first screen /\n"
                "bare visible cells at most 1.25, full scroll / bare full extraction at most 1.10 (wall clock).\n");
    for (const FileFigures& file : files)
        PrintFigures(file, rounds);
    if (withPhoto) {
        std::printf("\nGoal on the photograph: picture icon / bare decode and scale at most 1.5 (wall clock).\n");
        RunPictureBench(host, photo.c_str(), rounds);
    }
    DestroyWindow(host);
    return 0;
}
