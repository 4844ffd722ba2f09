// Folder icons the program draws: the system's own folder in another colour,
// an emblem on it, written as a hidden icon file inside each folder.
#include "app/FolderIconDialog.h"
#include "apply/DesktopIni.h"
#include "change/Change.h"
#include "harness/Files.h"
#include "harness/LocalAppData.h"
#include "harness/ModalDriver.h"
#include "harness/RegistryKey.h"
#include "harness/TempFolder.h"
#include "harness/Windows.h"
#include "icons/Picture.h"
#include "madeicons/Colours.h"
#include "madeicons/IconSizes.h"
#include "madeicons/Recolour.h"
#include "target/DefaultIcons.h"
#include <gtest/gtest.h>
#include <cmath>
#include <optional>

namespace {

const char SETTINGS_KEY[] = "Software\\KORBINEX\\Brisevent";
constexpr int SHOWN = 32;

struct Pixel {
    BYTE blue, green, red, alpha;
};

std::vector<Pixel> Pixels(const std::wstring& file, int index, int size)
{
    std::vector<BYTE> bytes;
    EXPECT_TRUE(IconPixels(file.c_str(), index, size, bytes));
    std::vector<Pixel> pixels(bytes.size() / 4);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = { bytes[i * 4], bytes[i * 4 + 1], bytes[i * 4 + 2], bytes[i * 4 + 3] };
    return pixels;
}

Hsl HslAt(const Pixel& pixel)
{
    return HslOf(pixel.red, pixel.green, pixel.blue);
}

double HueApart(double a, double b)
{
    const double apart = std::fabs(a - b);
    return std::min(apart, 360 - apart);
}

class DesignTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        PendingIniDeletions.clear();
        ASSERT_TRUE(ReadDefaultIcon(TargetKind::Folder, base));
        for (const std::string* path : { &folder, &other })
            ASSERT_TRUE(CreateDirectoryA(path->c_str(), nullptr));
        // A blue square, for an emblem.
        std::vector<BYTE> blue(64 * 64 * 4);
        for (size_t at = 0; at < blue.size(); at += 4)
            blue[at] = blue[at + 3] = 255;
        std::vector<BYTE> png;
        ASSERT_TRUE(PngOfImage(blue, 64, png));
        WriteBytes(square, std::string(png.begin(), png.end()));
    }
    std::vector<Outcome> Change(const Design& design, IconChange icon = IconChange::Set)
    {
        Choice choice;
        choice.icon = icon;
        choice.design = design;
        return MakeChange(choice, { TargetAt(Wide(folder)), TargetAt(Wide(other)) });
    }
    // The icon file the folder's desktop.ini names, relatively, at 0.
    std::wstring MadeFile(const std::string& at) const
    {
        IconLocation icon = {};
        EXPECT_TRUE(ReadCustomIcon(Wide(at).c_str(), icon));
        EXPECT_EQ(icon.index, 0);
        EXPECT_EQ(ProfileValue(at + "\\desktop.ini", ".ShellClassInfo", "IconFile").find('\\'), std::string::npos);
        return icon.file;
    }

    ScopedRegistryKey settings{ HKEY_CURRENT_USER, SETTINGS_KEY };
    ScopedLocalAppData history;
    TempFolder temp;
    std::string folder = temp / "Rouge";
    std::string other = temp / "Autre";
    std::string square = temp / "bleu.png";
    IconLocation base = {};
};

} // namespace

// Where the system's folder is coloured it takes the chosen hue (or, for
// grey, none); where it is not it stays as it was; its alpha never changes.
// Each folder gets a hidden file of every size, which Default removes.
TEST_F(DesignTest, ColouredFolderTakesTheHueOnlyWhereTheSystemsFolderIsColoured)
{
    const std::pair<const wchar_t*, std::optional<double>> colours[] = {
        { L"rouge", HslOf(0xE5, 0x39, 0x35).hue }, { L"#00FF00", 120.0 }, { L"gris", std::nullopt } };
    const std::vector<Pixel> system = Pixels(base.file, base.index, SHOWN);
    for (const auto& [text, hue] : colours) {
        SCOPED_TRACE(Utf8(text));
        Design design;
        COLORREF colour = 0;
        ASSERT_TRUE(ReadColour(text, colour));
        design.colour = colour;
        for (const Outcome& outcome : Change(design))
            ASSERT_EQ(outcome.error, static_cast<DWORD>(ERROR_SUCCESS));
        const std::wstring made = MadeFile(folder);
        EXPECT_EQ(made, Wide(folder) + L"\\couleur-" + ColourDigits(colour) + L".ico");
        EXPECT_NE(MadeFile(other), made);
        EXPECT_EQ(Attributes(Utf8(made)), static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));
        EXPECT_EQ(HeldSizes(made.c_str(), 0), (std::vector<int>{ 16, 24, 32, 48, 64, 256 }));
        const std::vector<Pixel> coloured = Pixels(made, 0, SHOWN);
        ASSERT_EQ(coloured.size(), system.size());
        int saturated = 0;
        for (size_t i = 0; i < system.size(); ++i) {
            EXPECT_EQ(coloured[i].alpha, system[i].alpha) << i;
            const Hsl was = HslAt(system[i]);
            const Hsl now = HslAt(coloured[i]);
            if (system[i].alpha > 0 && was.saturation > 0.35) {
                ++saturated;
                if (hue) {
                    EXPECT_LE(HueApart(now.hue, *hue), 10.0) << i;
                } else {
                    EXPECT_LT(now.saturation, 0.05) << i;
                }
            } else if (was.saturation < 0.08) {
                EXPECT_EQ(std::make_tuple(now.hue, now.saturation, now.lightness),
                          std::make_tuple(was.hue, was.saturation, was.lightness)) << i;
            }
        }
        EXPECT_GT(saturated, SHOWN * SHOWN / 8);
    }
    Change(Design(), IconChange::Default);
    EXPECT_FALSE(Exists(Utf8(Wide(folder) + L"\\couleur-" + ColourDigits(RGB(0x75, 0x75, 0x75)) + L".ico")));
    EXPECT_EQ(ProfileValue(folder + "\\desktop.ini", ".ShellClassInfo", "IconFile"), "");
}

// The emblem covers the lower-right corner, about half the icon; the rest is
// the coloured folder as it is without one.
TEST_F(DesignTest, EmblemCoversTheLowerRightCornerOfTheColouredFolder)
{
    Design plain;
    plain.colour = NAMED_COLOURS[0].value;
    Design marked = plain;
    marked.emblemFile = Wide(square);
    for (const int size : { 16, SHOWN }) {
        SCOPED_TRACE(size);
        std::vector<BYTE> without;
        std::vector<BYTE> with;
        ASSERT_TRUE(DesignPixels(plain, TargetKind::Folder, size, without));
        ASSERT_TRUE(DesignPixels(marked, TargetKind::Folder, size, with));
        const int corner = size == 16 ? 9 : 16;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const size_t at = (static_cast<size_t>(y) * size + x) * 4;
                const std::vector<BYTE> pixel(with.begin() + at, with.begin() + at + 4);
                if (x >= size - corner && y >= size - corner) {
                    EXPECT_EQ(pixel, (std::vector<BYTE>{ 255, 0, 0, 255 })) << x << "," << y;
                } else if (x < size - EmblemSide(size) || y < size - EmblemSide(size)) {
                    EXPECT_EQ(pixel, std::vector<BYTE>(without.begin() + at, without.begin() + at + 4));
                }
            }
        }
    }
    ASSERT_EQ(Change(marked)[0].error, static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(MadeFile(folder), Wide(folder) + L"\\couleur-E53935 embleme-bleu.ico");
}

// The colour dialog's answer is one cell in the grid and the previews before
// anything is written; OK writes it; the emblem goes again by the menu.
TEST_F(DesignTest, ColourChosenInTheDialogShowsAsOneCellAndIsWrittenByOk)
{
    FolderIconDialog dialog;
    ASSERT_TRUE(dialog.Create());
    dialog.SelectTarget(Wide(folder).c_str());
    {
        ModalDriver driver;
        driver.Then(ClickButton(IDOK));
        SendMessageA(GetDlgItem(dialog.m_hWnd, IDC_CHOOSE_COLOUR), BM_CLICK, 0, 0);
        EXPECT_TRUE(driver.Done());
    }
    EXPECT_FALSE(Exists(folder + "\\desktop.ini"));
    EXPECT_EQ(SendMessageA(dialog.IconGrid().m_hWnd, LB_GETCOUNT, 0, 0), 1);
    for (const int preview : { IDC_PREVIEW_LARGE, IDC_PREVIEW_SMALL })
        EXPECT_NE(SendDlgItemMessageA(dialog.m_hWnd, preview, STM_GETICON, 0, 0), 0);
    ASSERT_TRUE(dialog.TakeEmblem(Wide(square).c_str(), 0));
    EXPECT_EQ(dialog.CurrentChoice().design.emblemFile, Wide(square));
    SendMessageA(dialog.m_hWnd, WM_COMMAND, IDM_NO_EMBLEM, 0);
    const Choice choice = dialog.CurrentChoice();
    EXPECT_EQ(choice.icon, IconChange::Set);
    EXPECT_EQ(choice.design.colour, NAMED_COLOURS[0].value);
    EXPECT_FALSE(choice.design.HasEmblem());
    SendMessageA(GetDlgItem(dialog.m_hWnd, IDOK), BM_CLICK, 0, 0);
    EXPECT_EQ(MadeFile(folder), Wide(folder) + L"\\couleur-E53935.ico");
}
