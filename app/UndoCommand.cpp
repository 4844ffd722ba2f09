#include "app/FolderIconDialog.h"
#include "commandline/Texts.h"
#include "history/Undo.h"
#include "resource.h"

void FolderIconDialog::ShowUndoState()
{
    m_undo.EnableWindow(HasChangeToTakeBack());
}

// Another run of the program may have changed something meanwhile.
void FolderIconDialog::OnActivate(Message& m)
{
    if (LOWORD(m.wParam) != WA_INACTIVE)
        ShowUndoState();
    m.handled = false;
}

void FolderIconDialog::UndoNewestChange()
{
    ChangeContents change;
    std::wstring file;
    const std::wstring caption = Text(IDS_MESSAGE_CAPTION);
    if (NewestChange(change, file) &&
        MessageBoxW(m_hWnd, UndoQuestion(change).c_str(), caption.c_str(), MB_YESNO | MB_ICONQUESTION) == IDYES) {
        std::wstring left;
        int leftCount = 0;
        for (const UndoneTarget& target : TakeBack(change, file)) {
            if (target.error == ERROR_SUCCESS)
                continue;
            left += L"\n\n" + target.path + L"\n" +
                    (target.changedSince ? Text(IDS_UNDO_CHANGED_SINCE) : SystemReason(target.error));
            ++leftCount;
        }
        if (leftCount > 0)
            MessageBoxW(m_hWnd, (Text(leftCount == 1 ? IDS_UNDO_NOT_RESTORED_ONE : IDS_UNDO_NOT_RESTORED) + left).c_str(),
                        caption.c_str(), MB_OK | MB_ICONEXCLAMATION);
        if (Target.path[0])
            ShowTarget(Target.path, Target.displayName);
    }
    ShowUndoState();
}
