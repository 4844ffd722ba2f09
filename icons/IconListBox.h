// The grid of the icons one file holds: an owner-drawn list box whose items
// are the icons' positions in the file and whose pictures live in an image
// list that the owning dialog hands in.
#pragma once
#include "framework/Controls.h"
#include <commctrl.h>

class IconListBox : public CListBox {
public:
    // Lists the icons of `path`, unless that file is already shown, and
    // selects the item at `index`. False when the file yields no icon; the
    // list is then left as it was.
    bool LoadIconFile(const char* path, int index);
    void ClearIcons();
    void DrawItem(DRAWITEMSTRUCT* item) override;
    bool OnMessage(Message& m) override;          // its table: the reflected LBN_SELCHANGE

    BOOL m_notify = FALSE;                        // send WM_SELECTION_CHANGED / WM_PREVIEW_ICON to the parent
    HIMAGELIST m_imageList = nullptr;             // created and handed in by the owning dialog
    char m_currentFile[264] = "";                 // the file shown; "" after ClearIcons

private:
    void RemoveAll();
    void Append(HICON icon, int position);
    void OnSelectionChange(Message& m);

    static const MessageEntry<IconListBox> messageTable[];
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
