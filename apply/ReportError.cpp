#include "app/FolderIconDialog.h"
#include "framework/WinApp.h"
#include "resource.h"
#include <cstdio>

// The file that could not be written, then the system's reason.
void FolderIconDialog::ReportWriteFailure(const char* file)
{
    // Read before anything else can replace it.
    const DWORD error = GetLastError();
    char reason[ERROR_TEXT_BUFFER_SIZE] = "";
    // A system text may hold inserts; with no arguments to give them they
    // are shown as they stand instead of being read from nowhere.
    if (!FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, reason,
                        sizeof reason, nullptr))
        snprintf(reason, sizeof reason, "%lu", static_cast<unsigned long>(error));
    char text[PATH_BUFFER_SIZE + ERROR_TEXT_BUFFER_SIZE + 4];
    snprintf(text, sizeof text, "%s\n\n%s", file, reason);
    char caption[STRING_BUFFER_SIZE];
    AfxLoadString(IDS_ERROR_CAPTION, caption);
    MessageBoxA(m_hWnd, text, caption, MB_OK);
}

void FolderIconDialog::ReportNotCustomisable()
{
    char text[STRING_BUFFER_SIZE];
    char caption[STRING_BUFFER_SIZE];
    AfxLoadString(IDS_NOT_CUSTOMISABLE, text);
    AfxLoadString(IDS_MESSAGE_CAPTION, caption);
    MessageBoxA(m_hWnd, text, caption, MB_OK | MB_ICONEXCLAMATION);
}

void FolderIconDialog::ReportNoIcon()
{
    char text[STRING_BUFFER_SIZE];
    char caption[STRING_BUFFER_SIZE];
    AfxLoadString(IDS_NO_ICON_FOUND, text);
    AfxLoadString(IDS_MESSAGE_CAPTION, caption);
    MessageBoxA(m_hWnd, text, caption, MB_OK | MB_ICONEXCLAMATION);
}
