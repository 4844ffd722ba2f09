// The About box: its taskbar presence, fonts, links fitted and drawn, hover
// colours, and the help text it opens.
#include "about/AboutDialog.h"
#include "app/FolderIconDialog.h"
#include "harness/ModalDriver.h"
#include "harness/Windows.h"
#include "resource.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <vector>

namespace {

const char ABOUT_TITLE[] = "A propos de Brisevent";
const char HELP_TITLE[] = "Informations sur Ostravel";

LOGFONTA FontOf(HWND window)
{
    LOGFONTA font = {};
    GetObjectA(reinterpret_cast<HGDIOBJ>(SendMessageA(window, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font;
}

// A bitmap of the test's own, filled with one colour, for a link to draw on.
class Canvas {
public:
    Canvas() : m_dc(CreateCompatibleDC(nullptr))
    {
        BITMAPINFO info = {};
        info.bmiHeader = { sizeof(BITMAPINFOHEADER), WIDTH, -HEIGHT, 1, 32, BI_RGB, 0, 0, 0, 0, 0 };
        void* bits = nullptr;
        m_bitmap = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        m_pixels = static_cast<DWORD*>(bits);
        m_previous = SelectObject(m_dc, m_bitmap);
        std::fill(m_pixels, m_pixels + WIDTH * HEIGHT, FILL);
    }
    ~Canvas()
    {
        SelectObject(m_dc, m_previous);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC Dc() const { return m_dc; }
    int Changed() const
    {
        GdiFlush();
        return static_cast<int>(std::count_if(m_pixels, m_pixels + WIDTH * HEIGHT, [](DWORD p) { return p != FILL; }));
    }
    bool Holds(COLORREF colour) const
    {
        GdiFlush();
        const DWORD wanted = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
        return std::any_of(m_pixels, m_pixels + WIDTH * HEIGHT, [=](DWORD p) { return (p & 0xFFFFFF) == wanted; });
    }

private:
    static constexpr int WIDTH = 300;
    static constexpr int HEIGHT = 40;
    static constexpr DWORD FILL = 0x00808080;
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_previous;
    DWORD* m_pixels = nullptr;
};

// A hidden About box: nothing draws in it but what a test asks for.
class AboutBox : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(about.Create()); }
    HWND Item(int id) const { return GetDlgItem(about.m_hWnd, id); }

    void Draw(int id, UINT action, HDC dc)
    {
        DRAWITEMSTRUCT item = {};
        item.CtlType = ODT_BUTTON;
        item.CtlID = static_cast<UINT>(id);
        item.itemAction = action;
        item.hwndItem = Item(id);
        item.hDC = dc;
        GetClientRect(item.hwndItem, &item.rcItem);
        SendMessageA(about.m_hWnd, WM_DRAWITEM, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&item));
    }
    void SetCursorOver(HWND window)
    {
        SendMessageA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    }

    AboutDialog about{ nullptr };
};

RECT ClientRectIn(HWND window, HWND parent)
{
    RECT rect;
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

} // namespace

TEST(AboutBoxOwner, TaskbarButtonOnlyWhileTheOwnerIsHidden)
{
    const HWND hidden = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    {
        AboutDialog about(hidden);
        ASSERT_TRUE(about.Create());
        EXPECT_TRUE(GetWindowLongA(about.m_hWnd, GWL_EXSTYLE) & WS_EX_APPWINDOW);
    }
    DestroyWindow(hidden);

    FolderIconDialog dialog;
    ASSERT_TRUE(dialog.Create());
    LONG exStyle = -1;
    HWND owner = nullptr;
    ModalDriver driver;
    driver.Then(Inspect([&](HWND window) {
              owner = GetWindow(window, GW_OWNER);
              exStyle = GetWindowLongA(window, GWL_EXSTYLE);
          }))
        .Then(CloseBox(ABOUT_TITLE));
    SendMessageA(GetDlgItem(dialog.m_hWnd, IDC_ABOUT), BM_CLICK, 0, 0);
    EXPECT_TRUE(driver.Done());
    EXPECT_EQ(owner, dialog.m_hWnd);
    EXPECT_FALSE(exStyle & WS_EX_APPWINDOW);
}

TEST_F(AboutBox, TitleIsBoldAndLinksAreUnderlinedAtTheNormalWeight)
{
    const LOGFONTA dialogFont = FontOf(about.m_hWnd);
    EXPECT_EQ(FontOf(Item(IDC_PRODUCT_NAME)).lfWeight, FW_BOLD);
    for (int id : { IDC_MAIL_LINK, IDC_WEB_LINK }) {
        const LOGFONTA font = FontOf(Item(id));
        EXPECT_TRUE(font.lfUnderline) << id;
        EXPECT_EQ(font.lfWeight, dialogFont.lfWeight) << id;
        EXPECT_STRCASEEQ(font.lfFaceName, dialogFont.lfFaceName);
    }
}

TEST_F(AboutBox, FirstDrawFitsEachLinkToItsCaptionAndTheNextShowsIt)
{
    struct Link {
        int id;
        UINT caption;
    };
    for (const Link& link : { Link{ IDC_MAIL_LINK, IDS_MAIL_LINK_CAPTION }, Link{ IDC_WEB_LINK, IDS_WEB_LINK_CAPTION } }) {
        SCOPED_TRACE(link.id);
        const HWND button = Item(link.id);
        const RECT before = ClientRectIn(button, about.m_hWnd);
        char caption[STRING_BUFFER_SIZE] = "";
        LoadStringA(GetModuleHandleA(nullptr), link.caption, caption, sizeof caption);
        ASSERT_NE(caption[0], '\0');

        Canvas canvas;
        SelectObject(canvas.Dc(), reinterpret_cast<HGDIOBJ>(SendMessageA(button, WM_GETFONT, 0, 0)));
        SIZE extent;
        GetTextExtentPoint32A(canvas.Dc(), caption, lstrlenA(caption), &extent);

        Draw(link.id, ODA_DRAWENTIRE, canvas.Dc());
        EXPECT_EQ(canvas.Changed(), 0);
        const RECT fitted = ClientRectIn(button, about.m_hWnd);
        EXPECT_EQ(fitted.left, before.left);
        EXPECT_EQ(fitted.top, before.top);
        EXPECT_EQ(fitted.bottom - fitted.top, before.bottom - before.top);
        EXPECT_EQ(fitted.right - fitted.left, extent.cx + 3);

        Draw(link.id, ODA_SELECT, canvas.Dc());
        Draw(link.id, ODA_FOCUS, canvas.Dc());
        EXPECT_EQ(canvas.Changed(), 0);

        Draw(link.id, ODA_DRAWENTIRE, canvas.Dc());
        EXPECT_TRUE(canvas.Holds(GetSysColor(COLOR_WINDOWTEXT)));
        const RECT after = ClientRectIn(button, about.m_hWnd);
        EXPECT_EQ(after.right - after.left, fitted.right - fitted.left);
    }
}

TEST_F(AboutBox, HoverColourMovesFromLinkToLinkAndLeavesOverTheBox)
{
    const COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
    const HCURSOR hand = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_LINK_CURSOR));
    EXPECT_EQ(LinkColor1005, text);
    EXPECT_EQ(LinkColor1006, text);

    SetCursorOver(Item(IDC_MAIL_LINK));
    EXPECT_EQ(LinkColor1005, LINK_HOVER_COLOUR);
    EXPECT_EQ(LinkColor1006, text);
    EXPECT_EQ(GetCursor(), hand);

    SetCursorOver(Item(IDC_WEB_LINK));
    EXPECT_EQ(LinkColor1005, text);
    EXPECT_EQ(LinkColor1006, LINK_HOVER_COLOUR);
    EXPECT_EQ(HoveredLink, Item(IDC_WEB_LINK));
    EXPECT_EQ(GetCursor(), hand);

    SetCursorOver(Item(IDC_MAIL_LINK));
    EXPECT_EQ(LinkColor1005, LINK_HOVER_COLOUR);
    EXPECT_EQ(LinkColor1006, text);

    SendMessageA(about.m_hWnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(Item(IDOK)), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(LinkColor1005, text);
    EXPECT_EQ(LinkColor1006, text);
    EXPECT_EQ(HoveredLink, nullptr);
    EXPECT_NE(GetCursor(), hand);
}

TEST_F(AboutBox, HelpButtonShowsExactlyTheBytesOfTheHelpResource)
{
    const HMODULE module = GetModuleHandleA(nullptr);
    const HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(IDR_HELP_TEXT), RT_HELP_TEXT);
    ASSERT_NE(found, nullptr);
    const std::string resource(static_cast<const char*>(LockResource(LoadResource(module, found))),
                               SizeofResource(module, found));
    EXPECT_EQ(resource.size(), 2548u);
    EXPECT_EQ(resource.substr(resource.size() - 2), "\r\n");

    std::string shown;
    ModalDriver driver;
    driver.Then([&](HWND window) {
              if (WindowText(window) != HELP_TITLE)
                  return false;
              std::vector<char> text(resource.size() * 2, '\0');
              shown.assign(text.data(), GetWindowTextA(GetDlgItem(window, IDC_HELP_TEXT), text.data(),
                                                       static_cast<int>(text.size())));
              return true;
          })
        .Then(ClickButton(IDOK, HELP_TITLE));
    ShowWindow(about.m_hWnd, SW_SHOW);
    SendMessageA(Item(IDC_SHOW_HELP_TEXT), BM_CLICK, 0, 0);
    EXPECT_TRUE(driver.Done());
    EXPECT_EQ(shown, resource);
}
