#pragma once
#include "framework/Controls.h"
#include "framework/Dialog.h"
#include "icons/IconListBox.h"
#include "change/Change.h"
#include "target/Target.h"
#include <string>
#include <vector>
#include <shellapi.h>
#include <shtypes.h>

// The program's main window: the target folder or drive, the grid of the
// icons of one icon file, the infotip, and the commands that apply them.
class FolderIconDialog : public CDialog {
public:
    FolderIconDialog();
    ~FolderIconDialog() override;

    bool OnMessage(Message& m) override;

    IconListBox& IconGrid() { return m_iconGrid; }

    // Shows the target's present state: its icon, the file of that icon in
    // the grid with the icon selected, its infotip; Apply ends disabled,
    // since nothing is pending for what was just read.
    void ShowTarget(const wchar_t* path, const wchar_t* displayName);
    // The one way an icon file gets into the grid and the combo box; false,
    // and nothing changed, when the file holds no icon.
    bool ChooseIcon(const wchar_t* file, int index);
    // The system's default icon for the target's kind, read afresh.
    void RestoreDefaultIcon();

    // The icon drawn of the target's own kind (a colour, an emblem, or
    // both) becomes the choice: one cell in the grid and the previews,
    // before anything is written. False, and nothing changed, when it cannot
    // be drawn.
    bool TakeDesign(const Design& design);
    // The system's colour dialog, the named colours in its custom ones; the
    // colour taken goes with the emblem chosen, if any.
    void ChooseColour();
    // The icon-file chooser for the emblem, the icon selected in its pane
    // taken; a file without icons is refused and the chooser shown again.
    void BrowseEmblem();
    bool TakeEmblem(const wchar_t* file, int index);
    void RemoveEmblem();

    // Where the target comes from: the command line (changed in place), the
    // folder browser, or a folder dropped on the dialog. A path that is no
    // folder and no drive root is passed over, and the target stays.
    void TargetFromCommandLine(wchar_t* text);
    void BrowseForTarget();
    // The browser's answer: the folder or drive root it names becomes the
    // target (true); anything else is refused with a message, and the
    // browser is to be shown again (false).
    bool TakeBrowsedItem(LPCITEMIDLIST item);
    void SelectTarget(const wchar_t* path);
    // Paths given together: those that are folders become the target
    // together, the first one shown; a lone one is taken as SelectTarget
    // takes it.
    void SelectTargets(const std::vector<std::wstring>& paths);
    void AcceptDroppedFile(HDROP drop);
    // A dropped file that is no folder may hold icons for the grid.
    void OfferIconFile(const wchar_t* path);
    // The recent icon file chosen in the combo box, first icon selected.
    void PickRecentIconFile();

    // Makes the change that the user chose for the target, each of its
    // folders in turn, records the icon file and shows the target again.
    // False when there was nothing to write to or a write failed: one
    // message names what failed, with the system's reason, and the choice
    // stays.
    bool ApplyCommand();
    bool IsDefaultChoice(TargetKind kind) const;
    // What the dialog holds the user to have chosen.
    Choice CurrentChoice() const;
    // The deletion of a desktop.ini that a change left blank, when the timer
    // fires or the dialog closes.
    void ScheduleIniDeletion(const wchar_t* file);

    // Takes back the newest change of the history once the user, asked
    // with the change named, agrees; tells which folders could not be
    // given back, and shows the target again.
    void UndoNewestChange();
    // "Défaire" is enabled while the history holds a change to take back.
    void ShowUndoState();

    // Makes the shell draw its icons anew: the shell's icon size, one pixel
    // more and back, each change announced to every top-level window.
    void RebuildIconCache();
    // The icon file chosen in the open-file dialog, its first icon selected.
    void BrowseIconFile();
    // The open-file dialog's answer: a file with icons fills the grid (true);
    // anything else is refused with a message, and the dialog is to be shown
    // again (false).
    bool TakeChosenIconFile(const wchar_t* file);
    // The covers dialog for the target's folders, which are shown again
    // after a run.
    void ShowCovers();
    // The About box, modal, owned by this dialog.
    void ShowAboutBox();
    // Opens the About box while the program's settings key is missing.
    void CheckFirstRun();

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    void OnPaint(Message& m);
    void OnQueryDragIcon(Message& m);
    void OnMeasureItem(Message& m);
    void OnSelectionChanged(Message& m);
    void OnPreviewIcon(Message& m);
    void OnDestroy(Message& m);
    static void ShowPreview(const CStatic& preview, HICON icon);
    void OnApplyTimer(Message& m);
    // The emptied desktop.ini files whose deletion is due, deleted now: when
    // the timer fires, or when the dialog closes before it does.
    void DeletePendingIniFiles();
    void OnInfoTipChange(Message& m);

    // The target that failed, with the file and the system's reason; of
    // several, each one that failed, in one message.
    void ReportFailures(const std::vector<const Outcome*>& failed, bool several);
    void ReportNotCustomisable();
    void ReportNoIcon();
    // What the combo box shows is what gets applied: a file typed there that
    // is not the grid's is loaded first. False, after telling the user and
    // showing the grid's file again, when it yields no icon.
    bool TakeTypedIconFile();
    void RefuseIconFile();
    void OnShowGridFile(Message&);
    void ReadDefaultIcons();
    void OnRestoreDefaultIcon(Message&) { RestoreDefaultIcon(); }
    void OnOtherFolder(Message&) { BrowseForTarget(); }
    void OnGridDoubleClick(Message&);
    void OnIconFileEdited(Message&) { m_apply.EnableWindow(TRUE); }
    void OnApplyClicked(Message&);
    void OnDropFiles(Message& m) { AcceptDroppedFile(reinterpret_cast<HDROP>(m.wParam)); }
    void OnPickRecentIconFile(Message&) { PickRecentIconFile(); }
    void OnRebuildIconCache(Message&) { RebuildIconCache(); }
    void OnAbout(Message&) { ShowAboutBox(); }
    void OnBrowseIconFile(Message&) { BrowseIconFile(); }
    void OnChooseColour(Message&) { ChooseColour(); }
    void OnShowCovers(Message&) { ShowCovers(); }
    void OnChooseEmblem(Message&);
    void OnOtherEmblem(Message&) { BrowseEmblem(); }
    void OnNoEmblem(Message&) { RemoveEmblem(); }
    void OnUndo(Message&) { UndoNewestChange(); }
    void OnActivate(Message& m);
    void TakeTarget(bool drive, const wchar_t* path, const wchar_t* displayName,
                    std::vector<std::wstring> otherFolders = {});
    std::wstring InfoTipText() const;
    void ShowIconLocation(const wchar_t* file, int index);

    static const MessageEntry<FolderIconDialog> messageTable[];

    CButton m_rebuildCache;
    CStatic m_targetName;
    CComboBox m_iconFile;
    CButton m_browseIconFile;
    CButton m_defaultIcon;
    CButton m_chooseColour;
    CButton m_chooseEmblem;
    CButton m_covers;
    CStatic m_targetIcon;
    CEdit m_infoTip;
    CStatic m_previewSmall;
    CStatic m_previewLarge;
    CButton m_cancel;
    CButton m_about;
    CButton m_apply;
    CButton m_undo;
    CEdit m_iconLocation;
    IconListBox m_iconGrid;

    // The application icon: the shared large image until the dialog
    // initialises, then its own 16 x 16 image, which the minimised window
    // and the drag icon show.
    HICON m_hIcon;
    bool m_ownsIcon = false;
    // The target's icon that the static shows; the static does not own it.
    HICON m_shownIcon = nullptr;
    // Set by OK with something to apply: the dialog ends once the apply,
    // or the deletion it deferred, is done. A failed apply clears it.
    bool m_closeAfterApply = false;
    // Whether the user has chosen the grid's icon (in the grid, by a file
    // taken, by Default) since the target was shown: only a chosen icon is
    // written.
    bool m_iconChosen = false;
    // The icon drawn for the target that the grid's one cell shows; empty
    // while the grid shows a file.
    Design m_design;
    // The infotip edit's text as the target's state left it: a text the
    // user did not change is not written back.
    std::wstring m_shownInfoTip;
    // The folders taken together with the target's own, which is the one
    // shown; none for a target of one folder, or a drive.
    std::vector<std::wstring> m_otherFolders;
};
