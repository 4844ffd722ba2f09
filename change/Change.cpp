#include "change/Change.h"
#include "apply/DesktopIni.h"
#include "apply/DriveIcon.h"
#include "apply/MadeIconFile.h"
#include "change/FolderIni.h"
#include "change/ShellNotice.h"
#include "framework/Paths.h"
#include "history/RecordedChange.h"
#include "icons/IconExtraction.h"
#include "icons/Picture.h"

namespace {

// The change written for one target, a drive's in the registry, a folder's
// in its desktop.ini.
DWORD Write(const Choice& choice, const ChangeTarget& target, const wchar_t* iconFile, int iconIndex, Outcome& outcome)
{
    const wchar_t* path = target.path.c_str();
    // Without administrator rights the machine's keys refuse the write.
    if (target.kind == TargetKind::Drive)
        return static_cast<DWORD>(choice.icon == IconChange::Default ? ResetDriveIcon(path[0])
                                                                      : SetDriveIcon(path[0], iconFile, iconIndex));
    const wchar_t* infoTip = choice.infoTip ? choice.infoTip->c_str() : nullptr;
    DWORD error = ERROR_SUCCESS;
    if (choice.icon == IconChange::Default)
        error = RemoveFolderIcon(path, infoTip, outcome.emptied);
    else if (choice.icon == IconChange::Set)
        error = WriteFolderIcon(path, iconFile, iconIndex, infoTip);
    else
        error = WriteInfoTip(path, infoTip);
    wchar_t file[PATH_BUFFER_SIZE];
    if (error != ERROR_SUCCESS && error != ERROR_FILENAME_EXCED_RANGE && DesktopIniPath(path, file))
        outcome.file = file;
    return error;
}

// The icon file of a design, drawn once for each kind of target of a change.
class DesignFiles {
public:
    explicit DesignFiles(const Design& design) : m_design(design) {}

    const std::vector<BYTE>* For(TargetKind kind)
    {
        const size_t at = kind == TargetKind::Drive ? 1 : 0;
        if (!m_drawn[at])
            m_drawn[at] = IconFileOfDesign(m_design, kind, m_bytes[at]) ? 1 : -1;
        return m_drawn[at] > 0 ? &m_bytes[at] : nullptr;
    }

private:
    const Design& m_design;
    std::vector<BYTE> m_bytes[2];
    int m_drawn[2] = {};
};

// The icon file made for the target of a picture or a design, into `made`;
// nothing for any other choice.
bool MakeIconFileFor(const Choice& choice, const ChangeTarget& target, DesignFiles& designs,
                     wchar_t (&made)[PATH_BUFFER_SIZE])
{
    if (choice.icon != IconChange::Set)
        return true;
    if (!choice.design.IsEmpty()) {
        const std::vector<BYTE>* bytes = designs.For(target.kind);
        if (!bytes) {
            SetLastError(ERROR_INVALID_DATA);
            return false;
        }
        return WriteMadeIconFile(*bytes, DesignFileName(choice.design).c_str(), target.path.c_str(), made);
    }
    const wchar_t* picture = choice.iconFile.c_str();
    return !IsPictureName(picture) ||
           MakeIconFile(picture, target.path.c_str(), made, choice.madeName.empty() ? nullptr : choice.madeName.c_str());
}

Outcome ChangeOne(const Choice& choice, const ChangeTarget& target, DesignFiles& designs, ChangeRecord& record)
{
    Outcome outcome;
    outcome.target = target.path;
    // A drive has no infotip: a change of the infotip alone leaves it be.
    if (target.kind == TargetKind::Drive && choice.icon == IconChange::Keep)
        return outcome;
    const wchar_t* iconFile = choice.iconFile.c_str();
    int iconIndex = choice.iconIndex;
    wchar_t made[PATH_BUFFER_SIZE] = L"";
    if (!MakeIconFileFor(choice, target, designs, made)) {
        outcome.error = GetLastError();
        return outcome;
    }
    if (made[0]) {
        record.Made(made, target);
        iconFile = made;
        iconIndex = 0;
    }
    IconLocation previous = {};
    const bool hadOwnIcon = target.kind == TargetKind::Drive ? ReadDriveIcon(target.path[0], previous)
                                                             : ReadCustomIcon(target.path.c_str(), previous);
    outcome.error = Write(choice, target, iconFile, iconIndex, outcome);
    // A file made for a write that failed is named by nothing new.
    if (outcome.error != ERROR_SUCCESS) {
        if (made[0])
            RemoveMadeIconFile(made);
        return outcome;
    }
    if (choice.icon == IconChange::Set)
        NoteIconFileNamed(iconFile, target.path.c_str());
    // An icon file that the program made goes once nothing it was given to
    // names it.
    if (hadOwnIcon && choice.icon != IconChange::Keep && !SameIgnoringCase(previous.file, iconFile)) {
        record.Removing(previous.file, target);
        RemoveMadeIconFile(previous.file);
    }
    TellTheShell(target);
    return outcome;
}

} // namespace

ChangeTarget TargetAt(const std::wstring& path)
{
    return { path, IsDriveRootPath(path.c_str()) ? TargetKind::Drive : TargetKind::Folder,
             SystemImageIndex(path.c_str()) };
}

bool IconCanBeUsed(const Choice& choice)
{
    if (choice.icon != IconChange::Set)
        return true;
    if (!choice.design.IsEmpty()) {
        std::vector<BYTE> pixels;
        return DesignPixels(choice.design, TargetKind::Folder, SMALL_ICON_SIZE, pixels);
    }
    HICON icon = nullptr;
    if (ExtractIcons(choice.iconFile.c_str(), choice.iconIndex, &icon, nullptr, 1) != 1)
        return false;
    DestroyIcon(icon);
    return true;
}

std::vector<Outcome> MakeChange(const Choice& choice, const std::vector<ChangeTarget>& targets)
{
    RecordedChange change;
    return MakeChange(choice, targets, change);
}

std::vector<Outcome> MakeChange(const Choice& choice, const std::vector<ChangeTarget>& targets, ChangeRecord& record)
{
    record.Changing(choice, targets);
    std::vector<Outcome> outcomes;
    DesignFiles designs(choice.design);
    for (const ChangeTarget& target : targets) {
        outcomes.push_back(ChangeOne(choice, target, designs, record));
        record.Done(target, outcomes.back());
    }
    return outcomes;
}
