#pragma once
#include <windows.h>
#include <string>
#include <vector>

// Shows the system's text for `error` in a message box captioned "Erreur",
// after `subject` and a blank line when one is given (the file that could
// not be written).
void ReportSystemError(HWND owner, DWORD error, const wchar_t* subject = nullptr);

struct FailedFolder {
    std::wstring path;
    DWORD error;
};

// One message captioned "Erreur" for a round over several folders: each
// folder that failed, and the system's reason under it.
void ReportFailedFolders(HWND owner, const std::vector<FailedFolder>& failed);
