#include "app/FolderIconDialog.h"
#include "framework/WinApp.h"
#include "icons/IconExtraction.h"
#include "icons/RecentIconFiles.h"
#include "resource.h"
#include <commctrl.h>
#include <shellapi.h>

const MessageEntry<FolderIconDialog> FolderIconDialog::messageTable[] = {
    { WM_PAINT,             0,             0,                 &FolderIconDialog::OnPaint },
    { WM_QUERYDRAGICON,     0,             0,                 &FolderIconDialog::OnQueryDragIcon },
    { WM_COMMAND,           BN_CLICKED,    IDC_BROWSE_ICON_FILE, &FolderIconDialog::OnBrowseIconFile },
    { WM_COMMAND,           BN_CLICKED,    IDC_OTHER_FOLDER,  &FolderIconDialog::OnOtherFolder },
    { WM_COMMAND,           LBN_DBLCLK,    IDC_ICON_GRID,     &FolderIconDialog::OnGridDoubleClick },
    { WM_COMMAND,           BN_CLICKED,    IDC_ABOUT,         &FolderIconDialog::OnAbout },
    { WM_MEASUREITEM,       0,             IDC_ICON_GRID,     &FolderIconDialog::OnMeasureItem },
    { WM_COMMAND,           BN_CLICKED,    IDC_DEFAULT_ICON,  &FolderIconDialog::OnRestoreDefaultIcon },
    { WM_COMMAND,           BN_CLICKED,    IDC_CHOOSE_COLOUR, &FolderIconDialog::OnChooseColour },
    { WM_COMMAND,           BN_CLICKED,    IDC_CHOOSE_EMBLEM, &FolderIconDialog::OnChooseEmblem },
    { WM_COMMAND,           0,             IDM_OTHER_EMBLEM,  &FolderIconDialog::OnOtherEmblem },
    { WM_COMMAND,           0,             IDM_NO_EMBLEM,     &FolderIconDialog::OnNoEmblem },
    { WM_COMMAND,           BN_CLICKED,    IDC_COVERS,        &FolderIconDialog::OnShowCovers },
    { WM_COMMAND,           BN_CLICKED,    IDC_APPLY,         &FolderIconDialog::OnApplyClicked },
    { WM_TIMER,             0,             0,                 &FolderIconDialog::OnApplyTimer },
    { WM_DROPFILES,         0,             0,                 &FolderIconDialog::OnDropFiles },
    { WM_SELECTION_CHANGED, 0,             0,                 &FolderIconDialog::OnSelectionChanged },
    { WM_PREVIEW_ICON,      0,             0,                 &FolderIconDialog::OnPreviewIcon },
    { WM_COMMAND,           CBN_SELCHANGE, IDC_ICON_FILE,     &FolderIconDialog::OnPickRecentIconFile },
    { WM_COMMAND,           CBN_EDITCHANGE, IDC_ICON_FILE,    &FolderIconDialog::OnIconFileEdited },
    { WM_SHOW_GRID_FILE,    0,             0,                 &FolderIconDialog::OnShowGridFile },
    { WM_COMMAND,           BN_CLICKED,    IDC_REBUILD_CACHE, &FolderIconDialog::OnRebuildIconCache },
    { WM_COMMAND,           EN_CHANGE,     IDC_INFOTIP,       &FolderIconDialog::OnInfoTipChange },
    { WM_DESTROY,           0,             0,                 &FolderIconDialog::OnDestroy },
    { WM_COMMAND,           BN_CLICKED,    IDC_UNDO,          &FolderIconDialog::OnUndo },
    { WM_ACTIVATE,          0,             0,                 &FolderIconDialog::OnActivate },
};

FolderIconDialog::FolderIconDialog() : CDialog(IDD_MAIN)
{
    const LPCWSTR icon = MAKEINTRESOURCEW(IDI_BRISEVENT);
    m_hIcon = LoadIconW(AfxFindResourceHandle(icon, RT_GROUP_ICON), icon);
}

FolderIconDialog::~FolderIconDialog()
{
    // The window still shows the icon until it is gone.
    if (m_hWnd)
        DestroyWindow();
    if (m_ownsIcon)
        DestroyIcon(m_hIcon);
    if (m_shownIcon)
        DestroyIcon(m_shownIcon);
}

bool FolderIconDialog::OnMessage(Message& m)
{
    return DispatchMessageTable(*this, messageTable, m) || CDialog::OnMessage(m);
}

void FolderIconDialog::DoDataExchange(CDataExchange* dx)
{
    DDX_Control(dx, IDC_REBUILD_CACHE, m_rebuildCache);
    DDX_Control(dx, IDC_TARGET_NAME, m_targetName);
    DDX_Control(dx, IDC_ICON_FILE, m_iconFile);
    DDX_Control(dx, IDC_BROWSE_ICON_FILE, m_browseIconFile);
    DDX_Control(dx, IDC_DEFAULT_ICON, m_defaultIcon);
    DDX_Control(dx, IDC_CHOOSE_COLOUR, m_chooseColour);
    DDX_Control(dx, IDC_CHOOSE_EMBLEM, m_chooseEmblem);
    DDX_Control(dx, IDC_COVERS, m_covers);
    DDX_Control(dx, IDC_TARGET_ICON, m_targetIcon);
    DDX_Control(dx, IDC_INFOTIP, m_infoTip);
    DDX_Control(dx, IDC_PREVIEW_SMALL, m_previewSmall);
    DDX_Control(dx, IDC_PREVIEW_LARGE, m_previewLarge);
    DDX_Control(dx, IDCANCEL, m_cancel);
    DDX_Control(dx, IDC_ABOUT, m_about);
    DDX_Control(dx, IDC_APPLY, m_apply);
    DDX_Control(dx, IDC_ICON_LOCATION, m_iconLocation);
    DDX_Control(dx, IDC_ICON_GRID, m_iconGrid);
    DDX_Control(dx, IDC_UNDO, m_undo);
}

BOOL FolderIconDialog::OnInitDialog()
{
    CDialog::OnInitDialog();

    SetIcon(m_hIcon, TRUE);
    const HINSTANCE instance = AfxFindResourceHandle(MAKEINTRESOURCEW(IDI_BRISEVENT), RT_GROUP_ICON);
    m_hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_BRISEVENT), IMAGE_ICON,
                                            SMALL_ICON_SIZE, SMALL_ICON_SIZE, LR_DEFAULTCOLOR));
    m_ownsIcon = m_hIcon != nullptr;
    SetIcon(m_hIcon, FALSE);

    InitCommonControls();

    ReadSystemIconSize();
    m_iconGrid.m_imageList = CreateIconImageList();
    m_iconGrid.ClearIcons();
    m_iconGrid.m_notify = TRUE;

    ReadDefaultIcons();
    CheckFirstRun();

    CWinApp* application = AfxGetApp();
    if (application && application->m_lpCmdLine)
        TargetFromCommandLine(application->m_lpCmdLine);
    FillRecentCombo(m_iconFile);
    ShowUndoState();
    return TRUE;
}

void FolderIconDialog::OnPaint(Message& m)
{
    if (!IsIconic()) {
        m.handled = false;
        return;
    }
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(m_hWnd, &paint);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc));
    const int iconWidth = GetSystemMetrics(SM_CXICON);
    const int iconHeight = GetSystemMetrics(SM_CYICON);
    RECT client;
    GetClientRect(&client);
    const int x = (client.right - client.left - iconWidth + 1) / 2;
    const int y = (client.bottom - client.top - iconHeight + 1) / 2;
    DrawIcon(dc, x, y, m_hIcon);
    EndPaint(m_hWnd, &paint);
}

void FolderIconDialog::OnQueryDragIcon(Message& m)
{
    m.result = reinterpret_cast<LRESULT>(m_hIcon);
}

void FolderIconDialog::OnInfoTipChange(Message&)
{
    m_apply.EnableWindow(TRUE);
}

void FolderIconDialog::OnMeasureItem(Message& m)
{
    MeasureIconCell(reinterpret_cast<MEASUREITEMSTRUCT*>(m.lParam));
    m.result = TRUE;
}

void FolderIconDialog::OnSelectionChanged(Message& m)
{
    m_iconChosen = true;
    m_apply.EnableWindow(TRUE);
    m_defaultIcon.EnableWindow(TRUE);
    m.result = 0;
}

// The icon double-clicked is chosen and applied at once, even when it is the
// one shown.
void FolderIconDialog::OnGridDoubleClick(Message&)
{
    m_iconChosen = true;
    ApplyCommand();
}

// Sent each time the selected cell is painted, so the preview follows the
// selection; a position that yields no icon empties the preview.
void FolderIconDialog::OnPreviewIcon(Message& m)
{
    m.result = 0;
    // A drawn icon's previews were set as it was taken.
    if (!m_design.IsEmpty())
        return;
    HICON large = nullptr;
    HICON small = nullptr;
    ExtractIcons(m_iconGrid.m_currentFile, static_cast<int>(m.wParam), &large, &small, 1);
    ShowPreview(m_previewLarge, large);
    ShowPreview(m_previewSmall, small);
}

// The statics hand back the icons they showed; nobody else owns them.
void FolderIconDialog::ShowPreview(const CStatic& preview, HICON icon)
{
    const HICON shown = reinterpret_cast<HICON>(preview.SendMessage(STM_SETICON, reinterpret_cast<WPARAM>(icon)));
    if (shown && shown != icon)
        DestroyIcon(shown);
}

// The controls are still there: the previews hand back their icons, and the
// grid's pictures go with the dialog. An emptied desktop.ini must not
// outlive the dialog that emptied it.
void FolderIconDialog::OnDestroy(Message& m)
{
    DeletePendingIniFiles();
    ShowPreview(m_previewLarge, nullptr);
    ShowPreview(m_previewSmall, nullptr);
    ImageList_Destroy(m_iconGrid.m_imageList);
    m_iconGrid.m_imageList = nullptr;
    m.handled = false;
}
