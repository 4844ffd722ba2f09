#include "app/FolderIconDialog.h"
#include "apply/DesktopIni.h"
#include "resource.h"

void FolderIconDialog::OnApplyTimer(Message& m)
{
    if (m.wParam == ID_APPLY_TIMER)
        DeletePendingIniFiles();
    if (m_closeAfterApply)
        CDialog::OnOK();
    m.handled = false;
}

void FolderIconDialog::DeletePendingIniFiles()
{
    for (const std::wstring& file : PendingIniDeletions)
        DeleteIfStillBlank(file.c_str());
    PendingIniDeletions.clear();
    KillTimer(m_hWnd, ID_APPLY_TIMER);
}
