// The grid inside the main dialog: its preparation, its cells, what it tells
// the dialog, the dialog's answers, and the handles all of that uses.
#include "GridFixture.h"
#include "harness/RegistryKey.h"
#include "harness/TempFolder.h"
#include "harness/Windows.h"
#include "resource.h"
#include "target/Target.h"

namespace {

using GridInMainDialog = GridFixture;

void Click(HWND list, POINT at)
{
    const LPARAM where = MAKELPARAM(at.x, at.y);
    SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, where);
    SendMessageA(list, WM_LBUTTONUP, 0, where);
}

const COLORREF Paper = RGB(1, 2, 3);
// Where an apply records the icon file among the recent ones.
const char RECENT_KEY[] = "Software\\KORBINEX\\Brisevent";

} // namespace

TEST_F(GridInMainDialog, InitialisationPreparesAnEmptyNotifyingGridAtTheSystemIconSize)
{
    EXPECT_EQ(SystemIconSize.cx, GetSystemMetrics(SM_CXICON));
    EXPECT_EQ(SystemIconSize.cy, GetSystemMetrics(SM_CYICON));
    ASSERT_NE(Grid().m_imageList, nullptr);
    int width = 0;
    int height = 0;
    ImageList_GetIconSize(Grid().m_imageList, &width, &height);
    EXPECT_EQ(width, SystemIconSize.cx);
    EXPECT_EQ(height, SystemIconSize.cy);
    EXPECT_EQ(ImageList_GetImageCount(Grid().m_imageList), 0);
    EXPECT_TRUE(Grid().m_notify);
    EXPECT_STREQ(Grid().m_currentFile, L"");
    EXPECT_TRUE(ItemData(Grid()).empty());
    EXPECT_EQ(Grid().SendMessage(LB_GETITEMHEIGHT), GetSystemMetrics(SM_CYICON) + 9);
}

TEST_F(GridInMainDialog, MeasurementGivesTheSystemIconSizePlusTheMarginForTheGridOnly)
{
    SystemIconSize = { 0, 0 };
    MEASUREITEMSTRUCT item = {};
    item.CtlType = ODT_LISTBOX;
    item.CtlID = IDC_ICON_GRID;
    Message grid = { WM_MEASUREITEM, IDC_ICON_GRID, reinterpret_cast<LPARAM>(&item), 0, false };
    EXPECT_TRUE(dialog.RouteMessage(grid));
    EXPECT_EQ(item.itemWidth, static_cast<UINT>(GetSystemMetrics(SM_CXICON) + 9));
    EXPECT_EQ(item.itemHeight, static_cast<UINT>(GetSystemMetrics(SM_CYICON) + 9));
    EXPECT_EQ(SystemIconSize.cx, GetSystemMetrics(SM_CXICON));
    EXPECT_EQ(SystemIconSize.cy, GetSystemMetrics(SM_CYICON));

    MEASUREITEMSTRUCT other = {};
    other.CtlType = ODT_COMBOBOX;
    other.CtlID = IDC_ICON_FILE;
    Message combo = { WM_MEASUREITEM, IDC_ICON_FILE, reinterpret_cast<LPARAM>(&other), 0, false };
    EXPECT_FALSE(dialog.RouteMessage(combo));
    EXPECT_EQ(other.itemWidth, 0u);
    EXPECT_EQ(other.itemHeight, 0u);
}

TEST_F(GridInMainDialog, ClickOnACellReportsTheChangeAndEnablesApplyAndDefault)
{
    ASSERT_TRUE(Grid().LoadIconFile(Wide(IconFile("three-icons.dll")).c_str(), 0));
    ASSERT_FALSE(IsWindowEnabled(Control(IDC_APPLY)));
    ASSERT_FALSE(IsWindowEnabled(Control(IDC_DEFAULT_ICON)));

    Click(Grid().m_hWnd, CellCentre(2));
    PumpMessages(20);

    EXPECT_EQ(Selection(Grid()), 2);
    EXPECT_EQ(spy->selectionChanges, 1);
    EXPECT_TRUE(IsWindowEnabled(Control(IDC_APPLY)));
    EXPECT_TRUE(IsWindowEnabled(Control(IDC_DEFAULT_ICON)));
}

TEST_F(GridInMainDialog, KeyboardMoveReportsTheChange)
{
    ASSERT_TRUE(Grid().LoadIconFile(Wide(IconFile("eight-icons.dll")).c_str(), 0));
    SetFocus(Grid().m_hWnd);
    Grid().SendMessage(WM_KEYDOWN, VK_RIGHT, 0);
    Grid().SendMessage(WM_KEYUP, VK_RIGHT, 0);
    PumpMessages(20);

    EXPECT_GT(Selection(Grid()), 0);
    EXPECT_EQ(spy->selectionChanges, 1);
    EXPECT_TRUE(IsWindowEnabled(Control(IDC_APPLY)));
}

TEST_F(GridInMainDialog, SelectionSetByTheProgramIsNotReported)
{
    ASSERT_TRUE(Grid().LoadIconFile(Wide(IconFile("three-icons.dll")).c_str(), 1));
    ASSERT_TRUE(Grid().LoadIconFile(Wide(IconFile("three-icons.dll")).c_str(), 2));
    Grid().SendMessage(LB_SETCURSEL, 0);
    PumpMessages(20);

    EXPECT_EQ(spy->selectionChanges, 0);
    EXPECT_FALSE(IsWindowEnabled(Control(IDC_APPLY)));
    EXPECT_FALSE(IsWindowEnabled(Control(IDC_DEFAULT_ICON)));
}

TEST_F(GridInMainDialog, GridThatDoesNotNotifySendsNothingToItsParent)
{
    Grid().m_notify = FALSE;
    ASSERT_TRUE(Grid().LoadIconFile(Wide(IconFile("three-icons.dll")).c_str(), 0));
    Click(Grid().m_hWnd, CellCentre(1));
    Repaint();
    PumpMessages(20);

    EXPECT_EQ(Selection(Grid()), 1);
    EXPECT_EQ(spy->selectionChanges, 0);
    EXPECT_EQ(spy->previews, 0);
    EXPECT_EQ(Preview(IDC_PREVIEW_LARGE), nullptr);
}

TEST_F(GridInMainDialog, SelectedCellShowsItsIconLargeAndSmallInThePreviews)
{
    ASSERT_TRUE(Grid().LoadIconFile(Wide(IconFile("three-icons.dll")).c_str(), 1));
    Repaint();

    EXPECT_EQ(spy->lastPreview, 1u);
    const HICON large = Preview(IDC_PREVIEW_LARGE);
    const HICON small = Preview(IDC_PREVIEW_SMALL);
    EXPECT_EQ(IconSize(large).cx, 32);
    EXPECT_EQ(IconSize(large).cy, 32);
    EXPECT_EQ(IconSize(small).cx, 16);
    EXPECT_EQ(IconSize(small).cy, 16);
    EXPECT_EQ(IconCentreColour(large), IconColour(1));
    EXPECT_EQ(IconCentreColour(small), IconColour(1));

    Click(Grid().m_hWnd, CellCentre(2));
    Repaint();
    EXPECT_EQ(spy->lastPreview, 2u);
    EXPECT_EQ(IconCentreColour(Preview(IDC_PREVIEW_LARGE)), IconColour(2));
}

TEST_F(GridInMainDialog, CellIsFilledWithTheSelectionColourAndShowsItsIcon)
{
    ASSERT_TRUE(Grid().LoadIconFile(Wide(IconFile("three-icons.dll")).c_str(), 1));
    for (const int position : { 1, 2 }) {
        const UINT state = position == 1 ? ODS_SELECTED : 0;
        Canvas canvas(400, 400, Paper);
        DRAWITEMSTRUCT item = DrawRequest(Grid(), position, ODA_DRAWENTIRE, state, canvas.Dc());
        const int previews = spy->previews;
        SendMessageA(dialog.m_hWnd, WM_DRAWITEM, IDC_ICON_GRID, reinterpret_cast<LPARAM>(&item));

        const COLORREF fill = GetSysColor(state ? COLOR_HIGHLIGHT : COLOR_WINDOW);
        const RECT& cell = item.rcItem;
        EXPECT_EQ(canvas.Pixel(cell.left + 1, cell.top + 1), fill) << position;
        EXPECT_EQ(canvas.Pixel(cell.right - 2, cell.bottom - 2), fill) << position;
        EXPECT_EQ(canvas.Pixel(cell.left + 4, cell.top + 4), IconColour(position)) << position;
        EXPECT_EQ(canvas.Pixel(cell.left + 3 + SystemIconSize.cx, cell.top + 3 + SystemIconSize.cy),
                  IconColour(position)) << position;
        EXPECT_EQ(canvas.Pixel(cell.left + 3, cell.top + 3), fill) << position;
        EXPECT_EQ(canvas.Pixel(cell.right, cell.bottom), Paper) << position;
        EXPECT_EQ(spy->previews, previews + (state ? 1 : 0)) << position;
    }
}

TEST_F(GridInMainDialog, FocusAloneOrACellNotInTheListDrawsAndSendsNothing)
{
    ASSERT_TRUE(Grid().LoadIconFile(Wide(IconFile("three-icons.dll")).c_str(), 0));
    PumpMessages(20);
    const int previews = spy->previews;

    Canvas focus(400, 400, Paper);
    DRAWITEMSTRUCT item = DrawRequest(Grid(), 0, ODA_FOCUS, ODS_SELECTED | ODS_FOCUS, focus.Dc());
    SendMessageA(dialog.m_hWnd, WM_DRAWITEM, IDC_ICON_GRID, reinterpret_cast<LPARAM>(&item));
    EXPECT_TRUE(focus.Untouched());

    Canvas outside(400, 400, Paper);
    item = DrawRequest(Grid(), 0, ODA_DRAWENTIRE, ODS_SELECTED, outside.Dc());
    item.itemID = 3;
    SendMessageA(dialog.m_hWnd, WM_DRAWITEM, IDC_ICON_GRID, reinterpret_cast<LPARAM>(&item));
    EXPECT_TRUE(outside.Untouched());

    EXPECT_EQ(spy->previews, previews);
}

TEST_F(GridInMainDialog, RepaintingTheSelectedCellThousandsOfTimesKeepsHandleCountsFlat)
{
    ASSERT_TRUE(Grid().LoadIconFile(Wide(IconFile("three-icons.dll")).c_str(), 1));
    for (int i = 0; i < 20; ++i)
        Repaint();
    const int previews = spy->previews;
    const long gdiBefore = CountGdiObjects();
    const long userBefore = CountUserObjects();

    const int repaints = 2000;
    for (int i = 0; i < repaints; ++i)
        Repaint();

    EXPECT_EQ(spy->previews, previews + repaints);
    // A few objects come and go inside the platform; a leak here would be
    // thousands: two preview icons, a pen and a brush each time.
    EXPECT_LE(CountGdiObjects() - gdiBefore, 20);
    EXPECT_LE(CountUserObjects() - userBefore, 20);
}

// Cell k is the file's icon k, whatever icons before it yield nothing: it
// shows that icon, previews it, and an apply writes it.
TEST_F(GridInMainDialog, IconThatCannotBeExtractedLeavesAnEmptyCellAndEveryLaterIconAtItsPosition)
{
    const ScopedRegistryKey recent(HKEY_CURRENT_USER, RECENT_KEY);
    TempFolder temp;
    const std::string folder = temp / "Vacances";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    const std::string ini = folder + "\\desktop.ini";
    dialog.SelectTarget(Wide(folder).c_str());
    const std::string path = IconFile("gap-icons.dll");
    EXPECT_TRUE(dialog.ChooseIcon(Wide(path).c_str(), 0));
    EXPECT_EQ(ItemData(Grid()), (std::vector<LPARAM>{ 0, 1, 2, 3, 4 }));
    EXPECT_EQ(DrawnIconColour(2), GetSysColor(COLOR_WINDOW));

    for (const int k : { 1, 3, 4 }) {
        Click(Grid().m_hWnd, CellCentre(k));
        Repaint();
        SendMessageA(Control(IDC_APPLY), BM_CLICK, 0, 0);
        const int applied = static_cast<int>(GetPrivateProfileIntA(".ShellClassInfo", "IconIndex", -1, ini.c_str()));
        EXPECT_EQ(applied, k);
        EXPECT_EQ(DrawnIconColour(k), ExtractedIconColour(path, applied)) << k;
        EXPECT_EQ(IconCentreColour(Preview(IDC_PREVIEW_LARGE)), IconColour(k)) << k;
    }
    Target = {};
}

TEST_F(GridInMainDialog, IconsTheImageListRefusesGetNoItemAndAreReleased)
{
    const HIMAGELIST images = Grid().m_imageList;
    Grid().m_imageList = nullptr;
    const long before = CountGdiObjects();
    for (int i = 0; i < 20; ++i) {
        EXPECT_TRUE(Grid().LoadIconFile(Wide(IconFile("eight-icons.dll")).c_str(), 0));
        EXPECT_TRUE(ItemData(Grid()).empty());
        Grid().ClearIcons();
    }
    const long after = CountGdiObjects();
    Grid().m_imageList = images;
    EXPECT_LE(after - before, 20);
}

TEST_F(GridInMainDialog, LoadingScrollingAndClearingAgainAndAgainKeepsHandleCountsFlat)
{
    const auto useTheGrid = [this] {
        EXPECT_TRUE(Grid().LoadIconFile(Wide(IconFile("1024-icons.dll")).c_str(), 0));
        for (const int top : { 0, 341, 682, 1023 }) {
            Grid().SendMessage(LB_SETTOPINDEX, top);
            Repaint();
        }
        EXPECT_TRUE(Grid().LoadIconFile(Wide(IconFile("gap-icons.dll")).c_str(), 4));
        Repaint();
        Grid().ClearIcons();
        Repaint();
    };
    useTheGrid();
    const long gdiBefore = CountGdiObjects();
    const long userBefore = CountUserObjects();
    for (int i = 0; i < 2; ++i)
        useTheGrid();
    // Some fifty icons are taken each time: each one left behind would be
    // two bitmaps and an icon.
    EXPECT_LE(CountGdiObjects() - gdiBefore, 20);
    EXPECT_LE(CountUserObjects() - userBefore, 20);
}

TEST(MainDialogLifetime, ClosingTheDialogReleasesTheGridImagesAndThePreviews)
{
    const auto openShowAndClose = [] {
        FolderIconDialog dialog;
        ASSERT_TRUE(dialog.Create());
        ASSERT_TRUE(dialog.IconGrid().LoadIconFile(Wide(IconFile("eight-icons.dll")).c_str(), 3));
        UpdateWindow(dialog.m_hWnd);
        ASSERT_NE(SendDlgItemMessageA(dialog.m_hWnd, IDC_PREVIEW_LARGE, STM_GETICON, 0, 0), 0);
    };
    openShowAndClose();
    PumpMessages(20);
    const long before = CountGdiObjects();
    for (int i = 0; i < 15; ++i)
        openShowAndClose();
    PumpMessages(20);
    EXPECT_LE(CountGdiObjects() - before, 20);
}
