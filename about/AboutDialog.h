// The About box: the program's name in bold, two links that light up under
// the mouse and open their target through the shell, the help text, and the
// option that puts the program into the context menu of folders and drives.
#pragma once
#include "framework/Controls.h"
#include "framework/Dialog.h"
#include "resource.h"

// Shared with the links' window procedure, which has no dialog object: the
// colour each link's caption is drawn in, the procedure the links had before
// they were subclassed, and the link drawn as hovered.
extern COLORREF LinkColor1005;
extern COLORREF LinkColor1006;
extern WNDPROC SavedLinkProc;
extern HWND HoveredLink;
// Whether OK of the About box writes the context-menu option: set when the
// box opens by what is stored, and by each click on the option.
extern int AboutDirty;

LRESULT CALLBACK HoverLinkProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

class AboutDialog : public CDialog {
public:
    explicit AboutDialog(HWND owner);
    ~AboutDialog() override;

    bool OnMessage(Message& m) override;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnOK() override { SaveContextMenuOption(); }

private:
    void LoadContextMenuOption();
    // Registers or removes the verbs and records the choice, when there is
    // something to write, then closes the box.
    void SaveContextMenuOption();
    void OnContextMenuOptionClicked(Message&);
    void OpenLink(UINT targetId);
    void DrawLink(const CButton& link, HDC dc, const wchar_t* caption, const COLORREF& colour, int& fitted);
    void MakeFonts();

    void OnMailLink(Message&) { OpenLink(IDS_MAIL_LINK_TARGET); }
    void OnWebLink(Message&) { OpenLink(IDS_WEB_LINK_TARGET); }
    void OnShowHelpText(Message&);
    void OnDrawItem(Message& m);
    void OnSetCursor(Message& m);
    void OnDestroy(Message& m);

    static const MessageEntry<AboutDialog> messageTable[];

    CButton m_contextMenuOption;
    CButton m_webLink;
    CButton m_mailLink;
    HICON m_hIcon = nullptr;
    int m_webLinkFitted = 0;
    int m_mailLinkFitted = 0;
    HFONT m_boldFont = nullptr;
    HFONT m_underlinedFont = nullptr;
};

// The help text shown whole in a read-only edit.
class HelpTextDialog : public CDialog {
public:
    explicit HelpTextDialog(HWND owner);
    ~HelpTextDialog() override;

protected:
    BOOL OnInitDialog() override;

private:
    HICON m_hIcon = nullptr;
};

// Gives a window the program's icon, large and small; answers the small one,
// which the caller destroys once the window is gone.
HICON SetProgramIcons(const CWnd& window);
