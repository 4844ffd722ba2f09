// What the shell is told after a target changed, so that it draws it anew.
#pragma once
#include <windows.h>

struct ChangeTarget;

// The position of the image the shell shows for `path` in its image list.
DWORD SystemImageIndex(const wchar_t* path);

// The target's attributes changed, and so did its image: the one it shows
// now and the one it showed.
void TellTheShell(const ChangeTarget& target);
