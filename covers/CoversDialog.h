// The dialog of a covers run over the target's folders: the two options,
// then the run's progress while it works on a thread of its own, so that the
// dialog draws and answers all along, then what became of the folders.
#pragma once
#include "covers/CoversRun.h"
#include "framework/Controls.h"
#include "framework/Dialog.h"
#include <memory>
#include <thread>

class CoversDialog : public CDialog {
public:
    CoversDialog(std::vector<std::wstring> roots, HWND parent);
    ~CoversDialog() override;

    bool OnMessage(Message& m) override;

    // The run as the options stand; its end comes as WM_COVERS_DONE.
    void Start();
    // Whether a run has begun, and whether it is over.
    bool Started() const { return m_run != nullptr; }
    bool Finished() const { return m_finished; }

protected:
    void DoDataExchange(CDataExchange* dx) override;
    // Annuler stops a run at work, which ends at its next folder; otherwise
    // it closes the dialog.
    void OnCancel() override;

private:
    void OnStart(Message&) { Start(); }
    void OnTimer(Message& m);
    void OnDone(Message& m);
    void ShowProgress();
    void ShowOutcome();

    static const MessageEntry<CoversDialog> messageTable[];

    CButton m_replaceOwnIcons;
    CButton m_firstPicture;
    CButton m_start;
    CButton m_cancel;
    CWnd m_progress;
    CStatic m_count;
    CStatic m_folder;
    CStatic m_summary;
    CListBox m_failed;

    std::vector<std::wstring> m_roots;
    std::unique_ptr<CoversRun> m_run;
    std::thread m_worker;
    bool m_finished = false;
};
