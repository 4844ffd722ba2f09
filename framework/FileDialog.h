// The system's open- or save-file dialog in the Explorer style, with a child
// dialog from the program's resources that the system places below its own
// controls. The child is the window of this object: its messages go through
// the message tables like any dialog's, since the hook is the dialog
// procedure. Names reach the program in UTF-16, exactly as the system has
// them.
#pragma once
#include "framework/Dialog.h"
#include <commdlg.h>

class CFileDialog : public CDialog {
public:
    CFileDialog(BOOL openFileDialog, const wchar_t* defaultExtension, const wchar_t* fileName, DWORD flags,
                const wchar_t* filter, HWND parent);

    // IDOK when the user confirmed a name, IDCANCEL otherwise.
    INT_PTR DoModal();

    // The full path of the item selected in the dialog; the length needed
    // when `size` is too small.
    int GetPathName(wchar_t* path, int size) const
    {
        return static_cast<int>(::SendMessageW(::GetParent(m_hWnd), CDM_GETFILEPATH, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(path)));
    }

    bool OnMessage(Message& m) override;

    OPENFILENAMEW m_ofn;

protected:
    // The selection in the dialog's view has changed.
    virtual void OnFileNameChange() {}

private:
    void OnSelectionChange(Message&) { OnFileNameChange(); }

    static const MessageEntry<CFileDialog> messageTable[];

    BOOL m_openFileDialog;
};
