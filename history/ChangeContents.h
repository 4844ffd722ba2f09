// What the file of one change holds, record by record, as the change
// writes it and as it is read back to be taken back:
//   a target, before it changes: its place in the change, its path and
//     kind, what the change does to it, and its state (TargetState);
//   an icon file made for a target: the target's place, the file's path;
//   an icon file a target named, before it may go: the target's place, the
//     file's path, attributes and bytes;
//   a target done: its place, and a digest of its content then, with
//     whether the change left its desktop.ini blank, to be deleted.
// A record that names a place no target has is passed over.
#pragma once
#include "history/TargetState.h"
#include <windows.h>
#include <string>
#include <vector>

enum RecordKind : DWORD {
    TARGET_BEFORE = 1,
    ICON_FILE_MADE = 2,
    ICON_FILE_GOING = 3,
    TARGET_DONE = 4,
};

// What a change does to a target, for telling the change by its name.
constexpr DWORD CHANGES_ICON = 1;
constexpr DWORD CHANGES_TO_DEFAULT = 2;
constexpr DWORD CHANGES_INFOTIP = 4;

struct RecordedTarget {
    std::wstring path;
    TargetKind kind = TargetKind::Folder;
    DWORD changes = 0;
    TargetState before;
    bool done = false;
    ULONGLONG after = 0;
    bool emptied = false;
};

struct RecordedIconFile {
    DWORD place = 0;
    std::wstring path;
    DWORD attributes = 0;
    std::vector<BYTE> bytes;
};

struct ChangeContents {
    FILETIME began = {};
    // In their places' order.
    std::vector<RecordedTarget> targets;
    std::vector<RecordedIconFile> made;
    std::vector<RecordedIconFile> going;
};

RecordBody TargetBeforeRecord(DWORD place, const RecordedTarget& target);
RecordBody IconFileRecord(const RecordedIconFile& file, bool withContent);
RecordBody TargetDoneRecord(DWORD place, ULONGLONG after, bool emptied);

// The change's file read back as far as it is whole; false, with the
// reason in the last error, when it cannot be opened, is still being
// written (ERROR_SHARING_VIOLATION), or holds no target (ERROR_INVALID_DATA).
bool ReadChange(const std::wstring& path, ChangeContents& contents);

// Whether the change's file can be read back and holds a target: what
// ReadChange answers, reading only as far as the first target.
bool HoldsATarget(const std::wstring& path);

// A target as the change left it: the place where it first stands, whose
// state before is what it is given back, and the last place where the
// change began it, which is done or was being done when the change ended.
struct TouchedTarget {
    size_t first;
    size_t last;
    DWORD changes;
};

// The targets the change began, each once, in the order it began them; the
// targets after the one being done when the change ended were never begun.
std::vector<TouchedTarget> TouchedTargets(const ChangeContents& contents);
