// Each change taken back gives every folder and drive it changed back its
// bytes and attributes, newest change first, also a change that ended
// halfway; a folder changed by something else since is left and named.
#include "Support.h"
#include "apply/DriveIcon.h"
#include "history/RecordedChange.h"

namespace {

std::string Utf16(const std::wstring& text)
{
    return std::string("\xff\xfe") + std::string(reinterpret_cast<const char*>(text.c_str()), text.size() * 2);
}

const std::string DRIVE_C = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\DriveIcons\\C";

} // namespace

TEST_F(HistoryTest, UndoGivesEachFolderBackByteForByteAndAttributeForAttribute)
{
    struct Case {
        const char* name;
        std::string ini;  // none when empty
        DWORD iniAttributes;
        DWORD folderAttributes;
        Choice choice;
    };
    Choice picture = IconChoice(PathBesideTests("icon-files\\halves.png"), 0);
    Choice standard;
    standard.icon = IconChange::Default;
    Choice iconAndTip = IconChoice(icons, 1);
    iconAndTip.infoTip = L"Nouveau";
    const std::string cp1252 = "[.ShellClassInfo]\r\nIconFile=" + icons + "\r\nIconIndex=2\r\nInfoTip=ancien\r\n";
    const Case cases[] = {
        { "picture over UTF-16 with other sections",
          Utf16(L"[ViewState]\r\nMode=4\r\n[.ShellClassInfo]\r\nInfoTip=\x263a\r\n[Autre]\r\nCl\xe9=\xe9t\xe9\r\n"),
          FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM, FILE_ATTRIBUTE_READONLY, picture },
        { "icon and infotip where there was no file", "", 0, FILE_ATTRIBUTE_NORMAL, iconAndTip },
        { "default over the code page", cp1252, FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_SYSTEM, standard },
        { "infotip alone", cp1252 + "[Autre]\r\nA=1", FILE_ATTRIBUTE_NORMAL, FILE_ATTRIBUTE_SYSTEM, InfoTipChoice(L"") },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string folder = Folder(c.name);
        if (!c.ini.empty()) {
            WriteBytes(folder + "\\desktop.ini", c.ini);
            SetFileAttributesA((folder + "\\desktop.ini").c_str(), c.iniAttributes);
        }
        SetFileAttributesA(folder.c_str(), c.folderAttributes);
        const FolderState before = StateOf(folder);
        ASSERT_EQ(Change(c.choice, { folder })[0].error, static_cast<DWORD>(ERROR_SUCCESS));
        ASSERT_NE(StateOf(folder), before);
        const std::vector<UndoneTarget> undone = Undo();
        ASSERT_EQ(undone.size(), 1u);
        EXPECT_EQ(undone[0].error, static_cast<DWORD>(ERROR_SUCCESS));
        EXPECT_EQ(StateOf(folder), before) << "the made icon file goes too";
    }
}

// A drive without keys given an icon, then a drive's icon taken away.
TEST_F(HistoryTest, UndoGivesADriveItsValueBackAndTakesAwayTheKeysItMade)
{
    const ScopedRegistryKey drive(HKEY_LOCAL_MACHINE, DRIVE_C);
    Choice standard;
    standard.icon = IconChange::Default;
    for (const bool hadIcon : { false, true }) {
        if (hadIcon)
            SetDriveIcon(L'C', L"C:\\ancienne.ico", 3);
        const RegistryData before = ReadRegistryData(HKEY_LOCAL_MACHINE, DRIVE_C + "\\DefaultIcon", nullptr);
        const Choice choice = hadIcon ? standard : IconChoice(icons, 1);
        ASSERT_EQ(MakeChange(choice, { TargetAt(L"C:\\") })[0].error, static_cast<DWORD>(ERROR_SUCCESS));
        ASSERT_NE(ReadRegistryData(HKEY_LOCAL_MACHINE, DRIVE_C + "\\DefaultIcon", nullptr).present, hadIcon);
        ASSERT_EQ(Undo().size(), 1u);
        const RegistryData undone = ReadRegistryData(HKEY_LOCAL_MACHINE, DRIVE_C + "\\DefaultIcon", nullptr);
        EXPECT_EQ(undone.present, hadIcon);
        EXPECT_EQ(undone.data, before.data);
        EXPECT_EQ(RegistryKeyExists(HKEY_LOCAL_MACHINE, DRIVE_C), hadIcon);
    }
}

// Three changes come back newest first; a run of many calls made as one
// change, as over a tree of folders, comes back as one.
TEST_F(HistoryTest, ChangesComeBackNewestFirstAndARunOfManyCallsAsOne)
{
    const std::string folder = Folder("Dossier");
    std::vector<FolderState> states = { StateOf(folder) };
    Choice standard;
    standard.icon = IconChange::Default;
    for (const Choice& choice : { InfoTipChoice(L"un"), IconChoice(icons, 1), standard }) {
        Change(choice, { folder });
        states.push_back(StateOf(folder));
    }
    std::vector<std::string> tree;
    {
        RecordedChange run;
        for (int call = 0; call < 5; ++call) {
            std::vector<ChangeTarget> targets;
            for (int i = 0; i < 10; ++i) {
                tree.push_back(Folder("Arbre " + std::to_string(call) + "-" + std::to_string(i)));
                targets.push_back(TargetAt(Wide(tree.back())));
            }
            MakeChange(IconChoice(icons, 2), targets, run);
        }
    }
    EXPECT_EQ(Undo().size(), tree.size());
    for (const std::string& folder : tree)
        EXPECT_FALSE(Exists(folder + "\\desktop.ini")) << folder;
    for (size_t i = states.size() - 1; i > 0; --i) {
        Undo();
        EXPECT_EQ(StateOf(folder), states[i - 1]) << "after undoing change " << i;
    }
    ChangeContents none;
    std::wstring file;
    EXPECT_FALSE(NewestChange(none, file));
}

TEST_F(HistoryTest, HistoryKeepsTheLastTwentyChanges)
{
    const std::string folder = Folder("Dossier");
    for (int i = 0; i < MAX_KEPT_CHANGES + 2; ++i)
        Change(InfoTipChoice(std::to_wstring(i)), { folder });
    EXPECT_EQ(ChangeFiles(Wide(localAppData.History())).size(), static_cast<size_t>(MAX_KEPT_CHANGES));
    for (int i = 0; i < MAX_KEPT_CHANGES; ++i)
        Undo();
    EXPECT_EQ(ProfileValue(folder + "\\desktop.ini", ".ShellClassInfo", "InfoTip"), "1");
}

// A change that ended halfway, its records as a killed process leaves them:
// the targets done and the one being written are taken back; the ones it
// never began are not touched, even when changed since.
TEST_F(HistoryTest, ChangeEndedHalfwayIsTakenBackForThePartItDid)
{
    struct Ended {};
    class EndsAfterDone : public RecordedChange {
    public:
        void Done(const ChangeTarget& target, const Outcome& outcome) override
        {
            if (done++ == 3)
                throw Ended();
            RecordedChange::Done(target, outcome);
        }
        int done = 0;
    };
    std::vector<std::string> folders;
    std::vector<ChangeTarget> targets;
    for (int i = 0; i < 8; ++i) {
        folders.push_back(Folder("Dossier " + std::to_string(i)));
        WriteBytes(folders.back() + "\\desktop.ini", "[.ShellClassInfo]\r\nInfoTip=ancien\r\n");
        targets.push_back(TargetAt(Wide(folders.back())));
    }
    const FolderState before = StateOf(folders[0]);
    EXPECT_THROW(
        {
            EndsAfterDone change;
            MakeChange(InfoTipChoice(L"nouveau"), targets, change);
        },
        Ended);
    WriteBytes(folders[6] + "\\desktop.ini", "[.ShellClassInfo]\r\nInfoTip=\xe0 la main\r\n");
    const std::vector<UndoneTarget> undone = Undo();
    ASSERT_EQ(undone.size(), 4u) << "three done and the one being written";
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(StateOf(folders[i]), before) << folders[i];
    EXPECT_EQ(ProfileValue(folders[6] + "\\desktop.ini", ".ShellClassInfo", "InfoTip"), "\xe0 la main");
}

// A change file cut short anywhere, or with any byte spoilt, never makes
// an undo write anything but what the folder held before or after.
TEST_F(HistoryTest, CutOrSpoiltRecordsNeverMakeUndoWriteGarbage)
{
    const std::string folder = Folder("Dossier");
    WriteBytes(folder + "\\desktop.ini", "[.ShellClassInfo]\r\nInfoTip=ancien\r\n");
    const std::string before = ReadBytes(folder + "\\desktop.ini");
    Change(InfoTipChoice(L"nouveau"), { folder });
    const std::string after = ReadBytes(folder + "\\desktop.ini");
    const std::vector<ChangeFile> files = ChangeFiles(Wide(localAppData.History()));
    ASSERT_EQ(files.size(), 1u);
    const std::string path = Narrow(files[0].path);
    const std::string whole = ReadBytes(path);
    for (size_t at = 0; at < whole.size(); ++at) {
        for (const std::string& spoilt : { whole.substr(0, at), whole.substr(0, at) + char(whole[at] ^ 0x5a) +
                                                                   whole.substr(at + 1) }) {
            WriteBytes(path, spoilt);
            ChangeContents change;
            std::wstring file;
            if (NewestChange(change, file))
                TakeBack(change, file);
            const std::string now = ReadBytes(folder + "\\desktop.ini");
            ASSERT_TRUE(now == before || now == after) << "at byte " << at << ": " << now;
            WriteBytes(folder + "\\desktop.ini", after);
        }
    }
}
