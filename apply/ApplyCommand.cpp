#include "app/FolderIconDialog.h"
#include "apply/DesktopIni.h"
#include "apply/DriveIcon.h"
#include "apply/MadeIconFile.h"
#include "framework/Paths.h"
#include "framework/WinApp.h"
#include "icons/IconExtraction.h"
#include "icons/Picture.h"
#include "icons/RecentIconFiles.h"
#include "target/Target.h"
#include <shlobj.h>
#include <vector>

namespace {

bool YieldsIcon(const wchar_t* file, int position)
{
    HICON icon = nullptr;
    if (ExtractIcons(file, position, &icon, nullptr, 1) != 1)
        return false;
    DestroyIcon(icon);
    return true;
}

} // namespace

bool FolderIconDialog::IsDefaultChoice(TargetKind kind) const
{
    const IconLocation& standard = DefaultIconFor(kind);
    return standard.index >= 0 && SameIgnoringCase(m_iconGrid.m_currentFile, standard.file) &&
           static_cast<int>(m_iconGrid.SendMessage(LB_GETCURSEL)) == standard.index;
}

std::wstring FolderIconDialog::InfoTipText() const
{
    std::wstring text(static_cast<size_t>(m_infoTip.GetWindowTextLengthW()) + 1, L'\0');
    text.resize(static_cast<size_t>(m_infoTip.GetWindowTextW(&text[0], static_cast<int>(text.size()))));
    return text;
}

bool FolderIconDialog::ApplyCommand()
{
    // Without a folder or drive there is nothing to write to.
    if (!Target.path[0]) {
        if (m_closeAfterApply)
            CDialog::OnOK();
        return false;
    }

    // The grid shows each target's own icon until the user chooses one: a
    // target whose infotip alone changes keeps its icon keys, byte for byte,
    // and so does every other folder taken with it. Nothing selected must
    // not become icon index -1 either.
    const int selection = static_cast<int>(m_iconGrid.SendMessage(LB_GETCURSEL));
    const bool restoresDefault = m_iconChosen && IsDefaultChoice(Target.kind);
    const bool iconChosen = m_iconChosen && !restoresDefault && selection >= 0;
    const std::wstring typed = InfoTipText();
    const wchar_t* infoTip = Target.kind == TargetKind::Folder && typed != m_shownInfoTip ? typed.c_str() : nullptr;
    if (!restoresDefault && !iconChosen && !infoTip) {
        m_apply.EnableWindow(FALSE);
        if (m_closeAfterApply)
            CDialog::OnOK();
        return false;
    }
    // The file may have gone or changed since the grid showed it: what is
    // stored must name an icon that is there.
    if (iconChosen && !YieldsIcon(m_iconGrid.m_currentFile, selection)) {
        ReportNoIcon();
        m_closeAfterApply = false;
        return false;
    }

    const IconChoice choice = { restoresDefault, iconChosen, selection, infoTip };
    bool deletionDeferred = false;
    const size_t folders = 1 + m_otherFolders.size();
    const size_t failed = folders == 1 ? !ApplyTo(Target.path, Target.oldImageIndex, choice, deletionDeferred)
                                       : ApplyToEachFolder(choice, deletionDeferred);
    // Nothing is recorded for an icon that took nowhere.
    if (failed < folders && (restoresDefault || iconChosen)) {
        AddRecentIconFile(m_iconGrid.m_currentFile);
        FillRecentCombo(m_iconFile);
    }
    // The user's choice stays on screen, still to be applied.
    if (failed) {
        m_closeAfterApply = false;
        return false;
    }
    m_apply.EnableWindow(FALSE);
    ShowTarget(Target.path, Target.displayName);
    if (!deletionDeferred && m_closeAfterApply)
        CDialog::OnOK();
    return true;
}

bool FolderIconDialog::ApplyTo(const wchar_t* target, DWORD oldImageIndex, const IconChoice& choice,
                               bool& deletionDeferred)
{
    // The shell shows no picture as an icon: an icon file is made of it, in
    // the folder, or in the drive's root, and named instead.
    const wchar_t* iconFile = m_iconGrid.m_currentFile;
    int iconIndex = choice.index;
    wchar_t made[PATH_BUFFER_SIZE] = L"";
    if (choice.iconChosen && IsPictureName(iconFile)) {
        if (!MakeIconFile(iconFile, target, made)) {
            ReportFailure(GetLastError(), nullptr);
            return false;
        }
        iconFile = made;
        iconIndex = 0;
    }
    IconLocation previous = {};
    const bool hadOwnIcon = Target.kind == TargetKind::Drive ? ReadDriveIcon(target[0], previous)
                                                             : ReadCustomIcon(target, previous);

    bool written = true;
    if (Target.kind == TargetKind::Drive) {
        // Without administrator rights the machine's keys refuse the write.
        const LONG error = choice.restoresDefault ? ResetDriveIcon(target[0])
                                                  : SetDriveIcon(target[0], iconFile, iconIndex);
        if (error != ERROR_SUCCESS) {
            ReportFailure(static_cast<DWORD>(error), nullptr);
            written = false;
        }
    } else if (choice.restoresDefault) {
        const IniRemoval removal = RemoveFolderIcon(target, choice.infoTip);
        written = removal != IniRemoval::Failed;
        if (removal == IniRemoval::Emptied)
            deletionDeferred = true;
    } else if (choice.iconChosen) {
        written = WriteFolderIcon(target, iconFile, iconIndex, choice.infoTip);
    } else {
        written = WriteInfoTip(target, choice.infoTip);
    }
    // A file made for a write that failed is named by nothing new.
    if (!written) {
        if (made[0])
            RemoveMadeIconFile(made);
        return false;
    }
    if (choice.iconChosen)
        NoteIconFileNamed(iconFile, target);
    // An icon file that the program made goes once nothing it was given to
    // names it.
    if (hadOwnIcon && (choice.restoresDefault || choice.iconChosen) && !SameIgnoringCase(previous.file, iconFile))
        RemoveMadeIconFile(previous.file);

    SHChangeNotify(SHCNE_ATTRIBUTES, SHCNF_PATHW | SHCNF_FLUSH, target, nullptr);
    SHFILEINFOW info = {};
    SHGetFileInfoW(target, 0, &info, sizeof info, SHGFI_SYSICONINDEX);
    SHChangeNotify(SHCNE_UPDATEIMAGE, SHCNF_DWORD | SHCNF_FLUSH,
                   reinterpret_cast<LPCVOID>(static_cast<DWORD_PTR>(static_cast<DWORD>(info.iIcon))), nullptr);
    SHChangeNotify(SHCNE_UPDATEIMAGE, SHCNF_DWORD | SHCNF_FLUSH,
                   reinterpret_cast<LPCVOID>(static_cast<DWORD_PTR>(oldImageIndex)), nullptr);
    return true;
}

void FolderIconDialog::OnOK()
{
    if (!m_apply.IsWindowEnabled()) {
        CDialog::OnOK();
        return;
    }
    m_closeAfterApply = true;
    if (!TakeTypedIconFile()) {
        m_closeAfterApply = false;
        return;
    }
    ApplyCommand();
}

void FolderIconDialog::OnApplyClicked(Message&)
{
    if (!TakeTypedIconFile() || !ApplyCommand())
        return;
    wchar_t close[STRING_BUFFER_SIZE];
    AfxLoadString(IDS_CLOSE, close);
    m_cancel.SetWindowText(close);
}
