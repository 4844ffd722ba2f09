// The platform's floor for the program's start: the main dialog's own
// template, with nothing of the program's behind it, that asks the shell
// for the folder's icon location and draws the icons of that file that its
// grid's first screen shows, each taken from the file when its cell is
// drawn. It ends when it is closed.
//
//     bare_dialog FOLDER
#include "resource.h"
#include <windows.h>
#include <shellapi.h>

namespace {

wchar_t g_iconFile[MAX_PATH] = L"";

void FillGrid(HWND dialog, const wchar_t* folder)
{
    SHFILEINFOW info = {};
    SHGetFileInfoW(folder, 0, &info, sizeof info, SHGFI_ICONLOCATION);
    lstrcpynW(g_iconFile, info.szDisplayName, MAX_PATH);
    const int count = static_cast<int>(ExtractIconExW(g_iconFile, -1, nullptr, nullptr, 0));
    const HWND grid = GetDlgItem(dialog, IDC_ICON_GRID);
    SendMessageW(grid, WM_SETREDRAW, FALSE, 0);
    for (int i = 0; i < count && count > 0; ++i)
        SendMessageW(grid, LB_ADDSTRING, 0, i);
    SendMessageW(grid, WM_SETREDRAW, TRUE, 0);
}

void DrawCell(const DRAWITEMSTRUCT* item)
{
    FillRect(item->hDC, &item->rcItem, GetSysColorBrush(COLOR_WINDOW));
    HICON icon = nullptr;
    if (ExtractIconExW(g_iconFile, static_cast<int>(item->itemID), &icon, nullptr, 1) > 0 && icon) {
        DrawIconEx(item->hDC, item->rcItem.left + ICON_CELL_OFFSET, item->rcItem.top + ICON_CELL_OFFSET, icon, 0, 0, 0,
                   nullptr, DI_NORMAL);
        DestroyIcon(icon);
    }
}

INT_PTR CALLBACK BareProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        FillGrid(dialog, reinterpret_cast<const wchar_t*>(lParam));
        return TRUE;
    case WM_MEASUREITEM:
        reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemWidth = GetSystemMetrics(SM_CXICON) + ICON_CELL_MARGIN;
        reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = GetSystemMetrics(SM_CYICON) + ICON_CELL_MARGIN;
        return TRUE;
    case WM_DRAWITEM:
        DrawCell(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL)
            EndDialog(dialog, IDCANCEL);
        return TRUE;
    }
    return FALSE;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    const INT_PTR ended = DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_MAIN), nullptr, BareProcedure,
                                          reinterpret_cast<LPARAM>(count > 1 ? arguments[1] : L""));
    LocalFree(arguments);
    return ended == IDCANCEL ? 0 : 1;
}
