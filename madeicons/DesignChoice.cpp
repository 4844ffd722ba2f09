#include "app/FolderIconDialog.h"
#include "framework/WinApp.h"
#include "icons/IconFileDialog.h"
#include "madeicons/Colours.h"
#include "target/IconLocationText.h"
#include <commdlg.h>

namespace {

// The colour dialog's custom colours: the named ones first, then whatever
// the user puts there, kept for the rest of the run.
COLORREF customColours[CUSTOM_COLOUR_COUNT];
bool customColoursSet = false;

COLORREF* CustomColours()
{
    if (!customColoursSet) {
        for (COLORREF& colour : customColours)
            colour = RGB(0xFF, 0xFF, 0xFF);
        size_t at = 0;
        for (const NamedColour& named : NAMED_COLOURS)
            customColours[at++] = named.value;
        customColoursSet = true;
    }
    return customColours;
}

} // namespace

bool FolderIconDialog::TakeDesign(const Design& design)
{
    const HICON large = DesignIcon(design, Target.kind, GetSystemMetrics(SM_CXICON));
    const HICON small = large ? DesignIcon(design, Target.kind, GetSystemMetrics(SM_CXSMICON)) : nullptr;
    const HICON cell = large ? DesignIcon(design, Target.kind, SystemIconSize.cx) : nullptr;
    if (!cell) {
        for (const HICON icon : { large, small })
            if (icon)
                DestroyIcon(icon);
        return false;
    }
    m_design = design;
    m_iconGrid.ShowOneIcon(cell);
    ShowPreview(m_previewLarge, large);
    ShowPreview(m_previewSmall, small);
    // The design comes from no file: nothing typed is to be loaded in its
    // place.
    m_iconFile.SetWindowText(L"");
    m_iconChosen = true;
    m_apply.EnableWindow(TRUE);
    m_defaultIcon.EnableWindow(TRUE);
    return true;
}

void FolderIconDialog::ChooseColour()
{
    CHOOSECOLORW dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = m_hWnd;
    dialog.rgbResult = m_design.colour ? *m_design.colour : NAMED_COLOURS[0].value;
    dialog.lpCustColors = CustomColours();
    dialog.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (!ChooseColorW(&dialog))
        return;
    Design design = m_design;
    design.colour = dialog.rgbResult;
    TakeDesign(design);
}

// With an emblem already on the icon, the button offers another one or
// none; the menu's command comes back through the dialog's table.
void FolderIconDialog::OnChooseEmblem(Message&)
{
    if (!m_design.HasEmblem()) {
        BrowseEmblem();
        return;
    }
    const HMENU menu = CreatePopupMenu();
    if (!menu)
        return;
    wchar_t other[STRING_BUFFER_SIZE];
    wchar_t none[STRING_BUFFER_SIZE];
    AfxLoadString(IDS_OTHER_EMBLEM, other);
    AfxLoadString(IDS_NO_EMBLEM, none);
    AppendMenuW(menu, MF_STRING, IDM_OTHER_EMBLEM, other);
    AppendMenuW(menu, MF_STRING, IDM_NO_EMBLEM, none);
    RECT button;
    m_chooseEmblem.GetWindowRect(&button);
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN, button.left, button.bottom, 0, m_hWnd, nullptr);
    DestroyMenu(menu);
}

void FolderIconDialog::BrowseEmblem()
{
    wchar_t file[ICON_FILE_NAME_BUFFER_SIZE] = {};
    lstrcpynW(file, m_design.emblemFile.c_str(), PATH_BUFFER_SIZE);
    wchar_t title[STRING_BUFFER_SIZE];
    AfxLoadString(IDS_EMBLEM_TITLE, title);
    IconFileDialog dialog(m_hWnd, file);
    for (;;) {
        dialog.m_ofn.lpstrTitle = title;
        if (dialog.DoModal() != IDOK || TakeEmblem(file, dialog.ChosenIcon(file)))
            break;
        ReportNoIcon();
    }
    LastFilterIndex = dialog.m_ofn.nFilterIndex;
}

bool FolderIconDialog::TakeEmblem(const wchar_t* file, int index)
{
    wchar_t full[PATH_BUFFER_SIZE];
    if (!FullIconPath(file, nullptr, full))
        return false;
    Design design = m_design;
    design.emblemFile = full;
    design.emblemIndex = index;
    return TakeDesign(design);
}

void FolderIconDialog::RemoveEmblem()
{
    Design design = m_design;
    design.emblemFile.clear();
    design.emblemIndex = 0;
    // Without colour nor emblem the system's own icon is what is left.
    if (design.IsEmpty())
        RestoreDefaultIcon();
    else
        TakeDesign(design);
}
