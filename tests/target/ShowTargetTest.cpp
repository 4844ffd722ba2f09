// Showing the target's present state: its icon, where that icon comes from,
// its infotip, and the buttons as they stand for what was just read.
#include "Support.h"
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
    EXPECT_STREQ(Target.path, folder.c_str()) << "the target must not become another file";
    const std::string shown = dialog.IconGrid().m_currentFile;
    EXPECT_FALSE(shown.empty());
    EXPECT_EQ(Text(IDC_ICON_FILE), shown);
    EXPECT_EQ(Text(IDC_INFOTIP), "");
    EXPECT_FALSE(Enabled(IDC_APPLY));
    EXPECT_TRUE(Enabled(IDC_BROWSE_ICON_FILE));
    EXPECT_TRUE(Enabled(IDC_DEFAULT_ICON)) << "no default icon was read";
}

TEST_F(TargetTest, CustomisedFolderShowsItsIconSelectedAndItsInfoTip)
{
    dialog.WriteFolderIcon(folder.c_str(), iconFile.c_str(), 2, L"Souvenirs d'\xe9t\xe9");
    Take(folder, TargetKind::Folder);
    dialog.ShowTarget(Target.path, Target.displayName);

    EXPECT_EQ(lstrcmpiA(dialog.IconGrid().m_currentFile, iconFile.c_str()), 0) << dialog.IconGrid().m_currentFile;
    EXPECT_EQ(Selection(), 2);
    EXPECT_EQ(lstrcmpiA(Text(IDC_ICON_FILE).c_str(), iconFile.c_str()), 0);
    EXPECT_EQ(lstrcmpiA(Text(IDC_ICON_LOCATION).c_str(), (FullPath(iconFile) + ", 2").c_str()), 0)
        << Text(IDC_ICON_LOCATION);
    EXPECT_EQ(Text(IDC_INFOTIP), "Souvenirs d'\xe9t\xe9");
    EXPECT_FALSE(Enabled(IDC_APPLY)) << "setting the infotip and choosing the icon enabled it on the way";
    EXPECT_TRUE(Enabled(IDC_BROWSE_ICON_FILE));
    EXPECT_TRUE(Enabled(IDC_DEFAULT_ICON));
    EXPECT_STREQ(Target.path, folder.c_str());
}

TEST_F(TargetTest, DefaultButtonIsDisabledExactlyWhenTheDefaultIconIsShown)
{
    dialog.WriteFolderIcon(folder.c_str(), iconFile.c_str(), 2, L"");
    Take(folder, TargetKind::Folder);

    // The same file, whatever the case of its letters, at the same index.
    DefaultIcons.folder.index = 2;
    lstrcpynA(DefaultIcons.folder.file, iconFile.c_str(), sizeof DefaultIcons.folder.file);
    CharUpperA(DefaultIcons.folder.file);
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
    dialog.WriteFolderIcon(folder.c_str(), iconFile.c_str(), 1, L"texte");
    Take(folder, TargetKind::Folder);
    dialog.ShowTarget(Target.path, Target.displayName);
    SetWindowTextA(Control(IDC_INFOTIP), "tap\xe9");
    const HICON icon = ShownIcon();

    const std::string gone = temp / "Disparu";
    dialog.ShowTarget(gone.c_str(), "Disparu");
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
    lstrcpynA(Target.displayName, root.c_str(), sizeof Target.displayName);
    dialog.ShowTarget(Target.path, Target.displayName);
    EXPECT_EQ(Text(IDC_TARGET_NAME), root);
    EXPECT_EQ(Text(IDC_INFOTIP), "Disque syst\xe8me");
    EXPECT_STREQ(Target.path, root.c_str());
    EXPECT_FALSE(Enabled(IDC_APPLY));
}
