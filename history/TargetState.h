// What a change of the program alters of a folder or drive root, as it is
// at one moment: for a folder its desktop.ini, bytes and attributes, and
// the folder's own attributes; for a drive the value that gives its letter
// an icon, and which of the keys that lead to it were there.
#pragma once
#include "history/RecordFile.h"
#include "target/Target.h"
#include <windows.h>
#include <string>
#include <vector>

struct TargetState {
    enum class Content : DWORD {
        Absent,   // no desktop.ini, no value
        Present,  // `bytes` are its content
        Unread,   // there, but it could not be read
    };
    Content content = Content::Absent;
    std::vector<BYTE> bytes;
    // desktop.ini's attributes, or the value's type.
    DWORD attributes = 0;
    // The folder's attributes (INVALID_FILE_ATTRIBUTES where they could not
    // be read), or the drive's keys that were there (DRIVE_LETTER_KEY,
    // DRIVE_ICON_KEY).
    DWORD holder = 0;
};

// The drive's keys: its letter's under DriveIcons, and "DefaultIcon" below.
constexpr DWORD DRIVE_LETTER_KEY = 1;
constexpr DWORD DRIVE_ICON_KEY = 2;

TargetState ReadTargetState(const std::wstring& path, TargetKind kind);

// What tells one content from another: whether it is there, and its bytes
// (and, for a drive's value, its type). A file's attributes do not count.
ULONGLONG ContentDigest(const TargetState& state, TargetKind kind);

// Puts the target back as `state` says it was: desktop.ini's bytes and
// attributes, or no desktop.ini, and the folder's attributes; the drive's
// value, or none, and no key that was not there. False, with the system's
// reason in the last error, when that cannot be done; a state whose content
// was not read is never written.
bool RestoreTargetState(const std::wstring& path, TargetKind kind, const TargetState& state);

void PutTargetState(RecordBody& body, const TargetState& state);
TargetState TakeTargetState(RecordFields& fields);
