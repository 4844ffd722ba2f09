#include "icons/IconFileDialog.h"
#include "app/FolderIconDialog.h"
#include "framework/Paths.h"
#include "framework/WinApp.h"
#include "target/IconLocationText.h"
#include "resource.h"
#include <shlobj.h>

DWORD LastFilterIndex = 0;

namespace {

// Pairs of the text shown and the patterns, each ending with a zero, the
// whole list with one more.
const wchar_t ICON_FILE_FILTER[] =
    L"Tous les fichiers ic\xf4nes\0*.ico;*.icl;*.exe;*.dll\0"
    L"Ic\xf4nes (*.ico)\0*.ico\0"
    L"Librairies (*.icl)\0*.icl\0"
    L"Ex\xe9" L"cutables (*.exe)\0*.exe\0"
    L"Biblioth\xe8ques (*.dll)\0*.dll\0"
    L"Tous (*.*)\0*.*\0"
    L"Images (*.png;*.jpg;*.jpeg;*.bmp;*.gif;*.tif)\0*.png;*.jpg;*.jpeg;*.bmp;*.gif;*.tif\0";

RECT RectIn(const CWnd& window, const CWnd& parent)
{
    RECT rect;
    window.GetWindowRect(&rect);
    MapWindowPoints(nullptr, parent.m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// Moves only what is not already in place: a move of the pane brings
// WM_WINDOWPOSCHANGED again.
void MoveIfElsewhere(const CWnd& window, const RECT& now, int x, int y, int width, int height)
{
    if (now.left != x || now.top != y || now.right - now.left != width || now.bottom - now.top != height)
        window.MoveWindow(x, y, width, height, TRUE);
}

// The first item selected in the dialog's view, folders included, read from
// the view itself: some platforms leave a selected folder out of the
// dialog's file name, and CDM_GETFILEPATH then names the file selected
// before it. The browser that the dialog hands out is not counted as a
// reference of the caller's.
bool SelectedItemPath(HWND dialog, wchar_t (&path)[ICON_PATH_BUFFER_SIZE])
{
    auto* browser = reinterpret_cast<IShellBrowser*>(SendMessageW(dialog, WM_GETISHELLBROWSER, 0, 0));
    IShellView* view = nullptr;
    if (!browser || FAILED(browser->QueryActiveShellView(&view)) || !view)
        return false;
    IDataObject* selection = nullptr;
    const HRESULT got = view->GetItemObject(SVGIO_SELECTION, IID_IDataObject, reinterpret_cast<void**>(&selection));
    view->Release();
    if (FAILED(got) || !selection)
        return false;
    FORMATETC format = { static_cast<CLIPFORMAT>(RegisterClipboardFormatW(CFSTR_SHELLIDLIST)), nullptr,
                         DVASPECT_CONTENT, -1, TYMED_HGLOBAL };
    STGMEDIUM medium = {};
    bool found = false;
    if (SUCCEEDED(selection->GetData(&format, &medium))) {
        if (const auto* items = static_cast<const CIDA*>(GlobalLock(medium.hGlobal))) {
            if (items->cidl > 0) {
                const BYTE* base = reinterpret_cast<const BYTE*>(items);
                PIDLIST_ABSOLUTE full = ILCombine(reinterpret_cast<PCIDLIST_ABSOLUTE>(base + items->aoffset[0]),
                                                  reinterpret_cast<PCUIDLIST_RELATIVE>(base + items->aoffset[1]));
                found = full && SHGetPathFromIDListW(full, path);
                ILFree(full);
            }
            GlobalUnlock(medium.hGlobal);
        }
        ReleaseStgMedium(&medium);
    }
    selection->Release();
    return found;
}

} // namespace

const MessageEntry<IconFileDialog> IconFileDialog::messageTable[] = {
    { WM_MEASUREITEM,       0, IDC_ICON_GRID, &IconFileDialog::OnMeasureItem },
    { WM_WINDOWPOSCHANGED,  0, 0,             &IconFileDialog::OnWindowPosChanged },
    { WM_DESTROY,           0, 0,             &IconFileDialog::OnDestroy },
};

// The dialog leaves the current folder as it was: a relative path typed
// later is read from the folder the program started in, not from the last
// one browsed.
IconFileDialog::IconFileDialog()
    : CFileDialog(TRUE, nullptr, nullptr, OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOCHANGEDIR, nullptr, nullptr)
{
    m_ofn.Flags |= OFN_ENABLETEMPLATE;
}

IconFileDialog::IconFileDialog(HWND owner, wchar_t (&file)[ICON_FILE_NAME_BUFFER_SIZE]) : IconFileDialog()
{
    m_ofn.hwndOwner = owner;
    m_ofn.lpstrFilter = ICON_FILE_FILTER;
    m_ofn.nFilterIndex = LastFilterIndex;
    m_ofn.lpstrFile = file;
    m_ofn.nMaxFile = PATH_BUFFER_SIZE;
    m_ofn.lpTemplateName = MAKEINTRESOURCEW(IDD_ICON_FILE_PANE);
}

bool IconFileDialog::OnMessage(Message& m)
{
    return DispatchMessageTable(*this, messageTable, m) || CFileDialog::OnMessage(m);
}

void IconFileDialog::DoDataExchange(CDataExchange* dx)
{
    DDX_Control(dx, IDC_ICON_GRID, m_preview);
}

// Each showing starts with an empty preview and an image list of its own.
BOOL IconFileDialog::OnInitDialog()
{
    CFileDialog::OnInitDialog();
    m_preview.m_imageList = CreateIconImageList();
    m_preview.ClearIcons();
    m_preview.m_notify = FALSE;
    return TRUE;
}

void IconFileDialog::OnFileNameChange()
{
    wchar_t path[ICON_PATH_BUFFER_SIZE];
    bool named = SelectedItemPath(::GetParent(m_hWnd), path);
    if (!named) {
        const int length = GetPathName(path, ICON_PATH_BUFFER_SIZE);
        named = length > 0 && length <= ICON_PATH_BUFFER_SIZE;
    }
    if (named && m_preview.LoadIconFile(path, 0))
        return;
    m_preview.ClearIcons();
}

int IconFileDialog::ChosenIcon(const wchar_t* file) const
{
    wchar_t full[PATH_BUFFER_SIZE];
    return FullIconPath(file, nullptr, full) && SameIgnoringCase(full, m_shownFile.c_str()) ? m_chosenIcon : 0;
}

void IconFileDialog::OnMeasureItem(Message& m)
{
    MeasureIconCell(reinterpret_cast<MEASUREITEMSTRUCT*>(m.lParam));
    m.result = TRUE;
}

// The pane spans the whole width of the dialog, and the grid in it keeps
// its left margin on the right as well.
void IconFileDialog::OnWindowPosChanged(Message& m)
{
    CWnd dialog;
    dialog.m_hWnd = ::GetParent(m_hWnd);
    RECT client;
    dialog.GetClientRect(&client);
    const RECT pane = RectIn(*this, dialog);
    MoveIfElsewhere(*this, pane, client.left, pane.top, client.right - client.left, pane.bottom - pane.top);
    const RECT grid = RectIn(m_preview, *this);
    MoveIfElsewhere(m_preview, grid, grid.left, grid.top, client.right - 2 * grid.left, grid.bottom - grid.top);
    m.handled = false;
}

void IconFileDialog::OnDestroy(Message& m)
{
    const int selected = static_cast<int>(m_preview.SendMessage(LB_GETCURSEL));
    m_chosenIcon = selected > 0 ? selected : 0;
    m_shownFile = m_preview.m_currentFile;
    ImageList_Destroy(m_preview.m_imageList);
    m_preview.m_imageList = nullptr;
    m.handled = false;
}

// The dialog opens on the grid's file; a confirmed file without icons is
// refused and the dialog opens again on it.
void FolderIconDialog::BrowseIconFile()
{
    wchar_t file[ICON_FILE_NAME_BUFFER_SIZE] = {};
    lstrcpynW(file, m_iconGrid.m_currentFile, PATH_BUFFER_SIZE);
    wchar_t title[STRING_BUFFER_SIZE];
    AfxLoadString(IDS_ICON_FILE_TITLE, title);

    IconFileDialog dialog(m_hWnd, file);
    for (;;) {
        dialog.m_ofn.lpstrTitle = title;
        if (dialog.DoModal() != IDOK || TakeChosenIconFile(file))
            break;
    }
    LastFilterIndex = dialog.m_ofn.nFilterIndex;
}

bool FolderIconDialog::TakeChosenIconFile(const wchar_t* file)
{
    if (ChooseIcon(file, 0))
        return true;
    ReportNoIcon();
    return false;
}
