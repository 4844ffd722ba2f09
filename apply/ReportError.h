#pragma once
#include <windows.h>

// Shows the system's text for `error` in a message box captioned "Erreur",
// after `subject` and a blank line when one is given (the file that could
// not be written).
void ReportSystemError(HWND owner, DWORD error, const wchar_t* subject = nullptr);
