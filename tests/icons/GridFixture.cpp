#include "GridFixture.h"
#include "harness/Windows.h"
#include "resource.h"

namespace {
const char* const SpyProperty = "IconGridTestSpy";
}

ParentSpy::ParentSpy(HWND window) : m_window(window)
{
    SetPropA(window, SpyProperty, this);
    m_previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ParentSpy::Listen)));
}

ParentSpy::~ParentSpy()
{
    if (!IsWindow(m_window))
        return;
    SetWindowLongPtrA(m_window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_previous));
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
    return CallWindowProcA(spy->m_previous, window, message, wParam, lParam);
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
