// The control classes that dialogs bind to their controls by id. They add
// what their kind of control answers beyond a plain window.
#pragma once
#include "framework/Wnd.h"

class CButton : public CWnd {
public:
    int GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
    void SetCheck(int state) const { SendMessage(BM_SETCHECK, static_cast<WPARAM>(state)); }
};
class CStatic : public CWnd {};
class CEdit : public CWnd {};
class CComboBox : public CWnd {
public:
    void ResetContent() const { SendMessage(CB_RESETCONTENT); }
    int AddString(const wchar_t* text) const { return static_cast<int>(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text))); }
    int GetCurSel() const { return static_cast<int>(SendMessage(CB_GETCURSEL)); }
    int GetLBTextLen(int index) const { return static_cast<int>(SendMessage(CB_GETLBTEXTLEN, index)); }
    int GetLBText(int index, wchar_t* text) const { return static_cast<int>(SendMessage(CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text))); }
};

// An owner-drawn list box draws its items itself: its parent hands
// WM_DRAWITEM back to it. A list with no items of its own draws nothing.
class CListBox : public CWnd {
public:
    virtual void DrawItem(DRAWITEMSTRUCT*) {}

    bool OnChildNotify(Message& m) override
    {
        if (m.message == WM_DRAWITEM) {
            DrawItem(reinterpret_cast<DRAWITEMSTRUCT*>(m.lParam));
            m.result = TRUE;
            return true;
        }
        return CWnd::OnChildNotify(m);
    }
};
