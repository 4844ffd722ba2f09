#include "target/DefaultIcons.h"
#include "app/FolderIconDialog.h"
#include "app/RegistryText.h"
#include "icons/IconResourceId.h"
#include "target/IconLocationText.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const wchar_t FOLDER_DEFAULT_ICON_KEY[] = L"Directory\\DefaultIcon";
const wchar_t DRIVE_DEFAULT_ICON_KEY[] = L"Drive\\DefaultIcon";
const wchar_t STOCK_ICON_FILE[] = L"shell32.dll";

// Where the registry names no default, as on a fresh Wine, the shell shows
// its own stock icon of the kind, from shell32.dll in the system folder.
bool StockIcon(TargetKind kind, IconLocation& icon)
{
    wchar_t system[PATH_BUFFER_SIZE];
    const UINT length = GetSystemDirectoryW(system, ARRAYSIZE(system));
    if (length == 0 || length >= ARRAYSIZE(system))
        return false;
    IconLocation stock;
    const int written = swprintf(stock.file, ARRAYSIZE(stock.file), L"%ls\\%ls", system, STOCK_ICON_FILE);
    if (written < 0 || static_cast<size_t>(written) >= ARRAYSIZE(stock.file))
        return false;
    stock.index = IconPosition(stock.file, -(kind == TargetKind::Drive ? STOCK_DRIVE_ICON_ID : STOCK_FOLDER_ICON_ID));
    icon = stock;
    return true;
}

} // namespace

bool ReadDefaultIconValue(HKEY key, IconLocation& icon)
{
    wchar_t value[REGISTRY_BUFFER_SIZE];
    if (!ReadRegistryText(key, nullptr, value, ARRAYSIZE(value)))
        return false;
    // The index follows the last comma, as the shell reads it: a folder's
    // name may hold commas of its own.
    int index = 0;
    if (wchar_t* comma = wcsrchr(value, L',')) {
        *comma = L'\0';
        index = static_cast<int>(wcstol(comma + 1, nullptr, 10));
    }
    wchar_t full[PATH_BUFFER_SIZE];
    if (!FullIconPath(value, nullptr, full))
        return false;
    std::memcpy(icon.file, full, sizeof icon.file);
    icon.index = index;
    return true;
}

bool ReadDefaultIcon(TargetKind kind, IconLocation& icon)
{
    HKEY key;
    const wchar_t* name = kind == TargetKind::Drive ? DRIVE_DEFAULT_ICON_KEY : FOLDER_DEFAULT_ICON_KEY;
    const LONG opened = RegOpenKeyW(HKEY_CLASSES_ROOT, name, &key);
    if (opened == ERROR_FILE_NOT_FOUND)
        return StockIcon(kind, icon);
    if (opened != ERROR_SUCCESS)
        return false;
    const bool read = ReadIconLocation(key, icon);
    RegCloseKey(key);
    return read;
}

bool ReadIconLocation(HKEY key, IconLocation& icon)
{
    IconLocation read;
    if (!ReadDefaultIconValue(key, read))
        return false;
    read.index = IconPosition(read.file, read.index);
    icon = read;
    return true;
}

void FolderIconDialog::ReadDefaultIcons()
{
    ReadDefaultIcon(TargetKind::Folder, DefaultIcons.folder);
    ReadDefaultIcon(TargetKind::Drive, DefaultIcons.drive);
}

void FolderIconDialog::RestoreDefaultIcon()
{
    IconLocation icon;
    if (!ReadDefaultIcon(Target.kind, icon))
        return;
    // A default that cannot be loaded is no choice to apply.
    if (!ChooseIcon(icon.file, icon.index))
        return;
    m_apply.EnableWindow(TRUE);
    m_defaultIcon.EnableWindow(FALSE);
}
