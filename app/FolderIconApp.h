#pragma once
#include "framework/WinApp.h"

// Runs the main dialog once, and the program ends when it closes; or, for a
// command line that holds a switch, the silent run alone, whose status is
// the program's.
class FolderIconApp : public CWinApp {
public:
    BOOL InitInstance() override;
    int ExitInstance() override { return m_exitStatus; }

private:
    int m_exitStatus = 0;
};
