// Choosing an icon file, and the Default button that chooses the system's.
#include "Support.h"
#include "change/FolderIni.h"

namespace {

std::pair<int, int> ComboSelection(HWND combo)
{
    DWORD start = 0;
    DWORD end = 0;
    SendMessageA(combo, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return { static_cast<int>(start), static_cast<int>(end) };
}

} // namespace

TEST_F(TargetTest, ChosenFileFillsGridAndComboAndEnablesApplyAndDefault)
{
    ASSERT_TRUE(dialog.ChooseIcon(Wide(iconFile).c_str(), 2));
    EXPECT_EQ(Narrow(dialog.IconGrid().m_currentFile), iconFile);
    EXPECT_EQ(Selection(), 2);
    EXPECT_EQ(Text(IDC_ICON_FILE), iconFile);
    const int length = static_cast<int>(iconFile.size());
    EXPECT_EQ(ComboSelection(Control(IDC_ICON_FILE)), std::make_pair(length, length));
    EXPECT_TRUE(Enabled(IDC_APPLY));
    EXPECT_TRUE(Enabled(IDC_DEFAULT_ICON));

    ASSERT_TRUE(dialog.ChooseIcon(Wide(iconFile).c_str(), 0));
    EXPECT_EQ(Selection(), 0);
}

TEST_F(TargetTest, FileWithoutIconsChangesNothing)
{
    ASSERT_TRUE(dialog.ChooseIcon(Wide(iconFile).c_str(), 1));
    EnableWindow(Control(IDC_APPLY), FALSE);
    EnableWindow(Control(IDC_DEFAULT_ICON), FALSE);
    const std::string text = temp / "texte.txt";
    ASSERT_TRUE(WritePrivateProfileStringA("pas", "une", "ic\xf4ne", text.c_str()));

    EXPECT_FALSE(dialog.ChooseIcon(Wide(text).c_str(), 0));
    EXPECT_EQ(Narrow(dialog.IconGrid().m_currentFile), iconFile);
    EXPECT_EQ(Selection(), 1);
    EXPECT_EQ(Text(IDC_ICON_FILE), iconFile);
    EXPECT_FALSE(Enabled(IDC_APPLY));
    EXPECT_FALSE(Enabled(IDC_DEFAULT_ICON));
}

TEST_F(TargetTest, DefaultButtonChoosesTheIconTheRegistryNamesNow)
{
    ASSERT_TRUE(SetEnvironmentVariableA("BRISEVENT_ICONES", temp.Path().c_str()));
    ScopedDefaultIcon folderIcon("Directory", "%BRISEVENT_ICONES%\\trois.dll,1");
    WriteFolderIcon(Wide(folder).c_str(), Wide(iconFile).c_str(), 2, L"");
    Take(folder, TargetKind::Folder);
    dialog.ShowTarget(Target.path, Target.displayName);
    ASSERT_TRUE(Enabled(IDC_DEFAULT_ICON));
    ASSERT_FALSE(Enabled(IDC_APPLY));

    SendMessageA(Control(IDC_DEFAULT_ICON), BM_CLICK, 0, 0);
    EXPECT_EQ(lstrcmpiW(dialog.IconGrid().m_currentFile, Wide(iconFile).c_str()), 0);
    EXPECT_EQ(Selection(), 1);
    EXPECT_EQ(lstrcmpiA(Text(IDC_ICON_FILE).c_str(), iconFile.c_str()), 0);
    EXPECT_TRUE(Enabled(IDC_APPLY));
    EXPECT_FALSE(Enabled(IDC_DEFAULT_ICON));
    SetEnvironmentVariableA("BRISEVENT_ICONES", nullptr);
}

TEST_F(TargetTest, DefaultButtonOfADriveReadsTheDrivesEntry)
{
    ScopedDefaultIcon folderIcon("Directory", iconFile + ",1");
    ScopedDefaultIcon driveIcon("Drive", iconFile + ",2");
    Take(folder, TargetKind::Drive);
    dialog.RestoreDefaultIcon();
    EXPECT_EQ(Selection(), 2);
}

TEST_F(TargetTest, DefaultButtonWithoutRegistryKeyChoosesTheStockIconAndWithoutValueNothing)
{
    ScopedRegistryKey noFolder(HKEY_CLASSES_ROOT, "Directory\\DefaultIcon");
    ASSERT_TRUE(dialog.ChooseIcon(Wide(iconFile).c_str(), 2));
    EnableWindow(Control(IDC_APPLY), FALSE);
    Take(folder, TargetKind::Folder);
    {
        ScopedDefaultIcon unreadable("Directory", "");
        HKEY key;
        ASSERT_EQ(RegOpenKeyA(HKEY_CLASSES_ROOT, "Directory\\DefaultIcon", &key), ERROR_SUCCESS);
        RegDeleteValueA(key, nullptr);
        RegCloseKey(key);
        dialog.RestoreDefaultIcon();
        EXPECT_EQ(Selection(), 2);
        EXPECT_FALSE(Enabled(IDC_APPLY));
        EXPECT_TRUE(Enabled(IDC_DEFAULT_ICON));
    }

    dialog.RestoreDefaultIcon();
    EXPECT_EQ(lstrcmpiW(dialog.IconGrid().m_currentFile, DefaultIcons.folder.file), 0);
    EXPECT_EQ(Selection(), DefaultIcons.folder.index);
    EXPECT_TRUE(Enabled(IDC_APPLY));
    EXPECT_FALSE(Enabled(IDC_DEFAULT_ICON));
}
