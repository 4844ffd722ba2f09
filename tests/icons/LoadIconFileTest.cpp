// Filling the grid from icon files: what it lists, what it selects, when it
// reads the file and when it leaves everything as it was.
#include "GridFixture.h"
#include "harness/TempFolder.h"
#include "harness/Windows.h"
#include "icons/IconExtraction.h"
#include <string>
#include <vector>

namespace {

using LoadIconFile = GridFixture;

std::vector<LPARAM> Positions(int count)
{
    std::vector<LPARAM> positions;
    for (int i = 0; i < count; ++i)
        positions.push_back(i);
    return positions;
}

std::string Upper(std::string text)
{
    CharUpperBuffA(&text[0], static_cast<DWORD>(text.size()));
    return text;
}

// Everything a test compares before and after a load that must change nothing.
struct Shown {
    std::vector<LPARAM> items;
    int selection;
    std::wstring file;
    int images;
};

Shown WhatIsShown(IconListBox& grid)
{
    return { ItemData(grid), Selection(grid), grid.m_currentFile, ImageList_GetImageCount(grid.m_imageList) };
}

void ExpectSame(const Shown& before, const Shown& after)
{
    EXPECT_EQ(after.items, before.items);
    EXPECT_EQ(after.selection, before.selection);
    EXPECT_EQ(after.file, before.file);
    EXPECT_EQ(after.images, before.images);
}

} // namespace

TEST_F(LoadIconFile, IcoFileIsOneIconWhateverImagesItHolds)
{
    for (const char* name : { "one.ico", "three-images.ico" }) {
        const std::string path = IconFile(name);
        ASSERT_TRUE(Grid().LoadIconFile(Wide(path).c_str(), 0)) << name;
        EXPECT_EQ(ItemData(Grid()), Positions(1)) << name;
        EXPECT_EQ(Selection(Grid()), 0) << name;
        EXPECT_EQ(Grid().m_currentFile, Wide(path)) << name;
        EXPECT_EQ(DrawnIconColour(0), IconColour(0)) << name;
    }
}

TEST_F(LoadIconFile, ListsEveryIconOfALibraryInFileOrderAndSelectsTheIndex)
{
    const std::string path = IconFile("three-icons.dll");
    ASSERT_TRUE(Grid().LoadIconFile(Wide(path).c_str(), 1));
    EXPECT_EQ(ItemData(Grid()), Positions(3));
    EXPECT_EQ(Selection(Grid()), 1);
    EXPECT_EQ(Grid().m_currentFile, Wide(path));
    ASSERT_EQ(ImageList_GetImageCount(Grid().m_imageList), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(DrawnIconColour(i), IconColour(i)) << "cell " << i;
}

TEST_F(LoadIconFile, LargeFilesAreListedWhole)
{
    for (const int count : { 1024, 1500 }) {
        SCOPED_TRACE(count);
        const std::wstring path = Wide(IconFile((std::to_string(count) + "-icons.dll").c_str()));
        ASSERT_TRUE(Grid().LoadIconFile(path.c_str(), count - 1));
        EXPECT_EQ(ItemData(Grid()), Positions(count));
        EXPECT_EQ(Selection(Grid()), count - 1);
        ASSERT_EQ(ImageList_GetImageCount(Grid().m_imageList), count);
        for (int i : { 0, 511, count - 1 })
            EXPECT_EQ(DrawnIconColour(i), IconColour(i)) << "cell " << i;
    }
}

// The grid's own extractions alone are counted: the previews that follow the
// selection take icons of their own.
TEST_F(LoadIconFile, IconsAreTakenFromTheFileAsTheirCellsAreFirstDrawn)
{
    Grid().m_notify = FALSE;
    const std::string path = IconFile("1024-icons.dll");
    const long start = IconExtractionCount();
    ASSERT_TRUE(Grid().LoadIconFile(Wide(path).c_str(), 0));
    EXPECT_EQ(IconExtractionCount() - start, 1) << "only the icon that shows the file yields one";

    Repaint();
    Repaint();
    const std::vector<int> shown = CellsOnScreen();
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(IconExtractionCount() - start, static_cast<long>(shown.size()));
    std::vector<int> filled;
    for (int i = 0; i < 1024; ++i) {
        if (ImageCentreColour(Grid().m_imageList, i) == IconColour(i))
            filled.push_back(i);
    }
    EXPECT_EQ(filled, shown);

    PageToTheEnd();
    EXPECT_EQ(IconExtractionCount() - start, 1024);
    int seen = 0;
    for (int i : CellsOnScreen()) {
        const COLORREF shown = ShownIconColour(i);
        if (shown == CLR_INVALID)
            continue;
        EXPECT_EQ(shown, IconColour(i)) << "cell " << i << " on screen";
        ++seen;
    }
    EXPECT_GE(seen, 6);
    for (int i : { 0, shown.back(), shown.back() + 1, 511, 1023 })
        EXPECT_EQ(DrawnIconColour(i), ExtractedIconColour(path, i)) << "cell " << i;
    EXPECT_EQ(IconExtractionCount() - start, 1024);
}

// A monochrome icon keeps its picture in its mask, not in a colour bitmap.
TEST_F(LoadIconFile, MonochromeIconIsShownAsThePlatformExtractsIt)
{
    const std::string monochrome = IconFile("monochrome.ico");
    ASSERT_TRUE(Grid().LoadIconFile(Wide(monochrome).c_str(), 0));
    EXPECT_EQ(DrawnIconColour(0), RGB(0, 0, 0));
    EXPECT_EQ(DrawnIconColour(0), ExtractedIconColour(monochrome, 0));
}

TEST_F(LoadIconFile, AnotherFileReplacesTheWholeList)
{
    ASSERT_TRUE(Grid().LoadIconFile(Wide(IconFile("eight-icons.dll")).c_str(), 5));
    ASSERT_TRUE(Grid().LoadIconFile(Wide(IconFile("three-icons.dll")).c_str(), 2));
    EXPECT_EQ(ItemData(Grid()), Positions(3));
    EXPECT_EQ(Selection(Grid()), 2);
    EXPECT_EQ(ImageList_GetImageCount(Grid().m_imageList), 3);
    EXPECT_EQ(Grid().m_currentFile, Wide(IconFile("three-icons.dll")));
}

// The file shown, in any letter case, is not read again while it stays as
// it was checked; changed on disk, it is checked again before it is read,
// whether it is loaded anew or its cells are drawn.
TEST_F(LoadIconFile, FileShownIsCheckedAndReadAgainOnlyOnceItHasChanged)
{
    TempFolder folder;
    const std::string path = folder / "Icons.dll";
    ASSERT_TRUE(CopyFileA(IconFile("three-icons.dll").c_str(), path.c_str(), FALSE));
    Grid().m_notify = FALSE;
    ASSERT_TRUE(Grid().LoadIconFile(Wide(path).c_str(), 0));
    const long asked = IconExtractionCount();
    ASSERT_TRUE(Grid().LoadIconFile(Wide(Upper(path)).c_str(), 0));
    EXPECT_EQ(IconExtractionCount(), asked);
    EXPECT_EQ(Grid().m_currentFile, Wide(path));

    ASSERT_TRUE(CopyFileA(IconFile("eight-icons.dll").c_str(), path.c_str(), FALSE));
    ASSERT_TRUE(Grid().LoadIconFile(Wide(Upper(path)).c_str(), 2));
    EXPECT_EQ(ItemData(Grid()), Positions(8));

    ASSERT_TRUE(CopyFileA(IconFile("root-claims-many.dll").c_str(), path.c_str(), FALSE));
    const long broken = IconExtractionCount();
    Repaint();
    EXPECT_EQ(IconExtractionCount(), broken);
}

TEST_F(LoadIconFile, AfterClearingTheSameFileIsReadAnew)
{
    TempFolder folder;
    const std::string path = folder / "Icons.dll";
    ASSERT_TRUE(CopyFileA(IconFile("three-icons.dll").c_str(), path.c_str(), FALSE));
    ASSERT_TRUE(Grid().LoadIconFile(Wide(path).c_str(), 1));

    Grid().ClearIcons();
    EXPECT_TRUE(ItemData(Grid()).empty());
    EXPECT_EQ(Selection(Grid()), LB_ERR);
    EXPECT_STREQ(Grid().m_currentFile, L"");
    EXPECT_EQ(ImageList_GetImageCount(Grid().m_imageList), 0);

    ASSERT_TRUE(CopyFileA(IconFile("eight-icons.dll").c_str(), path.c_str(), FALSE));
    ASSERT_TRUE(Grid().LoadIconFile(Wide(path).c_str(), 1));
    EXPECT_EQ(ItemData(Grid()), Positions(8));
}

// A file whose header lies about what it holds counts as one without icons:
// the platform's reader is never given it, since it would read past its end.
TEST_F(LoadIconFile, FileWithoutIconsLeavesListSelectionAndFileAsTheyWere)
{
    TempFolder folder;
    const std::string text = folder / "notes.txt";
    const HANDLE file = CreateFileA(text.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, "pas une ic\xf4ne\r\n", 15, &written, nullptr);
    CloseHandle(file);
    const std::string emptyFolder = folder.Path();
    const std::string missing = folder / "missing.dll";
    const std::string tooLong = folder / (std::string(300, 'x') + ".dll");
    const std::string cutExecutable = folder / "coupe.dll";
    const HANDLE cut = CreateFileA(cutExecutable.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    WriteFile(cut, "MZ\x90\0\3\0\0\0\4\0", 10, &written, nullptr);
    CloseHandle(cut);
    std::vector<std::string> refused = { text, missing, emptyFolder, tooLong, std::string(), cutExecutable };
    for (const char* malformed : MALFORMED_ICON_FILES)
        refused.push_back(PathBesideTests(malformed));

    ASSERT_TRUE(Grid().LoadIconFile(Wide(IconFile("three-icons.dll")).c_str(), 2));
    const Shown before = WhatIsShown(Grid());
    for (const std::string& path : refused) {
        EXPECT_FALSE(Grid().LoadIconFile(Wide(path).c_str(), 0)) << path;
        ExpectSame(before, WhatIsShown(Grid()));
    }
}

TEST_F(LoadIconFile, EmptyPathOnAClearedGridIsNoFile)
{
    EXPECT_FALSE(Grid().LoadIconFile(L"", 0));
    EXPECT_TRUE(ItemData(Grid()).empty());
    EXPECT_EQ(Selection(Grid()), LB_ERR);
}
