#include "app/FolderIconDialog.h"
#include "apply/DesktopIni.h"
#include "resource.h"
#include <algorithm>
#include <cstdio>
#include <string>

namespace {

// The System attribute is what makes the shell look for a folder's
// desktop.ini. A folder whose attributes cannot be read keeps them.
void SetSystemAttribute(const char* folder, bool system)
{
    const DWORD attributes = GetFileAttributesA(folder);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return;
    SetFileAttributesA(folder, system ? attributes | FILE_ATTRIBUTE_SYSTEM : attributes & ~FILE_ATTRIBUTE_SYSTEM);
}

// desktop.ini is hidden; what else the user or the shell set on it stays.
void HideFile(const char* file)
{
    const DWORD attributes = GetFileAttributesA(file);
    const DWORD kept = attributes == INVALID_FILE_ATTRIBUTES ? 0 : attributes & ~FILE_ATTRIBUTE_NORMAL;
    SetFileAttributesA(file, kept | FILE_ATTRIBUTE_HIDDEN);
}

std::wstring Widened(const char* text)
{
    const int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    std::wstring wide(length > 0 ? static_cast<size_t>(length) : 1, L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, &wide[0], length);
    wide.resize(wide.size() - 1);
    return wide;
}

bool IsPending(const std::string& file)
{
    return std::find(PendingIniDeletions.begin(), PendingIniDeletions.end(), file) != PendingIniDeletions.end();
}

} // namespace

// The target's desktop.ini, ready to be written: false, after telling the
// user, when its path does not fit. A deletion still pending for this file
// would take it away again; those of other folders still happen.
bool FolderIconDialog::PrepareIniWrite(const char* target, char (&file)[PATH_BUFFER_SIZE])
{
    if (!DesktopIniPath(target, file)) {
        ReportNotCustomisable();
        return false;
    }
    PendingIniDeletions.erase(std::remove(PendingIniDeletions.begin(), PendingIniDeletions.end(), file),
                              PendingIniDeletions.end());
    if (PendingIniDeletions.empty())
        KillTimer(m_hWnd, ID_APPLY_TIMER);
    return true;
}

bool FolderIconDialog::WriteFolderIcon(const char* target, const char* iconFile, int iconIndex, const wchar_t* infoTip)
{
    char file[PATH_BUFFER_SIZE];
    if (!PrepareIniWrite(target, file))
        return false;

    iconFile = IconFileNameFor(target, iconFile);
    const ShellClassInfoNames names;
    char index[16];
    char confirm[16];
    snprintf(index, sizeof index, "%d", iconIndex);
    snprintf(confirm, sizeof confirm, "%d", 0);
    if (!WriteProfileKey(file, names.section, names.iconFile, iconFile) ||
        !WriteProfileKey(file, names.section, names.iconIndex, index) ||
        !WriteProfileKey(file, names.section, names.confirmFileOp, confirm) ||
        !WriteInfoTipKey(file, names, infoTip))
        return false;
    // Where the folder names its icon as one location, that one wins: it
    // gets the same icon.
    if (HoldsIconResource(file)) {
        char location[LOCATION_TEXT_SIZE];
        snprintf(location, sizeof location, "%s,%d", iconFile, iconIndex);
        if (!WriteProfileKey(file, names.section, ICON_RESOURCE_KEY, location))
            return false;
    }

    SetSystemAttribute(target, true);
    HideFile(file);
    return true;
}

IniRemoval FolderIconDialog::RemoveFolderIcon(const char* target, const wchar_t* infoTip)
{
    char file[PATH_BUFFER_SIZE];
    if (!DesktopIniPath(target, file)) {
        ReportNotCustomisable();
        return IniRemoval::Failed;
    }

    const ShellClassInfoNames names;
    if (!WriteProfileKey(file, names.section, names.iconFile, nullptr) ||
        !WriteProfileKey(file, names.section, names.iconIndex, nullptr) ||
        !WriteProfileKey(file, names.section, ICON_RESOURCE_KEY, nullptr) ||
        !WriteProfileKey(file, names.section, names.confirmFileOp, nullptr) ||
        !WriteInfoTipKey(file, names, infoTip))
        return IniRemoval::Failed;

    char namesLeft[PROFILE_NAMES_SIZE] = "";
    GetPrivateProfileStringA(names.section, nullptr, "", namesLeft, sizeof namesLeft, file);
    if (namesLeft[0])
        return IniRemoval::Kept;
    if (!WriteProfileKey(file, names.section, nullptr, nullptr))
        return IniRemoval::Failed;
    GetPrivateProfileSectionNamesA(namesLeft, sizeof namesLeft, file);
    if (namesLeft[0])
        return IniRemoval::Kept;

    // Deleted by the timer rather than now, so that a write that follows at
    // once takes the file back instead of losing it. Only then does the
    // folder lose System: other keys and sections of the file may need it.
    SetFileAttributesA(file, FILE_ATTRIBUTE_NORMAL);
    SetTimer(m_hWnd, ID_APPLY_TIMER, APPLY_TIMER_PERIOD_MS, nullptr);
    if (!IsPending(file))
        PendingIniDeletions.push_back(file);
    SetSystemAttribute(target, false);
    return IniRemoval::Emptied;
}

bool FolderIconDialog::WriteProfileKey(const char* file, const char* section, const char* key, const char* value)
{
    if (WritePrivateProfileStringA(section, key, value, file))
        return true;
    ReportWriteFailure(file);
    return false;
}

// The infotip is written in UTF-16, so that a text the code page cannot
// hold keeps its characters; null leaves the stored one as it is, and an
// empty one deletes the key instead of leaving it empty.
bool FolderIconDialog::WriteInfoTipKey(const char* file, const ShellClassInfoNames& names, const wchar_t* infoTip)
{
    if (!infoTip)
        return true;
    if (WritePrivateProfileStringW(Widened(names.section).c_str(), Widened(names.infoTip).c_str(),
                                   infoTip[0] ? infoTip : nullptr, Widened(file).c_str()))
        return true;
    ReportWriteFailure(file);
    return false;
}

// With no icon selected in the grid, only the infotip changes: the icon keys
// stay as they are, and the attributes are those the shell needs to read it.
bool FolderIconDialog::WriteInfoTip(const char* target, const wchar_t* infoTip)
{
    if (!infoTip)
        return true;
    char file[PATH_BUFFER_SIZE];
    if (!PrepareIniWrite(target, file) || !WriteInfoTipKey(file, ShellClassInfoNames(), infoTip))
        return false;
    SetSystemAttribute(target, true);
    HideFile(file);
    return true;
}
