// Paths as the system names files: one spelling for each file, so that two
// spellings of a file are one file, whatever the current folder is later.
#pragma once
#include "resource.h"
#include <windows.h>

// The full path that `path` names from the current folder: "." and ".."
// resolved, the trailing blanks and dots of a name dropped as the system
// drops them, and each name that exists spelt as the file system holds it
// (its long name, never its 8.3 alias). False, and an empty path, when it
// does not fit in a path buffer.
bool CanonicalPath(const wchar_t* path, wchar_t (&canonical)[PATH_BUFFER_SIZE]);

// Whether two texts are the same but for letter case, compared code unit by
// code unit as the file system and the registry compare names: a look-alike
// (U+212B for U+00C5) is another name.
bool SameIgnoringCase(const wchar_t* a, const wchar_t* b);

// Whether `a` sorts before `b` in the same comparison: the order of names
// in a listing.
bool ComesBeforeIgnoringCase(const wchar_t* a, const wchar_t* b);

// Whether the path is the root of a drive, "X:\".
bool IsDriveRootPath(const wchar_t* path);
