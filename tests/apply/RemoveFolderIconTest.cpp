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
    dialog.WriteFolderIcon(folder.c_str(), "C:\\a.ico", 3, "");
    ASSERT_TRUE(Attributes(folder) & FILE_ATTRIBUTE_SYSTEM);

    EXPECT_TRUE(dialog.RemoveFolderIcon(folder.c_str(), ""));
    EXPECT_EQ(ReadBytes(ini), "");
    EXPECT_EQ(Attributes(ini), static_cast<DWORD>(FILE_ATTRIBUTE_NORMAL));
    EXPECT_STREQ(PendingIniDeletion, ini.c_str());
    EXPECT_EQ(Attributes(folder), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));

    PumpMessages(BEFORE_TIMER_MS);
    EXPECT_TRUE(Exists(ini));
    PumpMessages(AFTER_TIMER_MS);
    EXPECT_FALSE(Exists(ini));
}

TEST_F(FolderTest, RemovalWithoutAnyFileSchedulesItsDeletionAllTheSame)
{
    ASSERT_TRUE(SetFileAttributesA(folder.c_str(), FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN));
    EXPECT_TRUE(dialog.RemoveFolderIcon(folder.c_str(), ""));
    EXPECT_FALSE(Exists(ini));
    EXPECT_STREQ(PendingIniDeletion, ini.c_str());
    EXPECT_EQ(Attributes(folder), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN));
    PumpMessages(AFTER_TIMER_MS);
    EXPECT_FALSE(Exists(ini));
}

TEST_F(FolderTest, RemovalKeepsTheInfoTipAndTheFile)
{
    dialog.WriteFolderIcon(folder.c_str(), "C:\\a.ico", 3, "ancien");
    EXPECT_FALSE(dialog.RemoveFolderIcon(folder.c_str(), "Mes photos"));
    EXPECT_EQ(ReadBytes(ini), "[.ShellClassInfo]\r\nInfoTip=Mes photos\r\n");
    EXPECT_EQ(Attributes(ini), static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(Attributes(folder), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_STREQ(PendingIniDeletion, "");
    PumpMessages(AFTER_TIMER_MS);
    EXPECT_TRUE(Exists(ini));
}

TEST_F(FolderTest, RemovalWithInfoTipFromAFolderWithoutFileCreatesItUnhidden)
{
    EXPECT_FALSE(dialog.RemoveFolderIcon(folder.c_str(), "Mes photos"));
    EXPECT_EQ(ReadBytes(ini), "[.ShellClassInfo]\r\nInfoTip=Mes photos\r\n");
    EXPECT_FALSE(Attributes(ini) & FILE_ATTRIBUTE_HIDDEN);
}

TEST_F(FolderTest, RemovalKeepsOtherKeysOfTheSection)
{
    WriteBytes(ini, "[.ShellClassInfo]\r\nIconResource=C:\\autre.dll,4\r\nIconFile=C:\\a.ico\r\nIconIndex=3\r\n"
                    "ConfirmFileOp=0\r\nInfoTip=ancien\r\n");
    EXPECT_FALSE(dialog.RemoveFolderIcon(folder.c_str(), ""));
    EXPECT_EQ(ReadBytes(ini), "[.ShellClassInfo]\r\nIconResource=C:\\autre.dll,4\r\n");
    EXPECT_STREQ(PendingIniDeletion, "");
}

TEST_F(FolderTest, RemovalDeletesTheSectionButKeepsOtherSections)
{
    WriteBytes(ini, std::string(OWN_KEYS_ONLY) + "[ViewState]\r\nMode=4\r\n");
    ASSERT_TRUE(SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_HIDDEN));
    EXPECT_FALSE(dialog.RemoveFolderIcon(folder.c_str(), ""));
    EXPECT_EQ(ProfileValue(ini, "ViewState", "Mode"), "4");
    EXPECT_EQ(ReadBytes(ini).find(".ShellClassInfo"), std::string::npos);
    EXPECT_EQ(Attributes(ini), static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));
    EXPECT_STREQ(PendingIniDeletion, "");
}

TEST_F(FolderTest, WriteBeforeTheTimerKeepsTheFileOfTheSameFolder)
{
    WriteBytes(ini, OWN_KEYS_ONLY);
    ASSERT_TRUE(dialog.RemoveFolderIcon(folder.c_str(), ""));
    dialog.WriteFolderIcon(folder.c_str(), "C:\\b.ico", 1, "");
    PumpMessages(AFTER_TIMER_MS);
    EXPECT_EQ(ProfileValue(ini, ".ShellClassInfo", "IconFile"), "C:\\b.ico");
}

TEST_F(FolderTest, WriteBeforeTheTimerLeavesAnotherFoldersEmptiedFile)
{
    const std::string other = temp / "Autre";
    ASSERT_TRUE(CreateDirectoryA(other.c_str(), nullptr));
    WriteBytes(ini, OWN_KEYS_ONLY);
    ASSERT_TRUE(dialog.RemoveFolderIcon(folder.c_str(), ""));
    dialog.WriteFolderIcon(other.c_str(), "C:\\b.ico", 1, "");
    PumpMessages(AFTER_TIMER_MS);
    EXPECT_TRUE(Exists(ini));
    EXPECT_EQ(ReadBytes(ini), "");
}
