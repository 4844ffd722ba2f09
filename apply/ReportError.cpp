#include "apply/ReportError.h"
#include "app/FolderIconDialog.h"
#include "framework/WinApp.h"
#include "resource.h"
#include <cstdio>

void FolderIconDialog::ReportWriteFailure(const wchar_t* file)
{
    // Read before anything else can replace it.
    ReportSystemError(m_hWnd, GetLastError(), file);
}

void ReportSystemError(HWND owner, DWORD error, const wchar_t* subject)
{
    wchar_t reason[ERROR_TEXT_BUFFER_SIZE] = L"";
    // A system text may hold inserts; with no arguments to give them they
    // are shown as they stand instead of being read from nowhere.
    if (!FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, reason,
                        ARRAYSIZE(reason), nullptr))
        swprintf(reason, ARRAYSIZE(reason), L"%lu", static_cast<unsigned long>(error));
    wchar_t text[PATH_BUFFER_SIZE + ERROR_TEXT_BUFFER_SIZE + 4];
    if (subject)
        swprintf(text, ARRAYSIZE(text), L"%ls\n\n%ls", subject, reason);
    else
        swprintf(text, ARRAYSIZE(text), L"%ls", reason);
    wchar_t caption[STRING_BUFFER_SIZE];
    AfxLoadString(IDS_ERROR_CAPTION, caption);
    MessageBoxW(owner, text, caption, MB_OK);
}

void FolderIconDialog::ReportNotCustomisable()
{
    wchar_t text[STRING_BUFFER_SIZE];
    wchar_t caption[STRING_BUFFER_SIZE];
    AfxLoadString(IDS_NOT_CUSTOMISABLE, text);
    AfxLoadString(IDS_MESSAGE_CAPTION, caption);
    MessageBoxW(m_hWnd, text, caption, MB_OK | MB_ICONEXCLAMATION);
}

void FolderIconDialog::ReportNoIcon()
{
    wchar_t text[STRING_BUFFER_SIZE];
    wchar_t caption[STRING_BUFFER_SIZE];
    AfxLoadString(IDS_NO_ICON_FOUND, text);
    AfxLoadString(IDS_MESSAGE_CAPTION, caption);
    MessageBoxW(m_hWnd, text, caption, MB_OK | MB_ICONEXCLAMATION);
}
