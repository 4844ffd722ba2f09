#include "app/FolderIconDialog.h"
#include "apply/DesktopIni.h"
#include "resource.h"
#include <cstdio>
#include <cstring>

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

// An empty infotip deletes the key instead of leaving it empty.
const char* InfoTipValue(const char* infoTip)
{
    return infoTip[0] ? infoTip : nullptr;
}

} // namespace

// The target's desktop.ini, ready to be written: false, after telling the
// user, when its path does not fit. A deletion still pending from an earlier
// removal would take the file away again, or, for another folder, is given up.
bool FolderIconDialog::PrepareIniWrite(const char* target, char (&file)[PATH_BUFFER_SIZE])
{
    if (!DesktopIniPath(target, file)) {
        ReportNotCustomisable();
        return false;
    }
    KillTimer(m_hWnd, ID_APPLY_TIMER);
    return true;
}

void FolderIconDialog::WriteFolderIcon(const char* target, const char* iconFile, int iconIndex, const char* infoTip)
{
    char file[PATH_BUFFER_SIZE];
    if (!PrepareIniWrite(target, file))
        return;

    const ShellClassInfoNames names;
    char number[16];
    WriteProfileKey(file, names.section, names.iconFile, iconFile);
    snprintf(number, sizeof number, "%d", iconIndex);
    WriteProfileKey(file, names.section, names.iconIndex, number);
    snprintf(number, sizeof number, "%d", 0);
    WriteProfileKey(file, names.section, names.confirmFileOp, number);
    WriteProfileKey(file, names.section, names.infoTip, InfoTipValue(infoTip));

    SetSystemAttribute(target, true);
    SetFileAttributesA(file, FILE_ATTRIBUTE_HIDDEN);
}

bool FolderIconDialog::RemoveFolderIcon(const char* target, const char* infoTip)
{
    char file[PATH_BUFFER_SIZE];
    if (!DesktopIniPath(target, file)) {
        ReportNotCustomisable();
        return false;
    }

    const ShellClassInfoNames names;
    WriteProfileKey(file, names.section, names.iconFile, nullptr);
    WriteProfileKey(file, names.section, names.iconIndex, nullptr);
    WriteProfileKey(file, names.section, names.confirmFileOp, nullptr);
    WriteProfileKey(file, names.section, names.infoTip, InfoTipValue(infoTip));

    bool deletionScheduled = false;
    char namesLeft[PROFILE_NAMES_SIZE] = "";
    GetPrivateProfileStringA(names.section, nullptr, "", namesLeft, sizeof namesLeft, file);
    if (!namesLeft[0]) {
        WriteProfileKey(file, names.section, nullptr, nullptr);
        GetPrivateProfileSectionNamesA(namesLeft, sizeof namesLeft, file);
        if (!namesLeft[0]) {
            // Deleted by the timer rather than now, so that a write that
            // follows at once takes the file back instead of losing it.
            SetFileAttributesA(file, FILE_ATTRIBUTE_NORMAL);
            SetTimer(m_hWnd, ID_APPLY_TIMER, APPLY_TIMER_PERIOD_MS, nullptr);
            memcpy(PendingIniDeletion, file, sizeof PendingIniDeletion);
            deletionScheduled = true;
        }
    }

    SetSystemAttribute(target, false);
    return deletionScheduled;
}

void FolderIconDialog::WriteProfileKey(const char* file, const char* section, const char* key, const char* value)
{
    if (!WritePrivateProfileStringA(section, key, value, file))
        ReportLastError();
}

// With no icon selected in the grid, only the infotip changes: the icon keys
// and the attributes stay as they are.
void FolderIconDialog::WriteInfoTip(const char* target, const char* infoTip)
{
    char file[PATH_BUFFER_SIZE];
    if (!PrepareIniWrite(target, file))
        return;
    const ShellClassInfoNames names;
    WriteProfileKey(file, names.section, names.infoTip, InfoTipValue(infoTip));
}
