#include "Support.h"
#include <ostream>

bool FolderState::operator==(const FolderState& other) const
{
    return ini == other.ini && iniAttributes == other.iniAttributes && folderAttributes == other.folderAttributes &&
           files == other.files;
}

FolderState StateOf(const std::string& folder)
{
    const std::string ini = folder + "\\desktop.ini";
    FolderState state{ Exists(ini) ? ReadBytes(ini) : "(none)", Attributes(ini), Attributes(folder), {} };
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (found.cFileName[0] != '.')
                state.files.push_back(found.cFileName);
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    return state;
}

void PrintTo(const FolderState& state, std::ostream* out)
{
    *out << "desktop.ini " << ::testing::PrintToString(state.ini) << " attributes " << state.iniAttributes
         << ", folder " << state.folderAttributes << ", " << state.files.size() << " files";
}

Choice IconChoice(const std::string& file, int index)
{
    Choice choice;
    choice.icon = IconChange::Set;
    choice.iconFile = Wide(file);
    choice.iconIndex = index;
    return choice;
}

Choice InfoTipChoice(const std::wstring& text)
{
    Choice choice;
    choice.infoTip = text;
    return choice;
}

std::string HistoryTest::Folder(const std::string& name)
{
    const std::string folder = temp / name;
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

std::vector<Outcome> HistoryTest::Change(const Choice& choice, const std::vector<std::string>& folders)
{
    std::vector<ChangeTarget> targets;
    for (const std::string& folder : folders)
        targets.push_back(TargetAt(Wide(folder)));
    return MakeChange(choice, targets);
}

std::vector<UndoneTarget> HistoryTest::Undo()
{
    ChangeContents change;
    std::wstring file;
    if (!NewestChange(change, file)) {
        ADD_FAILURE() << "no change to take back";
        return {};
    }
    return TakeBack(change, file);
}
