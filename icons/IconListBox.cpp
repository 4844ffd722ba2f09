#include "icons/IconListBox.h"
#include "resource.h"
#include "icons/IconExtraction.h"

SIZE SystemIconSize = { 0, 0 };

namespace {

// Extracts the first `wanted` large icons into `icons`, in one call where
// that yields the file's whole count, every handle a real icon (some
// platforms answer with the full count yet fill only the first handle),
// otherwise one at a time. False, with nothing left to release, when not
// one icon could be extracted.
bool ExtractFirstIcons(const char* path, int count, int wanted, HICON* icons)
{
    if (wanted == count && ExtractIcons(path, 0, icons, nullptr, wanted) == count)
        return true;
    for (int i = 0; i < wanted; ++i) {
        if (icons[i])
            DestroyIcon(icons[i]);
    }
    bool any = false;
    for (int i = 0; i < wanted; ++i)
        any = ExtractIcons(path, i, &icons[i], nullptr, 1) == 1 || any;
    return any;
}

// Keeps a list box from redrawing and updating its scroll bar while its items
// change: done item by item, that would cost far more than the icons
// themselves. Afterwards the list is drawn once, whole.
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

} // namespace

const MessageEntry<IconListBox> IconListBox::messageTable[] = {
    { WM_COMMAND, LBN_SELCHANGE, 0, &IconListBox::OnSelectionChange },
};

bool IconListBox::OnMessage(Message& m)
{
    return DispatchMessageTable(*this, messageTable, m) || CListBox::OnMessage(m);
}

bool IconListBox::LoadIconFile(const char* path, int index)
{
    // A path that does not fit could not be told apart from another file.
    if (lstrlenA(path) >= static_cast<int>(sizeof m_currentFile))
        return false;
    if (m_currentFile[0] == '\0' || lstrcmpiA(m_currentFile, path) != 0) {
        const int count = IconCount(path);
        if (count <= 0)
            return false;
        const int wanted = count < MAX_ICONS_PER_FILE ? count : MAX_ICONS_PER_FILE;
        HICON icons[MAX_ICONS_PER_FILE] = {};
        if (!ExtractFirstIcons(path, count, wanted, icons))
            return false;
        lstrcpynA(m_currentFile, path, sizeof m_currentFile);
        const RedrawPause pause(*this);
        RemoveAll();
        for (int i = 0; i < wanted; ++i) {
            if (icons[i])
                Append(icons[i], i);
        }
    }
    SendMessage(LB_SETCURSEL, static_cast<WPARAM>(index));
    return true;
}

void IconListBox::ClearIcons()
{
    const RedrawPause pause(*this);
    RemoveAll();
    SendMessage(LB_SETCURSEL, static_cast<WPARAM>(-1));
    m_currentFile[0] = '\0';
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
    DeleteObject(brush);

    ImageList_DrawEx(m_imageList, position, dc, cell.left + ICON_CELL_OFFSET, cell.top + ICON_CELL_OFFSET,
                     SystemIconSize.cx, SystemIconSize.cy, CLR_NONE, CLR_NONE, ILD_NORMAL);

    if (selected && m_notify)
        ::SendMessageA(::GetParent(m_hWnd), WM_PREVIEW_ICON, static_cast<WPARAM>(position), 0);
}

void IconListBox::OnSelectionChange(Message&)
{
    if (m_notify)
        ::SendMessageA(::GetParent(m_hWnd), WM_SELECTION_CHANGED, 0, 0);
}

void IconListBox::RemoveAll()
{
    ImageList_Remove(m_imageList, -1);
    // Each deletion answers the items left; a list that is gone answers 0 too.
    while (SendMessage(LB_DELETESTRING, 0) > 0) {
    }
}

// The image list keeps its own copy, so the icon is destroyed whether or not
// the list took it. An icon the list refuses gets no item, and an item the
// list box refuses takes its image back out, so image i stays item i's.
void IconListBox::Append(HICON icon, int position)
{
    const int image = ImageList_ReplaceIcon(m_imageList, -1, icon);
    DestroyIcon(icon);
    if (image == -1)
        return;
    const LRESULT added = SendMessage(LB_ADDSTRING, 0, static_cast<LPARAM>(position));
    if (added == LB_ERR || added == LB_ERRSPACE)
        ImageList_Remove(m_imageList, image);
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
