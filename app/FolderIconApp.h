#pragma once
#include "framework/WinApp.h"

// Runs the main dialog once; the program ends when it closes.
class FolderIconApp : public CWinApp {
public:
    BOOL InitInstance() override;
};
