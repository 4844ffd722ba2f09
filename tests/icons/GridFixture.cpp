#include "GridFixture.h"
#include "harness/Windows.h"
#include "resource.h"

namespace {
const char* const SpyProperty = "IconGridTestSpy";
}

DRAWITEMSTRUCT DrawRequest(const IconListBox& grid, int position, UINT action, UINT state, HDC dc)
{
    DRAWITEMSTRUCT item = {};
    item.CtlType = ODT_LISTBOX;
    item.CtlID = IDC_ICON_GRID;
    item.itemID = static_cast<UINT>(position);
    item.itemAction = action;
    item.itemState = state;
    item.hwndItem = grid.m_hWnd;
    item.hDC = dc;
    grid.SendMessage(LB_GETITEMRECT, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(&item.rcItem));
    item.itemData = static_cast<ULONG_PTR>(grid.SendMessage(LB_GETITEMDATA, static_cast<WPARAM>(position)));
    return item;
}

ParentSpy::ParentSpy(HWND window) : m_window(window)
{
    SetPropA(window, SpyProperty, this);
    m_previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ParentSpy::Listen)));
}

ParentSpy::~ParentSpy()
{
    if (!IsWindow(m_window))
        return;
    SetWindowLongPtrW(m_window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_previous));
    RemovePropA(m_window, SpyProperty);
}

LRESULT CALLBACK ParentSpy::Listen(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* spy = static_cast<ParentSpy*>(GetPropA(window, SpyProperty));
    if (message == WM_SELECTION_CHANGED)
        ++spy->selectionChanges;
    if (message == WM_PREVIEW_ICON) {
        ++spy->previews;
        spy->lastPreview = wParam;
    }
    return CallWindowProcW(spy->m_previous, window, message, wParam, lParam);
}

void GridFixture::SetUp()
{
    ASSERT_TRUE(dialog.Create());
    PumpMessages(20);
    spy = std::make_unique<ParentSpy>(dialog.m_hWnd);
}

void GridFixture::TearDown()
{
    spy.reset();
}

void GridFixture::Repaint()
{
    RedrawWindow(Grid().m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

HICON GridFixture::Preview(int id) const
{
    return reinterpret_cast<HICON>(SendMessageA(Control(id), STM_GETICON, 0, 0));
}

POINT GridFixture::CellCentre(int position)
{
    RECT cell = {};
    Grid().SendMessage(LB_GETITEMRECT, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(&cell));
    return { (cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2 };
}

std::vector<int> GridFixture::CellsOnScreen()
{
    RECT client;
    GetClientRect(Grid().m_hWnd, &client);
    std::vector<int> shown;
    const int count = static_cast<int>(Grid().SendMessage(LB_GETCOUNT));
    for (int i = 0; i < count; ++i) {
        RECT cell = {};
        RECT common;
        Grid().SendMessage(LB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&cell));
        if (IntersectRect(&common, &cell, &client))
            shown.push_back(i);
    }
    return shown;
}

void GridFixture::PageToTheEnd()
{
    for (LRESULT top = -1; Grid().SendMessage(LB_GETTOPINDEX) != top;) {
        top = Grid().SendMessage(LB_GETTOPINDEX);
        Grid().SendMessage(WM_HSCROLL, SB_PAGEDOWN);
        Repaint();
    }
}

// The grid draws a cell where the list box has it, so the canvas's origin
// is moved to bring the cell onto it.
COLORREF GridFixture::DrawnIconColour(int position)
{
    Canvas canvas(SystemIconSize.cx + ICON_CELL_MARGIN, SystemIconSize.cy + ICON_CELL_MARGIN, RGB(0, 0, 0));
    DRAWITEMSTRUCT item = DrawRequest(Grid(), position, ODA_DRAWENTIRE, 0, canvas.Dc());
    SetViewportOrgEx(canvas.Dc(), -item.rcItem.left, -item.rcItem.top, nullptr);
    SendMessageA(dialog.m_hWnd, WM_DRAWITEM, IDC_ICON_GRID, reinterpret_cast<LPARAM>(&item));
    return canvas.Pixel(ICON_CELL_OFFSET + SystemIconSize.cx / 2, ICON_CELL_OFFSET + SystemIconSize.cy / 2);
}

COLORREF GridFixture::ShownIconColour(int position)
{
    RECT cell = {};
    Grid().SendMessage(LB_GETITEMRECT, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(&cell));
    const HDC dc = GetDC(Grid().m_hWnd);
    const COLORREF shown = GetPixel(dc, cell.left + ICON_CELL_OFFSET + SystemIconSize.cx / 2,
                                    cell.top + ICON_CELL_OFFSET + SystemIconSize.cy / 2);
    ReleaseDC(Grid().m_hWnd, dc);
    return shown;
}
