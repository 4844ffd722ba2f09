// Icon files as the shell finds them from the text of an icon location.
#pragma once
#include "resource.h"

// The full path of the icon file that `file` names: environment references
// expanded, then a relative path taken from `folder` when one is given (a
// desktop.ini names files beside it), a bare name found where the
// platform's icon reader would find it, and any other path made full from
// the current folder; the whole as the system names the file
// (CanonicalPath). False when the result does not fit.
bool FullIconPath(const wchar_t* file, const wchar_t* folder, wchar_t (&full)[PATH_BUFFER_SIZE]);
