#include "app/FolderIconDialog.h"
#include "framework/Paths.h"
#include "framework/WinApp.h"
#include "apply/DesktopIni.h"
#include "target/QuotedPaths.h"
#include "target/TargetPath.h"
#include "target/Target.h"
#include <shellapi.h>
#include <shlobj.h>
#include <cstdio>
#include <cstring>
#include <utility>

namespace {

bool ShellSeesAFolder(const wchar_t* path)
{
    SHFILEINFOW info = {};
    return SHGetFileInfoW(path, 0, &info, sizeof info, SHGFI_ATTRIBUTES) && (info.dwAttributes & SFGAO_FOLDER);
}

std::vector<std::wstring> ShellFolders(const std::vector<std::wstring>& paths)
{
    std::vector<std::wstring> folders;
    for (const std::wstring& path : paths) {
        if (ShellSeesAFolder(path.c_str()))
            folders.push_back(path);
    }
    return folders;
}

bool Listed(const std::vector<std::wstring>& folders, const wchar_t* path)
{
    for (const std::wstring& folder : folders) {
        if (SameIgnoringCase(folder.c_str(), path))
            return true;
    }
    return false;
}

int CALLBACK BrowseCallback(HWND browser, UINT message, LPARAM, LPARAM currentPath)
{
    if (message == BFFM_INITIALIZED) {
        // Before the main dialog shows, the browser is the program's only
        // window on the taskbar.
        if (!IsWindowVisible(GetWindow(browser, GW_OWNER)))
            SetWindowLongW(browser, GWL_EXSTYLE, GetWindowLongW(browser, GWL_EXSTYLE) | WS_EX_APPWINDOW);
        // Opens on the current target. Before there is one there is nothing
        // to select: Wine takes an empty path for its current folder and
        // expands its whole drive, which can hold the browser for minutes.
        // Wine's browser selects a folder only when the item it makes from
        // the path equals its tree's byte for byte, access times included,
        // and making that item reads the folders on the way, which can change
        // a folder's access time after it was taken. Asked once more, after
        // what is queued by then, the path is read again and matches.
        if (*reinterpret_cast<const wchar_t*>(currentPath)) {
            SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, currentPath);
            PostMessageW(browser, BFFM_SETSELECTIONW, TRUE, currentPath);
        }
    }
    return 0;
}

} // namespace

void FolderIconDialog::TargetFromCommandLine(wchar_t* text)
{
    if (!text[0]) {
        BrowseForTarget();
        return;
    }
    // No one path holds a double quote: quoted paths one after the other
    // are several.
    const std::vector<std::wstring> quoted = QuotedPaths(text);
    if (quoted.size() > 1) {
        const std::vector<std::wstring> folders = ShellFolders(quoted);
        if (!folders.empty())
            SelectTargets(folders);
        return;
    }
    wchar_t* path = text[0] == L'"' ? text + 1 : text;
    const size_t length = wcslen(path);
    if (length > 0 && path[length - 1] == L'"')
        path[length - 1] = L'\0';
    // Classified as any path is: asking the shell first whether it sees a
    // folder there would decide nothing more, at the cost of the start.
    SelectTarget(path);
}

void FolderIconDialog::BrowseForTarget()
{
    wchar_t title[STRING_BUFFER_SIZE];
    AfxLoadString(IDS_BROWSE_TITLE, title);
    for (;;) {
        wchar_t displayName[PATH_BUFFER_SIZE];
        BROWSEINFOW browse = {};
        browse.hwndOwner = m_hWnd;
        browse.pszDisplayName = displayName;
        browse.lpszTitle = title;
        browse.ulFlags = BIF_RETURNONLYFSDIRS;
        browse.lpfn = BrowseCallback;
        browse.lParam = reinterpret_cast<LPARAM>(Target.path);
        const LPITEMIDLIST item = SHBrowseForFolderW(&browse);
        if (!item)
            return;
        const bool taken = TakeBrowsedItem(item);
        IMalloc* allocator = nullptr;
        if (SUCCEEDED(SHGetMalloc(&allocator))) {
            allocator->Free(item);
            allocator->Release();
        }
        if (taken)
            return;
    }
}

bool FolderIconDialog::TakeBrowsedItem(LPCITEMIDLIST item)
{
    wchar_t given[PATH_BUFFER_SIZE] = L"";
    const bool hasPath = SHGetPathFromIDListW(item, given);
    wchar_t path[PATH_BUFFER_SIZE];
    wchar_t name[PATH_BUFFER_SIZE];
    const PathKind kind = hasPath ? ClassifyPath(given, path, name) : PathKind::Refused;
    if (kind == PathKind::Refused) {
        ReportNotCustomisable();
        return false;
    }
    TakeTarget(kind == PathKind::Drive, path, name);
    return true;
}

void FolderIconDialog::SelectTarget(const wchar_t* given)
{
    wchar_t path[PATH_BUFFER_SIZE];
    wchar_t name[PATH_BUFFER_SIZE];
    const PathKind kind = ClassifyPath(given, path, name);
    if (kind != PathKind::Refused)
        TakeTarget(kind == PathKind::Drive, path, name);
}

// A drive's icon lives in the registry, a folder's in its desktop.ini: the
// folders are taken, a drive only alone. Each folder counts once, however it
// is spelt.
void FolderIconDialog::SelectTargets(const std::vector<std::wstring>& paths)
{
    std::vector<std::wstring> folders;
    wchar_t path[PATH_BUFFER_SIZE];
    wchar_t name[PATH_BUFFER_SIZE];
    for (const std::wstring& given : paths) {
        if (ClassifyPath(given.c_str(), path, name) == PathKind::Folder && !Listed(folders, path))
            folders.push_back(path);
    }
    if (folders.size() < 2) {
        if (!paths.empty())
            SelectTarget(folders.empty() ? paths[0].c_str() : folders[0].c_str());
        return;
    }
    wchar_t format[STRING_BUFFER_SIZE];
    AfxLoadString(IDS_FOLDER_COUNT, format);
    swprintf(name, ARRAYSIZE(name), format, static_cast<int>(folders.size()));
    TakeTarget(false, folders[0].c_str(), name, std::vector<std::wstring>(folders.begin() + 1, folders.end()));
}

// A drive has no infotip of its own: the infotip label and edit are told
// they are disabled, which greys them, without changing their state, and
// the edit takes no typing, which nothing would store.
void FolderIconDialog::TakeTarget(bool drive, const wchar_t* path, const wchar_t* displayName,
                                  std::vector<std::wstring> otherFolders)
{
    m_otherFolders = std::move(otherFolders);
    Target.kind = drive ? TargetKind::Drive : TargetKind::Folder;
    ::SendMessageW(GetDlgItem(IDC_INFOTIP_LABEL), WM_ENABLE, !drive, 0);
    m_infoTip.SendMessage(WM_ENABLE, !drive);
    m_infoTip.SendMessage(EM_SETREADONLY, drive);
    wchar_t cancel[STRING_BUFFER_SIZE];
    AfxLoadString(IDS_CANCEL, cancel);
    m_cancel.SetWindowText(cancel);
    lstrcpynW(Target.path, path, ARRAYSIZE(Target.path));
    lstrcpynW(Target.displayName, displayName, ARRAYSIZE(Target.displayName));
    ShowTarget(Target.path, Target.displayName);
}

// The folders of a drop become the target, whatever else it holds; a drop
// without folders offers its first item as an icon file.
void FolderIconDialog::AcceptDroppedFile(HDROP drop)
{
    std::vector<std::wstring> items;
    const UINT count = DragQueryFileW(drop, DROPPED_ITEM_COUNT, nullptr, 0);
    for (UINT item = 0; item < count; ++item) {
        wchar_t path[PATH_BUFFER_SIZE] = L"";
        // A longer path is refused whole: cut to fit, it could name another item.
        const UINT length = DragQueryFileW(drop, item, nullptr, 0);
        if (length > 0 && length < PATH_BUFFER_SIZE && DragQueryFileW(drop, item, path, PATH_BUFFER_SIZE) == length)
            items.push_back(path);
    }
    DragFinish(drop);
    const std::vector<std::wstring> folders = ShellFolders(items);
    if (!folders.empty())
        SelectTargets(folders);
    else if (!items.empty())
        OfferIconFile(items[0].c_str());
    else
        MessageBeep(MB_ICONEXCLAMATION);
}

void FolderIconDialog::OfferIconFile(const wchar_t* path)
{
    if (!ChooseIcon(path, 0))
        MessageBeep(MB_ICONEXCLAMATION);
}
