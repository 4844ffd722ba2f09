// Message tables: each window class routes the messages it handles through a
// static table of entries, read from top to bottom; the first match wins.
#pragma once
#include <windows.h>
#include <cstddef>

// One message on its way through the tables. The dispatcher sets `handled`
// before it calls a handler; a handler that clears it hands the message on to
// the default handling. `result` is the handler's answer.
struct Message {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    LRESULT result;
    bool handled;
};

// The notification code and control id a message carries: for WM_COMMAND the
// high and low words of wParam; for WM_NOTIFY those its header names; for
// WM_DRAWITEM and WM_MEASUREITEM code 0 and the control id in wParam; for
// every other message 0 and 0.
UINT NotificationCode(const Message& m);
UINT ControlId(const Message& m);

// One row of a table. An entry whose id is 0 takes the message from any
// control: that is how a control's own table names the control itself.
template <class Window>
struct MessageEntry {
    UINT message;
    UINT code;
    UINT id;
    void (Window::*handler)(Message&);
};

// Runs the handler of the first entry that matches; false when none matches
// or the handler declined.
template <class Window, std::size_t N>
bool DispatchMessageTable(Window& window, const MessageEntry<Window> (&table)[N], Message& m)
{
    const UINT code = NotificationCode(m);
    const UINT id = ControlId(m);
    for (const MessageEntry<Window>& entry : table) {
        if (entry.message == m.message && entry.code == code && (entry.id == id || entry.id == 0)) {
            m.handled = true;
            (window.*entry.handler)(m);
            return m.handled;
        }
    }
    return false;
}
