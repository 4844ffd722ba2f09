#pragma once
#include <windows.h>

// Shows the system's text for `error` in a message box captioned "Erreur".
void ReportSystemError(HWND owner, DWORD error);
