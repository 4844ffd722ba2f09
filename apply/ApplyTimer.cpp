#include "app/FolderIconDialog.h"
#include "apply/DesktopIni.h"
#include "apply/IniFile.h"
#include "resource.h"

namespace {

// Something may have written into an emptied file since: only a file still
// blank goes.
bool StillEmpty(const std::wstring& file)
{
    IniFile ini;
    return ini.Read(file.c_str()) && ini.IsBlank();
}

} // namespace

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
    for (const std::wstring& file : PendingIniDeletions) {
        if (StillEmpty(file))
            DeleteFileW(file.c_str());
    }
    PendingIniDeletions.clear();
    KillTimer(m_hWnd, ID_APPLY_TIMER);
}
