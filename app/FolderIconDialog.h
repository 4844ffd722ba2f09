#pragma once
#include "framework/Controls.h"
#include "framework/Dialog.h"
#include "icons/IconListBox.h"

// The program's main window: the target folder or drive, the grid of the
// icons of one icon file, the infotip, and the commands that apply them.
class FolderIconDialog : public CDialog {
public:
    FolderIconDialog();
    ~FolderIconDialog() override;

    bool OnMessage(Message& m) override;

    IconListBox& IconGrid() { return m_iconGrid; }

    // desktop.ini of a folder: the chosen icon and infotip written, or the
    // icon taken away again. A removal that leaves the file without any
    // section schedules its deletion and answers true.
    void WriteFolderIcon(const char* target, const char* iconFile, int iconIndex, const char* infoTip);
    bool RemoveFolderIcon(const char* target, const char* infoTip);

    // Shows the target's present state: its icon, the file of that icon in
    // the grid with the icon selected, its infotip; Apply ends disabled,
    // since nothing is pending for what was just read.
    void ShowTarget(const char* path, const char* displayName);
    // The one way an icon file gets into the grid and the combo box; false,
    // and nothing changed, when the file holds no icon.
    bool ChooseIcon(const char* file, int index);
    // The system's default icon for the target's kind, read afresh.
    void RestoreDefaultIcon();

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;

private:
    void OnPaint(Message& m);
    void OnQueryDragIcon(Message& m);
    void OnMeasureItem(Message& m);
    void OnSelectionChanged(Message& m);
    void OnPreviewIcon(Message& m);
    void OnDestroy(Message& m);
    static void ShowPreview(const CStatic& preview, HICON icon);
    void OnApplyTimer(Message& m);
    void OnInfoTipChange(Message& m);

    void WriteProfileKey(const char* file, const char* section, const char* key, const char* value);
    void ReportLastError();
    void ReportNotCustomisable();
    void ReadDefaultIcons();
    void OnRestoreDefaultIcon(Message&) { RestoreDefaultIcon(); }
    void ShowIconLocation(const char* file, int index);

    static const MessageEntry<FolderIconDialog> messageTable[];

    CButton m_rebuildCache;
    CStatic m_targetName;
    CComboBox m_iconFile;
    CButton m_browseIconFile;
    CButton m_defaultIcon;
    CStatic m_targetIcon;
    CEdit m_infoTip;
    CStatic m_previewSmall;
    CStatic m_previewLarge;
    CButton m_cancel;
    CButton m_about;
    CButton m_apply;
    CEdit m_iconLocation;
    IconListBox m_iconGrid;

    // The application icon: the shared large image until the dialog
    // initialises, then its own 16 x 16 image, which the minimised window
    // and the drag icon show.
    HICON m_hIcon;
    bool m_ownsIcon = false;
    // The target's icon that the static shows; the static does not own it.
    HICON m_shownIcon = nullptr;
};
