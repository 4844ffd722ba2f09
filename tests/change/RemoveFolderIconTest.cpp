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

// Whatever else the file holds stays, and with it the file and its
// attributes: the infotip given or left as it was, other keys of the
// section, other sections. A file made to hold an infotip is not hidden.
TEST_F(FolderIniTest, RemovalKeepsEverythingButTheIconKeys)
{
    struct Case {
        const char* before;   // null: no file
        const wchar_t* infoTip;
        const char* after;
        DWORD attributes;
    };
    const std::string owned = std::string(OWN_KEYS_ONLY) + "InfoTip=ancien\r\n";
    const std::string viewState = std::string(OWN_KEYS_ONLY) + "[ViewState]\r\nMode=4\r\n";
    const Case cases[] = {
        { owned.c_str(), L"Mes photos", "[.ShellClassInfo]\r\nInfoTip=Mes photos\r\n", FILE_ATTRIBUTE_HIDDEN },
        { nullptr, L"Mes photos", "[.ShellClassInfo]\r\nInfoTip=Mes photos\r\n", FILE_ATTRIBUTE_NORMAL },
        { "[.ShellClassInfo]\r\nIconResource=C:\\autre.dll,4\r\nIconFile=C:\\a.ico\r\nIconIndex=3\r\n"
          "LocalizedResourceName=@C:\\noms.dll,-5\r\nConfirmFileOp=0\r\nInfoTip=ancien\r\n",
          L"", "[.ShellClassInfo]\r\nLocalizedResourceName=@C:\\noms.dll,-5\r\n", FILE_ATTRIBUTE_HIDDEN },
        { viewState.c_str(), L"", "[ViewState]\r\nMode=4\r\n", FILE_ATTRIBUTE_HIDDEN },
        { "[.ShellClassInfo]\r\nIconFile=C:\\a.ico\r\nInfoTip=garder\r\n", nullptr,
          "[.ShellClassInfo]\r\nInfoTip=garder\r\n", FILE_ATTRIBUTE_HIDDEN },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.after);
        RemoveTree(ini);
        if (c.before) {
            WriteBytes(ini, c.before);
            ASSERT_TRUE(SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_HIDDEN));
        }
        EXPECT_EQ(Remove(folder, c.infoTip), Removal::Kept);
        EXPECT_EQ(ReadBytes(ini), c.after);
        EXPECT_EQ(Attributes(ini), c.attributes);
    }
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
