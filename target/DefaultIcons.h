// The icons an uncustomised folder and drive show, as the registry names
// them: "file" or "file,index", the file possibly relative and holding
// environment references.
#pragma once
#include "target/Target.h"

// Reads the default value of an open default-icon key into `icon`, its file
// expanded and made a full path, its index as written. False, and `icon` unchanged, when the value
// cannot be read or its file does not fit in a path buffer.
bool ReadDefaultIconValue(HKEY key, IconLocation& icon);

// The same, its index made a position in the file.
bool ReadIconLocation(HKEY key, IconLocation& icon);

// Reads the default icon of a kind of target from HKEY_CLASSES_ROOT, its
// index made a position; where the key is missing, the shell's stock icon
// of that kind. False when the key cannot be opened or its value is
// unreadable.
bool ReadDefaultIcon(TargetKind kind, IconLocation& icon);
