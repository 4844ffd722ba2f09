#include "history/ChangeContents.h"
#include "framework/Paths.h"
#include "resource.h"
#include <algorithm>

namespace {

constexpr DWORD FOLDER = 0;
constexpr DWORD DRIVE = 1;

void TakeTarget(RecordFields& fields, ChangeContents& contents)
{
    const DWORD place = fields.Number();
    RecordedTarget target;
    const DWORD kind = fields.Number();
    target.kind = kind == DRIVE ? TargetKind::Drive : TargetKind::Folder;
    target.changes = fields.Number();
    target.path = fields.Text(PATH_BUFFER_SIZE - 1);
    target.before = TakeTargetState(fields);
    // Places follow one another: one out of turn tells a file spoilt.
    if (fields.Whole() && place == contents.targets.size() && (kind == FOLDER || kind == DRIVE) &&
        !target.path.empty())
        contents.targets.push_back(target);
}

void TakeIconFile(RecordFields& fields, bool withContent, const ChangeContents& contents,
                  std::vector<RecordedIconFile>& files)
{
    RecordedIconFile file;
    file.place = fields.Number();
    file.path = fields.Text(PATH_BUFFER_SIZE - 1);
    if (withContent) {
        file.attributes = fields.Number();
        file.bytes = fields.Bytes(MAX_RECORDED_ICON_FILE_SIZE);
    }
    if (fields.Whole() && file.place < contents.targets.size() && !file.path.empty())
        files.push_back(file);
}

void TakeDone(RecordFields& fields, ChangeContents& contents)
{
    const DWORD place = fields.Number();
    const ULONGLONG after = fields.Long();
    const DWORD emptied = fields.Number();
    if (!fields.Whole() || place >= contents.targets.size())
        return;
    RecordedTarget& target = contents.targets[place];
    target.done = true;
    target.after = after;
    target.emptied = emptied != 0;
}

} // namespace

RecordBody TargetBeforeRecord(DWORD place, const RecordedTarget& target)
{
    RecordBody body;
    body.PutNumber(place);
    body.PutNumber(target.kind == TargetKind::Drive ? DRIVE : FOLDER);
    body.PutNumber(target.changes);
    body.PutText(target.path);
    PutTargetState(body, target.before);
    return body;
}

RecordBody IconFileRecord(const RecordedIconFile& file, bool withContent)
{
    RecordBody body;
    body.PutNumber(file.place);
    body.PutText(file.path);
    if (withContent) {
        body.PutNumber(file.attributes);
        body.PutBytes(file.bytes);
    }
    return body;
}

RecordBody TargetDoneRecord(DWORD place, ULONGLONG after, bool emptied)
{
    RecordBody body;
    body.PutNumber(place);
    body.PutLong(after);
    body.PutNumber(emptied ? 1 : 0);
    return body;
}

bool ReadChange(const std::wstring& path, ChangeContents& contents)
{
    contents = ChangeContents();
    RecordReader reader;
    if (!reader.Open(path, contents.began))
        return false;
    DWORD kind = 0;
    std::vector<BYTE> body;
    while (reader.Next(kind, body)) {
        RecordFields fields(body);
        if (kind == TARGET_BEFORE)
            TakeTarget(fields, contents);
        else if (kind == ICON_FILE_MADE)
            TakeIconFile(fields, false, contents, contents.made);
        else if (kind == ICON_FILE_GOING)
            TakeIconFile(fields, true, contents, contents.going);
        else if (kind == TARGET_DONE)
            TakeDone(fields, contents);
    }
    if (contents.targets.empty()) {
        SetLastError(ERROR_INVALID_DATA);
        return false;
    }
    return true;
}

bool HoldsATarget(const std::wstring& path)
{
    ChangeContents contents;
    RecordReader reader;
    if (!reader.Open(path, contents.began))
        return false;
    DWORD kind = 0;
    std::vector<BYTE> body;
    while (contents.targets.empty() && reader.Next(kind, body)) {
        RecordFields fields(body);
        if (kind == TARGET_BEFORE)
            TakeTarget(fields, contents);
    }
    return !contents.targets.empty();
}

std::vector<TouchedTarget> TouchedTargets(const ChangeContents& contents)
{
    const std::vector<RecordedTarget>& targets = contents.targets;
    size_t begun = 0;
    for (size_t place = 0; place < targets.size(); ++place) {
        if (targets[place].done)
            begun = place + 1;
    }
    // The one after the last done, if any, was being done.
    begun = std::min(begun + 1, targets.size());
    std::vector<TouchedTarget> touched;
    for (size_t place = 0; place < begun; ++place) {
        if (targets[place].changes == 0)
            continue;
        const auto same = std::find_if(touched.begin(), touched.end(), [&](const TouchedTarget& target) {
            const RecordedTarget& first = targets[target.first];
            return first.kind == targets[place].kind && SameIgnoringCase(first.path.c_str(), targets[place].path.c_str());
        });
        if (same == touched.end()) {
            touched.push_back({ place, place, targets[place].changes });
        } else {
            same->last = place;
            same->changes |= targets[place].changes;
        }
    }
    return touched;
}
