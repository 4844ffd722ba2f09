#include "app/FolderIconDialog.h"
#include "apply/DesktopIni.h"
#include "resource.h"

void FolderIconDialog::OnApplyTimer(Message& m)
{
    if (m.wParam == ID_APPLY_TIMER) {
        DeleteFileA(PendingIniDeletion);
        KillTimer(m_hWnd, ID_APPLY_TIMER);
    }
    if (m_closeAfterApply)
        CDialog::OnOK();
    m.handled = false;
}
