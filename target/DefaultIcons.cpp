#include "target/DefaultIcons.h"
#include "app/FolderIconDialog.h"
#include "app/RegistryText.h"
#include <cstdlib>
#include <cstring>

namespace {

const char FOLDER_DEFAULT_ICON_KEY[] = "Directory\\DefaultIcon";
const char DRIVE_DEFAULT_ICON_KEY[] = "Drive\\DefaultIcon";

} // namespace

bool ReadDefaultIconValue(HKEY key, IconLocation& icon)
{
    char value[REGISTRY_BUFFER_SIZE];
    if (!ReadRegistryText(key, nullptr, value, sizeof value))
        return false;
    int index = 0;
    if (char* comma = std::strchr(value, ',')) {
        *comma = '\0';
        index = static_cast<int>(std::strtol(comma + 1, nullptr, 10));
    }
    char expanded[PATH_BUFFER_SIZE];
    const DWORD expandedSize = ExpandEnvironmentStringsA(value, expanded, sizeof expanded);
    if (expandedSize == 0 || expandedSize > sizeof expanded)
        return false;
    char full[PATH_BUFFER_SIZE];
    const DWORD fullLength = GetFullPathNameA(expanded, sizeof full, full, nullptr);
    if (fullLength == 0 || fullLength >= sizeof full)
        return false;
    std::memcpy(icon.file, full, fullLength + 1);
    icon.index = index;
    return true;
}

bool ReadDefaultIcon(TargetKind kind, IconLocation& icon)
{
    HKEY key;
    const char* name = kind == TargetKind::Drive ? DRIVE_DEFAULT_ICON_KEY : FOLDER_DEFAULT_ICON_KEY;
    if (RegOpenKeyA(HKEY_CLASSES_ROOT, name, &key) != ERROR_SUCCESS)
        return false;
    const bool read = ReadDefaultIconValue(key, icon);
    RegCloseKey(key);
    return read;
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
