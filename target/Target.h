// The folder or drive being customised, and the icons an uncustomised folder
// and drive show. Plain globals: the main dialog and the windows it opens
// all read them.
#pragma once
#include <windows.h>
#include "resource.h"

enum class TargetKind { Folder, Drive };

// An icon as the shell and the registry name it: a file and the zero-based
// position of the icon in that file, which is also the icon's cell in the
// grid; -1 when the location names no icon of the file.
struct IconLocation {
    wchar_t file[PATH_BUFFER_SIZE];
    int index;
};

struct CustomisationTarget {
    wchar_t path[PATH_BUFFER_SIZE];          // empty until a folder or drive is taken
    wchar_t displayName[PATH_BUFFER_SIZE];   // the folder's own name, or a drive's whole path
    TargetKind kind;
};

struct DefaultIconLocations {
    IconLocation folder;
    IconLocation drive;
};

extern CustomisationTarget Target;
// Read once at start-up; an entry that could not be read stays empty, index 0.
extern DefaultIconLocations DefaultIcons;
// In and out of each request for the target's associated icon: every request
// starts from what the previous one left.
extern WORD ShownIconIndex;

const IconLocation& DefaultIconFor(TargetKind kind);
