#include "app/FolderIconDialog.h"
#include "apply/ReportError.h"
#include "target/Target.h"
#include <shellapi.h>

namespace {

// What the shell shows for a folder now: after the write it is told to
// redraw that image, as for the folder shown, whose image was kept when it
// was shown.
DWORD SystemImageIndex(const wchar_t* folder)
{
    SHFILEINFOW info = {};
    SHGetFileInfoW(folder, 0, &info, sizeof info, SHGFI_SYSICONINDEX);
    return static_cast<DWORD>(info.iIcon);
}

} // namespace

size_t FolderIconDialog::ApplyToEachFolder(const IconChoice& choice, bool& deletionDeferred)
{
    std::vector<FailedFolder> failed;
    m_holdFailures = true;
    if (!ApplyTo(Target.path, Target.oldImageIndex, choice, deletionDeferred))
        failed.push_back({ Target.path, m_heldError });
    for (const std::wstring& folder : m_otherFolders) {
        if (!ApplyTo(folder.c_str(), SystemImageIndex(folder.c_str()), choice, deletionDeferred))
            failed.push_back({ folder, m_heldError });
    }
    m_holdFailures = false;
    if (!failed.empty())
        ReportFailedFolders(m_hWnd, failed);
    return failed.size();
}
