// Writing a folder's icon and infotip into its desktop.ini.
#include "Support.h"
#include <algorithm>

TEST_F(FolderTest, NewFileHoldsTheFourKeysInOrder)
{
    dialog.WriteFolderIcon(folder.c_str(), "C:\\Ic\xf4nes\\dossiers.dll", 12, L"Photos d'\xe9t\xe9");
    EXPECT_EQ(ReadBytes(ini), "[.ShellClassInfo]\r\n"
                              "IconFile=C:\\Ic\xf4nes\\dossiers.dll\r\n"
                              "IconIndex=12\r\n"
                              "ConfirmFileOp=0\r\n"
                              "InfoTip=Photos d'\xe9t\xe9\r\n");
}

// A file inside the folder is named from the folder, so that it moves with it.
TEST_F(FolderTest, IconFileInsideTheFolderIsNamedRelatively)
{
    struct Case {
        std::string file;
        std::string named;
    };
    std::string upper = folder;
    CharUpperA(&upper[0]);
    for (const Case& c : { Case{ folder + "\\ic\xf4nes\\a.ico", "ic\xf4nes\\a.ico" },
                           Case{ upper + "\\A.ICO", "A.ICO" },
                           Case{ folder + "2\\a.ico", folder + "2\\a.ico" },
                           Case{ "C:\\a.ico", "C:\\a.ico" } }) {
        dialog.WriteFolderIcon(folder.c_str(), c.file.c_str(), 1, L"");
        EXPECT_EQ(ProfileValue(ini, ".ShellClassInfo", "IconFile"), c.named);
    }
}

TEST_F(FolderTest, EmptyInfoTipWritesNoInfoTipKey)
{
    dialog.WriteFolderIcon(folder.c_str(), "C:\\a.ico", -2, L"");
    EXPECT_EQ(ReadBytes(ini), "[.ShellClassInfo]\r\n"
                              "IconFile=C:\\a.ico\r\n"
                              "IconIndex=-2\r\n"
                              "ConfirmFileOp=0\r\n");
}

TEST_F(FolderTest, RewriteUpdatesOwnKeysAndKeepsEverythingElse)
{
    WriteBytes(ini, "[.ShellClassInfo]\r\n"
                    "IconResource=C:\\autre.dll,4\r\n"
                    "IconFile=C:\\ancien.ico\r\n"
                    "IconIndex=1\r\n"
                    "InfoTip=ancien texte\r\n"
                    "[ViewState]\r\n"
                    "Mode=4\r\n");
    dialog.WriteFolderIcon(folder.c_str(), "C:\\nouveau.dll", 5, L"nouveau texte");
    EXPECT_EQ(ProfileValue(ini, ".ShellClassInfo", "IconFile"), "C:\\nouveau.dll");
    EXPECT_EQ(ProfileValue(ini, ".ShellClassInfo", "IconIndex"), "5");
    EXPECT_EQ(ProfileValue(ini, ".ShellClassInfo", "ConfirmFileOp"), "0");
    EXPECT_EQ(ProfileValue(ini, ".ShellClassInfo", "InfoTip"), "nouveau texte");
    // The shell takes IconResource over the other two: it names the same icon.
    EXPECT_EQ(ProfileValue(ini, ".ShellClassInfo", "IconResource"), "C:\\nouveau.dll,5");
    EXPECT_EQ(ProfileValue(ini, "ViewState", "Mode"), "4");

    dialog.WriteFolderIcon(folder.c_str(), "C:\\nouveau.dll", 6, L"");
    EXPECT_EQ(ReadBytes(ini).find("InfoTip"), std::string::npos);
    EXPECT_EQ(ProfileValue(ini, ".ShellClassInfo", "IconResource"), "C:\\nouveau.dll,6");
}

TEST_F(FolderTest, WriteHidesTheFileKeepingItsOtherAttributesAndMarksTheFolderSystem)
{
    ASSERT_TRUE(SetFileAttributesA(folder.c_str(), FILE_ATTRIBUTE_HIDDEN));
    WriteBytes(ini, "[.ShellClassInfo]\r\n");
    dialog.WriteFolderIcon(folder.c_str(), "C:\\a.ico", 0, L"");
    EXPECT_EQ(Attributes(ini), static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));

    ASSERT_TRUE(SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM));
    dialog.WriteFolderIcon(folder.c_str(), "C:\\a.ico", 1, L"");
    EXPECT_EQ(Attributes(ini), static_cast<DWORD>(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(Attributes(folder),
              static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
}

TEST_F(FolderTest, PathTooLongForItsFileIsRefusedBeforeAnyWrite)
{
    // Short enough to be a folder, too long once "\desktop.ini" is added.
    std::string deep = folder;
    while (deep.size() < PATH_BUFFER_SIZE - 12) {
        const size_t room = PATH_BUFFER_SIZE - 12 - deep.size();
        deep += "\\" + std::string(std::clamp<size_t>(room - 1, 1, 20), 'd');
        ASSERT_TRUE(CreateDirectoryA(deep.c_str(), nullptr)) << deep;
    }

    {
        MessageBoxAnswers boxes;
        dialog.WriteFolderIcon(deep.c_str(), "C:\\a.ico", 1, L"texte");
        dialog.RemoveFolderIcon(deep.c_str(), L"texte");
        ASSERT_EQ(boxes.shown.size(), 2u);
        for (const ShownBox& box : boxes.shown) {
            EXPECT_EQ(box.caption, "Ostravel");
            EXPECT_EQ(box.text, "Ce n'est pas un dossier pouvant \xeatre personnalis\xe9");
        }
    }
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((deep + "\\*.ini").c_str(), &found);
    EXPECT_EQ(search, INVALID_HANDLE_VALUE) << "written: " << found.cFileName;
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);
    EXPECT_EQ(Attributes(deep), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
}
