// The images an icon of a file holds, and the icon at any size from the
// nearest of them: an icon reader asked for a size the icon lacks scales
// whichever image it likes best, a smaller one too, which blurs.
#pragma once
#include <windows.h>
#include <vector>

// The sizes (256 for the entries that say 0) of the images of the icon at
// `position`: from its group in a library, from the directory of an icon
// file. Empty for a file of any other kind, or one that is not sound.
std::vector<int> HeldSizes(const wchar_t* file, int position);

// The icon at `position` of `file` as an image of `size` (ImagePixels.h):
// the icon's own image of that size, otherwise its next larger one reduced,
// otherwise the icon reader's nearest. False when the file yields no icon
// there.
bool IconPixels(const wchar_t* file, int position, int size, std::vector<BYTE>& pixels);
