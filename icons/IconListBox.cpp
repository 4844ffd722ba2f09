#include "icons/IconListBox.h"
#include "resource.h"
#include "framework/Paths.h"
#include "icons/IconExtraction.h"

SIZE SystemIconSize = { 0, 0 };

namespace {

// Keeps a list box from redrawing and updating its scroll bar while its items
// change: done item by item, that would cost more than all the rest of a
// load. Afterwards the list is drawn once, whole.
class RedrawPause {
public:
    explicit RedrawPause(const CWnd& list) : m_list(list) { m_list.SendMessage(WM_SETREDRAW, FALSE); }
    ~RedrawPause()
    {
        m_list.SendMessage(WM_SETREDRAW, TRUE);
        InvalidateRect(m_list.m_hWnd, nullptr, TRUE);
    }
    RedrawPause(const RedrawPause&) = delete;
    RedrawPause& operator=(const RedrawPause&) = delete;

private:
    const CWnd& m_list;
};

// ImageList_ReplaceIcon copies an icon twice before it reads its bitmaps, and
// under Wine each copy costs several round trips to the server: the icon's
// own bitmaps, handed to ImageList_Replace, give the same image in a third of
// the time. The icons are taken at the images' size. A monochrome icon has no
// colour bitmap, both its halves being in its mask: ImageList_ReplaceIcon
// alone reads it.
bool ReplaceWithBitmaps(HIMAGELIST list, int position, HICON icon)
{
    ICONINFO bitmaps = {};
    if (!GetIconInfo(icon, &bitmaps))
        return false;
    const bool replaced = bitmaps.hbmColor && ImageList_Replace(list, position, bitmaps.hbmColor, bitmaps.hbmMask);
    if (bitmaps.hbmColor)
        DeleteObject(bitmaps.hbmColor);
    DeleteObject(bitmaps.hbmMask);
    return replaced;
}

// Draws image `position` of `list` at (x, y) over the cell's colour. The icon
// is blended onto a bitmap of that colour and copied in whole: blended
// straight into a window, or into a bitmap made compatible with one, each
// icon costs Wine round trips to its server that a 32-bit bitmap of the
// program's own does not.
void DrawImage(HIMAGELIST list, int position, HDC dc, int x, int y, HBRUSH background)
{
    const int width = SystemIconSize.cx;
    const int height = SystemIconSize.cy;
    BITMAPINFO format = {};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = height;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const HBITMAP bitmap = CreateDIBSection(dc, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HDC image = bitmap ? CreateCompatibleDC(dc) : nullptr;
    if (!image) {
        ImageList_DrawEx(list, position, dc, x, y, width, height, CLR_NONE, CLR_NONE, ILD_NORMAL);
        if (bitmap)
            DeleteObject(bitmap);
        return;
    }
    const HGDIOBJ previousBitmap = SelectObject(image, bitmap);
    const HGDIOBJ previousBrush = SelectObject(image, background);
    PatBlt(image, 0, 0, width, height, PATCOPY);
    ImageList_DrawEx(list, position, image, 0, 0, width, height, CLR_NONE, CLR_NONE, ILD_NORMAL);
    BitBlt(dc, x, y, width, height, image, 0, 0, SRCCOPY);
    SelectObject(image, previousBrush);
    SelectObject(image, previousBitmap);
    DeleteDC(image);
    DeleteObject(bitmap);
}

} // namespace

const MessageEntry<IconListBox> IconListBox::messageTable[] = {
    { WM_COMMAND, LBN_SELCHANGE, 0, &IconListBox::OnSelectionChange },
};

bool IconListBox::OnMessage(Message& m)
{
    return DispatchMessageTable(*this, messageTable, m) || CListBox::OnMessage(m);
}

bool IconListBox::LoadIconFile(const wchar_t* path, int index)
{
    // A path that does not fit could not be told apart from another file.
    if (lstrlenW(path) >= static_cast<int>(ARRAYSIZE(m_currentFile)))
        return false;
    FileStamp stamp;
    const bool stamped = stamp.Read(path);
    if (m_currentFile[0] != L'\0' && SameIgnoringCase(m_currentFile, path) && stamped && stamp == m_checked) {
        SendMessage(LB_SETCURSEL, static_cast<WPARAM>(index));
        return true;
    }
    const int count = IconCount(path);
    if (count <= 0)
        return false;
    // Before anything changes the file must prove that it yields an icon;
    // the first that does is kept for its cell.
    int first = 0;
    HICON icon = nullptr;
    while (first < count && !(icon = ExtractIconOfSoundFile(path, first)))
        ++first;
    if (!icon)
        return false;
    lstrcpynW(m_currentFile, path, ARRAYSIZE(m_currentFile));
    m_checked = stamp;
    const RedrawPause pause(*this);
    RemoveAll();
    // An item the list box refuses ends the list there, so that item i stays
    // position i; without its images reserved there is no list.
    m_asked.assign(static_cast<size_t>(count), false);
    m_filled.assign(static_cast<size_t>(count), false);
    int listed = 0;
    if (ImageList_SetImageCount(m_imageList, static_cast<UINT>(count))) {
        while (listed < count && SendMessage(LB_ADDSTRING, 0, listed) >= 0)
            ++listed;
    }
    // The positions before it have just yielded nothing.
    for (int i = 0; i < first; ++i)
        m_asked[i] = true;
    Fill(first, icon);
    // Selected while the list is not drawn, the cell is drawn once, with the
    // whole list.
    SendMessage(LB_SETCURSEL, static_cast<WPARAM>(index));
    return true;
}

void IconListBox::ClearIcons()
{
    const RedrawPause pause(*this);
    RemoveAll();
    SendMessage(LB_SETCURSEL, static_cast<WPARAM>(-1));
    m_currentFile[0] = L'\0';
    m_checked = FileStamp();
}

void IconListBox::ShowOneIcon(HICON icon)
{
    const RedrawPause pause(*this);
    RemoveAll();
    m_currentFile[0] = L'\0';
    m_checked = FileStamp();
    m_asked.assign(1, false);
    m_filled.assign(1, false);
    if (ImageList_SetImageCount(m_imageList, 1) && SendMessage(LB_ADDSTRING, 0, 0) >= 0)
        Fill(0, icon);
    else if (icon)
        DestroyIcon(icon);
    SendMessage(LB_SETCURSEL, 0);
}

void IconListBox::DrawItem(DRAWITEMSTRUCT* item)
{
    if (!(item->itemAction & (ODA_DRAWENTIRE | ODA_SELECT)))
        return;
    const int position = static_cast<int>(item->itemID);
    RECT cell;
    if (SendMessage(LB_GETITEMRECT, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(&cell)) == LB_ERR)
        return;

    const bool selected = (item->itemState & ODS_SELECTED) != 0;
    const HDC dc = item->hDC;
    const HPEN pen = CreatePen(PS_NULL, 0, 0);
    const HBRUSH brush = CreateSolidBrush(GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    const HGDIOBJ previousPen = SelectObject(dc, pen);
    const HGDIOBJ previousBrush = SelectObject(dc, brush);
    Rectangle(dc, cell.left, cell.top, cell.right, cell.bottom);
    SelectObject(dc, previousPen);
    SelectObject(dc, previousBrush);
    DeleteObject(pen);

    if (ImageReady(position))
        DrawImage(m_imageList, position, dc, cell.left + ICON_CELL_OFFSET, cell.top + ICON_CELL_OFFSET, brush);

    DeleteObject(brush);

    if (selected && m_notify)
        ::SendMessageW(::GetParent(m_hWnd), WM_PREVIEW_ICON, static_cast<WPARAM>(position), 0);
}

void IconListBox::OnSelectionChange(Message&)
{
    if (m_notify)
        ::SendMessageW(::GetParent(m_hWnd), WM_SELECTION_CHANGED, 0, 0);
}

void IconListBox::RemoveAll()
{
    ImageList_Remove(m_imageList, -1);
    m_asked.clear();
    m_filled.clear();
    // Each deletion answers the items left; a list that is gone answers 0 too.
    while (SendMessage(LB_DELETESTRING, 0) > 0) {
    }
}

bool IconListBox::ImageReady(int position)
{
    if (position < 0 || static_cast<size_t>(position) >= m_asked.size())
        return false;
    if (!m_asked[position])
        FillShownFrom(position);
    return m_filled[position];
}

// The list box draws the cells on screen in the order of their positions, so
// the first one not yet asked is followed by the others about to be drawn:
// they are taken together, and the file is read once for the whole screen.
// A file that is no longer sound yields nothing more.
void IconListBox::FillShownFrom(int position)
{
    RECT client;
    GetClientRect(&client);
    const int listed = static_cast<int>(SendMessage(LB_GETCOUNT));
    int count = 1;
    while (count < MAX_ICONS_TAKEN_AT_ONCE && position + count < listed && !m_asked[position + count] &&
           IsOnScreen(position + count, client))
        ++count;
    HICON icons[MAX_ICONS_TAKEN_AT_ONCE] = {};
    if (StillSound())
        ExtractIconRunOfSoundFile(m_currentFile, position, icons, count, SystemIconSize);
    for (int i = 0; i < count; ++i) {
        m_asked[position + i] = true;
        if (icons[i])
            Fill(position + i, icons[i]);
    }
}

// The file was checked when it was loaded; changed on disk since, it is
// checked again before it is read.
bool IconListBox::StillSound()
{
    FileStamp now;
    if (!now.Read(m_currentFile))
        return false;
    if (now == m_checked)
        return true;
    if (!IconFileIsSound(m_currentFile))
        return false;
    m_checked = now;
    return true;
}

bool IconListBox::IsOnScreen(int position, const RECT& client) const
{
    RECT cell;
    RECT common;
    return SendMessage(LB_GETITEMRECT, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(&cell)) != LB_ERR &&
           IntersectRect(&common, &cell, &client);
}

// The image list keeps its own copy, so the icon is destroyed whether or not
// the list took it.
void IconListBox::Fill(int position, HICON icon)
{
    m_asked[position] = true;
    m_filled[position] = ReplaceWithBitmaps(m_imageList, position, icon) ||
                         ImageList_ReplaceIcon(m_imageList, position, icon) == position;
    DestroyIcon(icon);
}

// 32-bit images keep the alpha of today's icons, whose soft edges a screen-
// depth copy turns into dark fringes.
HIMAGELIST CreateIconImageList()
{
    return ImageList_Create(SystemIconSize.cx, SystemIconSize.cy, ILC_COLOR32 | ILC_MASK, ICON_LIST_INITIAL,
                            ICON_LIST_GROWTH);
}

void ReadSystemIconSize()
{
    SystemIconSize.cx = GetSystemMetrics(SM_CXICON);
    SystemIconSize.cy = GetSystemMetrics(SM_CYICON);
}

void MeasureIconCell(MEASUREITEMSTRUCT* item)
{
    ReadSystemIconSize();
    item->itemWidth = static_cast<UINT>(SystemIconSize.cx + ICON_CELL_MARGIN);
    item->itemHeight = static_cast<UINT>(SystemIconSize.cy + ICON_CELL_MARGIN);
}
