#include "apply/ReportError.h"
#include "app/FolderIconDialog.h"
#include "framework/WinApp.h"
#include "resource.h"
#include <cstdio>

namespace {

void SystemReason(DWORD error, wchar_t (&reason)[ERROR_TEXT_BUFFER_SIZE])
{
    // A system text may hold inserts; with no arguments to give them they
    // are shown as they stand instead of being read from nowhere.
    if (!FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, reason,
                        ARRAYSIZE(reason), nullptr))
        swprintf(reason, ARRAYSIZE(reason), L"%lu", static_cast<unsigned long>(error));
}

void ShowError(HWND owner, const wchar_t* text)
{
    wchar_t caption[STRING_BUFFER_SIZE];
    AfxLoadString(IDS_ERROR_CAPTION, caption);
    MessageBoxW(owner, text, caption, MB_OK);
}

} // namespace

void FolderIconDialog::ReportFailures(const std::vector<const Outcome*>& failed, bool several)
{
    if (!several) {
        const Outcome& outcome = *failed.front();
        ReportSystemError(m_hWnd, outcome.error, outcome.file.empty() ? nullptr : outcome.file.c_str());
        return;
    }
    std::vector<FailedFolder> folders;
    for (const Outcome* outcome : failed)
        folders.push_back({ outcome->target, outcome->error });
    ReportFailedFolders(m_hWnd, folders);
}

void ReportSystemError(HWND owner, DWORD error, const wchar_t* subject)
{
    wchar_t reason[ERROR_TEXT_BUFFER_SIZE] = L"";
    SystemReason(error, reason);
    wchar_t text[PATH_BUFFER_SIZE + ERROR_TEXT_BUFFER_SIZE + 4];
    if (subject)
        swprintf(text, ARRAYSIZE(text), L"%ls\n\n%ls", subject, reason);
    else
        swprintf(text, ARRAYSIZE(text), L"%ls", reason);
    ShowError(owner, text);
}

void ReportFailedFolders(HWND owner, const std::vector<FailedFolder>& failed)
{
    std::wstring text;
    for (const FailedFolder& folder : failed) {
        wchar_t reason[ERROR_TEXT_BUFFER_SIZE] = L"";
        SystemReason(folder.error, reason);
        // The system's texts end their last line; here a blank line parts
        // one folder from the next.
        size_t length = wcslen(reason);
        while (length > 0 && (reason[length - 1] == L'\r' || reason[length - 1] == L'\n'))
            reason[--length] = L'\0';
        text += (text.empty() ? L"" : L"\n\n") + folder.path + L"\n" + reason;
    }
    ShowError(owner, text.c_str());
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
