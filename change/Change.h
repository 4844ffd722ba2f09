// A change of the icon and the infotip of folders and drive roots: the one
// way the program changes them, whoever asks for it (the main dialog, the
// command line) and on whatever thread. It is given a choice and the
// targets, changes each target in turn as the choice says, and answers what
// became of each one. It opens no window and shows nothing.
//
// For a folder the change is its desktop.ini and System attribute; for a
// drive, the registry's icon for its letter. A picture or a design is no
// icon the shell can show: each target gets an icon file made of it, which is recorded as
// the program's and goes again once nothing names it. After each target the
// shell is told to draw it anew. Each change is recorded, step by step
// before it is taken, so that it can be taken back (history/).
#pragma once
#include "madeicons/Design.h"
#include "change/ChangeRecord.h"
#include "target/Target.h"
#include <optional>
#include <string>
#include <vector>

// What becomes of each target's icon.
enum class IconChange {
    Keep,      // it stays as it is, byte for byte
    Set,       // it becomes the chosen icon
    Default,   // it becomes the system's icon of its kind again
};

struct Choice {
    IconChange icon = IconChange::Keep;
    // For IconChange::Set: a file that holds icons and the position of the
    // icon in it, or a picture, at position 0.
    std::wstring iconFile;
    int iconIndex = 0;
    // For IconChange::Set, in place of the file: the icon each target gets
    // drawn from its kind's own.
    Design design;
    // The name of the icon file made of the picture; none names it after
    // the picture.
    std::wstring madeName;
    // The infotip every folder gets; none leaves each one its own, an empty
    // one removes it. A drive has no infotip.
    std::optional<std::wstring> infoTip;
};

// A folder or drive root to change, and the image the shell showed for it,
// which the shell is told to draw anew.
struct ChangeTarget {
    std::wstring path;
    TargetKind kind;
    DWORD shownImage;
};

// The target at `path` (a full path) as the shell shows it now; a drive
// root is a drive.
ChangeTarget TargetAt(const std::wstring& path);

struct Outcome {
    std::wstring target;
    // ERROR_SUCCESS when the target was changed; otherwise the system's
    // reason, and the target is as it was.
    DWORD error = ERROR_SUCCESS;
    // The file that could not be written, where the failure is a file's.
    std::wstring file;
    // The target's desktop.ini, left blank by the change: its deletion is the
    // caller's (DeleteIfStillBlank), who may want it to wait.
    bool emptied = false;
};

// Whether the chosen icon is there: the file yields an icon at its position,
// a picture decodes. Any change that sets no icon can be made.
bool IconCanBeUsed(const Choice& choice);

// Changes each target in turn: one that fails leaves the others to go on.
// One outcome for each target, in their order. The change is one of its
// own in the user's history.
std::vector<Outcome> MakeChange(const Choice& choice, const std::vector<ChangeTarget>& targets);
// The same, told to `record`: a caller that makes several changes as one
// opens that record itself and hands it to each.
std::vector<Outcome> MakeChange(const Choice& choice, const std::vector<ChangeTarget>& targets, ChangeRecord& record);
