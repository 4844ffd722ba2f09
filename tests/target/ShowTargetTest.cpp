// Showing the target's present state: its icon, where that icon comes from,
// its infotip, and the buttons as they stand for what was just read.
#include "Support.h"
#include "change/FolderIni.h"
#include "harness/Windows.h"
#include <cstring>

namespace {

// Still a live icon: a destroyed one has no images left to describe.
bool IsIcon(HICON icon)
{
    ICONINFO info;
    if (!icon || !GetIconInfo(icon, &info))
        return false;
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return true;
}

std::string FullPath(const std::string& path)
{
    char full[MAX_PATH] = "";
    GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    return full;
}

} // namespace

TEST_F(TargetTest, PlainFolderShowsItsIconFileAndNothingToApply)
{
    Take(folder, TargetKind::Folder);
    dialog.ShowTarget(Target.path, Target.displayName);

    EXPECT_EQ(Text(IDC_TARGET_NAME), "Vacances");
    EXPECT_TRUE(IsIcon(ShownIcon()));
    EXPECT_STREQ(Target.path, Wide(folder).c_str()) << "the target must not become another file";
    const std::string shown = Narrow(dialog.IconGrid().m_currentFile);
    EXPECT_FALSE(shown.empty());
    EXPECT_EQ(Text(IDC_ICON_FILE), shown);
    EXPECT_EQ(Text(IDC_INFOTIP), "");
    EXPECT_FALSE(Enabled(IDC_APPLY));
    EXPECT_TRUE(Enabled(IDC_BROWSE_ICON_FILE));
    // The prefix names no default icons: a plain folder shows the shell's
    // stock one, which the shell names by its resource id.
    EXPECT_EQ(lstrcmpiW(Wide(shown).c_str(), DefaultIcons.folder.file), 0) << shown;
    EXPECT_GE(Selection(), 0);
    EXPECT_EQ(Selection(), DefaultIcons.folder.index);
    EXPECT_FALSE(Enabled(IDC_DEFAULT_ICON));
}

TEST_F(TargetTest, CustomisedFolderShowsItsIconSelectedAndItsInfoTip)
{
    WriteFolderIcon(Wide(folder).c_str(), Wide(iconFile).c_str(), 2, L"Souvenirs d'\xe9t\xe9");
    Take(folder, TargetKind::Folder);
    dialog.ShowTarget(Target.path, Target.displayName);

    EXPECT_EQ(lstrcmpiW(dialog.IconGrid().m_currentFile, Wide(iconFile).c_str()), 0) << dialog.IconGrid().m_currentFile;
    EXPECT_EQ(Selection(), 2);
    EXPECT_EQ(lstrcmpiA(Text(IDC_ICON_FILE).c_str(), iconFile.c_str()), 0);
    EXPECT_EQ(lstrcmpiA(Text(IDC_ICON_LOCATION).c_str(), (FullPath(iconFile) + ", 2").c_str()), 0)
        << Text(IDC_ICON_LOCATION);
    EXPECT_EQ(Text(IDC_INFOTIP), "Souvenirs d'\xe9t\xe9");
    EXPECT_FALSE(Enabled(IDC_APPLY)) << "setting the infotip and choosing the icon enabled it on the way";
    EXPECT_TRUE(Enabled(IDC_BROWSE_ICON_FILE));
    EXPECT_TRUE(Enabled(IDC_DEFAULT_ICON));
    EXPECT_STREQ(Target.path, Wide(folder).c_str());
}

// The folder's desktop.ini read as the shell reads it, and its icon shown as
// the target's own where the platform's shell shows a stock one.
TEST_F(TargetTest, CustomisedFolderShowsTheIconItsFileNamesHoweverItNamesIt)
{
    const std::string inside = folder + "\\dossier.dll";
    ASSERT_TRUE(CopyFileA(iconFile.c_str(), inside.c_str(), TRUE));
    ASSERT_TRUE(SetEnvironmentVariableA("BRISEVENT_ICONES", temp.Path().c_str()));
    const std::string other = "IconFile=" + iconFile + "\r\nIconIndex=0\r\n";
    struct Case {
        std::string keys;
        std::string file;
        int index;
    };
    for (const Case& c : { Case{ "IconFile=dossier.dll\r\nIconIndex=2\r\n", inside, 2 },
                           Case{ "IconFile=%BRISEVENT_ICONES%\\trois.dll\r\nIconIndex=1\r\n", iconFile, 1 },
                           Case{ "IconResource=dossier.dll,1\r\n" + other, inside, 1 } }) {
        SCOPED_TRACE(c.keys);
        const std::string ini = folder + "\\desktop.ini";
        const std::string text = "[.ShellClassInfo]\r\n" + c.keys;
        HANDLE file = CreateFileA(ini.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        CloseHandle(file);
        ASSERT_TRUE(SetFileAttributesA(folder.c_str(), FILE_ATTRIBUTE_SYSTEM));
        Take(folder, TargetKind::Folder);
        dialog.ShowTarget(Target.path, Target.displayName);

        EXPECT_EQ(lstrcmpiW(dialog.IconGrid().m_currentFile, Wide(c.file).c_str()), 0) << dialog.IconGrid().m_currentFile;
        EXPECT_EQ(Selection(), c.index);
        EXPECT_TRUE(SameIcons(ShownIcon(), c.file.c_str(), c.index));
        EXPECT_TRUE(Enabled(IDC_DEFAULT_ICON));
    }
    SetEnvironmentVariableA("BRISEVENT_ICONES", nullptr);
}

TEST_F(TargetTest, DefaultButtonIsDisabledExactlyWhenTheDefaultIconIsShown)
{
    WriteFolderIcon(Wide(folder).c_str(), Wide(iconFile).c_str(), 2, L"");
    Take(folder, TargetKind::Folder);

    // The same file, whatever the case of its letters, at the same index.
    DefaultIcons.folder.index = 2;
    lstrcpynW(DefaultIcons.folder.file, Wide(iconFile).c_str(), ARRAYSIZE(DefaultIcons.folder.file));
    CharUpperW(DefaultIcons.folder.file);
    dialog.ShowTarget(Target.path, Target.displayName);
    EXPECT_FALSE(Enabled(IDC_DEFAULT_ICON));

    DefaultIcons.folder.index = 1;
    dialog.ShowTarget(Target.path, Target.displayName);
    EXPECT_TRUE(Enabled(IDC_DEFAULT_ICON));

    // A drive compares with the drive's entry.
    DefaultIcons.drive = DefaultIcons.folder;
    DefaultIcons.drive.index = 2;
    Take(folder, TargetKind::Drive);
    dialog.ShowTarget(Target.path, Target.displayName);
    EXPECT_FALSE(Enabled(IDC_DEFAULT_ICON));
}

TEST_F(TargetTest, NewIconReplacesAndReleasesTheOldOne)
{
    Take(folder, TargetKind::Folder);
    dialog.ShowTarget(Target.path, Target.displayName);
    const HICON first = ShownIcon();
    ASSERT_TRUE(IsIcon(first));

    dialog.ShowTarget(Target.path, Target.displayName);
    const HICON second = ShownIcon();
    EXPECT_TRUE(IsIcon(second));
    EXPECT_NE(second, first);
    EXPECT_FALSE(IsIcon(first));
}

TEST_F(TargetTest, PathWithoutIconChangesOnlyTheName)
{
    WriteFolderIcon(Wide(folder).c_str(), Wide(iconFile).c_str(), 1, L"texte");
    Take(folder, TargetKind::Folder);
    dialog.ShowTarget(Target.path, Target.displayName);
    SetWindowTextA(Control(IDC_INFOTIP), "tap\xe9");
    const HICON icon = ShownIcon();

    const std::string gone = temp / "Disparu";
    dialog.ShowTarget(Wide(gone).c_str(), L"Disparu");
    EXPECT_EQ(Text(IDC_TARGET_NAME), "Disparu");
    EXPECT_EQ(ShownIcon(), icon);
    EXPECT_TRUE(IsIcon(icon));
    EXPECT_EQ(Selection(), 1);
    EXPECT_EQ(Text(IDC_INFOTIP), "tap\xe9");
    EXPECT_TRUE(Enabled(IDC_APPLY));
}

TEST_F(TargetTest, TypingAnInfoTipEnablesApply)
{
    Take(folder, TargetKind::Folder);
    dialog.ShowTarget(Target.path, Target.displayName);
    ASSERT_FALSE(Enabled(IDC_APPLY));
    SetWindowTextA(Control(IDC_INFOTIP), "nouveau");
    EXPECT_TRUE(Enabled(IDC_APPLY));
}

TEST_F(TargetTest, DriveReadsTheInfoTipInItsRoot)
{
    char system[MAX_PATH] = "";
    GetSystemDirectoryA(system, sizeof system);
    const std::string root = std::string(system, 3);
    const std::string ini = root + "desktop.ini";
    if (GetFileAttributesA(ini.c_str()) != INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << ini << " exists already";
    struct Remove {
        std::string path;
        ~Remove() { RemoveTree(path); }
    } removeIni{ ini };
    ASSERT_TRUE(WritePrivateProfileStringA(".ShellClassInfo", "InfoTip", "Disque syst\xe8me", ini.c_str()));

    Take(root, TargetKind::Drive);
    lstrcpynW(Target.displayName, Wide(root).c_str(), ARRAYSIZE(Target.displayName));
    dialog.ShowTarget(Target.path, Target.displayName);
    EXPECT_EQ(Text(IDC_TARGET_NAME), root);
    EXPECT_EQ(Text(IDC_INFOTIP), "Disque syst\xe8me");
    EXPECT_STREQ(Target.path, Wide(root).c_str());
    EXPECT_FALSE(Enabled(IDC_APPLY));
}
