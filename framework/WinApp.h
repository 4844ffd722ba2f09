// The application object: one static instance per program, which the entry
// point finds and runs.
#pragma once
#include "framework/Wnd.h"

class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // The program's whole work; the answer says whether a message loop
    // should follow, and this program never needs one.
    virtual BOOL InitInstance() { return FALSE; }
    // The program's exit status, once its work is done.
    virtual int ExitInstance() { return 0; }

    HINSTANCE m_hInstance = nullptr;
    LPWSTR m_lpCmdLine = nullptr;    // the command line after the program's own name
    CWnd* m_pMainWnd = nullptr;
};

CWinApp* AfxGetApp();

// The module that holds the named resource: the program keeps all of its
// resources in its own executable.
HINSTANCE AfxFindResourceHandle(LPCWSTR name, LPCWSTR type);

// Loads a string of the string table into a buffer of STRING_BUFFER_SIZE characters.
int AfxLoadString(UINT id, wchar_t* buffer);

int AfxWinMain(HINSTANCE instance, LPWSTR commandLine);
