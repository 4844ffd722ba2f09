// The icon file made from a picture for the folder or drive it is applied to:
// the shell shows icons from icon files, not from pictures.
#pragma once
#include "resource.h"
#include <windows.h>
#include <vector>

// The bytes of an icon file holding the picture at every size an icon file
// offers, the largest PNG-compressed, the others 32-bit with alpha and a
// mask; false when the picture cannot be read.
bool IconFileOfPicture(const wchar_t* picture, std::vector<BYTE>& bytes);

// Writes the icon file made from `picture` into `folder` (a folder or drive
// root, which it is for), hidden, named after the picture ("vacances.png"
// gives "vacances.ico", or "vacances (2).ico" beside a different file of that
// name; a file of the same bytes is taken as it is), and records it as made
// by the program for `folder`. `made` receives its full path. `name`, when
// given, names it in place of the picture. False, with the system's reason
// in the last error, when it cannot be written.
bool MakeIconFile(const wchar_t* picture, const wchar_t* folder, wchar_t (&made)[PATH_BUFFER_SIZE],
                  const wchar_t* name = nullptr);

// Writes `bytes` into `folder` as MakeIconFile writes a picture's icon file,
// named after `name` ("couleur-E53935.ico", or "couleur-E53935 (2).ico"
// beside a different file of that name), and records it.
bool WriteMadeIconFile(const std::vector<BYTE>& bytes, const wchar_t* name, const wchar_t* folder,
                       wchar_t (&made)[PATH_BUFFER_SIZE]);

// Records that the folder or drive root `target` has been given `file` as
// its icon, when the program made that file.
void NoteIconFileNamed(const wchar_t* file, const wchar_t* target);

// Deletes `file` when the program made it, it is still as the program made
// it, and no folder or drive root it was given to names it any more; any
// other file stays.
void RemoveMadeIconFile(const wchar_t* file);

// Whether the program made `file` and knows it as made.
bool IsMadeIconFile(const wchar_t* file);

// Records `file`, which holds `bytes`, as made by the program for the folder
// or drive root `target`: a made file put back where it was.
void NoteIconFileMade(const wchar_t* file, const std::vector<BYTE>& bytes, const wchar_t* target);
