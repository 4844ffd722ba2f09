// The About box: its taskbar presence, fonts, links fitted and drawn, hover
// colours, and the help text it opens.
#include "about/AboutDialog.h"
#include "app/FolderIconDialog.h"
#include "harness/ModalDriver.h"
#include "harness/Windows.h"
#include <gtest/gtest.h>
#include <tuple>
#include <vector>

namespace {

LOGFONTA FontOf(HWND window)
{
    LOGFONTA font = {};
    GetObjectA(reinterpret_cast<HGDIOBJ>(SendMessageA(window, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font;
}

RECT RectIn(HWND window, HWND parent)
{
    RECT rect;
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// A hidden About box: nothing draws in it but what a test asks for.
class AboutBox : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(about.Create()); }
    HWND Item(int id) const { return GetDlgItem(about.m_hWnd, id); }
    void Draw(int id, UINT action, HDC dc)
    {
        DRAWITEMSTRUCT item = { ODT_BUTTON, static_cast<UINT>(id), 0, action, 0, Item(id), dc, {}, 0 };
        SendMessageA(about.m_hWnd, WM_DRAWITEM, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&item));
    }

    AboutDialog about{ nullptr };
};

} // namespace

TEST(AboutBoxOwner, TaskbarButtonOnlyWhileTheOwnerIsHidden)
{
    const HWND hidden = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 9, 9, nullptr, nullptr, nullptr, nullptr);
    AboutDialog first(hidden);
    ASSERT_TRUE(first.Create());
    EXPECT_TRUE(GetWindowLongA(first.m_hWnd, GWL_EXSTYLE) & WS_EX_APPWINDOW);

    FolderIconDialog dialog;
    ASSERT_TRUE(dialog.Create());
    LONG exStyle = -1;
    ModalDriver driver;
    driver.Then(Inspect([&](HWND box) { exStyle = GetWindowLongA(box, GWL_EXSTYLE); })).Then(CloseBox("A propos de Brisevent"));
    SendMessageA(GetDlgItem(dialog.m_hWnd, IDC_ABOUT), BM_CLICK, 0, 0);
    EXPECT_TRUE(driver.Done());
    EXPECT_FALSE(exStyle & WS_EX_APPWINDOW);
    first.DestroyWindow();
    DestroyWindow(hidden);
}

TEST_F(AboutBox, BoldTitleAndLinksFittedToTheirUnderlinedCaptionsOnTheirFirstDraw)
{
    EXPECT_EQ(FontOf(Item(IDC_PRODUCT_NAME)).lfWeight, FW_BOLD);
    const HDC dc = CreateCompatibleDC(nullptr);
    const HBITMAP bitmap = CreateBitmap(300, 30, 1, 32, nullptr);
    const HGDIOBJ previous = SelectObject(dc, bitmap);
    for (auto [id, captionId] : { std::pair{ IDC_MAIL_LINK, IDS_MAIL_LINK_CAPTION }, std::pair{ IDC_WEB_LINK, IDS_WEB_LINK_CAPTION } }) {
        const LOGFONTA font = FontOf(Item(id));
        EXPECT_TRUE(font.lfUnderline);
        EXPECT_EQ(font.lfWeight, FontOf(about.m_hWnd).lfWeight);
        char caption[STRING_BUFFER_SIZE] = "";
        LoadStringA(GetModuleHandleA(nullptr), captionId, caption, sizeof caption);
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(Item(id), WM_GETFONT, 0, 0)));
        SIZE extent;
        GetTextExtentPoint32A(dc, caption, lstrlenA(caption), &extent);
        const RECT before = RectIn(Item(id), about.m_hWnd);
        // Pixels of the caption's box that are not white, or that are in the text colour.
        auto count = [&](bool textColour) {
            int n = 0;
            for (int x = 0; x < extent.cx; ++x)
                for (int y = 0; y < extent.cy; ++y)
                    n += textColour ? GetPixel(dc, x, y) == GetSysColor(COLOR_WINDOWTEXT) : GetPixel(dc, x, y) != RGB(255, 255, 255);
            return n;
        };
        // Only a whole draw paints, and the first one only fits the link.
        for (UINT action : { ODA_DRAWENTIRE, ODA_SELECT, ODA_FOCUS }) {
            PatBlt(dc, 0, 0, 300, 30, WHITENESS);
            Draw(id, action, dc);
            EXPECT_EQ(count(false), 0) << id;
        }
        const RECT fitted = RectIn(Item(id), about.m_hWnd);
        EXPECT_EQ(fitted.right - fitted.left, extent.cx + 3);
        EXPECT_EQ(std::vector<LONG>({ fitted.left, fitted.top, fitted.bottom }), std::vector<LONG>({ before.left, before.top, before.bottom }));
        Draw(id, ODA_DRAWENTIRE, dc);
        EXPECT_GT(count(true), 0) << id;
    }
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

TEST_F(AboutBox, HoverColourMovesFromLinkToLinkAndGoesOverTheBox)
{
    const COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
    const COLORREF blue = RGB(0, 0, 255);
    const HCURSOR hand = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_LINK_CURSOR));
    const HWND mail = Item(IDC_MAIL_LINK);
    const HWND web = Item(IDC_WEB_LINK);
    // Where the mouse is, then the colours of links 1005 and 1006, and whether the hand shows.
    const std::tuple<HWND, HWND, COLORREF, COLORREF, bool> steps[] = {
        { mail, mail, blue, text, true }, { web, web, text, blue, true },
        { mail, mail, blue, text, true }, { about.m_hWnd, Item(IDOK), text, text, false },
    };
    for (const auto& [window, target, mailColour, webColour, showsHand] : steps) {
        SendMessageA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(target), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_EQ(std::make_pair(LinkColor1005, LinkColor1006), std::make_pair(mailColour, webColour));
        EXPECT_EQ(GetCursor() == hand, showsHand);
    }
}

TEST_F(AboutBox, HelpButtonShowsExactlyTheBytesOfTheHelpResource)
{
    const HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(IDR_HELP_TEXT), RT_HELP_TEXT);
    const std::string resource(static_cast<const char*>(LockResource(LoadResource(nullptr, found))), SizeofResource(nullptr, found));
    EXPECT_EQ(resource.size(), 2548u);
    std::vector<char> shown(4096, '\0');
    int length = -1;
    ModalDriver driver;
    driver.Then(Inspect([&](HWND help) { length = GetWindowTextA(GetDlgItem(help, IDC_HELP_TEXT), shown.data(), 4096); }))
        .Then(ClickButton(IDOK, "Informations sur Ostravel"));
    ShowWindow(about.m_hWnd, SW_SHOW);
    SendMessageA(Item(IDC_SHOW_HELP_TEXT), BM_CLICK, 0, 0);
    EXPECT_TRUE(driver.Done());
    EXPECT_EQ(std::string(shown.data(), static_cast<size_t>(length)), resource);
}
