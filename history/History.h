// The history of the changes the program made: one file for each change in
// the user's local application data (%LOCALAPPDATA%\Brisevent), numbered
// in the order the changes began, the last MAX_KEPT_CHANGES of them. A
// change taken back leaves the history.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

class RecordWriter;

struct ChangeFile {
    ULONG number;
    std::wstring path;
};

// The history's folder, made when `create` asks for it; false when the
// system names no such folder for the user, or it cannot be made.
bool HistoryFolder(std::wstring& folder, bool create);

// The changes' files, newest first.
std::vector<ChangeFile> ChangeFiles(const std::wstring& folder);

// The file of a change that begins now, made in `writer`'s hands, after the
// changes kept so far have been cut to leave room for it. Empty when it
// cannot be made.
std::wstring BeginChangeFile(RecordWriter& writer);
