#include "framework/Message.h"

UINT NotificationCode(const Message& m)
{
    return m.message == WM_COMMAND ? HIWORD(m.wParam) : 0;
}

UINT ControlId(const Message& m)
{
    switch (m.message) {
    case WM_COMMAND:
        return LOWORD(m.wParam);
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
        return static_cast<UINT>(m.wParam);
    default:
        return 0;
    }
}
