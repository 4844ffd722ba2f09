#include "app/FolderIconDialog.h"
#include "apply/DesktopIni.h"
#include "change/Change.h"
#include "framework/Paths.h"
#include "framework/WinApp.h"
#include "icons/RecentIconFiles.h"
#include "target/Target.h"
#include <algorithm>
#include <vector>

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

// The grid shows each target's own icon until the user chooses one: a
// target whose infotip alone changes keeps its icon, byte for byte, and so
// does every other folder taken with it. Nothing selected must not become
// icon index -1 either.
Choice FolderIconDialog::CurrentChoice() const
{
    Choice choice;
    const int selection = static_cast<int>(m_iconGrid.SendMessage(LB_GETCURSEL));
    if (m_iconChosen && !m_design.IsEmpty()) {
        choice.icon = IconChange::Set;
        choice.design = m_design;
    } else if (m_iconChosen && IsDefaultChoice(Target.kind)) {
        choice.icon = IconChange::Default;
    } else if (m_iconChosen && selection >= 0) {
        choice.icon = IconChange::Set;
        choice.iconFile = m_iconGrid.m_currentFile;
        choice.iconIndex = selection;
    }
    const std::wstring typed = InfoTipText();
    if (Target.kind == TargetKind::Folder && typed != m_shownInfoTip)
        choice.infoTip = typed;
    return choice;
}

bool FolderIconDialog::ApplyCommand()
{
    // Without a folder or drive there is nothing to write to.
    if (!Target.path[0]) {
        if (m_closeAfterApply)
            CDialog::OnOK();
        return false;
    }
    const Choice choice = CurrentChoice();
    if (choice.icon == IconChange::Keep && !choice.infoTip) {
        m_apply.EnableWindow(FALSE);
        if (m_closeAfterApply)
            CDialog::OnOK();
        return false;
    }
    // The file may have gone or changed since the grid showed it: what is
    // stored must name an icon that is there.
    if (!IconCanBeUsed(choice)) {
        ReportNoIcon();
        m_closeAfterApply = false;
        return false;
    }

    // Each target's image is the one the shell shows for it now, which it is
    // told to draw anew.
    std::vector<ChangeTarget> targets = { TargetAt(Target.path) };
    for (const std::wstring& folder : m_otherFolders)
        targets.push_back(TargetAt(folder));
    const std::vector<Outcome> outcomes = MakeChange(choice, targets);
    ShowUndoState();
    bool deletionDeferred = false;
    std::vector<const Outcome*> failed;
    for (const Outcome& outcome : outcomes) {
        if (outcome.error != ERROR_SUCCESS)
            failed.push_back(&outcome);
        wchar_t file[PATH_BUFFER_SIZE];
        if (outcome.emptied && DesktopIniPath(outcome.target.c_str(), file)) {
            ScheduleIniDeletion(file);
            deletionDeferred = true;
        }
    }
    // Nothing is recorded for an icon that took nowhere, nor for one that
    // comes from no file.
    if (failed.size() < outcomes.size() && choice.icon != IconChange::Keep && choice.design.IsEmpty()) {
        AddRecentIconFile(m_iconGrid.m_currentFile);
        FillRecentCombo(m_iconFile);
    }
    // The user's choice stays on screen, still to be applied.
    if (!failed.empty()) {
        ReportFailures(failed, outcomes.size() > 1);
        m_closeAfterApply = false;
        return false;
    }
    m_apply.EnableWindow(FALSE);
    ShowTarget(Target.path, Target.displayName);
    if (!deletionDeferred && m_closeAfterApply)
        CDialog::OnOK();
    return true;
}

// Deleted by the timer rather than now, so that a write that follows at once
// takes the file back instead of losing it.
void FolderIconDialog::ScheduleIniDeletion(const wchar_t* file)
{
    if (std::find(PendingIniDeletions.begin(), PendingIniDeletions.end(), file) == PendingIniDeletions.end())
        PendingIniDeletions.push_back(file);
    SetTimer(m_hWnd, ID_APPLY_TIMER, APPLY_TIMER_PERIOD_MS, nullptr);
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
