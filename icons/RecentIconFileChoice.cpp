#include "app/FolderIconDialog.h"
#include "framework/Paths.h"
#include "resource.h"
#include "target/IconLocationText.h"

void FolderIconDialog::PickRecentIconFile()
{
    const int selected = m_iconFile.GetCurSel();
    wchar_t path[PATH_BUFFER_SIZE + 4];
    if (selected < 0 || m_iconFile.GetLBTextLen(selected) >= static_cast<int>(ARRAYSIZE(path)))
        return;
    m_iconFile.GetLBText(selected, path);
    if (!ChooseIcon(path, 0))
        RefuseIconFile();
}

bool FolderIconDialog::TakeTypedIconFile()
{
    // A longer text is refused whole: cut to fit, it could name another file.
    wchar_t file[PATH_BUFFER_SIZE] = L"";
    const bool fits = m_iconFile.GetWindowTextLength() < PATH_BUFFER_SIZE;
    if (fits)
        m_iconFile.GetWindowText(file, PATH_BUFFER_SIZE);
    // The grid's own file, however it is spelt, is taken as it stands.
    wchar_t full[PATH_BUFFER_SIZE];
    if (fits && (SameIgnoringCase(file, m_iconGrid.m_currentFile) ||
                 (FullIconPath(file, nullptr, full) && SameIgnoringCase(full, m_iconGrid.m_currentFile))))
        return true;
    if (fits && ChooseIcon(file, 0))
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
    ::PostMessageW(m_hWnd, WM_SHOW_GRID_FILE, 0, 0);
}

void FolderIconDialog::OnShowGridFile(Message&)
{
    m_iconFile.SetWindowText(m_iconGrid.m_currentFile);
}
