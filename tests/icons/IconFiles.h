// The icon files made at build time beside the tests, and what a test reads
// off icons, image lists, grids and the process's handle tables.
#pragma once
#include "icons/IconListBox.h"
#include <windows.h>
#include <commctrl.h>
#include <string>
#include <vector>

// The path of one of the made icon files: one.ico, three-images.ico,
// modern.ico, monochrome.ico (all black), three-icons.dll, eight-icons.dll,
// 1024-icons.dll, 1500-icons.dll, gap-icons.dll (its third icon cannot be
// extracted), four-icons.dll, .exe and .icl, the malformed ones
// (harness/Windows.h) and the libraries broken in one place
// (break-icon-libraries.py).
std::string IconFile(const char* name);

// The colour that fills icon `index` of every made file; make-icon-files.py
// paints with the same formula.
COLORREF IconColour(int index);

// The size of an icon's image, and the colour at its centre.
SIZE IconSize(HICON icon);
COLORREF IconCentreColour(HICON icon);
// The colour at the centre of icon `index` of a file, extracted straight
// from the platform; CLR_INVALID where it yields none.
COLORREF ExtractedIconColour(const std::string& path, int index);
// The colour at the centre of image `index` of an image list.
COLORREF ImageCentreColour(HIMAGELIST list, int index);

// What a grid lists: its items' data in order, and its selection.
std::vector<LPARAM> ItemData(const IconListBox& grid);
int Selection(const IconListBox& grid);

// A device context on a bitmap of the test's own, filled with one colour,
// on which a test lets the grid draw.
class Canvas {
public:
    Canvas(int width, int height, COLORREF fill);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC Dc() const { return m_dc; }
    COLORREF Pixel(int x, int y) const;
    // True when no pixel differs from the fill.
    bool Untouched() const;

private:
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_previous;
    DWORD* m_pixels = nullptr;
    int m_width;
    int m_height;
    DWORD m_fill;
};

// The GDI and the USER objects the process holds. Where the platform does
// not count them (GetGuiResources answers 0 under Wine), a count is told by
// how many fewer objects the process can still make before the handle
// table is full: a difference of counts means the same either way. Under
// Wine that takes seconds for USER objects, whose table the whole session
// shares. Every icon holds GDI bitmaps, so a leaked icon shows in both.
long CountGdiObjects();
long CountUserObjects();
