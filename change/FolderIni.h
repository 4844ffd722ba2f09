// The desktop.ini side of a change of a folder or drive root: the file,
// written whole in one step (IniFile), and the folder's System attribute,
// which makes the shell read it. A null infotip leaves the stored one as it
// is, an empty one removes it. Each answers ERROR_SUCCESS, or the system's
// reason when the file or an attribute could not be written, and the file
// is then as it was; ERROR_FILENAME_EXCED_RANGE when the folder's
// desktop.ini cannot be named in a path buffer, and nothing is written.
#pragma once
#include <windows.h>

// The icon written as "IconFile" and "IconIndex" (and "IconResource" where
// the file names its icon so): the file named relatively when it lies in
// the folder. The file ends hidden, the folder System.
DWORD WriteFolderIcon(const wchar_t* folder, const wchar_t* iconFile, int iconIndex, const wchar_t* infoTip);

// The icon keys taken away, and the section with them once it holds nothing
// more. A file left blank is `emptied`: the folder then loses System, and
// the file is the caller's to delete (DeleteIfStillBlank).
DWORD RemoveFolderIcon(const wchar_t* folder, const wchar_t* infoTip, bool& emptied);

// Only the infotip: the icon keys stay as they are, byte for byte. The
// file ends hidden, the folder System.
DWORD WriteInfoTip(const wchar_t* folder, const wchar_t* infoTip);
