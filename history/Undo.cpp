#include "history/Undo.h"
#include "apply/MadeIconFile.h"
#include "apply/WholeFile.h"
#include "change/Change.h"
#include "change/ShellNotice.h"
#include "framework/Paths.h"
#include "history/History.h"

namespace {

bool SameState(const TargetState& a, const TargetState& b, TargetKind kind)
{
    return ContentDigest(a, kind) == ContentDigest(b, kind) && a.attributes == b.attributes && a.holder == b.holder;
}

// Whether the target holds what the change left there: a blank desktop.ini
// that the change left to be deleted may be gone since. A target the change
// was changing when it ended may hold what it wrote, or not yet.
bool AsTheChangeLeftIt(const RecordedTarget& last, const TargetState& now, TargetKind kind)
{
    if (!last.done)
        return true;
    return ContentDigest(now, kind) == last.after ||
           (last.emptied && now.content == TargetState::Content::Absent);
}

// Puts back an icon file that the change removed, where it is still
// missing, and knows it again as made by the program.
void PutBack(const RecordedIconFile& file, const std::wstring& target)
{
    const wchar_t* path = file.path.c_str();
    if (GetFileAttributesW(path) == INVALID_FILE_ATTRIBUTES && !WriteWholeFile(path, file.bytes, file.attributes, false))
        return;
    std::vector<BYTE> present;
    if (ReadWholeFile(path, present, file.bytes.size()) && present == file.bytes)
        NoteIconFileMade(path, file.bytes, target.c_str());
}

} // namespace

bool NewestChange(ChangeContents& change, std::wstring& file)
{
    std::wstring folder;
    if (!HistoryFolder(folder, false))
        return false;
    for (const ChangeFile& candidate : ChangeFiles(folder)) {
        if (ReadChange(candidate.path, change)) {
            file = candidate.path;
            return true;
        }
        // A change still being made is no change to take back yet.
        if (GetLastError() == ERROR_INVALID_DATA)
            DeleteFileW(candidate.path.c_str());
    }
    return false;
}

bool HasChangeToTakeBack()
{
    std::wstring folder;
    if (!HistoryFolder(folder, false))
        return false;
    for (const ChangeFile& candidate : ChangeFiles(folder)) {
        if (HoldsATarget(candidate.path))
            return true;
    }
    return false;
}

std::vector<UndoneTarget> TakeBack(const ChangeContents& change, const std::wstring& file)
{
    // A target to give back: as the shell shows it now, where its state
    // before stands, and its result.
    struct Restored {
        ChangeTarget target;
        const RecordedTarget& recorded;
        size_t result;
    };
    std::vector<UndoneTarget> results;
    std::vector<Restored> restored;
    for (const TouchedTarget& touched : TouchedTargets(change)) {
        const RecordedTarget& target = change.targets[touched.first];
        const TargetState now = ReadTargetState(target.path, target.kind);
        UndoneTarget result{ target.path, target.kind };
        if (SameState(now, target.before, target.kind)) {
            // Nothing to do: it is as it was.
        } else if (!AsTheChangeLeftIt(change.targets[touched.last], now, target.kind)) {
            result.changedSince = true;
            result.error = ERROR_FILE_INVALID;
        } else {
            restored.push_back({ { target.path, target.kind, SystemImageIndex(target.path.c_str()) }, target,
                                 results.size() });
        }
        results.push_back(result);
    }
    // Files first, so that each folder given back names a file that is
    // there.
    for (const RecordedIconFile& going : change.going) {
        const RecordedTarget& named = change.targets[going.place];
        for (const Restored& target : restored) {
            if (target.target.kind == named.kind && SameIgnoringCase(target.target.path.c_str(), named.path.c_str()))
                PutBack(going, target.target.path);
        }
    }
    for (const Restored& target : restored) {
        if (!RestoreTargetState(target.target.path, target.target.kind, target.recorded.before))
            results[target.result].error = GetLastError();
    }
    // The files the change made go once no folder given back names them,
    // unless something else names them or has changed them.
    for (const RecordedIconFile& made : change.made)
        RemoveMadeIconFile(made.path.c_str());
    for (const Restored& target : restored)
        TellTheShell(target.target);
    DeleteFileW(file.c_str());
    return results;
}
