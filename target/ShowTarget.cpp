#include "app/FolderIconDialog.h"
#include "apply/DesktopIni.h"
#include "apply/DriveIcon.h"
#include "framework/Paths.h"
#include "icons/IconExtraction.h"
#include "icons/IconResourceId.h"
#include "target/IconLocationText.h"
#include "target/Target.h"
#include <shellapi.h>
#include <cstdio>

namespace {

// The image the platform gives a folder or drive root, where its icon's
// location yields none. The associated-icon call may put the path of some
// program into its buffer, so it works on a copy and the target's path stays
// as it is. Where it finds no icon for a folder or a drive root, as Wine's
// finds none for any of them, the shell's own image of the target stands in.
HICON PlatformIcon(const wchar_t* path)
{
    wchar_t located[PATH_BUFFER_SIZE];
    lstrcpynW(located, path, ARRAYSIZE(located));
    const HICON icon = ExtractAssociatedIconW(GetModuleHandleW(nullptr), located, &ShownIconIndex);
    if (icon)
        return icon;
    SHFILEINFOW info = {};
    if (!SHGetFileInfoW(path, 0, &info, sizeof info, SHGFI_ICON | SHGFI_LARGEICON))
        return nullptr;
    return info.hIcon;
}

// A drive with an icon of its own, or a folder whose desktop.ini the shell
// reads (it must be System or Read-only), names its icon itself. Wine's
// shell reads neither, and finds a relative IconFile from the program's
// folder, so the program reads them as the shell should.
bool OwnIcon(const wchar_t* path, TargetKind kind, IconLocation& icon)
{
    if (kind == TargetKind::Drive)
        return ReadDriveIcon(path[0], icon);
    const DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & (FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY)) != 0 && ReadCustomIcon(path, icon) &&
           IconCount(icon.file) > 0;
}

// Where the target's icon comes from, as the shell reports it, its file
// found as the shell finds it and its index made a position. Where that
// names no file with icons (Wine reports a broken name for a folder with a
// desktop.ini), the file's own keys say where the icon comes from.
IconLocation ReportedIcon(const wchar_t* path)
{
    IconLocation icon = {};
    SHFILEINFOW info = {};
    if (SHGetFileInfoW(path, 0, &info, sizeof info, SHGFI_ICONLOCATION)) {
        wchar_t full[PATH_BUFFER_SIZE];
        lstrcpynW(icon.file, FullIconPath(info.szDisplayName, nullptr, full) ? full : info.szDisplayName,
                  ARRAYSIZE(icon.file));
        icon.index = IconPosition(icon.file, info.iIcon);
    }
    if (IconCount(icon.file) == 0)
        ReadCustomIcon(path, icon);
    return icon;
}

// The folders taken with the one shown may have icons of their own where
// the one shown has none.
bool AnyHasOwnIcon(const std::vector<std::wstring>& folders)
{
    const IconLocation& standard = DefaultIconFor(TargetKind::Folder);
    for (const std::wstring& folder : folders) {
        IconLocation icon = {};
        if (OwnIcon(folder.c_str(), TargetKind::Folder, icon) &&
            !(standard.index >= 0 && SameIgnoringCase(standard.file, icon.file) && icon.index == standard.index))
            return true;
    }
    return false;
}

// The icon at a location, as the target's own image; null when it yields none.
HICON IconAt(const IconLocation& icon)
{
    HICON large = nullptr;
    return icon.index >= 0 && ExtractIcons(icon.file, icon.index, &large, nullptr, 1) == 1 ? large : nullptr;
}

} // namespace

void FolderIconDialog::ShowTarget(const wchar_t* path, const wchar_t* displayName)
{
    m_iconChosen = false;
    m_targetName.SetWindowText(displayName);

    // The icon is taken from where the target's icon comes from, as the
    // grid takes it: the platform's image of a customised target is the
    // stock one where its shell does not read the customisation, and asking
    // for the shell's image builds the system's image list, which is slow
    // under Wine.
    IconLocation current = {};
    if (!OwnIcon(path, Target.kind, current))
        current = ReportedIcon(path);
    HICON icon = IconAt(current);
    if (!icon)
        icon = PlatformIcon(path);
    if (!icon)
        return;
    const HICON replaced =
        reinterpret_cast<HICON>(m_targetIcon.SendMessage(STM_SETICON, reinterpret_cast<WPARAM>(icon)));
    if (replaced && replaced != icon)
        DestroyIcon(replaced);
    m_shownIcon = icon;

    ShowIconLocation(current.file, current.index);
    // The icon shown is the target's own: nobody has chosen it.
    ChooseIcon(current.file, current.index);
    m_iconChosen = false;

    // Kept as the edit holds it: only a change by the user is written back.
    m_infoTip.SetWindowText(ReadInfoTip(path).c_str());
    m_shownInfoTip = InfoTipText();

    // Setting the infotip and choosing the icon both enabled Apply on the
    // way; what was just read is nothing to apply.
    const IconLocation& standard = DefaultIconFor(Target.kind);
    const bool showsDefault = standard.index >= 0 && SameIgnoringCase(standard.file, current.file) &&
                              static_cast<int>(m_iconGrid.SendMessage(LB_GETCURSEL)) == standard.index;
    m_defaultIcon.EnableWindow(!showsDefault || AnyHasOwnIcon(m_otherFolders));
    m_browseIconFile.EnableWindow(TRUE);
    m_chooseColour.EnableWindow(TRUE);
    m_chooseEmblem.EnableWindow(TRUE);
    m_covers.EnableWindow(TRUE);
    m_apply.EnableWindow(FALSE);
}

// The hidden edit holds the icon's location as text, the caret after it.
void FolderIconDialog::ShowIconLocation(const wchar_t* file, int index)
{
    wchar_t full[PATH_BUFFER_SIZE];
    const DWORD length = GetFullPathNameW(file, ARRAYSIZE(full), full, nullptr);
    wchar_t text[PATH_BUFFER_SIZE + 16];
    swprintf(text, ARRAYSIZE(text), L"%ls, %d", length > 0 && length < ARRAYSIZE(full) ? full : file, index);
    m_iconLocation.SetWindowText(text);
    const LRESULT end = m_iconLocation.SendMessage(EM_LINELENGTH, static_cast<WPARAM>(-1));
    m_iconLocation.SendMessage(EM_SETSEL, static_cast<WPARAM>(end), end);
}
