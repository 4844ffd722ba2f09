#include "app/FolderIconDialog.h"
#include "target/IconLocationText.h"

// The file is taken by its full path, found as the icon reader finds it: a
// bare or relative name would be read from the target's folder once stored.
bool FolderIconDialog::ChooseIcon(const wchar_t* file, int index)
{
    wchar_t full[PATH_BUFFER_SIZE];
    if (!FullIconPath(file, nullptr, full) || !m_iconGrid.LoadIconFile(full, index))
        return false;
    m_design = Design();
    m_iconFile.SetWindowText(full);
    const int length = lstrlenW(full);
    m_iconFile.SendMessage(CB_SETEDITSEL, 0, MAKELPARAM(length, length));
    m_iconChosen = true;
    m_apply.EnableWindow(TRUE);
    m_defaultIcon.EnableWindow(TRUE);
    m_iconGrid.SendMessage(LB_SETCURSEL, static_cast<WPARAM>(index));
    return true;
}
