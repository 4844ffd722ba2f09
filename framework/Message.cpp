#include "framework/Message.h"

UINT NotificationCode(const Message& m)
{
    switch (m.message) {
    case WM_COMMAND:
        return HIWORD(m.wParam);
    case WM_NOTIFY:
        return reinterpret_cast<const NMHDR*>(m.lParam)->code;
    default:
        return 0;
    }
}

UINT ControlId(const Message& m)
{
    switch (m.message) {
    case WM_COMMAND:
        return LOWORD(m.wParam);
    case WM_NOTIFY:
        return static_cast<UINT>(reinterpret_cast<const NMHDR*>(m.lParam)->idFrom);
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
        return static_cast<UINT>(m.wParam);
    default:
        return 0;
    }
}
