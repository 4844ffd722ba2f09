#include "framework/WinApp.h"
#include "resource.h"

namespace {
CWinApp* g_application = nullptr;
}

CWinApp::CWinApp()
{
    g_application = this;
}

CWinApp::~CWinApp()
{
    if (g_application == this)
        g_application = nullptr;
}

CWinApp* AfxGetApp()
{
    return g_application;
}

HINSTANCE AfxFindResourceHandle(LPCWSTR, LPCWSTR)
{
    return GetModuleHandleW(nullptr);
}

int AfxLoadString(UINT id, wchar_t* buffer)
{
    const LPCWSTR block = MAKEINTRESOURCEW(id / 16 + 1);
    return LoadStringW(AfxFindResourceHandle(block, RT_STRING), id, buffer, STRING_BUFFER_SIZE);
}

int AfxWinMain(HINSTANCE instance, LPWSTR commandLine)
{
    CWinApp* application = AfxGetApp();
    if (!application)
        return 1;
    application->m_hInstance = instance;
    application->m_lpCmdLine = commandLine;
    // Without a message loop of its own, the program ends with its last window.
    application->InitInstance();
    return application->ExitInstance();
}
