// A picture taken as the icon: one cell in the grid, and an icon file made of
// it in the folder, named from the folder, removed again only when the
// program made it.
#include "Support.h"
#include "harness/RegistryKey.h"
#include "harness/Windows.h"
#include "icons/IconExtraction.h"
#include <tuple>

namespace {

const char SETTINGS_KEY[] = "Software\\KORBINEX\\Brisevent";

// The pixel at (x, y) of an icon of `size`, as 0xAARRGGBB.
DWORD IconPixel(HICON icon, int size, int x, int y)
{
    ICONINFO parts = {};
    if (!icon || !GetIconInfo(icon, &parts))
        return 0;
    BITMAPINFO format = {};
    format.bmiHeader = { sizeof format.bmiHeader, size, -size, 1, 32, BI_RGB, 0, 0, 0, 0, 0 };
    std::vector<DWORD> pixels(static_cast<size_t>(size) * size);
    const HDC screen = GetDC(nullptr);
    GetDIBits(screen, parts.hbmColor, 0, static_cast<UINT>(size), pixels.data(), &format, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    DeleteObject(parts.hbmColor);
    DeleteObject(parts.hbmMask);
    return pixels[static_cast<size_t>(y) * size + x];
}

// A 300 x 200 picture fitted into 32 pixels: red on the left, blue on the
// right, clear rows above and below.
void ExpectHalvesAt32(HICON icon)
{
    EXPECT_EQ(IconPixel(icon, 32, 4, 16), 0xFFFF0000u);
    EXPECT_EQ(IconPixel(icon, 32, 28, 16), 0xFF0000FFu);
    EXPECT_EQ(IconPixel(icon, 32, 16, 0) >> 24, 0u);
    EXPECT_EQ(IconPixel(icon, 32, 16, 31) >> 24, 0u);
}

class PictureIconTest : public FolderTest {
protected:
    void SetUp() override
    {
        FolderTest::SetUp();
        picture = temp / "halves.png";
        ASSERT_TRUE(CopyFileA(PathBesideTests("icon-files\\halves.png").c_str(), picture.c_str(), TRUE));
    }
    void Apply() { SendMessageA(GetDlgItem(dialog.m_hWnd, IDC_APPLY), BM_CLICK, 0, 0); }

    ScopedRegistryKey settings{ HKEY_CURRENT_USER, SETTINGS_KEY };
    std::string picture;
};

} // namespace

// A picture is one cell, fitted into a square; one that does not read is a
// file without icons, by any extension.
TEST_F(PictureIconTest, PictureIsOneCellFittedIntoASquareOrNone)
{
    for (const char* name : { "halves.png", "truncated.png", "not-a-picture.jpg", "huge.png" }) {
        SCOPED_TRACE(name);
        const std::string path = PathBesideTests((std::string("icon-files\\") + name).c_str());
        const bool readable = name == std::string("halves.png");
        EXPECT_EQ(IconCount(Wide(path).c_str()), readable ? 1 : 0);
        EXPECT_EQ(dialog.ChooseIcon(Wide(path).c_str(), 0), readable);
    }
    EXPECT_EQ(SendMessageA(dialog.IconGrid().m_hWnd, LB_GETCOUNT, 0, 0), 1);
    HICON icon = nullptr;
    ASSERT_EQ(ExtractIcons(Wide(picture).c_str(), 0, &icon, nullptr, 1), 1);
    ExpectHalvesAt32(icon);
    DestroyIcon(icon);
}

// The folder gets a hidden icon file of every size, named from the folder,
// and keeps it when it moves; the recent list names the picture.
TEST_F(PictureIconTest, AppliedPictureBecomesAnIconFileInsideTheFolder)
{
    dialog.SelectTarget(Wide(folder).c_str());
    ASSERT_TRUE(dialog.ChooseIcon(Wide(picture).c_str(), 0));
    Apply();
    const std::string made = folder + "\\halves.ico";
    EXPECT_EQ(ProfileValue(ini, ".ShellClassInfo", "IconFile"), "halves.ico");
    EXPECT_EQ(ProfileValue(ini, ".ShellClassInfo", "IconIndex"), "0");
    EXPECT_EQ(Attributes(made), static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));
    const std::string bytes = ReadBytes(made);
    ASSERT_GT(bytes.size(), 6u + 16 * 6);
    EXPECT_EQ(bytes.substr(0, 6), std::string("\0\0\1\0\6\0", 6));
    std::string sizes;
    for (int entry = 0; entry < 6; ++entry)
        sizes += bytes[6 + 16 * entry];
    EXPECT_EQ(sizes, std::string("\x10\x18\x20\x30\x40\0", 6));
    const DWORD largest = *reinterpret_cast<const DWORD*>(&bytes[6 + 16 * 5 + 12]);
    EXPECT_EQ(bytes.substr(largest, 4), "\x89PNG");
    HICON icon = nullptr;
    UINT id = 0;
    ASSERT_EQ(PrivateExtractIconsA(made.c_str(), 0, 32, 32, &icon, &id, 1, 0), 1u);
    ExpectHalvesAt32(icon);
    DestroyIcon(icon);
    EXPECT_EQ(ReadRegistryData(HKEY_CURRENT_USER, SETTINGS_KEY, "Sauve000").data.size(), picture.size() + 1);

    const std::string moved = temp / "Ailleurs";
    ASSERT_TRUE(MoveFileA(folder.c_str(), moved.c_str()));
    dialog.SelectTarget(Wide(moved).c_str());
    EXPECT_EQ(lstrcmpiW(dialog.IconGrid().m_currentFile, Wide((moved + "\\halves.ico")).c_str()), 0);
    EXPECT_EQ(SendMessageA(dialog.IconGrid().m_hWnd, LB_GETCURSEL, 0, 0), 0);
}

// Beside a file of the user's with its name the made file takes another; it
// is made once, and only it goes with the default icon.
TEST_F(PictureIconTest, MadeFileNeverReplacesTheUsersAndGoesWithTheDefault)
{
    const std::string users = folder + "\\halves.ico";
    WriteBytes(users, "le fichier de l'utilisateur");
    dialog.SelectTarget(Wide(folder).c_str());
    for (int time = 0; time < 2; ++time) {
        ASSERT_TRUE(dialog.ChooseIcon(Wide(picture).c_str(), 0));
        Apply();
    }
    const std::string made = folder + "\\halves (2).ico";
    EXPECT_TRUE(Exists(made));
    EXPECT_FALSE(Exists(folder + "\\halves (3).ico"));
    EXPECT_EQ(ProfileValue(ini, ".ShellClassInfo", "IconFile"), "halves (2).ico");

    SendMessageA(GetDlgItem(dialog.m_hWnd, IDC_DEFAULT_ICON), BM_CLICK, 0, 0);
    Apply();
    EXPECT_FALSE(Exists(made));
    EXPECT_EQ(ReadBytes(users), "le fichier de l'utilisateur");
}

// The made file goes only once no folder it was given to names it: another
// folder given it keeps it when the folder it was made for changes. One made
// for a write that failed does not stay.
TEST_F(PictureIconTest, MadeFileGoesOnlyWhenNoFolderNamesIt)
{
    const std::string other = temp / "Autre", locked = temp / "Verrouill\xe9";
    const std::string made = folder + "\\halves.ico";
    const std::string icons = PathBesideTests("icon-files\\three-icons.dll");
    for (const std::string& created : { other, locked, locked + "\\desktop.ini" })
        ASSERT_TRUE(CreateDirectoryA(created.c_str(), nullptr));
    for (const auto& [target, icon, kept] : { std::tuple{ folder, picture, true }, std::tuple{ other, made, true },
                                              std::tuple{ folder, icons, true }, std::tuple{ other, icons, false } }) {
        dialog.SelectTarget(Wide(target).c_str());
        ASSERT_TRUE(dialog.ChooseIcon(Wide(icon).c_str(), 0));
        Apply();
        EXPECT_EQ(Exists(made), kept) << target << " given " << icon;
    }
    MessageBoxAnswers boxes;
    dialog.SelectTarget(Wide(locked).c_str());
    ASSERT_TRUE(dialog.ChooseIcon(Wide(picture).c_str(), 0));
    Apply();
    EXPECT_EQ(boxes.shown.size(), 1u);
    EXPECT_FALSE(Exists(locked + "\\halves.ico"));
}

// A folder named relatively is taken by its full path once, when it is
// given: applied again after the current folder has changed, the same
// picture keeps the icon file it names.
TEST_F(PictureIconTest, FolderNamedRelativelyKeepsItsMadeFile)
{
    char started[MAX_PATH];
    GetCurrentDirectoryA(sizeof started, started);
    ASSERT_TRUE(SetCurrentDirectoryA(temp.Path().c_str()));
    wchar_t commandLine[] = L"Dossier";
    dialog.TargetFromCommandLine(commandLine);
    SetCurrentDirectoryA(started);
    for (int time = 0; time < 2; ++time) {
        ASSERT_TRUE(dialog.ChooseIcon(Wide(picture).c_str(), 0));
        Apply();
    }
    EXPECT_EQ(ProfileValue(ini, ".ShellClassInfo", "IconFile"), "halves.ico");
    EXPECT_TRUE(Exists(folder + "\\halves.ico"));
}
