#include "app/FolderIconApp.h"
#include "app/FolderIconDialog.h"

BOOL FolderIconApp::InitInstance()
{
    FolderIconDialog dialog;
    m_pMainWnd = &dialog;
    dialog.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}
