// Taking a folder's icon away again, and the deferred deletion of a
// desktop.ini that is left without any section.
#include "Support.h"
#include "apply/DesktopIni.h"
#include "harness/Windows.h"

namespace {

const char OWN_KEYS_ONLY[] = "[.ShellClassInfo]\r\nIconFile=C:\\a.ico\r\nIconIndex=3\r\nConfirmFileOp=0\r\n";

// Well before and well after the deletion timer.
constexpr DWORD BEFORE_TIMER_MS = APPLY_TIMER_PERIOD_MS / 3;
constexpr DWORD AFTER_TIMER_MS = APPLY_TIMER_PERIOD_MS * 2;

} // namespace

TEST_F(FolderTest, RemovalThatEmptiesTheFileDeletesItAfterTheTimer)
{
    dialog.WriteFolderIcon(Wide(folder).c_str(), L"C:\\a.ico", 3, L"");
    ASSERT_TRUE(Attributes(folder) & FILE_ATTRIBUTE_SYSTEM);

    EXPECT_EQ(IniRemoval::Emptied, dialog.RemoveFolderIcon(Wide(folder).c_str(), L""));
    EXPECT_EQ(ReadBytes(ini), "");
    EXPECT_EQ(Attributes(ini), static_cast<DWORD>(FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(PendingIniDeletions, std::vector<std::wstring>{ Wide(ini) });
    EXPECT_EQ(Attributes(folder), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));

    PumpMessages(BEFORE_TIMER_MS);
    EXPECT_TRUE(Exists(ini));
    PumpMessages(AFTER_TIMER_MS);
    EXPECT_FALSE(Exists(ini));
}

// Closed before the timer fires, the dialog still deletes the emptied file,
// but not one that something has written into since.
TEST_F(FolderTest, DeletionStillDueWhenTheDialogClosesIsCarriedOut)
{
    const std::string other = temp / "Autre";
    ASSERT_TRUE(CreateDirectoryA(other.c_str(), nullptr));
    for (const std::string& target : { folder, other }) {
        dialog.WriteFolderIcon(Wide(target).c_str(), L"C:\\a.ico", 3, L"");
        ASSERT_EQ(IniRemoval::Emptied, dialog.RemoveFolderIcon(Wide(target).c_str(), L""));
    }
    WriteBytes(other + "\\desktop.ini", "[Autre]\r\nCl\xe9=\xe9t\xe9\r\n");
    DestroyWindow(dialog.m_hWnd);
    EXPECT_FALSE(Exists(ini));
    EXPECT_TRUE(Exists(other + "\\desktop.ini"));
}

TEST_F(FolderTest, RemovalWithoutAnyFileSchedulesItsDeletionAllTheSame)
{
    ASSERT_TRUE(SetFileAttributesA(folder.c_str(), FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(IniRemoval::Emptied, dialog.RemoveFolderIcon(Wide(folder).c_str(), L""));
    EXPECT_FALSE(Exists(ini));
    EXPECT_EQ(PendingIniDeletions, std::vector<std::wstring>{ Wide(ini) });
    EXPECT_EQ(Attributes(folder), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN));
    PumpMessages(AFTER_TIMER_MS);
    EXPECT_FALSE(Exists(ini));
}

TEST_F(FolderTest, RemovalKeepsTheInfoTipAndTheFile)
{
    dialog.WriteFolderIcon(Wide(folder).c_str(), L"C:\\a.ico", 3, L"ancien");
    EXPECT_EQ(IniRemoval::Kept, dialog.RemoveFolderIcon(Wide(folder).c_str(), L"Mes photos"));
    EXPECT_EQ(ReadBytes(ini), "[.ShellClassInfo]\r\nInfoTip=Mes photos\r\n");
    EXPECT_EQ(Attributes(ini), static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));
    // The shell reads the infotip left only from a System folder.
    EXPECT_EQ(Attributes(folder), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_SYSTEM));
    EXPECT_TRUE(PendingIniDeletions.empty());
    PumpMessages(AFTER_TIMER_MS);
    EXPECT_TRUE(Exists(ini));
}

TEST_F(FolderTest, RemovalWithInfoTipFromAFolderWithoutFileCreatesItUnhidden)
{
    EXPECT_EQ(IniRemoval::Kept, dialog.RemoveFolderIcon(Wide(folder).c_str(), L"Mes photos"));
    EXPECT_EQ(ReadBytes(ini), "[.ShellClassInfo]\r\nInfoTip=Mes photos\r\n");
    EXPECT_FALSE(Attributes(ini) & FILE_ATTRIBUTE_HIDDEN);
}

TEST_F(FolderTest, RemovalKeepsOtherKeysOfTheSection)
{
    WriteBytes(ini, "[.ShellClassInfo]\r\nIconResource=C:\\autre.dll,4\r\nIconFile=C:\\a.ico\r\nIconIndex=3\r\n"
                    "LocalizedResourceName=@C:\\noms.dll,-5\r\nConfirmFileOp=0\r\nInfoTip=ancien\r\n");
    EXPECT_EQ(IniRemoval::Kept, dialog.RemoveFolderIcon(Wide(folder).c_str(), L""));
    EXPECT_EQ(ReadBytes(ini), "[.ShellClassInfo]\r\nLocalizedResourceName=@C:\\noms.dll,-5\r\n");
    EXPECT_TRUE(PendingIniDeletions.empty());
}

TEST_F(FolderTest, RemovalDeletesTheSectionButKeepsOtherSections)
{
    WriteBytes(ini, std::string(OWN_KEYS_ONLY) + "[ViewState]\r\nMode=4\r\n");
    ASSERT_TRUE(SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(IniRemoval::Kept, dialog.RemoveFolderIcon(Wide(folder).c_str(), L""));
    EXPECT_EQ(ProfileValue(ini, "ViewState", "Mode"), "4");
    EXPECT_EQ(ReadBytes(ini).find(".ShellClassInfo"), std::string::npos);
    EXPECT_EQ(Attributes(ini), static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));
    EXPECT_TRUE(PendingIniDeletions.empty());
}

TEST_F(FolderTest, WriteBeforeTheTimerKeepsTheFileOfTheSameFolder)
{
    WriteBytes(ini, OWN_KEYS_ONLY);
    ASSERT_EQ(IniRemoval::Emptied, dialog.RemoveFolderIcon(Wide(folder).c_str(), L""));
    dialog.WriteFolderIcon(Wide(folder).c_str(), L"C:\\b.ico", 1, L"");
    PumpMessages(AFTER_TIMER_MS);
    EXPECT_EQ(ProfileValue(ini, ".ShellClassInfo", "IconFile"), "C:\\b.ico");
}

// No deletion is given up for another folder's: neither a write there nor a
// second removal.
TEST_F(FolderTest, EveryPendingDeletionHappensWhateverFollowsInOtherFolders)
{
    const std::string second = temp / "Deuxi\xe8me";
    const std::string third = temp / "Troisi\xe8me";
    ASSERT_TRUE(CreateDirectoryA(second.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(third.c_str(), nullptr));
    WriteBytes(ini, OWN_KEYS_ONLY);
    WriteBytes(second + "\\desktop.ini", OWN_KEYS_ONLY);
    ASSERT_EQ(IniRemoval::Emptied, dialog.RemoveFolderIcon(Wide(folder).c_str(), L""));
    ASSERT_EQ(IniRemoval::Emptied, dialog.RemoveFolderIcon(Wide(second).c_str(), L""));
    ASSERT_TRUE(dialog.WriteFolderIcon(Wide(third).c_str(), L"C:\\b.ico", 1, L""));
    PumpMessages(AFTER_TIMER_MS);
    EXPECT_FALSE(Exists(ini));
    EXPECT_FALSE(Exists(second + "\\desktop.ini"));
    EXPECT_EQ(ProfileValue(third + "\\desktop.ini", ".ShellClassInfo", "IconFile"), "C:\\b.ico");
}

// The shell reads LocalizedResourceName and other sections only from a
// System folder: the folder keeps it while its desktop.ini has anything left.
TEST_F(FolderTest, RemovalKeepsSystemWhileTheFileKeepsAnything)
{
    const char* const leftovers[] = {
        "[.ShellClassInfo]\r\nLocalizedResourceName=@shell32.dll,-21770\r\nIconFile=C:\\a.ico\r\n",
        "[.ShellClassInfo]\r\nIconFile=C:\\a.ico\r\n[ViewState]\r\nMode=4\r\n",
    };
    for (const char* before : leftovers) {
        WriteBytes(ini, before);
        ASSERT_TRUE(SetFileAttributesA(folder.c_str(), FILE_ATTRIBUTE_SYSTEM));
        EXPECT_EQ(IniRemoval::Kept, dialog.RemoveFolderIcon(Wide(folder).c_str(), L""));
        EXPECT_TRUE(Attributes(folder) & FILE_ATTRIBUTE_SYSTEM) << before;
    }
}

// A removal with the infotip left as it was does not touch it.
TEST_F(FolderTest, RemovalWithTheInfoTipUnchangedKeepsIt)
{
    WriteBytes(ini, "[.ShellClassInfo]\r\nIconFile=C:\\a.ico\r\nInfoTip=garder\r\n");
    EXPECT_EQ(IniRemoval::Kept, dialog.RemoveFolderIcon(Wide(folder).c_str(), nullptr));
    EXPECT_EQ(ReadBytes(ini), "[.ShellClassInfo]\r\nInfoTip=garder\r\n");
}
