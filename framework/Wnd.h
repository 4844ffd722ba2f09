// A window handle with the calls the program makes on it. Each member is one
// call of the Win32 function or message it is named after.
#pragma once
#include "framework/Message.h"

class CWnd {
public:
    HWND m_hWnd = nullptr;

    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    virtual ~CWnd() = default;

    // The window's message table, followed by its base classes' tables.
    virtual bool OnMessage(Message&) { return false; }
    // A notification or owner-draw request that the parent hands back to the
    // control it concerns, before the parent's own table sees it.
    virtual bool OnChildNotify(Message& m) { return OnMessage(m); }

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageW(m_hWnd, message, wParam, lParam);
    }
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    BOOL EnableWindow(BOOL enable) const { return ::EnableWindow(m_hWnd, enable); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    BOOL GetClientRect(RECT* rect) const { return ::GetClientRect(m_hWnd, rect); }
    BOOL SetWindowText(const wchar_t* text) const { return ::SetWindowTextW(m_hWnd, text); }
    int GetWindowText(wchar_t* text, int size) const { return ::GetWindowTextW(m_hWnd, text, size); }
    int GetWindowTextLength() const { return ::GetWindowTextLengthW(m_hWnd); }
    HWND GetWindow(UINT relation) const { return ::GetWindow(m_hWnd, relation); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    BOOL GetWindowRect(RECT* rect) const { return ::GetWindowRect(m_hWnd, rect); }
    BOOL ScreenToClient(POINT* point) const { return ::ScreenToClient(m_hWnd, point); }
    BOOL MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE) const
    {
        return ::MoveWindow(m_hWnd, x, y, width, height, repaint);
    }
    LONG_PTR ModifyStyleEx(DWORD remove, DWORD add) const
    {
        return SetWindowLongPtrW(m_hWnd, GWL_EXSTYLE, (GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE) & ~static_cast<LONG_PTR>(remove)) | add);
    }
    HICON SetIcon(HICON icon, BOOL big) const
    {
        return reinterpret_cast<HICON>(SendMessage(WM_SETICON, big ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
    }
};
