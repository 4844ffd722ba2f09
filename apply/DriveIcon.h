// A drive letter's own icon: the default value of
// HKLM\...\Explorer\DriveIcons\<letter>\DefaultIcon, "file,index". The
// 64-bit view of the registry is the one the shell reads, also for the
// 32-bit build.
#pragma once
#include "target/Target.h"

// Writes the icon location for the drive whose letter is `letter`; the
// registry's error when a key or the value cannot be written.
LONG SetDriveIcon(wchar_t letter, const wchar_t* iconFile, int iconIndex);

// Deletes that value again; the keys stay, and a drive without them gets
// none. The registry's error when the value is there but cannot be deleted.
LONG ResetDriveIcon(wchar_t letter);

// The drive's own icon, its index made a position; false when it has none.
bool ReadDriveIcon(wchar_t letter, IconLocation& icon);
