#include "app/FolderIconDialog.h"
#include "apply/DesktopIni.h"
#include "apply/IniFile.h"
#include "resource.h"
#include <algorithm>
#include <cstdio>
#include <string>

namespace {

// The System attribute is what makes the shell look for a folder's
// desktop.ini: one that cannot be set is a write that failed.
bool SetSystemAttribute(const wchar_t* folder, bool system)
{
    const DWORD attributes = GetFileAttributesW(folder);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return false;
    const DWORD wanted = system ? attributes | FILE_ATTRIBUTE_SYSTEM : attributes & ~FILE_ATTRIBUTE_SYSTEM;
    return wanted == attributes || SetFileAttributesW(folder, wanted);
}

// desktop.ini is hidden; what else the user or the shell set on it stays.
DWORD Hidden(DWORD attributes)
{
    const DWORD kept = attributes == INVALID_FILE_ATTRIBUTES ? 0 : attributes & ~FILE_ATTRIBUTE_NORMAL;
    return kept | FILE_ATTRIBUTE_HIDDEN;
}

// As they are; a file that a removal makes to hold an infotip is not hidden.
DWORD Unchanged(DWORD attributes)
{
    return attributes == INVALID_FILE_ATTRIBUTES ? FILE_ATTRIBUTE_NORMAL : attributes;
}

// A null infotip leaves the stored one as it is, and an empty one removes
// the key instead of leaving it empty.
void SetInfoTip(IniFile& ini, const ShellClassInfoNames& names, const wchar_t* infoTip)
{
    if (!infoTip)
        return;
    if (infoTip[0])
        ini.Set(names.section, names.infoTip, infoTip);
    else
        ini.Remove(names.section, names.infoTip);
}

bool IsPending(const std::wstring& file)
{
    return std::find(PendingIniDeletions.begin(), PendingIniDeletions.end(), file) != PendingIniDeletions.end();
}

} // namespace

// The target's desktop.ini, read: false, after telling the user, when its
// path does not fit or it cannot be read.
bool FolderIconDialog::ReadIniOf(const wchar_t* target, wchar_t (&file)[PATH_BUFFER_SIZE], IniFile& ini)
{
    if (!DesktopIniPath(target, file)) {
        ReportNotCustomisable();
        return false;
    }
    if (ini.Read(file))
        return true;
    ReportWriteFailure(file);
    return false;
}

// The same, ready to be written. A deletion still pending for this file
// would take it away again; those of other folders still happen.
bool FolderIconDialog::PrepareIniWrite(const wchar_t* target, wchar_t (&file)[PATH_BUFFER_SIZE], IniFile& ini)
{
    if (!ReadIniOf(target, file, ini))
        return false;
    PendingIniDeletions.erase(std::remove(PendingIniDeletions.begin(), PendingIniDeletions.end(), file),
                              PendingIniDeletions.end());
    if (PendingIniDeletions.empty())
        KillTimer(m_hWnd, ID_APPLY_TIMER);
    return true;
}

// The file written with `attributes`, then the folder made System: the
// shell reads the file only then.
bool FolderIconDialog::WriteIniOf(const wchar_t* target, const wchar_t* file, const IniFile& ini, DWORD attributes)
{
    if (ini.Write(file, attributes) && SetSystemAttribute(target, true))
        return true;
    ReportWriteFailure(file);
    return false;
}

bool FolderIconDialog::WriteFolderIcon(const wchar_t* target, const wchar_t* iconFile, int iconIndex, const wchar_t* infoTip)
{
    wchar_t file[PATH_BUFFER_SIZE];
    IniFile ini;
    if (!PrepareIniWrite(target, file, ini))
        return false;

    iconFile = IconFileNameFor(target, iconFile);
    const ShellClassInfoNames names;
    wchar_t index[16];
    swprintf(index, ARRAYSIZE(index), L"%d", iconIndex);
    ini.Set(names.section, names.iconFile, iconFile);
    ini.Set(names.section, names.iconIndex, index);
    ini.Set(names.section, names.confirmFileOp, L"0");
    SetInfoTip(ini, names, infoTip);
    // Where the folder names its icon as one location, that one wins: it
    // gets the same icon.
    if (!ini.Value(names.section, ICON_RESOURCE_KEY).empty()) {
        wchar_t location[LOCATION_TEXT_SIZE];
        swprintf(location, ARRAYSIZE(location), L"%ls,%d", iconFile, iconIndex);
        ini.Set(names.section, ICON_RESOURCE_KEY, location);
    }
    return WriteIniOf(target, file, ini, Hidden(ini.Attributes()));
}

IniRemoval FolderIconDialog::RemoveFolderIcon(const wchar_t* target, const wchar_t* infoTip)
{
    wchar_t file[PATH_BUFFER_SIZE];
    IniFile ini;
    if (!ReadIniOf(target, file, ini))
        return IniRemoval::Failed;

    const ShellClassInfoNames names;
    for (const wchar_t* key : { names.iconFile, names.iconIndex, ICON_RESOURCE_KEY, names.confirmFileOp })
        ini.Remove(names.section, key);
    SetInfoTip(ini, names, infoTip);
    if (ini.SectionIsEmpty(names.section))
        ini.RemoveSection(names.section);
    if (!ini.IsBlank()) {
        if (ini.Write(file, Unchanged(ini.Attributes())))
            return IniRemoval::Kept;
        ReportWriteFailure(file);
        return IniRemoval::Failed;
    }

    // Deleted by the timer rather than now, so that a write that follows at
    // once takes the file back instead of losing it. Only then does the
    // folder lose System: what else the file holds may need it.
    if (!ini.Write(file, FILE_ATTRIBUTE_NORMAL) || !SetSystemAttribute(target, false)) {
        ReportWriteFailure(file);
        return IniRemoval::Failed;
    }
    SetTimer(m_hWnd, ID_APPLY_TIMER, APPLY_TIMER_PERIOD_MS, nullptr);
    if (!IsPending(file))
        PendingIniDeletions.push_back(file);
    return IniRemoval::Emptied;
}

// With no icon chosen, only the infotip changes: the icon keys stay as they
// are, byte for byte, and the attributes are those the shell needs to read
// it.
bool FolderIconDialog::WriteInfoTip(const wchar_t* target, const wchar_t* infoTip)
{
    if (!infoTip)
        return true;
    wchar_t file[PATH_BUFFER_SIZE];
    IniFile ini;
    if (!PrepareIniWrite(target, file, ini))
        return false;
    SetInfoTip(ini, ShellClassInfoNames(), infoTip);
    return WriteIniOf(target, file, ini, Hidden(ini.Attributes()));
}
