// Taking back the newest change of the history: each target it changed is
// given back the state it had before, unless something else has changed it
// since; the icon files the change made go when still as made and named by
// nobody, those it removed come back; the shell is told, as after a change;
// and the change leaves the history, so that the next undo takes back the
// one before it.
#pragma once
#include "history/ChangeContents.h"
#include <string>
#include <vector>

// The newest change that can be taken back, and its file; false when there
// is none. A file of the history's that cannot be read back, and is not
// being written, is no change and is removed on the way.
bool NewestChange(ChangeContents& change, std::wstring& file);

// Whether the history holds a change that can be taken back: cheaper than
// reading it, for a start.
bool HasChangeToTakeBack();

struct UndoneTarget {
    std::wstring path;
    TargetKind kind;
    // ERROR_SUCCESS when the target is as it was before the change;
    // otherwise the system's reason, and it is as it is.
    DWORD error = ERROR_SUCCESS;
    // Left as it is, because its content is no longer what the change left
    // (the error is then ERROR_FILE_INVALID).
    bool changedSince = false;
};

// Takes back `change`, read from `file`: one result for each target it
// changed, in the order it changed them.
std::vector<UndoneTarget> TakeBack(const ChangeContents& change, const std::wstring& file);

// Whether to take back the change, named by its date and by what it
// changed: "Défaire la modification du 9 déc. 2026 à 10:42 : icône de 3
// dossiers ?"
std::wstring UndoQuestion(const ChangeContents& change);
