#include "framework/Dialog.h"
#include "framework/WinApp.h"

namespace {

// The dialog being created on this thread. Messages that reach the dialog
// procedure before its window is bound (WM_SETFONT, WM_MEASUREITEM of an
// owner-drawn fixed list, WM_INITDIALOG itself) find their object here.
thread_local CDialog* t_dialogInCreation = nullptr;

// The messages whose answer a dialog procedure returns itself instead of
// storing it in DWLP_MSGRESULT.
bool ReturnsAnswerDirectly(UINT message)
{
    switch (message) {
    case WM_INITDIALOG:
    case WM_QUERYDRAGICON:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return true;
    default:
        return false;
    }
}

} // namespace

void DDX_Control(CDataExchange* dx, int id, CWnd& control)
{
    control.m_hWnd = dx->m_dialog.GetDlgItem(id);
    dx->m_dialog.m_boundControls.push_back(&control);
}

const MessageEntry<CDialog> CDialog::messageTable[] = {
    { WM_INITDIALOG, 0,          0,        &CDialog::OnInitDialogMessage },
    { WM_COMMAND,    BN_CLICKED, IDOK,     &CDialog::OnOKCommand },
    { WM_COMMAND,    BN_CLICKED, IDCANCEL, &CDialog::OnCancelCommand },
};

CDialog::CreationScope::CreationScope(CDialog* dialog) : m_previous(t_dialogInCreation)
{
    t_dialogInCreation = dialog;
}

CDialog::CreationScope::~CreationScope()
{
    t_dialogInCreation = m_previous;
}

CDialog::CDialog(UINT templateId, HWND parent) : m_templateId(templateId), m_parent(parent) {}

CDialog::~CDialog()
{
    if (m_hWnd)
        DestroyWindow();
}

INT_PTR CDialog::DoModal()
{
    const LPCWSTR name = MAKEINTRESOURCEW(m_templateId);
    CreationScope scope(this);
    return DialogBoxParamW(AfxFindResourceHandle(name, RT_DIALOG), name, m_parent, DialogProc, 0);
}

bool CDialog::Create()
{
    const LPCWSTR name = MAKEINTRESOURCEW(m_templateId);
    CreationScope scope(this);
    return CreateDialogParamW(AfxFindResourceHandle(name, RT_DIALOG), name, m_parent, DialogProc, 0) != nullptr;
}

BOOL CDialog::DestroyWindow()
{
    return ::DestroyWindow(m_hWnd);
}

BOOL CDialog::OnInitDialog()
{
    CDataExchange dx(*this);
    DoDataExchange(&dx);
    return TRUE;
}

bool CDialog::OnMessage(Message& m)
{
    return DispatchMessageTable(*this, messageTable, m);
}

void CDialog::OnInitDialogMessage(Message& m)
{
    m.result = OnInitDialog();
}

bool CDialog::RouteMessage(Message& m)
{
    CWnd* control = ReflectionTarget(m);
    if (control && control->OnChildNotify(m))
        return true;
    return OnMessage(m);
}

CWnd* CDialog::BoundControl(HWND control) const
{
    if (!control)
        return nullptr;
    for (CWnd* bound : m_boundControls) {
        if (bound->m_hWnd == control)
            return bound;
    }
    return nullptr;
}

CWnd* CDialog::ReflectionTarget(const Message& m) const
{
    switch (m.message) {
    case WM_COMMAND:
        return BoundControl(reinterpret_cast<HWND>(m.lParam));
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(m.lParam);
        return item->CtlType == ODT_MENU ? nullptr : BoundControl(item->hwndItem);
    }
    case WM_MEASUREITEM: {
        const auto* item = reinterpret_cast<const MEASUREITEMSTRUCT*>(m.lParam);
        return item->CtlType == ODT_MENU ? nullptr : BoundControl(GetDlgItem(static_cast<int>(item->CtlID)));
    }
    default:
        return nullptr;
    }
}

void CDialog::Detach()
{
    for (CWnd* bound : m_boundControls)
        bound->m_hWnd = nullptr;
    m_boundControls.clear();
    m_hWnd = nullptr;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* dialog = reinterpret_cast<CDialog*>(GetWindowLongPtrW(window, DWLP_USER));
    if (!dialog) {
        // The object is found the same way whoever creates the window: a
        // common dialog hands its child's WM_INITDIALOG a parameter of its own.
        dialog = t_dialogInCreation;
        if (!dialog)
            return FALSE;
        dialog->m_hWnd = window;
        if (message == WM_INITDIALOG)
            SetWindowLongPtrW(window, DWLP_USER, reinterpret_cast<LONG_PTR>(dialog));
    }

    // A C++ exception must not unwind through the window manager.
    try {
        Message m = { message, wParam, lParam, 0, false };
        const bool handled = dialog->RouteMessage(m);
        if (message == WM_NCDESTROY) {
            dialog->Detach();
            SetWindowLongPtrW(window, DWLP_USER, 0);
        }
        if (!handled)
            return FALSE;
        if (ReturnsAnswerDirectly(message))
            return static_cast<INT_PTR>(m.result);
        SetWindowLongPtrW(window, DWLP_MSGRESULT, m.result);
        return TRUE;
    } catch (...) {
        return FALSE;
    }
}
