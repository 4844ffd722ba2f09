// One change as the history records it: how each target was before it
// changed, written and flushed before the first of them changes; each icon
// file made, and each made one that may go, before the step that needs it;
// and each target once done. Killed at any moment, the change can still be
// taken back for the part it did. A history that cannot be written records
// nothing, and the change goes on.
#pragma once
#include "change/ChangeRecord.h"
#include "history/RecordFile.h"
#include "target/Target.h"
#include <windows.h>
#include <string>
#include <vector>

class RecordedChange : public ChangeRecord {
public:
    // The change's file is made in the history at its first step.
    RecordedChange() = default;
    // A change that changed nothing leaves nothing to take back.
    ~RecordedChange() override;
    RecordedChange(const RecordedChange&) = delete;
    RecordedChange& operator=(const RecordedChange&) = delete;

    void Changing(const Choice& choice, const std::vector<ChangeTarget>& targets) override;
    void Made(const wchar_t* file, const ChangeTarget& target) override;
    void Removing(const wchar_t* file, const ChangeTarget& target) override;
    void Done(const ChangeTarget& target, const Outcome& outcome) override;

private:
    // A target as it was before, to tell whether the change changed it.
    struct Before {
        std::wstring path;
        TargetKind kind;
        ULONGLONG content;
        DWORD attributes;
        DWORD holder;
    };

    bool Open();
    // The place of the target being changed; false when it has none.
    bool PlaceOf(const ChangeTarget& target, DWORD& place) const;

    RecordWriter m_writer;
    std::wstring m_file;
    bool m_unwritable = false;
    std::vector<Before> m_targets;
    // Where the next target done is looked for: targets are done in turn.
    size_t m_turn = 0;
    bool m_changedAny = false;
};
