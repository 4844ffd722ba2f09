#include "apply/ReportError.h"
#include "app/FolderIconDialog.h"
#include "framework/WinApp.h"
#include "resource.h"
#include <cstdio>
#include <cstring>

namespace {

void SystemReason(DWORD error, char (&reason)[ERROR_TEXT_BUFFER_SIZE])
{
    // A system text may hold inserts; with no arguments to give them they
    // are shown as they stand instead of being read from nowhere.
    if (!FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, reason,
                        sizeof reason, nullptr))
        snprintf(reason, sizeof reason, "%lu", static_cast<unsigned long>(error));
}

void ShowError(HWND owner, const char* text)
{
    char caption[STRING_BUFFER_SIZE];
    AfxLoadString(IDS_ERROR_CAPTION, caption);
    MessageBoxA(owner, text, caption, MB_OK);
}

} // namespace

void FolderIconDialog::ReportWriteFailure(const char* file)
{
    // Read before anything else can replace it.
    ReportFailure(GetLastError(), file);
}

void FolderIconDialog::ReportFailure(DWORD error, const char* subject)
{
    if (m_holdFailures)
        m_heldError = error;
    else
        ReportSystemError(m_hWnd, error, subject);
}

void ReportSystemError(HWND owner, DWORD error, const char* subject)
{
    char reason[ERROR_TEXT_BUFFER_SIZE] = "";
    SystemReason(error, reason);
    char text[PATH_BUFFER_SIZE + ERROR_TEXT_BUFFER_SIZE + 4];
    if (subject)
        snprintf(text, sizeof text, "%s\n\n%s", subject, reason);
    else
        snprintf(text, sizeof text, "%s", reason);
    ShowError(owner, text);
}

void ReportFailedFolders(HWND owner, const std::vector<FailedFolder>& failed)
{
    std::string text;
    for (const FailedFolder& folder : failed) {
        char reason[ERROR_TEXT_BUFFER_SIZE] = "";
        SystemReason(folder.error, reason);
        // The system's texts end their last line; here a blank line parts
        // one folder from the next.
        size_t length = std::strlen(reason);
        while (length > 0 && (reason[length - 1] == '\r' || reason[length - 1] == '\n'))
            reason[--length] = '\0';
        text += (text.empty() ? "" : "\n\n") + folder.path + "\n" + reason;
    }
    ShowError(owner, text.c_str());
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
