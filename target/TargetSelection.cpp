#include "app/FolderIconDialog.h"
#include "framework/CodePage.h"
#include "framework/WinApp.h"
#include "apply/DesktopIni.h"
#include "target/QuotedPaths.h"
#include "target/Target.h"
#include <shellapi.h>
#include <shlobj.h>
#include <cstdio>
#include <cstring>
#include <utility>

namespace {

// A path that can become the target, and what it is.
enum class PathKind { Refused, Folder, Drive };

// "X:\": only the root of a drive is a drive target. The platform's drive
// type alone does not tell: Wine reports the drive's type for any existing
// path on it, and a folder written with a trailing backslash would then
// pass for a drive.
bool IsDriveRootPath(const char* path)
{
    const unsigned char letter = static_cast<unsigned char>(path[0]);
    return ((letter >= 'A' && letter <= 'Z') || (letter >= 'a' && letter <= 'z')) && path[1] == ':' &&
           path[2] == '\\' && path[3] == '\0';
}

// Folder: the file system finds a directory of that name, whose own spelling
// becomes the display name. Drive: the root of an existing drive. Anything
// else is refused, and so is a path holding wildcards: the search would take
// them as a pattern and match some other folder.
PathKind ClassifyPath(const char* path, char (&displayName)[PATH_BUFFER_SIZE])
{
    if (!path[0] || std::strlen(path) >= PATH_BUFFER_SIZE || std::strpbrk(path, "?*"))
        return PathKind::Refused;
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA(path, &found);
    if (search != INVALID_HANDLE_VALUE) {
        FindClose(search);
        // A folder whose desktop.ini could not be named cannot be customised.
        char ini[PATH_BUFFER_SIZE];
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || !DesktopIniPath(path, ini))
            return PathKind::Refused;
        lstrcpynA(displayName, found.cFileName, sizeof displayName);
        return PathKind::Folder;
    }
    if (!IsDriveRootPath(path) || GetDriveTypeA(path) == DRIVE_NO_ROOT_DIR)
        return PathKind::Refused;
    lstrcpynA(displayName, path, sizeof displayName);
    return PathKind::Drive;
}

bool ShellSeesAFolder(const char* path)
{
    SHFILEINFOA info = {};
    return SHGetFileInfoA(path, 0, &info, sizeof info, SHGFI_ATTRIBUTES) && (info.dwAttributes & SFGAO_FOLDER);
}

std::vector<std::string> ShellFolders(const std::vector<std::string>& paths)
{
    std::vector<std::string> folders;
    for (const std::string& path : paths) {
        if (ShellSeesAFolder(path.c_str()))
            folders.push_back(path);
    }
    return folders;
}

bool Listed(const std::vector<std::string>& folders, const std::string& path)
{
    for (const std::string& folder : folders) {
        if (lstrcmpiA(folder.c_str(), path.c_str()) == 0)
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
            SetWindowLongA(browser, GWL_EXSTYLE, GetWindowLongA(browser, GWL_EXSTYLE) | WS_EX_APPWINDOW);
        // Opens on the current target. Before there is one there is nothing
        // to select: Wine takes an empty path for its current folder and
        // expands its whole drive, which can hold the browser for minutes.
        // Wine's browser selects a folder only when the item it makes from
        // the path equals its tree's byte for byte, access times included,
        // and making that item reads the folders on the way, which can change
        // a folder's access time after it was taken. Asked once more, after
        // what is queued by then, the path is read again and matches.
        if (*reinterpret_cast<const char*>(currentPath)) {
            SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, currentPath);
            PostMessageA(browser, BFFM_SETSELECTIONA, TRUE, currentPath);
        }
    }
    return 0;
}

} // namespace

void FolderIconDialog::TargetFromCommandLine(char* text)
{
    if (!text[0]) {
        BrowseForTarget();
        return;
    }
    // No one path holds a double quote: quoted paths one after the other
    // are several.
    const std::vector<std::string> quoted = QuotedPaths(text);
    if (quoted.size() > 1) {
        const std::vector<std::string> folders = ShellFolders(quoted);
        if (!folders.empty())
            SelectTargets(folders);
        return;
    }
    char* path = text[0] == '"' ? text + 1 : text;
    const size_t length = std::strlen(path);
    if (length > 0 && path[length - 1] == '"')
        path[length - 1] = '\0';
    if (ShellSeesAFolder(path))
        SelectTarget(path);
}

void FolderIconDialog::BrowseForTarget()
{
    char title[STRING_BUFFER_SIZE];
    AfxLoadString(IDS_BROWSE_TITLE, title);
    for (;;) {
        char displayName[PATH_BUFFER_SIZE];
        BROWSEINFOA browse = {};
        browse.hwndOwner = m_hWnd;
        browse.pszDisplayName = displayName;
        browse.lpszTitle = title;
        browse.ulFlags = BIF_RETURNONLYFSDIRS;
        browse.lpfn = BrowseCallback;
        browse.lParam = reinterpret_cast<LPARAM>(Target.path);
        const LPITEMIDLIST item = SHBrowseForFolderA(&browse);
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
    wchar_t widePath[PATH_BUFFER_SIZE] = L"";
    char path[PATH_BUFFER_SIZE] = "";
    const bool hasPath = SHGetPathFromIDListW(item, widePath) && ToCodePageExactly(widePath, path, sizeof path);
    char name[PATH_BUFFER_SIZE];
    const PathKind kind = hasPath ? ClassifyPath(path, name) : PathKind::Refused;
    if (kind == PathKind::Refused) {
        ReportNotCustomisable();
        return false;
    }
    TakeTarget(kind == PathKind::Drive, path, name);
    return true;
}

void FolderIconDialog::SelectTarget(const char* path)
{
    char name[PATH_BUFFER_SIZE];
    const PathKind kind = ClassifyPath(path, name);
    if (kind != PathKind::Refused)
        TakeTarget(kind == PathKind::Drive, path, name);
}

// A drive's icon lives in the registry, a folder's in its desktop.ini: the
// folders are taken, a drive only alone. Each folder counts once.
void FolderIconDialog::SelectTargets(const std::vector<std::string>& paths)
{
    std::vector<std::string> folders;
    char name[PATH_BUFFER_SIZE];
    for (const std::string& path : paths) {
        if (ClassifyPath(path.c_str(), name) == PathKind::Folder && !Listed(folders, path))
            folders.push_back(path);
    }
    if (folders.size() < 2) {
        if (!paths.empty())
            SelectTarget(folders.empty() ? paths[0].c_str() : folders[0].c_str());
        return;
    }
    char format[STRING_BUFFER_SIZE];
    AfxLoadString(IDS_FOLDER_COUNT, format);
    snprintf(name, sizeof name, format, static_cast<int>(folders.size()));
    TakeTarget(false, folders[0].c_str(), name, std::vector<std::string>(folders.begin() + 1, folders.end()));
}

// A drive has no infotip of its own: the infotip label and edit are told
// they are disabled, which greys them, without changing their state, and
// the edit takes no typing, which nothing would store.
void FolderIconDialog::TakeTarget(bool drive, const char* path, const char* displayName,
                                  std::vector<std::string> otherFolders)
{
    m_otherFolders = std::move(otherFolders);
    Target.kind = drive ? TargetKind::Drive : TargetKind::Folder;
    ::SendMessageA(GetDlgItem(IDC_INFOTIP_LABEL), WM_ENABLE, !drive, 0);
    m_infoTip.SendMessage(WM_ENABLE, !drive);
    m_infoTip.SendMessage(EM_SETREADONLY, drive);
    char cancel[STRING_BUFFER_SIZE];
    AfxLoadString(IDS_CANCEL, cancel);
    m_cancel.SetWindowText(cancel);
    lstrcpynA(Target.path, path, sizeof Target.path);
    lstrcpynA(Target.displayName, displayName, sizeof Target.displayName);
    ShowTarget(Target.path, Target.displayName);
}

// The folders of a drop become the target, whatever else it holds; a drop
// without folders offers its first item as an icon file.
void FolderIconDialog::AcceptDroppedFile(HDROP drop)
{
    std::vector<std::string> items;
    const UINT count = DragQueryFileW(drop, DROPPED_ITEM_COUNT, nullptr, 0);
    for (UINT item = 0; item < count; ++item) {
        wchar_t widePath[PATH_BUFFER_SIZE] = L"";
        char path[PATH_BUFFER_SIZE] = "";
        // A longer path is refused whole: cut to fit, it could name another item.
        const UINT length = DragQueryFileW(drop, item, nullptr, 0);
        if (length > 0 && length < PATH_BUFFER_SIZE &&
            DragQueryFileW(drop, item, widePath, PATH_BUFFER_SIZE) == length &&
            ToCodePageExactly(widePath, path, sizeof path))
            items.push_back(path);
    }
    DragFinish(drop);
    const std::vector<std::string> folders = ShellFolders(items);
    if (!folders.empty())
        SelectTargets(folders);
    else if (!items.empty())
        OfferIconFile(items[0].c_str());
    else
        MessageBeep(MB_ICONEXCLAMATION);
}

void FolderIconDialog::OfferIconFile(const char* path)
{
    if (!ChooseIcon(path, 0))
        MessageBeep(MB_ICONEXCLAMATION);
}
