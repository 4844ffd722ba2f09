#include "app/FolderIconDialog.h"
#include "apply/DesktopIni.h"
#include "icons/IconExtraction.h"
#include "target/Target.h"
#include <shellapi.h>
#include <cstdio>

namespace {

// The icon of a folder or drive root. The associated-icon call may put the
// path of some program into its buffer, so it works on a copy and the
// target's path stays as it is. Where it finds no icon for a folder or a
// drive root, as Wine's finds none for any of them, the shell's own image
// of the target stands in.
HICON TargetIcon(const char* path)
{
    char located[PATH_BUFFER_SIZE];
    lstrcpynA(located, path, sizeof located);
    const HICON icon = ExtractAssociatedIconA(GetModuleHandleA(nullptr), located, &ShownIconIndex);
    if (icon)
        return icon;
    SHFILEINFOA info = {};
    if (!SHGetFileInfoA(path, 0, &info, sizeof info, SHGFI_ICON | SHGFI_LARGEICON))
        return nullptr;
    return info.hIcon;
}

// Where the target's icon comes from, as the shell reports it. For a folder
// with a desktop.ini Wine reports a broken file name; the file's own keys
// then say where the icon comes from.
IconLocation CurrentIcon(const char* path)
{
    IconLocation icon = {};
    SHFILEINFOA info = {};
    if (SHGetFileInfoA(path, 0, &info, sizeof info, SHGFI_ICONLOCATION)) {
        lstrcpynA(icon.file, info.szDisplayName, sizeof icon.file);
        icon.index = info.iIcon;
    }
    if (IconCount(icon.file) == 0)
        ReadCustomIcon(path, icon);
    return icon;
}

} // namespace

void FolderIconDialog::ShowTarget(const char* path, const char* displayName)
{
    m_targetName.SetWindowText(displayName);

    const HICON icon = TargetIcon(path);
    if (!icon)
        return;
    const HICON replaced =
        reinterpret_cast<HICON>(m_targetIcon.SendMessage(STM_SETICON, reinterpret_cast<WPARAM>(icon)));
    if (replaced && replaced != icon)
        DestroyIcon(replaced);
    m_shownIcon = icon;

    SHFILEINFOA info = {};
    SHGetFileInfoA(path, 0, &info, sizeof info, SHGFI_SYSICONINDEX);
    Target.oldImageIndex = LOWORD(info.iIcon);

    const IconLocation current = CurrentIcon(path);
    ShowIconLocation(current.file, current.index);
    ChooseIcon(current.file, current.index);

    // Shown in UTF-16, so that a text the code page cannot hold is not
    // turned into question marks, and kept as the edit holds it: only a
    // change by the user is written back.
    m_infoTip.SetWindowTextW(ReadInfoTip(path).c_str());
    m_shownInfoTip = InfoTipText();

    // Setting the infotip and choosing the icon both enabled Apply on the
    // way; what was just read is nothing to apply.
    const IconLocation& standard = DefaultIconFor(Target.kind);
    const bool showsDefault = lstrcmpiA(standard.file, current.file) == 0 &&
                              static_cast<int>(m_iconGrid.SendMessage(LB_GETCURSEL)) == standard.index;
    m_defaultIcon.EnableWindow(!showsDefault);
    m_browseIconFile.EnableWindow(TRUE);
    m_apply.EnableWindow(FALSE);
}

// The hidden edit holds the icon's location as text, the caret after it.
void FolderIconDialog::ShowIconLocation(const char* file, int index)
{
    char full[PATH_BUFFER_SIZE];
    const DWORD length = GetFullPathNameA(file, sizeof full, full, nullptr);
    char text[PATH_BUFFER_SIZE + 16];
    snprintf(text, sizeof text, "%s, %d", length > 0 && length < sizeof full ? full : file, index);
    m_iconLocation.SetWindowText(text);
    const LRESULT end = m_iconLocation.SendMessage(EM_LINELENGTH, static_cast<WPARAM>(-1));
    m_iconLocation.SendMessage(EM_SETSEL, static_cast<WPARAM>(end), end);
}
