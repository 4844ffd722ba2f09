#include "app/FolderIconApp.h"
#include "app/FolderIconDialog.h"
#include "commandline/Report.h"
#include "commandline/SilentRun.h"
#include "commandline/Switches.h"

BOOL FolderIconApp::InitInstance()
{
    const std::vector<std::wstring> arguments = SplitArguments(m_lpCmdLine ? m_lpCmdLine : L"");
    if (HoldsSwitch(arguments)) {
        const ConsoleOutput console;
        m_exitStatus = RunSilently(arguments, [&console](const std::wstring& line) { console.WriteLine(line); });
        return FALSE;
    }
    FolderIconDialog dialog;
    m_pMainWnd = &dialog;
    dialog.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}
