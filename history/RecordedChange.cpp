#include "history/RecordedChange.h"
#include "apply/MadeIconFile.h"
#include "apply/WholeFile.h"
#include "change/Change.h"
#include "history/ChangeContents.h"
#include "history/History.h"
#include "resource.h"

namespace {

DWORD ChangesOf(const Choice& choice, TargetKind kind)
{
    DWORD changes = choice.icon == IconChange::Set ? CHANGES_ICON
                    : choice.icon == IconChange::Default ? CHANGES_TO_DEFAULT
                                                         : 0;
    if (choice.infoTip && kind == TargetKind::Folder)
        changes |= CHANGES_INFOTIP;
    return changes;
}

} // namespace

RecordedChange::~RecordedChange()
{
    m_writer.Close();
    if (!m_changedAny && !m_file.empty())
        DeleteFileW(m_file.c_str());
}

bool RecordedChange::Open()
{
    if (m_writer.IsOpen())
        return true;
    if (!m_unwritable)
        m_file = BeginChangeFile(m_writer);
    m_unwritable = m_file.empty();
    return !m_unwritable;
}

// Targets done in turn are found at once; those done on several threads, as
// a covers run does them, also before it.
bool RecordedChange::PlaceOf(const ChangeTarget& target, DWORD& place) const
{
    const size_t count = m_targets.size();
    for (size_t step = 0; step < count; ++step) {
        const size_t i = (m_turn + step) % count;
        if (m_targets[i].kind == target.kind && m_targets[i].path == target.path) {
            place = static_cast<DWORD>(i);
            return true;
        }
    }
    return false;
}

void RecordedChange::Changing(const Choice& choice, const std::vector<ChangeTarget>& targets)
{
    if (targets.empty() || !Open())
        return;
    for (const ChangeTarget& target : targets) {
        RecordedTarget recorded;
        recorded.path = target.path;
        recorded.kind = target.kind;
        recorded.changes = ChangesOf(choice, target.kind);
        recorded.before = ReadTargetState(target.path, target.kind);
        m_writer.Add(TARGET_BEFORE, TargetBeforeRecord(static_cast<DWORD>(m_targets.size()), recorded));
        m_targets.push_back({ target.path, target.kind, ContentDigest(recorded.before, target.kind),
                              recorded.before.attributes, recorded.before.holder });
    }
    // One write for them all: flushing each would cost as much as the
    // change itself.
    m_writer.Write(true);
}

void RecordedChange::Made(const wchar_t* file, const ChangeTarget& target)
{
    DWORD place = 0;
    if (!PlaceOf(target, place))
        return;
    m_writer.Add(ICON_FILE_MADE, IconFileRecord({ place, file, 0, {} }, false));
    m_writer.Write(true);
}

void RecordedChange::Removing(const wchar_t* file, const ChangeTarget& target)
{
    DWORD place = 0;
    RecordedIconFile going{ 0, file, GetFileAttributesW(file), {} };
    if (!PlaceOf(target, place) || !IsMadeIconFile(file) || going.attributes == INVALID_FILE_ATTRIBUTES ||
        !ReadWholeFile(file, going.bytes, MAX_RECORDED_ICON_FILE_SIZE))
        return;
    going.place = place;
    m_writer.Add(ICON_FILE_GOING, IconFileRecord(going, true));
    m_writer.Write(true);
}

void RecordedChange::Done(const ChangeTarget& target, const Outcome& outcome)
{
    DWORD place = 0;
    if (!PlaceOf(target, place))
        return;
    m_turn = place + 1;
    const Before& before = m_targets[place];
    const TargetState now = ReadTargetState(target.path, target.kind);
    const ULONGLONG content = ContentDigest(now, target.kind);
    m_changedAny = m_changedAny || content != before.content || now.attributes != before.attributes ||
                   now.holder != before.holder;
    // Not flushed: what a process wrote is the system's, however the
    // process ends. This record is what tells the target changed from the
    // next one, which a change ended here never began.
    m_writer.Add(TARGET_DONE, TargetDoneRecord(place, content, outcome.emptied));
    m_writer.Write(false);
}
