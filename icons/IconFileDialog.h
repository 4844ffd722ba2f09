// The open-file dialog of the icon file, with a pane below its own controls
// that shows every icon of the selected file.
#pragma once
#include "framework/FileDialog.h"
#include "icons/IconListBox.h"
#include "resource.h"
#include <string>

// The filter chosen when the dialog last closed, handed to its next showing
// in this run.
extern DWORD LastFilterIndex;

class IconFileDialog : public CFileDialog {
public:
    IconFileDialog();
    // Owned by `owner`, opening on `file` and answering in it, with the
    // filter last chosen.
    IconFileDialog(HWND owner, wchar_t (&file)[ICON_FILE_NAME_BUFFER_SIZE]);

    bool OnMessage(Message& m) override;

    // The icon of `file` selected in the pane when the dialog closed; 0 when
    // none was, or the pane showed another file.
    int ChosenIcon(const wchar_t* file) const;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnFileNameChange() override;

private:
    void OnMeasureItem(Message& m);
    void OnWindowPosChanged(Message& m);
    void OnDestroy(Message& m);

    static const MessageEntry<IconFileDialog> messageTable[];

    IconListBox m_preview;
    // The pane's file and selection as the dialog closed.
    std::wstring m_shownFile;
    int m_chosenIcon = 0;
};
