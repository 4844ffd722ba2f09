// Icon locations such as "file,-N" name the icon group whose resource id is
// N, not a position: today's Windows stores its default icons that way, and
// the shell reports a plain folder so. The program works with positions.
#pragma once

// The position of the icon that `index` names in the file: the index itself
// when it is 0 or more, otherwise the place of the icon group whose resource
// id is -index, counted as the platform's icon reader counts (named groups
// first, then ids in ascending order). -1 when the file has no such group.
int IconPosition(const wchar_t* path, int index);
