// The 20 icon files applied most recently, kept in the registry under
// HKEY_CURRENT_USER: slot values "Sauve000" to "Sauve019" hold the paths,
// and "OrdreListe" holds 20 slot numbers, most recent first (0xFF: empty).
#pragma once
#include "framework/Controls.h"

constexpr int RECENT_FILE_COUNT = 20;
constexpr BYTE NO_RECENT_SLOT = 0xFF;

// Records `path` as the most recent icon file. A file already in the list
// (letter case aside) keeps its slot and moves to the front; a new one takes
// the lowest free slot, or the slot of the least recent file.
void AddRecentIconFile(const wchar_t* path);

// Replaces the combo box's list by the recent files, most recent first,
// and leaves its edit text as it was.
void FillRecentCombo(const CComboBox& combo);
