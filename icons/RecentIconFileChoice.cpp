#include "app/FolderIconDialog.h"
#include "resource.h"

void FolderIconDialog::PickRecentIconFile()
{
    const int selected = m_iconFile.GetCurSel();
    char path[PATH_BUFFER_SIZE + 4];
    if (selected < 0 || m_iconFile.GetLBTextLen(selected) >= static_cast<int>(sizeof path))
        return;
    m_iconFile.GetLBText(selected, path);
    ChooseIcon(path, 0);
}
