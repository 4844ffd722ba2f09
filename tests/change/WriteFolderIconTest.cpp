// Writing a folder's icon and infotip into its desktop.ini.
#include "Support.h"
#include "apply/DesktopIni.h"
#include <algorithm>

TEST_F(FolderIniTest, NewFileHoldsTheFourKeysInOrder)
{
    WriteFolderIcon(Wide(folder).c_str(), L"C:\\Ic\xf4nes\\dossiers.dll", 12, L"Photos d'\xe9t\xe9");
    EXPECT_EQ(ReadBytes(ini), "[.ShellClassInfo]\r\n"
                              "IconFile=C:\\Ic\xf4nes\\dossiers.dll\r\n"
                              "IconIndex=12\r\n"
                              "ConfirmFileOp=0\r\n"
                              "InfoTip=Photos d'\xe9t\xe9\r\n");
}

// A file in the code page stays so, byte for byte, while every value fits
// it; a value outside it makes the file UTF-16 LE with its mark, every other
// line kept with its accents. A new file is made in the encoding its values
// need.
TEST_F(FolderIniTest, FileTurnsUtf16OnlyForAValueOutsideTheCodePage)
{
    const std::string other = "[Autre]\r\nCl\xe9=\xe9t\xe9\r\n";
    const std::wstring greek = L"\x0391\x03b8\x03ae\x03bd\x03b1";
    struct Case {
        const std::string* existing;
        std::wstring iconFile;
        std::wstring infoTip;
        bool utf16;
    };
    for (const Case& c : { Case{ &other, L"C:\\a.ico", L"\xe9t\xe9", false }, Case{ &other, L"C:\\a.ico", greek, true },
                           Case{ &other, L"C:\\\x03a9.ico", L"", true }, Case{ nullptr, L"C:\\a.ico", L"", false },
                           Case{ nullptr, L"C:\\a.ico", greek, true } }) {
        SCOPED_TRACE(Narrow(c.iconFile + L" " + c.infoTip));
        RemoveTree(ini);
        if (c.existing) {
            WriteBytes(ini, *c.existing);
            SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
        }
        ASSERT_EQ(WriteFolderIcon(Wide(folder).c_str(), c.iconFile.c_str(), 5, c.infoTip.c_str()), 0u);
        const std::string bytes = ReadBytes(ini);
        EXPECT_EQ(bytes.compare(0, 2, "\xff\xfe") == 0, c.utf16);
        EXPECT_EQ(Attributes(ini), c.existing ? FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM : FILE_ATTRIBUTE_HIDDEN);
        if (!c.utf16) {
            EXPECT_EQ(bytes, (c.existing ? *c.existing : "") + "[.ShellClassInfo]\r\nIconFile=C:\\a.ico\r\nIconIndex=5\r\n"
                             "ConfirmFileOp=0\r\n" + (c.infoTip.empty() ? "" : "InfoTip=" + Narrow(c.infoTip) + "\r\n"));
        }
        wchar_t value[64] = L"";
        GetPrivateProfileStringW(L".ShellClassInfo", L"IconFile", L"", value, ARRAYSIZE(value), Wide(ini).c_str());
        EXPECT_EQ(value, c.iconFile);
        EXPECT_EQ(ReadInfoTip(Wide(folder).c_str()), c.infoTip);
        GetPrivateProfileStringW(L"Autre", L"Cl\xe9", L"", value, ARRAYSIZE(value), Wide(ini).c_str());
        EXPECT_EQ(value, std::wstring(c.existing ? L"\xe9t\xe9" : L""));
    }
}

// A file inside the folder is named from the folder, so that it moves with it.
TEST_F(FolderIniTest, IconFileInsideTheFolderIsNamedRelatively)
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
        WriteFolderIcon(Wide(folder).c_str(), Wide(c.file).c_str(), 1, L"");
        EXPECT_EQ(ProfileValue(ini, ".ShellClassInfo", "IconFile"), c.named);
    }
}

TEST_F(FolderIniTest, EmptyInfoTipWritesNoInfoTipKey)
{
    WriteFolderIcon(Wide(folder).c_str(), L"C:\\a.ico", -2, L"");
    EXPECT_EQ(ReadBytes(ini), "[.ShellClassInfo]\r\n"
                              "IconFile=C:\\a.ico\r\n"
                              "IconIndex=-2\r\n"
                              "ConfirmFileOp=0\r\n");
}

TEST_F(FolderIniTest, RewriteUpdatesOwnKeysAndKeepsEverythingElse)
{
    WriteBytes(ini, "[.ShellClassInfo]\r\n"
                    "IconResource=C:\\autre.dll,4\r\n"
                    "IconFile=C:\\ancien.ico\r\n"
                    "IconIndex=1\r\n"
                    "InfoTip=ancien texte\r\n"
                    "[ViewState]\r\n"
                    "Mode=4\r\n");
    WriteFolderIcon(Wide(folder).c_str(), L"C:\\nouveau.dll", 5, L"nouveau texte");
    EXPECT_EQ(ProfileValue(ini, ".ShellClassInfo", "IconFile"), "C:\\nouveau.dll");
    EXPECT_EQ(ProfileValue(ini, ".ShellClassInfo", "IconIndex"), "5");
    EXPECT_EQ(ProfileValue(ini, ".ShellClassInfo", "ConfirmFileOp"), "0");
    EXPECT_EQ(ProfileValue(ini, ".ShellClassInfo", "InfoTip"), "nouveau texte");
    // The shell takes IconResource over the other two: it names the same icon.
    EXPECT_EQ(ProfileValue(ini, ".ShellClassInfo", "IconResource"), "C:\\nouveau.dll,5");
    EXPECT_EQ(ProfileValue(ini, "ViewState", "Mode"), "4");

    WriteFolderIcon(Wide(folder).c_str(), L"C:\\nouveau.dll", 6, L"");
    EXPECT_EQ(ReadBytes(ini).find("InfoTip"), std::string::npos);
    EXPECT_EQ(ProfileValue(ini, ".ShellClassInfo", "IconResource"), "C:\\nouveau.dll,6");
}

TEST_F(FolderIniTest, WriteHidesTheFileKeepingItsOtherAttributesAndMarksTheFolderSystem)
{
    ASSERT_TRUE(SetFileAttributesA(folder.c_str(), FILE_ATTRIBUTE_HIDDEN));
    WriteBytes(ini, "[.ShellClassInfo]\r\n");
    WriteFolderIcon(Wide(folder).c_str(), L"C:\\a.ico", 0, L"");
    EXPECT_EQ(Attributes(ini), static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));

    ASSERT_TRUE(SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM));
    WriteFolderIcon(Wide(folder).c_str(), L"C:\\a.ico", 1, L"");
    EXPECT_EQ(Attributes(ini), static_cast<DWORD>(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(Attributes(folder),
              static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
}

TEST_F(FolderIniTest, PathTooLongForItsFileIsRefusedBeforeAnyWrite)
{
    // Short enough to be a folder, too long once "\desktop.ini" is added.
    std::string deep = folder;
    while (deep.size() < PATH_BUFFER_SIZE - 12) {
        const size_t room = PATH_BUFFER_SIZE - 12 - deep.size();
        deep += "\\" + std::string(std::clamp<size_t>(room - 1, 1, 20), 'd');
        ASSERT_TRUE(CreateDirectoryA(deep.c_str(), nullptr)) << deep;
    }

    EXPECT_EQ(WriteFolderIcon(Wide(deep).c_str(), L"C:\\a.ico", 1, L"texte"), static_cast<DWORD>(ERROR_FILENAME_EXCED_RANGE));
    EXPECT_EQ(Remove(deep, L"texte"), Removal::Failed);
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((deep + "\\*.ini").c_str(), &found);
    EXPECT_EQ(search, INVALID_HANDLE_VALUE) << "written: " << found.cFileName;
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);
    EXPECT_EQ(Attributes(deep), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
}

namespace {

std::string Utf16(const std::wstring& text, bool bigEndian)
{
    std::string bytes;
    for (const wchar_t c : text) {
        const char high = static_cast<char>(c >> 8), low = static_cast<char>(c);
        bytes += bigEndian ? std::string{ high, low } : std::string{ low, high };
    }
    return bytes;
}

} // namespace

// Whatever encoding the user's file has, read from its mark, a value outside
// the code page turns it into UTF-16 LE, which the shell reads, every line,
// comment, line end and character kept, the keys set where they stand. A
// file that does not decode is left as it was, and the write fails.
TEST_F(FolderIniTest, FileInAnyEncodingKeepsEveryLineAndCharacter)
{
    const std::wstring before = L"; r\xe9glages\r\n[.ShellClassInfo]\r\nIconFile = C:\\a.ico\r\n\r\n[Autre]\nCl\xe9=\x03a9 \xe9t\xe9";
    const std::wstring after = L"; r\xe9glages\r\n[.ShellClassInfo]\r\nIconFile=C:\\b.ico\r\nIconIndex=1\r\n"
                               L"ConfirmFileOp=0\r\nInfoTip=\x03a9\r\n\r\n[Autre]\nCl\xe9=\x03a9 \xe9t\xe9";
    const std::string undecodable = "\xef\xbb\xbf[.ShellClassInfo]\r\nInfoTip=\xc3(\r\n";
    for (const std::string& file : { "\xef\xbb\xbf" + Utf8(before), "\xfe\xff" + Utf16(before, true),
                                     "\xff\xfe" + Utf16(before, false), undecodable }) {
        WriteBytes(ini, file);
        const bool written = file != undecodable;
        EXPECT_EQ(WriteFolderIcon(Wide(folder).c_str(), L"C:\\b.ico", 1, L"\x03a9"),
                  written ? ERROR_SUCCESS : static_cast<DWORD>(ERROR_NO_UNICODE_TRANSLATION));
        EXPECT_EQ(ReadBytes(ini), written ? "\xff\xfe" + Utf16(after, false) : undecodable);
    }
}

// A line break in the infotip would start keys and sections of its own.
TEST_F(FolderIniTest, LineBreakInTheInfoTipBecomesABlank)
{
    ASSERT_EQ(WriteFolderIcon(Wide(folder).c_str(), L"C:\\a.ico", 0, L"ligne1\r\nIconFile=evil.dll\n[x]\rfin"), 0u);
    EXPECT_EQ(ReadBytes(ini), "[.ShellClassInfo]\r\nIconFile=C:\\a.ico\r\nIconIndex=0\r\nConfirmFileOp=0\r\n"
                              "InfoTip=ligne1 IconFile=evil.dll [x] fin\r\n");
}

// The file is written whole beside itself and put in place: a working file
// that an ended process left goes, one that a running writer may still be
// writing stays, and so does a file of the user's of any other name.
TEST_F(FolderIniTest, WriteCleansUpItsOwnLeftOversOnly)
{
    const std::string users = ini + ".new";
    const std::string leftOver = ini + ".~brisevent-4294967292-1.tmp";
    const std::string running = ini + ".~brisevent-" + std::to_string(GetCurrentProcessId()) + "-1.tmp";
    for (const std::string& file : { users, leftOver, running })
        WriteBytes(file, "[.ShellClassInfo]\r\nIconFile=C:\\moiti");
    ASSERT_EQ(WriteFolderIcon(Wide(folder).c_str(), L"C:\\a.ico", 0, L""), 0u);
    EXPECT_EQ(ProfileValue(ini, ".ShellClassInfo", "IconFile"), "C:\\a.ico");
    EXPECT_TRUE(Exists(users));
    EXPECT_FALSE(Exists(leftOver));
    EXPECT_TRUE(Exists(running));
}
