// The grid of the icons one file holds: an owner-drawn list box whose items
// are the icons' positions in the file and whose pictures live in an image
// list that the owning dialog hands in. A cell's picture is taken from the
// file when the cell is first drawn, together with those of the other cells
// drawn with it, so that a large file shows at once.
#pragma once
#include "framework/Controls.h"
#include "icons/FileStamp.h"
#include "resource.h"
#include <vector>
#include <commctrl.h>

class IconListBox : public CListBox {
public:
    // Lists the icons of `path`, one item for each position, unless that
    // file is already shown, and selects the item at `index`.
    // False when the file yields no icon; the list is then left as it was.
    bool LoadIconFile(const wchar_t* path, int index);
    void ClearIcons();
    // One cell holding `icon`, selected, which comes from no file: the icon
    // the program draws itself. The list takes the icon and destroys it.
    void ShowOneIcon(HICON icon);
    void DrawItem(DRAWITEMSTRUCT* item) override;
    bool OnMessage(Message& m) override;          // its table: the reflected LBN_SELCHANGE

    BOOL m_notify = FALSE;                        // send WM_SELECTION_CHANGED / WM_PREVIEW_ICON to the parent
    HIMAGELIST m_imageList = nullptr;             // created and handed in by the owning dialog
    wchar_t m_currentFile[264] = L"";              // the file shown; "" after ClearIcons

private:
    void RemoveAll();
    // Whether the image of `position` holds its icon, taken from the file
    // the first time it is asked for.
    bool ImageReady(int position);
    // Takes the icons of `position` and of the cells after it on screen
    // that have not been asked yet.
    void FillShownFrom(int position);
    // Whether the file is as it was checked, or sound again after a change.
    bool StillSound();
    bool IsOnScreen(int position, const RECT& client) const;
    // Puts the icon of `position` into its image, then destroys it.
    void Fill(int position, HICON icon);
    void OnSelectionChange(Message& m);

    static const MessageEntry<IconListBox> messageTable[];

    // The positions whose icon has been asked of the file, and those whose
    // image holds it. A position is asked once: one that yields no icon
    // stays an empty cell.
    std::vector<bool> m_asked;
    std::vector<bool> m_filled;
    // The file as it was when it was last checked.
    FileStamp m_checked;
};

// The size of a large icon, stored by the main dialog's initialisation and by
// each measurement of a grid cell.
extern SIZE SystemIconSize;

// Reads the large-icon size of the system into SystemIconSize.
void ReadSystemIconSize();

// An image list for a grid, at the stored system icon size; its owner
// destroys it.
HIMAGELIST CreateIconImageList();

// The item size of a grid: reads the system icon size afresh and stores it.
void MeasureIconCell(MEASUREITEMSTRUCT* item);
