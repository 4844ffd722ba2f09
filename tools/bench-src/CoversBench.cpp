// Times a covers run over a tree of 1,000 folders, each with a 600 x 600
// JPEG folder.jpg, against the same work done with the platform alone on one
// thread (decoding, scaling to each size, the icon file, the desktop.ini and
// the attributes written); then a second run over the same tree, which has
// nothing left to do, and a run over 4,000 folders, against the first; and
// how long a run takes to end once it is stopped.
//
//     covers_bench [FOLDERS]     (default 1000; the large tree has four times as many)
#include "BenchSupport.h"
#include "covers/CoversRun.h"
#include "madeicons/IconFileBytes.h"
#include <wincodec.h>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {

size_t SmallTree = 1000;
size_t LargeTree = 4000;

std::wstring MakeTree(const std::wstring& parent, const wchar_t* name, size_t folders, const std::wstring& cover)
{
    const std::wstring root = parent + L"\\" + name;
    CreateDirectoryW(root.c_str(), nullptr);
    for (size_t i = 0; i < folders; ++i) {
        // Ten albums to an artist, as collections are kept.
        wchar_t artist[MAX_PATH];
        wchar_t album[MAX_PATH];
        swprintf(artist, MAX_PATH, L"%ls\\Artiste %03zu", root.c_str(), i / 10);
        swprintf(album, MAX_PATH, L"%ls\\Album %zu", artist, i % 10);
        CreateDirectoryW(artist, nullptr);
        CreateDirectoryW(album, nullptr);
        CopyFileW(cover.c_str(), (std::wstring(album) + L"\\folder.jpg").c_str(), FALSE);
    }
    return root;
}

void RemoveTree(const std::wstring& folder)
{
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            const std::wstring path = folder + L"\\" + name;
            if (name == L"." || name == L"..")
                continue;
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                DeleteFileW(path.c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryW(folder.c_str());
}

std::vector<std::wstring> Albums(const std::wstring& root, size_t folders)
{
    std::vector<std::wstring> albums;
    for (size_t i = 0; i < folders; ++i) {
        wchar_t album[MAX_PATH];
        swprintf(album, MAX_PATH, L"%ls\\Artiste %03zu\\Album %zu", root.c_str(), i / 10, i % 10);
        albums.push_back(album);
    }
    return albums;
}

bool WriteFileBytes(const std::wstring& path, const void* bytes, DWORD size, DWORD attributes)
{
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, attributes, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool wrote = WriteFile(file, bytes, size, &written, nullptr) && written == size;
    CloseHandle(file);
    return wrote;
}

// The floor: each cover decoded and scaled by the imaging component to each
// size, the icon file and the desktop.ini written, the attributes set, one
// folder after the other.
bool BareCovers(IWICImagingFactory* factory, const std::vector<std::wstring>& albums)
{
    const char ini[] = "[.ShellClassInfo]\r\nIconFile=folder.ico\r\nIconIndex=0\r\n";
    for (const std::wstring& album : albums) {
        IWICBitmapDecoder* decoder = nullptr;
        IWICBitmapFrameDecode* frame = nullptr;
        if (FAILED(factory->CreateDecoderFromFilename((album + L"\\folder.jpg").c_str(), nullptr, GENERIC_READ,
                                                      WICDecodeMetadataCacheOnDemand, &decoder)) ||
            FAILED(decoder->GetFrame(0, &frame)))
            return false;
        IWICFormatConverter* converter = nullptr;
        factory->CreateFormatConverter(&converter);
        converter->Initialize(frame, GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr, 0,
                              WICBitmapPaletteTypeCustom);
        std::vector<std::vector<BYTE>> images;
        for (const int size : MADE_ICON_SIZES) {
            IWICBitmapScaler* scaler = nullptr;
            factory->CreateBitmapScaler(&scaler);
            scaler->Initialize(converter, size, size, WICBitmapInterpolationModeFant);
            std::vector<BYTE> pixels(static_cast<size_t>(size) * size * 4);
            scaler->CopyPixels(nullptr, size * 4, static_cast<UINT>(pixels.size()), pixels.data());
            scaler->Release();
            images.push_back(pixels);
        }
        converter->Release();
        frame->Release();
        decoder->Release();
        std::vector<BYTE> icon;
        if (!IconFileOfImages(images, icon) ||
            !WriteFileBytes(album + L"\\folder.ico", icon.data(), static_cast<DWORD>(icon.size()),
                            FILE_ATTRIBUTE_HIDDEN) ||
            !WriteFileBytes(album + L"\\desktop.ini", ini, sizeof ini - 1,
                            FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM) ||
            !SetFileAttributesW(album.c_str(), FILE_ATTRIBUTE_SYSTEM))
            return false;
    }
    return true;
}

double TimedRun(const std::wstring& root, size_t& given)
{
    CoversRun run({ root }, CoverOptions());
    const double start = Milliseconds();
    run.Run();
    const double elapsed = Milliseconds() - start;
    given = run.Count(CoverResult::Given);
    std::fprintf(stderr, "%ls: %zu given, %zu up to date, %zu without cover, %zu failed, %.0f ms\n", root.c_str(), given,
                 run.Count(CoverResult::UpToDate), run.Count(CoverResult::NoCover), run.Count(CoverResult::Failed),
                 elapsed);
    return elapsed;
}

// From the stop to the end of Run, halfway through a tree.
double StopDelay(const std::wstring& root)
{
    CoversRun run({ root }, CoverOptions());
    std::thread worker([&run] { run.Run(); });
    while (run.FoldersDone() < SmallTree / 2)
        Sleep(1);
    const double stopped = Milliseconds();
    run.Stop();
    worker.join();
    return Milliseconds() - stopped;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::atoi(argv[1]) > 0) {
        SmallTree = static_cast<size_t>(std::atoi(argv[1]));
        LargeTree = SmallTree * 4;
    }
    wchar_t temp[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, temp);
    const std::wstring parent = std::wstring(temp) + L"brisevent-covers-bench";
    CreateDirectoryW(parent.c_str(), nullptr);
    const std::wstring cover = BesideTheProgram(L"icon-files\\cover.jpg");
    ProgramKeys keys;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IWICImagingFactory* factory = nullptr;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void**>(&factory)))) {
        std::fprintf(stderr, "no imaging component\n");
        return 1;
    }
    const std::wstring bare = MakeTree(parent, L"nu", SmallTree, cover);
    const std::wstring small = MakeTree(parent, L"mille", SmallTree, cover);
    const std::wstring large = MakeTree(parent, L"quatre mille", LargeTree, cover);
    const std::wstring stopped = MakeTree(parent, L"arret", SmallTree, cover);

    double start = Milliseconds();
    const bool bareDone = BareCovers(factory, Albums(bare, SmallTree));
    const double floor = Milliseconds() - start;
    size_t given = 0;
    const double first = TimedRun(small, given);
    const bool firstDone = given == SmallTree;
    const double second = TimedRun(small, given);
    const bool secondIdle = given == 0;
    const double fourThousand = TimedRun(large, given);
    const bool largeDone = given == LargeTree;
    const double delay = StopDelay(stopped);
    factory->Release();
    CoUninitialize();
    for (const std::wstring& root : { bare, small, large, stopped })
        RemoveTree(root);
    RemoveDirectoryW(parent.c_str());
    SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\KORBINEX\\Brisevent\\IconesFaites");
    if (!bareDone || !firstDone || !secondIdle || !largeDone)
        std::fprintf(stderr, "a run did not do what it should: floor %d, first %d, second %d, large %d\n", bareDone,
                     firstDone, secondIdle, largeDone);

    std::printf("\nGoals on covers: at most 0.9 of the floor, a second run at most 0.1 of the first, "
                "%zu folders at most 4.4 times %zu, ended within 500 ms of a stop.\n", LargeTree, SmallTree);
    std::printf("Milliseconds: floor %.0f, %zu folders %.0f, again %.0f, %zu folders %.0f, stop %.0f (%u cores)\n",
                floor, SmallTree, first, second, LargeTree, fourThousand, delay, std::thread::hardware_concurrency());
    std::printf("Ratio covers of %zu folders / bare decode, scale and write: %.3f\n", SmallTree, first / floor);
    std::printf("Ratio second run / first run: %.3f\n", second / first);
    std::printf("Ratio %zu folders / %zu folders: %.3f\n", LargeTree, SmallTree, fourThousand / first);
    return bareDone && firstDone && secondIdle && largeDone ? 0 : 1;
}
