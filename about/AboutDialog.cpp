#include "about/AboutDialog.h"
#include "app/FolderIconDialog.h"
#include "framework/WinApp.h"
#include <shellapi.h>
#include <vector>

COLORREF LinkColor1005 = 0;
COLORREF LinkColor1006 = 0;
WNDPROC SavedLinkProc = nullptr;
HWND HoveredLink = nullptr;

namespace {

// The colour variable of a link, found by its control id.
COLORREF* LinkColor(HWND link)
{
    switch (GetDlgCtrlID(link)) {
    case IDC_MAIL_LINK:
        return &LinkColor1005;
    case IDC_WEB_LINK:
        return &LinkColor1006;
    default:
        return nullptr;
    }
}

void PaintLink(HWND link, COLORREF colour)
{
    if (COLORREF* variable = LinkColor(link))
        *variable = colour;
    InvalidateRect(link, nullptr, TRUE);
}

// The link no longer under the mouse goes back to the colour of plain text.
void LeaveHoveredLink()
{
    if (!HoveredLink)
        return;
    PaintLink(HoveredLink, GetSysColor(COLOR_WINDOWTEXT));
    HoveredLink = nullptr;
}

} // namespace

// A link hears of the mouse only through WM_SETCURSOR: it lights up when the
// mouse comes onto it, and puts out the link the mouse came from.
LRESULT CALLBACK HoverLinkProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_SETCURSOR)
        return CallWindowProcW(SavedLinkProc, window, message, wParam, lParam);
    if (window != HoveredLink) {
        PaintLink(window, LINK_HOVER_COLOUR);
        if (HoveredLink)
            PaintLink(HoveredLink, GetSysColor(COLOR_WINDOWTEXT));
        HoveredLink = window;
    }
    const LPCWSTR hand = MAKEINTRESOURCEW(IDR_LINK_CURSOR);
    SetCursor(LoadCursorW(AfxFindResourceHandle(hand, RT_GROUP_CURSOR), hand));
    return 0;
}

HICON SetProgramIcons(const CWnd& window)
{
    const LPCWSTR name = MAKEINTRESOURCEW(IDI_BRISEVENT);
    const HINSTANCE instance = AfxFindResourceHandle(name, RT_GROUP_ICON);
    window.SetIcon(LoadIconW(instance, name), TRUE);
    const HICON small = static_cast<HICON>(LoadImageW(instance, name, IMAGE_ICON, SMALL_ICON_SIZE, SMALL_ICON_SIZE,
                                                      LR_DEFAULTCOLOR));
    window.SetIcon(small, FALSE);
    return small;
}

const MessageEntry<AboutDialog> AboutDialog::messageTable[] = {
    { WM_COMMAND,   BN_CLICKED, IDC_MAIL_LINK,      &AboutDialog::OnMailLink },
    { WM_COMMAND,   BN_CLICKED, IDC_WEB_LINK,       &AboutDialog::OnWebLink },
    { WM_COMMAND,   BN_CLICKED, IDC_SHOW_HELP_TEXT, &AboutDialog::OnShowHelpText },
    { WM_DRAWITEM,  0,          0,                  &AboutDialog::OnDrawItem },
    { WM_SETCURSOR, 0,          0,                  &AboutDialog::OnSetCursor },
    { WM_DESTROY,   0,          0,                  &AboutDialog::OnDestroy },
    { WM_COMMAND,   BN_CLICKED, IDC_CONTEXT_MENU_OPTION, &AboutDialog::OnContextMenuOptionClicked },
};

AboutDialog::AboutDialog(HWND owner) : CDialog(IDD_ABOUT, owner) {}

AboutDialog::~AboutDialog()
{
    // The window shows the icon until it is gone.
    if (m_hWnd)
        DestroyWindow();
    if (m_hIcon)
        DestroyIcon(m_hIcon);
}

bool AboutDialog::OnMessage(Message& m)
{
    return DispatchMessageTable(*this, messageTable, m) || CDialog::OnMessage(m);
}

void AboutDialog::DoDataExchange(CDataExchange* dx)
{
    DDX_Control(dx, IDC_CONTEXT_MENU_OPTION, m_contextMenuOption);
    DDX_Control(dx, IDC_WEB_LINK, m_webLink);
    DDX_Control(dx, IDC_MAIL_LINK, m_mailLink);
}

BOOL AboutDialog::OnInitDialog()
{
    CDialog::OnInitDialog();

    // Opened before the main window shows, the box needs a taskbar button
    // of its own, or the user could not find it behind other windows.
    CWnd owner;
    owner.m_hWnd = GetWindow(GW_OWNER);
    if (!owner.IsWindowVisible())
        ModifyStyleEx(0, WS_EX_APPWINDOW);

    m_hIcon = SetProgramIcons(*this);

    m_webLinkFitted = 0;
    m_mailLinkFitted = 0;
    LinkColor1005 = GetSysColor(COLOR_WINDOWTEXT);
    LinkColor1006 = GetSysColor(COLOR_WINDOWTEXT);

    // Window procedures are pointer-sized: a 32-bit read would cut them.
    SavedLinkProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(m_mailLink.m_hWnd, GWLP_WNDPROC));
    if (SavedLinkProc) {
        SetWindowLongPtrW(m_mailLink.m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(HoverLinkProc));
        SetWindowLongPtrW(m_webLink.m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(HoverLinkProc));
    }

    MakeFonts();
    LoadContextMenuOption();
    return TRUE;
}

// The title in bold, and the links underlined at the title's own weight.
void AboutDialog::MakeFonts()
{
    CWnd title;
    title.m_hWnd = GetDlgItem(IDC_PRODUCT_NAME);
    LOGFONTW font = {};
    const HGDIOBJ titleFont = reinterpret_cast<HGDIOBJ>(title.SendMessage(WM_GETFONT));
    if (!GetObjectW(titleFont, sizeof font, &font))
        return;
    const LONG weight = font.lfWeight;
    font.lfWeight = FW_BOLD;
    m_boldFont = CreateFontIndirectW(&font);
    if (m_boldFont)
        title.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_boldFont), TRUE);
    font.lfWeight = weight;
    font.lfUnderline = TRUE;
    m_underlinedFont = CreateFontIndirectW(&font);
    if (m_underlinedFont) {
        m_mailLink.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_underlinedFont), TRUE);
        m_webLink.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_underlinedFont), TRUE);
    }
}

void AboutDialog::OpenLink(UINT targetId)
{
    wchar_t target[STRING_BUFFER_SIZE];
    AfxLoadString(targetId, target);
    ShellExecuteW(nullptr, nullptr, target, nullptr, nullptr, SW_SHOWMAXIMIZED);
}

void AboutDialog::OnShowHelpText(Message&)
{
    HelpTextDialog help(m_hWnd);
    help.DoModal();
}

// Only a whole draw paints: pressing a link or giving it the focus shows no
// change of its own.
void AboutDialog::OnDrawItem(Message& m)
{
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(m.lParam);
    m.result = TRUE;
    if (item->itemAction != ODA_DRAWENTIRE)
        return;
    wchar_t caption[STRING_BUFFER_SIZE];
    if (item->CtlID == IDC_MAIL_LINK) {
        AfxLoadString(IDS_MAIL_LINK_CAPTION, caption);
        DrawLink(m_mailLink, item->hDC, caption, LinkColor1005, m_mailLinkFitted);
    } else if (item->CtlID == IDC_WEB_LINK) {
        AfxLoadString(IDS_WEB_LINK_CAPTION, caption);
        DrawLink(m_webLink, item->hDC, caption, LinkColor1006, m_webLinkFitted);
    }
}

// The first draw makes the link as wide as its caption, so that the mouse
// lights it up only over the text; the repaint that follows draws it.
void AboutDialog::DrawLink(const CButton& link, HDC dc, const wchar_t* caption, const COLORREF& colour, int& fitted)
{
    const int length = lstrlenW(caption);
    if (!fitted) {
        RECT frame;
        link.GetWindowRect(&frame);
        POINT corner = { frame.left, frame.top };
        ScreenToClient(&corner);
        SIZE extent = { 0, 0 };
        GetTextExtentPoint32W(dc, caption, length, &extent);
        fitted = 1;
        link.MoveWindow(corner.x, corner.y, extent.cx + LINK_WIDTH_MARGIN, frame.bottom - frame.top, TRUE);
        return;
    }
    SetTextColor(dc, colour);
    TextOutW(dc, 0, 0, caption, length);
}

// The mouse is over the box or one of its other controls: no link is lit.
void AboutDialog::OnSetCursor(Message& m)
{
    LeaveHoveredLink();
    m.handled = false;
}

void AboutDialog::OnDestroy(Message& m)
{
    DeleteObject(m_boldFont);
    DeleteObject(m_underlinedFont);
    m_boldFont = nullptr;
    m_underlinedFont = nullptr;
    m.handled = false;
}

HelpTextDialog::HelpTextDialog(HWND owner) : CDialog(IDD_HELP_TEXT, owner) {}

HelpTextDialog::~HelpTextDialog()
{
    if (m_hWnd)
        DestroyWindow();
    if (m_hIcon)
        DestroyIcon(m_hIcon);
}

// The resource holds the text without a terminating zero: it is converted
// into a buffer one character longer, and nothing past its size is read.
BOOL HelpTextDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_hIcon = SetProgramIcons(*this);

    const HMODULE module = GetModuleHandleW(nullptr);
    const HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(IDR_HELP_TEXT), RT_HELP_TEXT);
    const HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes)
        return TRUE;
    const DWORD size = SizeofResource(module, found);
    const char* narrow = static_cast<const char*>(bytes);
    const int length = MultiByteToWideChar(HELP_TEXT_CODE_PAGE, 0, narrow, static_cast<int>(size), nullptr, 0);
    std::vector<wchar_t> text(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
    if (length > 0)
        MultiByteToWideChar(HELP_TEXT_CODE_PAGE, 0, narrow, static_cast<int>(size), text.data(), length);
    SetDlgItemTextW(m_hWnd, IDC_HELP_TEXT, text.data());
    return TRUE;
}

void FolderIconDialog::ShowAboutBox()
{
    AboutDialog about(m_hWnd);
    about.DoModal();
}
