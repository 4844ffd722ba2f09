// Every icon the program takes from a file goes through here. The platform's
// icon reader trusts what an icon file or library says of itself, and reads
// past the end of one that claims more than it holds: each file is checked
// first (IconLibraryCheck.h), and one that fails is a file without icons.
#pragma once
#include <windows.h>

// Whether the file that the platform's icon reader would open for `path`
// (found as it finds it) can be handed to it: an icon file, an executable or
// a 16-bit library where all the reader walks lies inside the file. A file of
// any other kind is the platform's to judge.
bool IconFileIsSound(const wchar_t* path);

// The number of icons in the file, as the check counts them, the way the
// reader does; 0 for a file that is missing, holds no icon or is not sound.
// Only a file of a kind the check does not know is counted by the platform.
int IconCount(const wchar_t* path);

// ExtractIconExW for a sound file: the handles of the `count` icons from
// position `first` that it yields, null where it yields none; the answer is
// how many handles are real. Nothing is asked of an unsound file, nor at a
// negative position.
int ExtractIcons(const wchar_t* path, int first, HICON* large, HICON* small, int count);

// One large icon of a file that IconFileIsSound (or IconCount) has just
// accepted: the file is not checked again, so that a caller taking its icons
// one by one reads it once. Null where the file yields no icon at `position`.
HICON ExtractIconOfSoundFile(const wchar_t* path, int position);

// The icons of the `count` positions from `first` of a file that
// IconFileIsSound has accepted, of `size` (the image nearest to it, scaled),
// taken in one read of the file: null where the file yields none. `count` is
// at most MAX_ICONS_TAKEN_AT_ONCE.
void ExtractIconRunOfSoundFile(const wchar_t* path, int first, HICON* icons, int count, SIZE size);

// The icon at `position` of a file that IconFileIsSound has accepted, of
// `size` pixels: the image nearest to it, scaled. Null where it yields none.
HICON ExtractIconOfSizeOfSoundFile(const wchar_t* path, int position, int size);

// How many icons (not counts) this process has asked the platform's icon
// reader for: the tests tell by it when icons are taken.
long IconExtractionCount();
