// A modeless main dialog whose icon grid a test drives, with what the grid
// sends to the dialog counted on its way in.
#pragma once
#include "app/FolderIconDialog.h"
#include "IconFiles.h"
#include <gtest/gtest.h>
#include <memory>

// Listens in front of a window's procedure until it is destroyed.
class ParentSpy {
public:
    explicit ParentSpy(HWND window);
    ~ParentSpy();
    ParentSpy(const ParentSpy&) = delete;
    ParentSpy& operator=(const ParentSpy&) = delete;

    int selectionChanges = 0;
    int previews = 0;
    WPARAM lastPreview = static_cast<WPARAM>(-1);

private:
    static LRESULT CALLBACK Listen(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_window;
    WNDPROC m_previous;
};

// A draw request for one cell of the grid, as the list box makes it.
DRAWITEMSTRUCT DrawRequest(const IconListBox& grid, int position, UINT action, UINT state, HDC dc);

class GridFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    IconListBox& Grid() { return dialog.IconGrid(); }
    HWND Control(int id) const { return GetDlgItem(dialog.m_hWnd, id); }
    // Paints the grid at once, as uncovering it would.
    void Repaint();
    // The icon a preview static shows.
    HICON Preview(int id) const;
    // The centre of a cell, in the grid's client coordinates.
    POINT CellCentre(int position);
    // The positions of the cells the grid's client area shows.
    std::vector<int> CellsOnScreen();
    // Pages through the grid to its end, painting each page.
    void PageToTheEnd();
    // The colour at the centre of the icon that an unselected cell shows
    // when the dialog has it drawn, wherever the cell lies.
    COLORREF DrawnIconColour(int position);
    // The colour the grid's window shows at the centre of a cell's icon;
    // CLR_INVALID where that lies outside the window.
    COLORREF ShownIconColour(int position);

    FolderIconDialog dialog;
    std::unique_ptr<ParentSpy> spy;
};
