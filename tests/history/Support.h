// What the history's tests share: a history and folders of the test's own,
// the state of a folder as the tests compare it, and a change taken back.
#pragma once
#include "change/Change.h"
#include "harness/Files.h"
#include "harness/LocalAppData.h"
#include "harness/RegistryKey.h"
#include "harness/TempFolder.h"
#include "harness/Windows.h"
#include "history/History.h"
#include "history/Undo.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

// All that a change may alter of a folder: its desktop.ini's bytes (or
// that it has none), that file's attributes, the folder's own, and the
// names of the files in it.
struct FolderState {
    std::string ini;
    DWORD iniAttributes;
    DWORD folderAttributes;
    std::vector<std::string> files;
    bool operator==(const FolderState& other) const;
    bool operator!=(const FolderState& other) const { return !(*this == other); }
};
FolderState StateOf(const std::string& folder);
void PrintTo(const FolderState& state, std::ostream* out);

Choice IconChoice(const std::string& file, int index);
Choice InfoTipChoice(const std::wstring& text);

class HistoryTest : public ::testing::Test {
protected:
    // A fresh folder under the test's folder.
    std::string Folder(const std::string& name);
    std::vector<Outcome> Change(const Choice& choice, const std::vector<std::string>& folders);
    // Takes back the newest change, which there must be.
    std::vector<UndoneTarget> Undo();

    ScopedLocalAppData localAppData;
    ScopedRegistryKey programKey{ HKEY_CURRENT_USER, "Software\\KORBINEX\\Brisevent" };
    TempFolder temp;
    std::string icons = PathBesideTests("icon-files\\three-icons.dll");
};
