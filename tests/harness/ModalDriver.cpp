#include "harness/ModalDriver.h"
#include "harness/Windows.h"
#include <vector>

namespace {

constexpr UINT TICK_MS = 20;
thread_local ModalDriver* t_driver = nullptr;

BOOL CALLBACK CollectVisible(HWND window, LPARAM list)
{
    if (IsWindowVisible(window))
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

std::vector<HWND> VisibleThreadWindows()
{
    std::vector<HWND> windows;
    EnumThreadWindows(GetCurrentThreadId(), CollectVisible, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

bool TitleMatches(HWND window, const char* title)
{
    return !title || WindowText(window) == title;
}

} // namespace

HWND FrontWindow()
{
    for (HWND window : VisibleThreadWindows()) {
        if (IsWindowEnabled(window))
            return window;
    }
    return nullptr;
}

ModalDriver::ModalDriver(DWORD deadlineMs)
    : m_timer(SetTimer(nullptr, 0, TICK_MS, OnTimer)), m_deadline(GetTickCount() + deadlineMs)
{
    t_driver = this;
}

ModalDriver::~ModalDriver()
{
    KillTimer(nullptr, m_timer);
    t_driver = nullptr;
}

ModalDriver& ModalDriver::Then(Step step)
{
    m_steps.push_back(std::move(step));
    return *this;
}

void CALLBACK ModalDriver::OnTimer(HWND, UINT, UINT_PTR, DWORD)
{
    if (t_driver)
        t_driver->Tick();
}

void ModalDriver::Tick()
{
    if (static_cast<LONG>(GetTickCount() - m_deadline) > 0) {
        m_timedOut = !m_steps.empty();
        m_steps.clear();
        for (HWND window : VisibleThreadWindows())
            EndDialog(window, IDCANCEL);
        return;
    }
    if (m_steps.empty())
        return;
    const HWND window = FrontWindow();
    if (!window)
        return;
    // The step may open a nested modal loop that ticks again; take it off first.
    Step step = std::move(m_steps.front());
    m_steps.pop_front();
    if (!step(window))
        m_steps.push_front(std::move(step));
}

ModalDriver::Step ClickButton(int id, const char* title)
{
    return [=](HWND window) {
        const HWND button = GetDlgItem(window, id);
        if (!button || !TitleMatches(window, title))
            return false;
        PostMessageA(button, BM_CLICK, 0, 0);
        return true;
    };
}

ModalDriver::Step PressKey(UINT virtualKey, const char* title)
{
    return [=](HWND window) {
        const HWND focus = GetFocus();
        if (!focus || !TitleMatches(window, title))
            return false;
        PostMessageA(focus, WM_KEYDOWN, virtualKey, 1);
        PostMessageA(focus, WM_KEYUP, virtualKey, 0xC0000001);
        return true;
    };
}

ModalDriver::Step CloseBox(const char* title)
{
    return [=](HWND window) {
        if (!TitleMatches(window, title))
            return false;
        PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        return true;
    };
}

ModalDriver::Step Inspect(std::function<void(HWND)> inspect)
{
    return [=](HWND window) {
        inspect(window);
        return true;
    };
}
