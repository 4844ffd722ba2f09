#include "covers/CoversDialog.h"
#include "app/FolderIconDialog.h"
#include "commandline/Texts.h"
#include "resource.h"
#include <commctrl.h>
#include <algorithm>

const MessageEntry<CoversDialog> CoversDialog::messageTable[] = {
    { WM_COMMAND,     BN_CLICKED, IDC_START_COVERS, &CoversDialog::OnStart },
    { WM_TIMER,       0,          0,                &CoversDialog::OnTimer },
    { WM_COVERS_DONE, 0,          0,                &CoversDialog::OnDone },
};

CoversDialog::CoversDialog(std::vector<std::wstring> roots, HWND parent)
    : CDialog(IDD_COVERS, parent), m_roots(std::move(roots))
{
}

// The dialog cannot go while its run works: it waits for the folders at work.
CoversDialog::~CoversDialog()
{
    if (m_run)
        m_run->Stop();
    if (m_worker.joinable())
        m_worker.join();
}

bool CoversDialog::OnMessage(Message& m)
{
    return DispatchMessageTable(*this, messageTable, m) || CDialog::OnMessage(m);
}

void CoversDialog::DoDataExchange(CDataExchange* dx)
{
    DDX_Control(dx, IDC_REPLACE_OWN_ICONS, m_replaceOwnIcons);
    DDX_Control(dx, IDC_FIRST_PICTURE, m_firstPicture);
    DDX_Control(dx, IDC_START_COVERS, m_start);
    DDX_Control(dx, IDCANCEL, m_cancel);
    DDX_Control(dx, IDC_COVERS_PROGRESS, m_progress);
    DDX_Control(dx, IDC_COVERS_COUNT, m_count);
    DDX_Control(dx, IDC_COVERS_FOLDER, m_folder);
    DDX_Control(dx, IDC_COVERS_SUMMARY, m_summary);
    DDX_Control(dx, IDC_COVERS_FAILED, m_failed);
}

void CoversDialog::Start()
{
    if (m_run)
        return;
    CoverOptions options;
    options.replaceOwnIcons = m_replaceOwnIcons.GetCheck() == BST_CHECKED;
    options.firstPicture = m_firstPicture.GetCheck() == BST_CHECKED;
    for (CWnd* control : { static_cast<CWnd*>(&m_replaceOwnIcons), static_cast<CWnd*>(&m_firstPicture),
                           static_cast<CWnd*>(&m_start) })
        control->EnableWindow(FALSE);
    ::SetFocus(m_cancel.m_hWnd);
    m_run = std::make_unique<CoversRun>(m_roots, options);
    const HWND window = m_hWnd;
    CoversRun* run = m_run.get();
    m_worker = std::thread([window, run] {
        run->Run();
        ::PostMessageW(window, WM_COVERS_DONE, 0, 0);
    });
    SetTimer(m_hWnd, ID_COVERS_TIMER, COVERS_TIMER_PERIOD_MS, nullptr);
    ShowProgress();
}

void CoversDialog::OnCancel()
{
    if (m_run && !m_finished) {
        m_run->Stop();
        m_cancel.EnableWindow(FALSE);
        return;
    }
    CDialog::OnCancel();
}

void CoversDialog::OnTimer(Message& m)
{
    if (m.wParam == ID_COVERS_TIMER)
        ShowProgress();
}

void CoversDialog::ShowProgress()
{
    const size_t found = m_run->FoldersFound();
    const size_t done = m_run->FoldersDone();
    m_progress.SendMessage(PBM_SETRANGE32, 0, static_cast<LPARAM>(found));
    m_progress.SendMessage(PBM_SETPOS, static_cast<WPARAM>(done));
    m_count.SetWindowText(Text(IDS_COVERS_COUNT, { std::to_wstring(done), std::to_wstring(found) }).c_str());
    m_folder.SetWindowText(m_run->FolderAtWork().c_str());
}

void CoversDialog::OnDone(Message&)
{
    KillTimer(m_hWnd, ID_COVERS_TIMER);
    m_worker.join();
    m_finished = true;
    ShowProgress();
    ShowOutcome();
    m_cancel.SetWindowText(Text(IDS_CLOSE).c_str());
    m_cancel.EnableWindow(TRUE);
    ::SetFocus(m_cancel.m_hWnd);
}

void CoversDialog::ShowOutcome()
{
    const CoversRun& run = *m_run;
    std::wstring summary = Text(IDS_COVERS_SUMMARY, { std::to_wstring(run.Count(CoverResult::Given)),
                                                      std::to_wstring(run.Count(CoverResult::UpToDate)),
                                                      std::to_wstring(run.Count(CoverResult::KeptOwnIcon)),
                                                      std::to_wstring(run.Count(CoverResult::NoCover)),
                                                      std::to_wstring(run.Count(CoverResult::Failed)) });
    if (run.Stopped())
        summary += L" " + Text(IDS_COVERS_STOPPED);
    m_summary.SetWindowText(summary.c_str());
    m_folder.SetWindowText(L"");
    // The list scrolls as far as its longest line.
    const HDC dc = GetDC(m_failed.m_hWnd);
    const HGDIOBJ font = SelectObject(dc, reinterpret_cast<HGDIOBJ>(m_failed.SendMessage(WM_GETFONT)));
    LONG widest = 0;
    for (const FolderCover& folder : run.Folders()) {
        if (folder.result != CoverResult::Failed)
            continue;
        const std::wstring line = Text(IDS_COVERS_FAILED_LINE, { folder.folder, SystemReason(folder.error) });
        m_failed.SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
        SIZE extent = {};
        if (GetTextExtentPoint32W(dc, line.c_str(), static_cast<int>(line.size()), &extent))
            widest = std::max(widest, extent.cx);
    }
    SelectObject(dc, font);
    ReleaseDC(m_failed.m_hWnd, dc);
    m_failed.SendMessage(LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest + GetSystemMetrics(SM_CXEDGE) * 2));
}

void FolderIconDialog::ShowCovers()
{
    std::vector<std::wstring> roots = { Target.path };
    roots.insert(roots.end(), m_otherFolders.begin(), m_otherFolders.end());
    CoversDialog dialog(roots, m_hWnd);
    dialog.DoModal();
    // The target's own icon may be one of those just made.
    if (dialog.Started())
        ShowTarget(Target.path, Target.displayName);
}
