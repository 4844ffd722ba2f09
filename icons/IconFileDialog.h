// The open-file dialog of the icon file, with a pane below its own controls
// that shows every icon of the selected file.
#pragma once
#include "framework/FileDialog.h"
#include "icons/IconListBox.h"

// The filter chosen when the dialog last closed, handed to its next showing
// in this run.
extern DWORD LastFilterIndex;

class IconFileDialog : public CFileDialog {
public:
    IconFileDialog();

    bool OnMessage(Message& m) override;

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
};
