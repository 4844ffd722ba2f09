#include "app/FolderIconDialog.h"

bool FolderIconDialog::ChooseIcon(const char* file, int index)
{
    if (!m_iconGrid.LoadIconFile(file, index))
        return false;
    m_iconFile.SetWindowText(file);
    const int length = lstrlenA(file);
    m_iconFile.SendMessage(CB_SETEDITSEL, 0, MAKELPARAM(length, length));
    m_apply.EnableWindow(TRUE);
    m_defaultIcon.EnableWindow(TRUE);
    m_iconGrid.SendMessage(LB_SETCURSEL, static_cast<WPARAM>(index));
    return true;
}
