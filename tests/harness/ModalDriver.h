// Answers, from the test, the modal windows that the code under test opens
// on the test's thread: message boxes, dialogs, the folder browser.
#pragma once
#include <windows.h>
#include <deque>
#include <functional>

// Steps run in order, each on the window a user would face: the first
// visible and enabled top-level window of the thread. A step answers true
// once it has done its work there, false to be asked again on the next tick.
// When the steps are not all done by the deadline, the watchdog ends every
// dialog of the thread, so that a stuck test fails instead of hanging.
class ModalDriver {
public:
    using Step = std::function<bool(HWND window)>;

    explicit ModalDriver(DWORD deadlineMs = 10000);
    ~ModalDriver();
    ModalDriver(const ModalDriver&) = delete;
    ModalDriver& operator=(const ModalDriver&) = delete;

    ModalDriver& Then(Step step);
    // Every step done before the deadline; the watchdog clears what is left.
    bool Done() const { return m_steps.empty() && !m_timedOut; }
    bool TimedOut() const { return m_timedOut; }

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    void Tick();

    std::deque<Step> m_steps;
    UINT_PTR m_timer;
    DWORD m_deadline;
    bool m_timedOut = false;
};

// The window a user faces on this thread, or null.
HWND FrontWindow();

// Steps for the usual answers. A title, when given, must be the window's
// whole title (Windows-1252) before the step acts.
ModalDriver::Step ClickButton(int id, const char* title = nullptr);
ModalDriver::Step PressKey(UINT virtualKey, const char* title = nullptr);
ModalDriver::Step CloseBox(const char* title = nullptr);
// Runs `inspect` once on the window a user faces, and lets it be.
ModalDriver::Step Inspect(std::function<void(HWND)> inspect);
