#include "app/FolderIconDialog.h"
#include "framework/CodePage.h"
#include "resource.h"

void FolderIconDialog::PickRecentIconFile()
{
    const int selected = m_iconFile.GetCurSel();
    char path[PATH_BUFFER_SIZE + 4];
    if (selected < 0 || m_iconFile.GetLBTextLen(selected) >= static_cast<int>(sizeof path))
        return;
    m_iconFile.GetLBText(selected, path);
    if (!ChooseIcon(path, 0))
        RefuseIconFile();
}

bool FolderIconDialog::TakeTypedIconFile()
{
    // Typed text is taken as the user typed it: a look-alike in the code
    // page would be another file.
    wchar_t typed[PATH_BUFFER_SIZE + 4] = L"";
    char file[PATH_BUFFER_SIZE] = "";
    const bool exact = m_iconFile.GetWindowTextLengthW() < PATH_BUFFER_SIZE &&
                       (m_iconFile.GetWindowTextW(typed, PATH_BUFFER_SIZE), ToCodePageExactly(typed, file, sizeof file));
    if (exact && lstrcmpiA(file, m_iconGrid.m_currentFile) == 0)
        return true;
    if (exact && ChooseIcon(file, 0))
        return true;
    RefuseIconFile();
    return false;
}

// A drop-down combo box writes the chosen entry into its edit field only
// after telling of the choice, so the grid's file is put back once that is
// done.
void FolderIconDialog::RefuseIconFile()
{
    ReportNoIcon();
    ::PostMessageA(m_hWnd, WM_SHOW_GRID_FILE, 0, 0);
}

void FolderIconDialog::OnShowGridFile(Message&)
{
    m_iconFile.SetWindowText(m_iconGrid.m_currentFile);
}
