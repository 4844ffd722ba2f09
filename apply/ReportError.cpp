#include "apply/ReportError.h"
#include "app/FolderIconDialog.h"
#include "framework/WinApp.h"
#include "resource.h"
#include <cstdio>

void FolderIconDialog::ReportLastError()
{
    // Read before anything else can replace it.
    ReportSystemError(m_hWnd, GetLastError());
}

void ReportSystemError(HWND owner, DWORD error)
{
    char text[ERROR_TEXT_BUFFER_SIZE] = "";
    // A system text may hold inserts; with no arguments to give them they
    // are shown as they stand instead of being read from nowhere.
    if (!FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text,
                        sizeof text, nullptr))
        snprintf(text, sizeof text, "%lu", static_cast<unsigned long>(error));
    char caption[STRING_BUFFER_SIZE];
    AfxLoadString(IDS_ERROR_CAPTION, caption);
    MessageBoxA(owner, text, caption, MB_OK);
}

void FolderIconDialog::ReportNotCustomisable()
{
    char text[STRING_BUFFER_SIZE];
    char caption[STRING_BUFFER_SIZE];
    AfxLoadString(IDS_NOT_CUSTOMISABLE, text);
    AfxLoadString(IDS_MESSAGE_CAPTION, caption);
    MessageBoxA(m_hWnd, text, caption, MB_OK | MB_ICONEXCLAMATION);
}
