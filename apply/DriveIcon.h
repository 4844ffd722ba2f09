// A drive letter's own icon: the default value of
// HKLM\...\Explorer\DriveIcons\<letter>\DefaultIcon, "file,index".
#pragma once

// Writes the icon location for the drive whose letter is `letter`.
void SetDriveIcon(char letter, const char* iconFile, int iconIndex);

// Deletes that value again; the keys stay, and a drive without them gets none.
void ResetDriveIcon(char letter);
