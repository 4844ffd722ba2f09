// The shell change notifications of this process, seen from both ends: the
// calls the program makes, and what a window registered with the shell
// receives.
#pragma once
#include <windows.h>
#include <shlobj.h>
#include <string>
#include <vector>

struct ShellNotice {
    LONG event;
    // The first item: its path when it names one, otherwise the 32-bit
    // value it carries.
    std::string path;
    DWORD value;
};

// Watches every item of the shell, from its construction to its end, for
// the events asked for. Wine's shell delivers no notification whose items
// are values (SHCNF_DWORD): it drops them unsent.
class ReceivedShellNotices {
public:
    explicit ReceivedShellNotices(LONG events);
    ~ReceivedShellNotices();
    ReceivedShellNotices(const ReceivedShellNotices&) = delete;
    ReceivedShellNotices& operator=(const ReceivedShellNotices&) = delete;

    bool Registered() const { return m_registration != 0; }
    const std::vector<ShellNotice>& Notices() const { return m_notices; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Record(LONG event, PCIDLIST_ABSOLUTE item);

    UINT m_message;
    HWND m_window = nullptr;
    ULONG m_registration = 0;
    std::vector<ShellNotice> m_notices;
};

// A call of the program to SHChangeNotify, as it was made.
struct SentNotice {
    LONG event;
    UINT flags;
    ShellNotice item;
    bool secondItem;
};

// Records the program's calls to SHChangeNotify, from its construction to
// its end, by taking the executable's import of it, and passes each call on
// to the shell.
class SentShellNotices {
public:
    SentShellNotices();
    ~SentShellNotices();
    SentShellNotices(const SentShellNotices&) = delete;
    SentShellNotices& operator=(const SentShellNotices&) = delete;

    bool Watching() const { return m_slot != nullptr; }
    const std::vector<SentNotice>& Notices() const { return m_notices; }

private:
    static void WINAPI Notify(LONG event, UINT flags, LPCVOID item1, LPCVOID item2);

    FARPROC* m_slot = nullptr;
    FARPROC m_shell = nullptr;
    std::vector<SentNotice> m_notices;
};

// Whether the tests run under Wine rather than Windows.
bool RunsOnWine();
