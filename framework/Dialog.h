// Dialogs built on a template of the program's resources, modal or modeless.
#pragma once
#include "framework/Wnd.h"
#include <vector>

class CDialog;

// Binds the controls of a dialog to member objects while it initialises.
class CDataExchange {
public:
    explicit CDataExchange(CDialog& dialog) : m_dialog(dialog) {}
    CDialog& m_dialog;
};

// Attaches `control` to the dialog's control `id`; from then on the dialog
// reflects that control's notifications and owner-draw requests to it.
void DDX_Control(CDataExchange* dx, int id, CWnd& control);

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, HWND parent = nullptr);
    ~CDialog() override;

    INT_PTR DoModal();
    // Creates the dialog without a message loop of its own; the caller
    // pumps messages and destroys it with DestroyWindow.
    bool Create();
    BOOL DestroyWindow();
    BOOL EndDialog(INT_PTR result) const { return ::EndDialog(m_hWnd, result); }

    // Routes one message as the dialog procedure does: first to the bound
    // control it concerns, then through the message tables. False means
    // that the dialog manager's default handling takes it.
    bool RouteMessage(Message& m);

    bool OnMessage(Message& m) override;

protected:
    // While it lives, this is the dialog being created on this thread: the
    // messages that reach the dialog procedure before its window is bound
    // find their object there.
    class CreationScope {
    public:
        explicit CreationScope(CDialog* dialog);
        ~CreationScope();
        CreationScope(const CreationScope&) = delete;
        CreationScope& operator=(const CreationScope&) = delete;

    private:
        CDialog* m_previous;
    };

    // The one procedure of every dialog of the program, and the hook of the
    // common dialogs' child templates.
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    virtual void DoDataExchange(CDataExchange*) {}
    virtual BOOL OnInitDialog();
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }

private:
    friend void DDX_Control(CDataExchange* dx, int id, CWnd& control);

    CWnd* BoundControl(HWND control) const;
    CWnd* ReflectionTarget(const Message& m) const;
    void Detach();

    void OnInitDialogMessage(Message& m);
    void OnOKCommand(Message&) { OnOK(); }
    void OnCancelCommand(Message&) { OnCancel(); }

    static const MessageEntry<CDialog> messageTable[];

    UINT m_templateId;
    HWND m_parent;
    std::vector<CWnd*> m_boundControls;
};
