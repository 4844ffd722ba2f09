// Which paths can be the target of a change, and as what.
#pragma once
#include "resource.h"
#include <windows.h>

enum class PathKind { Refused, Folder, Drive };

// Folder: the file system finds a directory of that name, whose own
// spelling becomes the display name. Drive: the root of an existing drive,
// "X:\", shown by its whole path; the platform's drive type alone does not
// tell, since Wine reports the drive's type for any existing path on it, and
// a folder written with a trailing backslash would then pass for a drive.
// Anything else is refused, with the system's reason in the last error, and
// so is a path holding wildcards: the search would take them as a pattern
// and match some other folder, and a folder whose desktop.ini could not be
// named. `path` receives the path as the system names it, made full from the
// current folder.
PathKind ClassifyPath(const wchar_t* given, wchar_t (&path)[PATH_BUFFER_SIZE], wchar_t (&displayName)[PATH_BUFFER_SIZE]);
