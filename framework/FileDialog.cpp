#include "framework/FileDialog.h"
#include "framework/WinApp.h"

const MessageEntry<CFileDialog> CFileDialog::messageTable[] = {
    { WM_NOTIFY, CDN_SELCHANGE, 0, &CFileDialog::OnSelectionChange },
};

// The child template has no id of its own in the dialog base: its name is
// the caller's, in m_ofn.lpTemplateName.
CFileDialog::CFileDialog(BOOL openFileDialog, const wchar_t* defaultExtension, const wchar_t* fileName, DWORD flags,
                         const wchar_t* filter, HWND parent)
    : CDialog(0, parent), m_ofn(), m_openFileDialog(openFileDialog)
{
    m_ofn.lStructSize = sizeof m_ofn;
    m_ofn.hwndOwner = parent;
    m_ofn.hInstance = AfxFindResourceHandle(nullptr, RT_DIALOG);
    m_ofn.lpstrFilter = filter;
    m_ofn.lpstrFile = const_cast<wchar_t*>(fileName);
    m_ofn.lpstrDefExt = defaultExtension;
    m_ofn.Flags = flags | OFN_ENABLEHOOK | OFN_EXPLORER;
    m_ofn.lpfnHook = reinterpret_cast<LPOFNHOOKPROC>(DialogProc);
}

INT_PTR CFileDialog::DoModal()
{
    CreationScope scope(this);
    const BOOL confirmed = m_openFileDialog ? GetOpenFileNameW(&m_ofn) : GetSaveFileNameW(&m_ofn);
    return confirmed ? IDOK : IDCANCEL;
}

bool CFileDialog::OnMessage(Message& m)
{
    return DispatchMessageTable(*this, messageTable, m) || CDialog::OnMessage(m);
}
