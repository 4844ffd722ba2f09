// Taking a folder's icon away again: the keys and the section go, whatever
// else the file holds stays, and a file left blank is said to be so.
#include "Support.h"

namespace {

const char OWN_KEYS_ONLY[] = "[.ShellClassInfo]\r\nIconFile=C:\\a.ico\r\nIconIndex=3\r\nConfirmFileOp=0\r\n";

} // namespace

TEST_F(FolderIniTest, RemovalThatEmptiesTheFileLeavesItBlankAndNormal)
{
    ASSERT_EQ(WriteFolderIcon(Wide(folder).c_str(), L"C:\\a.ico", 3, L""), 0u);
    ASSERT_TRUE(Attributes(folder) & FILE_ATTRIBUTE_SYSTEM);

    EXPECT_EQ(Remove(folder, L""), Removal::Emptied);
    EXPECT_EQ(ReadBytes(ini), "");
    EXPECT_EQ(Attributes(ini), static_cast<DWORD>(FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(Attributes(folder), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
}

TEST_F(FolderIniTest, RemovalWithoutAnyFileEmptiesItAllTheSameAndMakesNone)
{
    ASSERT_TRUE(SetFileAttributesA(folder.c_str(), FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(Remove(folder, L""), Removal::Emptied);
    EXPECT_FALSE(Exists(ini));
    EXPECT_EQ(Attributes(folder), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN));
}

TEST_F(FolderIniTest, RemovalKeepsTheInfoTipAndTheFile)
{
    ASSERT_EQ(WriteFolderIcon(Wide(folder).c_str(), L"C:\\a.ico", 3, L"ancien"), 0u);
    EXPECT_EQ(Remove(folder, L"Mes photos"), Removal::Kept);
    EXPECT_EQ(ReadBytes(ini), "[.ShellClassInfo]\r\nInfoTip=Mes photos\r\n");
    EXPECT_EQ(Attributes(ini), static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));
    // The shell reads the infotip left only from a System folder.
    EXPECT_EQ(Attributes(folder), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_SYSTEM));
}

TEST_F(FolderIniTest, RemovalWithInfoTipFromAFolderWithoutFileCreatesItUnhidden)
{
    EXPECT_EQ(Remove(folder, L"Mes photos"), Removal::Kept);
    EXPECT_EQ(ReadBytes(ini), "[.ShellClassInfo]\r\nInfoTip=Mes photos\r\n");
    EXPECT_FALSE(Attributes(ini) & FILE_ATTRIBUTE_HIDDEN);
}

TEST_F(FolderIniTest, RemovalKeepsOtherKeysOfTheSection)
{
    WriteBytes(ini, "[.ShellClassInfo]\r\nIconResource=C:\\autre.dll,4\r\nIconFile=C:\\a.ico\r\nIconIndex=3\r\n"
                    "LocalizedResourceName=@C:\\noms.dll,-5\r\nConfirmFileOp=0\r\nInfoTip=ancien\r\n");
    EXPECT_EQ(Remove(folder, L""), Removal::Kept);
    EXPECT_EQ(ReadBytes(ini), "[.ShellClassInfo]\r\nLocalizedResourceName=@C:\\noms.dll,-5\r\n");
}

TEST_F(FolderIniTest, RemovalDeletesTheSectionButKeepsOtherSections)
{
    WriteBytes(ini, std::string(OWN_KEYS_ONLY) + "[ViewState]\r\nMode=4\r\n");
    ASSERT_TRUE(SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(Remove(folder, L""), Removal::Kept);
    EXPECT_EQ(ProfileValue(ini, "ViewState", "Mode"), "4");
    EXPECT_EQ(ReadBytes(ini).find(".ShellClassInfo"), std::string::npos);
    EXPECT_EQ(Attributes(ini), static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));
}

// The shell reads LocalizedResourceName and other sections only from a
// System folder: the folder keeps it while its desktop.ini has anything left.
TEST_F(FolderIniTest, RemovalKeepsSystemWhileTheFileKeepsAnything)
{
    const char* const leftovers[] = {
        "[.ShellClassInfo]\r\nLocalizedResourceName=@shell32.dll,-21770\r\nIconFile=C:\\a.ico\r\n",
        "[.ShellClassInfo]\r\nIconFile=C:\\a.ico\r\n[ViewState]\r\nMode=4\r\n",
    };
    for (const char* before : leftovers) {
        WriteBytes(ini, before);
        ASSERT_TRUE(SetFileAttributesA(folder.c_str(), FILE_ATTRIBUTE_SYSTEM));
        EXPECT_EQ(Remove(folder, L""), Removal::Kept);
        EXPECT_TRUE(Attributes(folder) & FILE_ATTRIBUTE_SYSTEM) << before;
    }
}

// A removal with the infotip left as it was does not touch it.
TEST_F(FolderIniTest, RemovalWithTheInfoTipUnchangedKeepsIt)
{
    WriteBytes(ini, "[.ShellClassInfo]\r\nIconFile=C:\\a.ico\r\nInfoTip=garder\r\n");
    EXPECT_EQ(Remove(folder, nullptr), Removal::Kept);
    EXPECT_EQ(ReadBytes(ini), "[.ShellClassInfo]\r\nInfoTip=garder\r\n");
}
