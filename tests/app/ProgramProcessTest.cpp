// The built program, started as a user starts it.
#include "harness/Program.h"
#include "harness/TempFolder.h"
#include "harness/Windows.h"
#include "resource.h"
#include <gtest/gtest.h>

TEST(Program, StartsWithItsMainWindowAndEndsWhenCancelIsPressed)
{
    TempFolder folder;
    ProgramProcess program("\"" + folder.Path() + "\"");
    ASSERT_TRUE(program.Started());
    const HWND window = program.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(ClassName(window), "#32770");
    SendMessageA(GetDlgItem(window, IDCANCEL), BM_CLICK, 0, 0);
    EXPECT_TRUE(program.WaitForEnd());
    EXPECT_EQ(program.ExitCode(), 0u);
}

// The command line the system hands over is UTF-16: a folder named outside
// the code page must not become its look-alike, which is never written to.
TEST(Program, CommandLineOutsideTheCodePageNamesNoFolder)
{
    TempFolder temp;
    const std::wstring omega = std::wstring(temp.Path().begin(), temp.Path().end()) + L"\\\x03a9mega";
    const std::string lookAlike = temp / "Omega";
    ASSERT_TRUE(CreateDirectoryW(omega.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(lookAlike.c_str(), nullptr));

    ProgramProcess program(L"\"" + omega + L"\"");
    const HWND window = program.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(WindowText(GetDlgItem(window, IDC_TARGET_NAME)), "");
    SendMessageA(GetDlgItem(window, IDCANCEL), BM_CLICK, 0, 0);
    EXPECT_TRUE(program.WaitForEnd());
    EXPECT_EQ(GetFileAttributesA((lookAlike + "\\desktop.ini").c_str()), INVALID_FILE_ATTRIBUTES);
}

// A folder whose desktop.ini names an icon file that lies about itself can
// still be opened, to mend it.
TEST(Program, StartsOnAFolderWhoseIconFileIsMalformed)
{
    for (const char* malformed : MALFORMED_ICON_FILES) {
        SCOPED_TRACE(malformed);
        TempFolder temp;
        ASSERT_TRUE(WritePrivateProfileStringA(".ShellClassInfo", "IconFile", PathBesideTests(malformed).c_str(),
                                               (temp / "desktop.ini").c_str()));
        SetFileAttributesA(temp.Path().c_str(), FILE_ATTRIBUTE_SYSTEM);
        ProgramProcess program("\"" + temp.Path() + "\"");
        const HWND window = program.WaitForMainWindow();
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(program.ExitCode(), static_cast<DWORD>(STILL_ACTIVE));
        SendMessageA(GetDlgItem(window, IDCANCEL), BM_CLICK, 0, 0);
        EXPECT_TRUE(program.WaitForEnd());
        EXPECT_EQ(program.ExitCode(), 0u);
    }
}
