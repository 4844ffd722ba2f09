#include "app/FolderIconDialog.h"
#include "apply/DesktopIni.h"
#include "apply/IniEncoding.h"
#include "resource.h"
#include <algorithm>
#include <cstdio>
#include <string>

namespace {

// The System attribute is what makes the shell look for a folder's
// desktop.ini. A folder whose attributes cannot be read keeps them.
void SetSystemAttribute(const wchar_t* folder, bool system)
{
    const DWORD attributes = GetFileAttributesW(folder);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return;
    SetFileAttributesW(folder, system ? attributes | FILE_ATTRIBUTE_SYSTEM : attributes & ~FILE_ATTRIBUTE_SYSTEM);
}

// desktop.ini is hidden; what else the user or the shell set on it stays.
void HideFile(const wchar_t* file)
{
    const DWORD attributes = GetFileAttributesW(file);
    const DWORD kept = attributes == INVALID_FILE_ATTRIBUTES ? 0 : attributes & ~FILE_ATTRIBUTE_NORMAL;
    SetFileAttributesW(file, kept | FILE_ATTRIBUTE_HIDDEN);
}

bool IsPending(const std::wstring& file)
{
    return std::find(PendingIniDeletions.begin(), PendingIniDeletions.end(), file) != PendingIniDeletions.end();
}

} // namespace

// The target's desktop.ini, ready to be written: false, after telling the
// user, when its path does not fit. A deletion still pending for this file
// would take it away again; those of other folders still happen.
bool FolderIconDialog::PrepareIniWrite(const wchar_t* target, wchar_t (&file)[PATH_BUFFER_SIZE])
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

bool FolderIconDialog::WriteFolderIcon(const wchar_t* target, const wchar_t* iconFile, int iconIndex, const wchar_t* infoTip)
{
    wchar_t file[PATH_BUFFER_SIZE];
    if (!PrepareIniWrite(target, file))
        return false;

    iconFile = IconFileNameFor(target, iconFile);
    const ShellClassInfoNames names;
    wchar_t index[16];
    wchar_t confirm[16];
    swprintf(index, ARRAYSIZE(index), L"%d", iconIndex);
    swprintf(confirm, ARRAYSIZE(confirm), L"%d", 0);
    if (!PrepareEncoding(file, { iconFile, infoTip }) ||
        !WriteProfileKey(file, names.section, names.iconFile, iconFile) ||
        !WriteProfileKey(file, names.section, names.iconIndex, index) ||
        !WriteProfileKey(file, names.section, names.confirmFileOp, confirm) ||
        !WriteInfoTipKey(file, names, infoTip))
        return false;
    // Where the folder names its icon as one location, that one wins: it
    // gets the same icon.
    if (HoldsIconResource(file)) {
        wchar_t location[LOCATION_TEXT_SIZE];
        swprintf(location, ARRAYSIZE(location), L"%ls,%d", iconFile, iconIndex);
        if (!WriteProfileKey(file, names.section, ICON_RESOURCE_KEY, location))
            return false;
    }

    SetSystemAttribute(target, true);
    HideFile(file);
    return true;
}

IniRemoval FolderIconDialog::RemoveFolderIcon(const wchar_t* target, const wchar_t* infoTip)
{
    wchar_t file[PATH_BUFFER_SIZE];
    if (!DesktopIniPath(target, file)) {
        ReportNotCustomisable();
        return IniRemoval::Failed;
    }

    const ShellClassInfoNames names;
    if (!PrepareEncoding(file, { infoTip }) || !WriteProfileKey(file, names.section, names.iconFile, nullptr) ||
        !WriteProfileKey(file, names.section, names.iconIndex, nullptr) ||
        !WriteProfileKey(file, names.section, ICON_RESOURCE_KEY, nullptr) ||
        !WriteProfileKey(file, names.section, names.confirmFileOp, nullptr) ||
        !WriteInfoTipKey(file, names, infoTip))
        return IniRemoval::Failed;

    wchar_t namesLeft[PROFILE_NAMES_SIZE] = L"";
    GetPrivateProfileStringW(names.section, nullptr, L"", namesLeft, ARRAYSIZE(namesLeft), file);
    if (namesLeft[0])
        return IniRemoval::Kept;
    if (!WriteProfileKey(file, names.section, nullptr, nullptr))
        return IniRemoval::Failed;
    GetPrivateProfileSectionNamesW(namesLeft, ARRAYSIZE(namesLeft), file);
    if (namesLeft[0])
        return IniRemoval::Kept;

    // Deleted by the timer rather than now, so that a write that follows at
    // once takes the file back instead of losing it. Only then does the
    // folder lose System: other keys and sections of the file may need it.
    SetFileAttributesW(file, FILE_ATTRIBUTE_NORMAL);
    SetTimer(m_hWnd, ID_APPLY_TIMER, APPLY_TIMER_PERIOD_MS, nullptr);
    if (!IsPending(file))
        PendingIniDeletions.push_back(file);
    SetSystemAttribute(target, false);
    return IniRemoval::Emptied;
}

// A value outside the code page needs a file in UTF-16 before it is written.
bool FolderIconDialog::PrepareEncoding(const wchar_t* file, std::initializer_list<const wchar_t*> values)
{
    if (HoldValues(file, values))
        return true;
    ReportWriteFailure(file);
    return false;
}

bool FolderIconDialog::WriteProfileKey(const wchar_t* file, const wchar_t* section, const wchar_t* key, const wchar_t* value)
{
    if (WritePrivateProfileStringW(section, key, value, file))
        return true;
    ReportWriteFailure(file);
    return false;
}

// A null infotip leaves the stored one as it is, and an empty one deletes
// the key instead of leaving it empty.
bool FolderIconDialog::WriteInfoTipKey(const wchar_t* file, const ShellClassInfoNames& names, const wchar_t* infoTip)
{
    if (!infoTip)
        return true;
    return WriteProfileKey(file, names.section, names.infoTip, infoTip[0] ? infoTip : nullptr);
}

// With no icon selected in the grid, only the infotip changes: the icon keys
// stay as they are, and the attributes are those the shell needs to read it.
bool FolderIconDialog::WriteInfoTip(const wchar_t* target, const wchar_t* infoTip)
{
    if (!infoTip)
        return true;
    wchar_t file[PATH_BUFFER_SIZE];
    if (!PrepareIniWrite(target, file) || !PrepareEncoding(file, { infoTip }) ||
        !WriteInfoTipKey(file, ShellClassInfoNames(), infoTip))
        return false;
    SetSystemAttribute(target, true);
    HideFile(file);
    return true;
}
