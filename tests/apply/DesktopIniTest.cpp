// Where a target's desktop.ini lives, and the infotip read back from it.
#include "Support.h"
#include "apply/DesktopIni.h"
#include "change/FolderIni.h"
#include <cwchar>

TEST(DesktopIniPath, JoinsFolderAndFileNameWithOneBackslash)
{
    wchar_t file[PATH_BUFFER_SIZE];
    ASSERT_TRUE(DesktopIniPath(L"C:\\Photos\\\xc9t\xe9", file));
    EXPECT_STREQ(file, L"C:\\Photos\\\xc9t\xe9\\desktop.ini");
    ASSERT_TRUE(DesktopIniPath(L"C:\\Photos\\", file));
    EXPECT_STREQ(file, L"C:\\Photos\\desktop.ini");
    ASSERT_TRUE(DesktopIniPath(L"D:\\", file));
    EXPECT_STREQ(file, L"D:\\desktop.ini");
}

TEST(DesktopIniPath, RefusesAFileThatWouldNotFitInAPathBuffer)
{
    // "\desktop.ini" adds 12 characters; 259 and a terminating zero fit.
    wchar_t file[PATH_BUFFER_SIZE];
    const std::string fits = "C:\\" + std::string(PATH_BUFFER_SIZE - 1 - 12 - 3, 'a');
    ASSERT_TRUE(DesktopIniPath(Wide(fits).c_str(), file));
    EXPECT_EQ(std::wcslen(file), PATH_BUFFER_SIZE - 1u);

    const std::string tooLong = fits + "a";
    EXPECT_FALSE(DesktopIniPath(Wide(tooLong).c_str(), file));
    EXPECT_STREQ(file, L"");
}

TEST_F(FolderTest, InfoTipIsReadFromTheSectionOrEmptyWhenMissing)
{
    EXPECT_EQ(ReadInfoTip(Wide(folder).c_str()), L"");

    WriteBytes(ini, "[Autre]\r\nInfoTip=pas ici\r\n[.ShellClassInfo]\r\nIconIndex=2\r\n");
    EXPECT_EQ(ReadInfoTip(Wide(folder).c_str()), L"");

    WriteBytes(ini, "[.ShellClassInfo]\r\nInfoTip=Photos d'\xe9t\xe9\r\n");
    EXPECT_EQ(ReadInfoTip(Wide(folder + "\\").c_str()), L"Photos d'\xe9t\xe9");
}

// Whatever its length, and in a file the shell wrote in UTF-16 with
// characters the code page lacks, the infotip is read as it stands.
TEST_F(FolderTest, InfoTipIsReadWholeInAnyEncoding)
{
    const std::wstring longText(1500, L'i');
    ASSERT_EQ(WriteFolderIcon(Wide(folder).c_str(), L"C:\\icones.dll", 0, longText.c_str()), 0u);
    EXPECT_EQ(ReadInfoTip(Wide(folder).c_str()), longText);

    const std::wstring greek = L"\x03a9\x03bc\x03ad\x03b3\x03b1 \x65e5\x672c \xd83d\xde00";
    const std::wstring content = L"\xfeff[.ShellClassInfo]\r\nInfoTip=" + greek + L"\r\n";
    WriteBytes(ini, std::string(reinterpret_cast<const char*>(content.data()), content.size() * sizeof(wchar_t)));
    EXPECT_EQ(ReadInfoTip(Wide(folder).c_str()), greek);
}

TEST_F(FolderTest, CustomIconIsTheFileAndIndexTheIniNames)
{
    IconLocation icon = { L"inchang\xe9", 7 };
    EXPECT_FALSE(ReadCustomIcon(Wide(folder).c_str(), icon));

    WriteBytes(ini, "[.ShellClassInfo]\r\nInfoTip=rien d'autre\r\n");
    EXPECT_FALSE(ReadCustomIcon(Wide(folder).c_str(), icon));
    EXPECT_STREQ(icon.file, L"inchang\xe9");

    WriteBytes(ini, "[.ShellClassInfo]\r\nIconFile=C:\\Ic\xf4nes\\a.dll\r\nIconIndex=2\r\n");
    ASSERT_TRUE(ReadCustomIcon(Wide(folder).c_str(), icon));
    EXPECT_STREQ(icon.file, L"C:\\Ic\xf4nes\\a.dll");
    EXPECT_EQ(icon.index, 2);

    // A resource id that the file does not hold names no position.
    WriteBytes(ini, "[.ShellClassInfo]\r\nIconFile=C:\\Ic\xf4nes\\a.dll\r\nIconIndex=-3\r\n");
    ASSERT_TRUE(ReadCustomIcon(Wide(folder).c_str(), icon));
    EXPECT_EQ(icon.index, -1);

    WriteBytes(ini, "[.ShellClassInfo]\r\nIconFile=C:\\a.ico\r\n");
    ASSERT_TRUE(ReadCustomIcon(Wide(folder).c_str(), icon));
    EXPECT_EQ(icon.index, 0);

    // Cut to a path buffer, it would name another file.
    WriteBytes(ini, "[.ShellClassInfo]\r\nIconFile=C:\\" + std::string(PATH_BUFFER_SIZE, 'a') + "\r\n");
    EXPECT_FALSE(ReadCustomIcon(Wide(folder).c_str(), icon));
    EXPECT_STREQ(icon.file, L"C:\\a.ico");
}
