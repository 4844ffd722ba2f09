#pragma once
#include "framework/Controls.h"
#include "framework/Dialog.h"

// The program's main window: the target folder or drive, the grid of the
// icons of one icon file, the infotip, and the commands that apply them.
class FolderIconDialog : public CDialog {
public:
    FolderIconDialog();
    ~FolderIconDialog() override;

    bool OnMessage(Message& m) override;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;

private:
    void OnPaint(Message& m);
    void OnQueryDragIcon(Message& m);

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
    CListBox m_iconGrid;

    // The application icon: the shared large image until the dialog
    // initialises, then its own 16 x 16 image, which the minimised window
    // and the drag icon show.
    HICON m_hIcon;
    bool m_ownsIcon = false;
};
