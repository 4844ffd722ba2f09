// A collection given its own covers: which picture is a folder's cover,
// which folders change, and that a second run changes nothing.
#include "apply/DesktopIni.h"
#include "commandline/SilentRun.h"
#include "covers/CoverSearch.h"
#include "covers/CoversDialog.h"
#include "harness/Files.h"
#include "harness/LocalAppData.h"
#include "harness/ModalDriver.h"
#include "harness/RegistryKey.h"
#include "harness/TempFolder.h"
#include "harness/Windows.h"
#include "madeicons/IconSizes.h"
#include "resource.h"
#include <gtest/gtest.h>
#include <wincodec.h>
#include <cstdlib>
#include <map>

namespace {

const char SETTINGS_KEY[] = "Software\\KORBINEX\\Brisevent";

// A picture of one colour, written by the platform's imaging component as a
// JPEG or a PNG.
void WritePicture(const std::string& path, UINT width, UINT height, BYTE blue, const GUID& container)
{
    std::vector<BYTE> pixels(static_cast<size_t>(width) * height * 4, 0);
    for (size_t at = 0; at < pixels.size(); at += 4) {
        pixels[at] = blue;
        pixels[at + 3] = 255;
    }
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IWICImagingFactory* factory = nullptr;
    IWICStream* stream = nullptr;
    IWICBitmapEncoder* encoder = nullptr;
    IWICBitmapFrameEncode* frame = nullptr;
    WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGRA;
    ASSERT_TRUE(SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                           IID_IWICImagingFactory, reinterpret_cast<void**>(&factory))) &&
                SUCCEEDED(factory->CreateStream(&stream)) &&
                SUCCEEDED(stream->InitializeFromFilename(Wide(path).c_str(), GENERIC_WRITE)) &&
                SUCCEEDED(factory->CreateEncoder(container, nullptr, &encoder)) &&
                SUCCEEDED(encoder->Initialize(stream, WICBitmapEncoderNoCache)) &&
                SUCCEEDED(encoder->CreateNewFrame(&frame, nullptr)) && SUCCEEDED(frame->Initialize(nullptr)) &&
                SUCCEEDED(frame->SetSize(width, height)) && SUCCEEDED(frame->SetPixelFormat(&format)) &&
                SUCCEEDED(frame->WritePixels(height, width * 4, static_cast<UINT>(pixels.size()), pixels.data())) &&
                SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit()));
    frame->Release();
    encoder->Release();
    stream->Release();
    factory->Release();
    CoUninitialize();
}

std::string NameOf(const std::optional<std::wstring>& path)
{
    return path ? Utf8(path->substr(path->rfind(L'\\') + 1)) : "";
}

class CoversTest : public ::testing::Test {
protected:
    void SetUp() override { PendingIniDeletions.clear(); }
    void MakeFolder(const std::string& path) { ASSERT_TRUE(CreateDirectoryA((temp / path).c_str(), nullptr)); }
    // The collection of a user: covers by each of their names, three levels
    // deep, one folder whose icon was chosen by hand, some without cover.
    void MakeCollection()
    {
        for (const char* folder : { "Musique", "Musique\\Album", "Musique\\Album\\CD1", "Musique\\Nu", "Films",
                                    "Films\\Main", "Livres", "Livres\\Vide" })
            MakeFolder(folder);
        WritePicture(temp / "Musique\\Album\\folder.jpg", 600, 300, 200, GUID_ContainerFormatJpeg);
        WritePicture(temp / "Musique\\Album\\CD1\\Cover.PNG", 64, 64, 255, GUID_ContainerFormatPng);
        WritePicture(temp / "Films\\front.jpeg", 100, 100, 100, GUID_ContainerFormatJpeg);
        const std::string albumArt = temp / "Livres\\AlbumArt_{5A1B}_Large.jpg";
        WritePicture(albumArt, 100, 150, 50, GUID_ContainerFormatJpeg);
        SetFileAttributesA(albumArt.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
        WritePicture(temp / "Films\\Main\\folder.png", 80, 80, 10, GUID_ContainerFormatPng);
        WriteBytes(temp / "Films\\Main\\desktop.ini", handChosen);
        WritePicture(temp / "Musique\\Nu\\photo.jpg", 50, 50, 30, GUID_ContainerFormatJpeg);
    }
    // Every file of the tree, by path, with its bytes.
    std::map<std::string, std::string> Files(const std::string& folder) const
    {
        std::map<std::string, std::string> files;
        WIN32_FIND_DATAA found;
        const HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
        do {
            const std::string name = found.cFileName, path = folder + "\\" + name;
            if (name == "." || name == "..")
                continue;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                files.merge(Files(path));
            else
                files[path] = ReadBytes(path);
        } while (FindNextFileA(search, &found));
        FindClose(search);
        return files;
    }
    std::string IconOf(const std::string& folder) const
    {
        IconLocation icon = {};
        return ReadCustomIcon(Wide(temp / folder).c_str(), icon) ? Utf8(icon.file) : "";
    }
    int Run(std::vector<std::wstring> arguments)
    {
        said.clear();
        arguments.push_back(Wide(temp.Path()));
        return RunSilently(arguments, [this](const std::wstring& line) { said.push_back(line); });
    }

    ScopedRegistryKey settings{ HKEY_CURRENT_USER, SETTINGS_KEY };
    ScopedLocalAppData history;
    TempFolder temp;
    const std::string handChosen = "[.ShellClassInfo]\r\nIconFile=shell32.dll\r\nIconIndex=4\r\n";
    std::vector<std::wstring> said;
};

} // namespace

// The cover is the first present of the names a cover goes by, in any case
// and hidden too; the first picture only when asked for, in name order.
TEST_F(CoversTest, CoverIsTheFirstOfItsNamesAndTheFirstPictureOnlyWhenAskedFor)
{
    const struct {
        std::vector<const char*> files;
        const char* cover;
        const char* firstPicture;
    } cases[] = {
        { { "poster.jpg", "cover.png", "FOLDER.JPG" }, "FOLDER.JPG", "FOLDER.JPG" },
        { { "AlbumArtSmall.jpg", "AlbumArt_{77}_Large.jpg", "front.jpeg" }, "front.jpeg", "front.jpeg" },
        { { "AlbumArtSmall.jpg", "AlbumArt_{77}_Large.jpg" }, "AlbumArt_{77}_Large.jpg", "AlbumArt_{77}_Large.jpg" },
        { { "zeta.png", "Beta.jpg", "folder.gif", "folder.jpg.txt" }, "", "Beta.jpg" },
        { { "notes.txt" }, "", "" },
    };
    int number = 0;
    for (const auto& c : cases) {
        const std::string folder = temp / std::to_string(++number);
        MakeFolder(std::to_string(number));
        for (const char* file : c.files) {
            WriteBytes(folder + "\\" + file, "x");
            SetFileAttributesA((folder + "\\" + file).c_str(), FILE_ATTRIBUTE_HIDDEN);
        }
        EXPECT_EQ(NameOf(FindCover(Wide(folder), false)), c.cover) << number;
        EXPECT_EQ(NameOf(FindCover(Wide(folder), true)), c.firstPicture) << number;
    }
}

// Each folder with a cover shows it, fitted; a hand-chosen icon stays; a
// second run changes nothing; a cover replaced gives an icon of a new name.
TEST_F(CoversTest, CollectionTakesItsCoversOnceAndAgainOnlyWhereACoverChanged)
{
    MakeCollection();
    ASSERT_EQ(Run({ L"/couvertures" }), EXIT_DONE);
    EXPECT_EQ(said.back(), L"Total : 4 OK, 0 d\xe9j\xe0 \xe0 jour, 1 avec leur propre ic\xf4ne, 4 sans couverture, 0 \xc9" L"CHEC");
    EXPECT_EQ(said.size(), 5u);
    const std::string album = IconOf("Musique\\Album");
    EXPECT_EQ(album.substr(0, album.rfind('-')), temp / "Musique\\Album\\folder");
    EXPECT_EQ(Attributes(album), static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(HeldSizes(Wide(album).c_str(), 0), (std::vector<int>{ 16, 24, 32, 48, 64, 256 }));
    std::vector<BYTE> pixels;
    ASSERT_TRUE(IconPixels(Wide(album).c_str(), 0, 32, pixels));
    EXPECT_EQ(pixels[(16 * 32 + 16) * 4 + 3], 255) << "the cover in the middle";
    EXPECT_EQ(pixels[(2 * 32 + 16) * 4 + 3], 0) << "clear above a wide cover";
    EXPECT_EQ(pixels[(29 * 32 + 16) * 4 + 3], 0) << "clear below it";
    for (const char* folder : { "Musique\\Album\\CD1", "Films", "Livres" })
        EXPECT_NE(IconOf(folder), "") << folder;
    EXPECT_EQ(ReadBytes(temp / "Films\\Main\\desktop.ini"), handChosen);
    for (const char* folder : { "Musique", "Musique\\Nu", "Livres\\Vide" })
        EXPECT_FALSE(Exists(temp / folder + "\\desktop.ini")) << folder;

    const std::map<std::string, std::string> before = Files(temp.Path());
    ASSERT_EQ(Run({ L"/couvertures" }), EXIT_DONE);
    EXPECT_EQ(said, (std::vector<std::wstring>{ L"Total : 0 OK, 4 d\xe9j\xe0 \xe0 jour, 1 avec leur propre ic\xf4ne, "
                                                L"4 sans couverture, 0 \xc9" L"CHEC" }));
    EXPECT_EQ(Files(temp.Path()), before);

    WritePicture(temp / "Musique\\Album\\folder.jpg", 300, 300, 90, GUID_ContainerFormatJpeg);
    ASSERT_EQ(Run({ L"/couvertures", L"/remplacer", L"/premiere-image" }), EXIT_DONE);
    EXPECT_EQ(said.size(), 4u) << "the new cover, the hand-chosen icon, the first picture";
    EXPECT_NE(IconOf("Musique\\Album"), album);
    EXPECT_FALSE(Exists(album));
    EXPECT_EQ(IconOf("Films\\Main").substr(0, (temp / "Films\\Main\\folder").size()), temp / "Films\\Main\\folder");
    EXPECT_NE(IconOf("Musique\\Nu"), "");
}

// A folder that cannot be written fails alone, with the system's reason, and
// the status says so; the whole run is one change, which one undo takes back.
TEST_F(CoversTest, FolderThatFailsFailsAloneAndOneUndoTakesTheWholeRunBack)
{
    MakeCollection();
    ASSERT_TRUE(CreateDirectoryA((temp / "Films\\desktop.ini").c_str(), nullptr));
    const std::map<std::string, std::string> before = Files(temp.Path());
    EXPECT_EQ(Run({ L"/couvertures", L"/remplacer" }), EXIT_SOME_FAILED);
    const std::wstring failed = L"\xc9" L"CHEC : " + Wide(temp / "Films") + L" : ";
    EXPECT_EQ(std::count_if(said.begin(), said.end(),
                            [&](const std::wstring& line) { return line.rfind(failed, 0) == 0; }),
              1);
    EXPECT_NE(IconOf("Musique\\Album"), "");
    EXPECT_EQ(RunSilently({ L"/defaire" }, [](const std::wstring&) {}), EXIT_DONE);
    EXPECT_EQ(Files(temp.Path()), before);
}

// The dialog runs off its thread: it answers while the run works, Annuler
// stops it with every folder whole, and it tells what became of them.
TEST_F(CoversTest, DialogRunsOffItsThreadAndAnnulerKeepsEachFolderWhole)
{
    for (int i = 0; i < 40; ++i) {
        MakeFolder(std::to_string(i));
        WritePicture(temp / std::to_string(i) + "\\folder.jpg", 400, 400, static_cast<BYTE>(i), GUID_ContainerFormatJpeg);
    }
    CoversDialog dialog({ Wide(temp.Path()) }, nullptr);
    ModalDriver driver(60000);
    driver.Then([](HWND window) {
        EXPECT_EQ(SendDlgItemMessageA(window, IDC_REPLACE_OWN_ICONS, BM_GETCHECK, 0, 0), BST_UNCHECKED);
        EXPECT_EQ(SendDlgItemMessageA(window, IDC_FIRST_PICTURE, BM_GETCHECK, 0, 0), BST_UNCHECKED);
        PostMessageA(GetDlgItem(window, IDC_START_COVERS), BM_CLICK, 0, 0);
        return true;
    });
    driver.Then([](HWND window) {
        if (atoi(WindowText(GetDlgItem(window, IDC_COVERS_COUNT)).c_str()) < 3)
            return false;
        PostMessageA(GetDlgItem(window, IDCANCEL), BM_CLICK, 0, 0);
        return true;
    });
    driver.Then([](HWND window) {
        if (WindowText(GetDlgItem(window, IDCANCEL)) != "Fermer")
            return false;
        EXPECT_NE(WindowText(GetDlgItem(window, IDC_COVERS_SUMMARY)).find("Arr\xeat\xe9"), std::string::npos);
        PostMessageA(GetDlgItem(window, IDCANCEL), BM_CLICK, 0, 0);
        return true;
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_TRUE(driver.Done());
    int done = 0;
    for (int i = 0; i < 40; ++i) {
        const std::string folder = std::to_string(i), icon = IconOf(folder);
        const bool has = Exists(temp / folder + "\\desktop.ini");
        EXPECT_EQ(has, icon != "" && Exists(icon)) << folder;
        done += has;
    }
    EXPECT_GE(done, 3);
    EXPECT_LT(done, 40);
}
