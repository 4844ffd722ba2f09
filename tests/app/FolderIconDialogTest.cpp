// The main dialog as it opens, and how it closes.
#include "app/FolderIconApp.h"
#include "app/FolderIconDialog.h"
#include "harness/FirstRun.h"
#include "harness/LocalAppData.h"
#include "harness/ModalDriver.h"
#include "harness/RegistryKey.h"
#include "harness/Windows.h"
#include "resource.h"
#include <gtest/gtest.h>

namespace {

const char MAIN_TITLE[] = "Changer l'ic\xf4ne du dossier";

struct ExpectedControl {
    int id;
    const char* className;
    const char* text;
    DWORD style;    // as the template gives it; compared through `stable`
    DWORD exStyle;
};

// Template 102, in template order (which is the tab order).
const ExpectedControl MAIN_CONTROLS[] = {
    { IDOK,                 "Button",   "OK",                     0x50010001, 0 },
    { IDCANCEL,             "Button",   "Annuler",                0x50010000, 0 },
    { IDC_APPLY,            "Button",   "&Appliquer",             0x58010000, 0 },
    { IDC_OTHER_FOLDER,     "Button",   "Autre &dossier...",      0x50010000, 0 },
    { IDC_ICON_LOCATION,    "Edit",     "",                       0x40000880, 0 },
    { IDC_BROWSE_ICON_FILE, "Button",   "&Parcourir...",          0x58010000, 0 },
    { IDC_DEFAULT_ICON,     "Button",   "--> d\xe9" "&faut",      0x58010000, 0 },
    { IDC_CHOOSE_COLOUR,    "Button",   "Co&uleur...",            0x58010000, 0 },
    { IDC_CHOOSE_EMBLEM,    "Button",   "&Embl\xe8me...",          0x58010000, 0 },
    { IDC_ICON_GRID,        "ListBox",  "",                       0x50911311, 0 },
    { IDC_ABOUT,            "Button",   "A p&ropos...",           0x50010000, 0 },
    { IDC_COVERS,           "Button",   "Cou&vertures...",        0x58010000, 0 },
    { IDC_TARGET_ICON,      "Static",   "",                       0x50000003, 0 },
    { IDC_PREVIEW_LARGE,    "Static",   "",                       0x50000803, 0 },
    { IDC_PREVIEW_SMALL,    "Static",   "",                       0x50000803, 0 },
    { IDC_INFOTIP,          "Edit",     "",                       0x50810080, WS_EX_ACCEPTFILES },
    { 0xFFFF,               "Static",   "Aper\xe7u de l'ic\xf4ne s\xe9lectionn\xe9" "e :", 0x50020001, 0 },
    { IDC_INFOTIP_LABEL,    "Static",   "Infotip : tapez ici un texte qui s'affichera quand le curseur passera sur le dossier.", 0x50020000, 0 },
    { IDC_ICON_FILE,        "ComboBox", "",                       0x50210042, 0 },
    { IDC_TARGET_NAME,      "Static",   "",                       0x50020000, 0 },
    { IDC_REBUILD_CACHE,    "Button",   "Re&construire",          0x50010000, 0 },
    { 0xFFFF,               "Static",   "Si les ic\xf4nes semblent corrompues, cliquer sur ce bouton :", 0x50020000, 0 },
    { 0xFFFF,               "Static",   "",                       0x50000010, 0 },
    { 0xFFFF,               "Static",   "",                       0x50000010, 0 },
    { 0xFFFF,               "Static",   "",                       0x50000010, 0 },
    { IDC_UNDO,             "Button",   "D\xe9" "fa&ire",          0x58010000, 0 },
};

// The dialog manager and the controls adjust a few bits of their own: the
// border of an edit or a list becomes a 3-D edge, and a combo box hands its
// vertical scroll bar to its drop-down list. Every other bit is as given.
DWORD Stable(DWORD style, const std::string& className)
{
    if (className == "Edit" || className == "ListBox")
        return style & ~WS_BORDER;
    if (className == "ComboBox")
        return style & ~WS_VSCROLL;
    return style;
}

class MainDialog : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dialog.Create()); }
    HWND Item(int id) const { return GetDlgItem(dialog.m_hWnd, id); }

    // No recent file of an earlier test's in the combo box.
    ScopedRegistryKey settings{ HKEY_CURRENT_USER, "Software\\KORBINEX\\Brisevent" };
    // Nothing to take back: the changes of other tests stay theirs.
    ScopedLocalAppData emptyHistory;
    FolderIconDialog dialog;
};

SIZE IconSize(HICON icon)
{
    ICONINFO info = {};
    SIZE size = { 0, 0 };
    if (!icon || !GetIconInfo(icon, &info))
        return size;
    BITMAP bitmap = {};
    GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    size.cx = bitmap.bmWidth;
    size.cy = info.hbmColor ? bitmap.bmHeight : bitmap.bmHeight / 2;
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return size;
}

} // namespace

TEST_F(MainDialog, OpensWithEveryControlOfItsTemplateInOrder)
{
    const std::vector<HWND> children = ChildWindows(dialog.m_hWnd);
    ASSERT_EQ(children.size(), sizeof MAIN_CONTROLS / sizeof MAIN_CONTROLS[0]);
    for (size_t i = 0; i < children.size(); ++i) {
        const ExpectedControl& expected = MAIN_CONTROLS[i];
        const HWND child = children[i];
        SCOPED_TRACE("control " + std::to_string(i) + ", id " + std::to_string(expected.id));
        EXPECT_EQ(GetDlgCtrlID(child) & 0xFFFF, expected.id);
        EXPECT_STRCASEEQ(ClassName(child).c_str(), expected.className);
        if (ClassName(child) != "ComboBox") {
            EXPECT_EQ(WindowText(child), expected.text);
        }
        const DWORD style = static_cast<DWORD>(GetWindowLongA(child, GWL_STYLE));
        EXPECT_EQ(Stable(style, expected.className), Stable(expected.style, expected.className))
            << std::hex << "style " << style;
        EXPECT_EQ(GetWindowLongA(child, GWL_EXSTYLE) & WS_EX_ACCEPTFILES, static_cast<LONG>(expected.exStyle));
    }
}

TEST_F(MainDialog, HasItsTitleFontAndAcceptsDroppedFiles)
{
    EXPECT_EQ(WindowText(dialog.m_hWnd), MAIN_TITLE);
    const LONG style = GetWindowLongA(dialog.m_hWnd, GWL_STYLE);
    EXPECT_EQ(style & (WS_POPUP | WS_CAPTION | WS_SYSMENU), WS_POPUP | WS_CAPTION | WS_SYSMENU);
    EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
    const LONG exStyle = GetWindowLongA(dialog.m_hWnd, GWL_EXSTYLE);
    EXPECT_EQ(exStyle & (WS_EX_ACCEPTFILES | WS_EX_APPWINDOW), WS_EX_ACCEPTFILES | WS_EX_APPWINDOW);

    const HFONT font = reinterpret_cast<HFONT>(SendMessageA(dialog.m_hWnd, WM_GETFONT, 0, 0));
    ASSERT_NE(font, nullptr);
    LOGFONTA logical = {};
    ASSERT_TRUE(GetObjectA(font, sizeof logical, &logical));
    EXPECT_STRCASEEQ(logical.lfFaceName, "COMIC SANS MS");
    const HDC screen = GetDC(nullptr);
    EXPECT_EQ(logical.lfHeight, -MulDiv(8, GetDeviceCaps(screen, LOGPIXELSY), 72));
    ReleaseDC(nullptr, screen);
    EXPECT_FALSE(logical.lfItalic);
    EXPECT_EQ(SendMessageA(Item(IDC_INFOTIP), WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(font));
}

TEST_F(MainDialog, StartsWithNothingChosenAndOnlyTheCommandsThatNeedNoTarget)
{
    for (int id : { IDOK, IDCANCEL, IDC_OTHER_FOLDER, IDC_ICON_GRID, IDC_ABOUT, IDC_INFOTIP, IDC_ICON_FILE, IDC_REBUILD_CACHE })
        EXPECT_TRUE(IsWindowEnabled(Item(id))) << id;
    for (int id : { IDC_APPLY, IDC_BROWSE_ICON_FILE, IDC_DEFAULT_ICON, IDC_CHOOSE_COLOUR, IDC_CHOOSE_EMBLEM, IDC_COVERS, IDC_UNDO })
        EXPECT_FALSE(IsWindowEnabled(Item(id))) << id;
    EXPECT_FALSE(IsWindowVisible(Item(IDC_ICON_LOCATION)));
    EXPECT_EQ(WindowText(Item(IDCANCEL)), "Annuler");
    for (int id : { IDC_TARGET_NAME, IDC_INFOTIP, IDC_ICON_FILE, IDC_ICON_LOCATION })
        EXPECT_EQ(WindowText(Item(id)), "") << id;
    EXPECT_EQ(SendMessageA(Item(IDC_ICON_GRID), LB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(SendMessageA(Item(IDC_ICON_FILE), CB_GETCOUNT, 0, 0), 0);
    for (int id : { IDC_TARGET_ICON, IDC_PREVIEW_LARGE, IDC_PREVIEW_SMALL })
        EXPECT_EQ(SendMessageA(Item(id), STM_GETICON, 0, 0), 0) << id;
}

TEST_F(MainDialog, ShowsTheApplicationIconAndDragsItsSmallImage)
{
    const HICON big = reinterpret_cast<HICON>(SendMessageA(dialog.m_hWnd, WM_GETICON, ICON_BIG, 0));
    const HICON small = reinterpret_cast<HICON>(SendMessageA(dialog.m_hWnd, WM_GETICON, ICON_SMALL, 0));
    EXPECT_EQ(IconSize(big).cx, GetSystemMetrics(SM_CXICON));
    EXPECT_EQ(IconSize(small).cx, SMALL_ICON_SIZE);
    EXPECT_EQ(IconSize(small).cy, SMALL_ICON_SIZE);
    EXPECT_EQ(SendMessageA(dialog.m_hWnd, WM_QUERYDRAGICON, 0, 0), reinterpret_cast<LRESULT>(small));
}

TEST_F(MainDialog, PaintsItsIconItselfOnlyWhileMinimised)
{
    Message paint = { WM_PAINT, 0, 0, 0, false };
    EXPECT_FALSE(dialog.RouteMessage(paint));
    ShowWindow(dialog.m_hWnd, SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(dialog.m_hWnd));
    Message minimised = { WM_PAINT, 0, 0, 0, false };
    EXPECT_TRUE(dialog.RouteMessage(minimised));
}

namespace {

// Runs the main dialog modally with the given answer and reports how it ended.
class ClosingMainDialog : public ::testing::Test {
protected:
    INT_PTR RunWith(ModalDriver::Step step, bool enableApply = false)
    {
        FolderIconDialog dialog;
        ModalDriver driver;
        if (enableApply)
            driver.Then([](HWND window) { return EnableWindow(GetDlgItem(window, IDC_APPLY), TRUE), true; });
        driver.Then(std::move(step));
        const INT_PTR result = dialog.DoModal();
        EXPECT_TRUE(driver.Done());
        EXPECT_FALSE(driver.TimedOut());
        return result;
    }

    void TearDown() override
    {
        EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, "Software\\KORBINEX"));
        // The first-run marker stays as the run made it: nothing is written there.
        const std::vector<BYTE> option = ReadRegistryData(HKEY_CURRENT_USER, MARKER_KEY, "MenuContextuel").data;
        EXPECT_EQ(std::string(option.begin(), option.end()), std::string("2", 2));
    }

    ScopedRegistryKey recentFiles{ HKEY_CURRENT_USER, "Software\\KORBINEX" };
};

} // namespace

TEST_F(ClosingMainDialog, OkOrEnterWithNothingToApplyEndsWithOk)
{
    EXPECT_EQ(RunWith(ClickButton(IDOK, MAIN_TITLE)), IDOK);
    EXPECT_EQ(RunWith(PressKey(VK_RETURN, MAIN_TITLE)), IDOK);
}

TEST_F(ClosingMainDialog, CancelEscapeAndTheCloseBoxEndWithCancel)
{
    EXPECT_EQ(RunWith(ClickButton(IDCANCEL, MAIN_TITLE)), IDCANCEL);
    EXPECT_EQ(RunWith(PressKey(VK_ESCAPE, MAIN_TITLE)), IDCANCEL);
    EXPECT_EQ(RunWith(CloseBox(MAIN_TITLE)), IDCANCEL);
}

TEST_F(ClosingMainDialog, CancelEscapeAndTheCloseBoxApplyNothingEvenWithApplyEnabled)
{
    EXPECT_EQ(RunWith(ClickButton(IDCANCEL, MAIN_TITLE), true), IDCANCEL);
    EXPECT_EQ(RunWith(PressKey(VK_ESCAPE, MAIN_TITLE), true), IDCANCEL);
    EXPECT_EQ(RunWith(CloseBox(MAIN_TITLE), true), IDCANCEL);
}

TEST(FolderIconApplication, RunsTheMainDialogOnceAndAsksForNoMessageLoop)
{
    FolderIconApp application;
    CWnd* mainWindowWhileRunning = nullptr;
    ModalDriver driver;
    driver.Then([&](HWND window) {
        mainWindowWhileRunning = application.m_pMainWnd;
        EXPECT_EQ(mainWindowWhileRunning ? mainWindowWhileRunning->m_hWnd : nullptr, window);
        return true;
    });
    driver.Then(ClickButton(IDCANCEL, MAIN_TITLE));
    EXPECT_FALSE(application.InitInstance());
    EXPECT_NE(mainWindowWhileRunning, nullptr);
    EXPECT_EQ(application.m_pMainWnd, nullptr);
    EXPECT_TRUE(driver.Done());
}
