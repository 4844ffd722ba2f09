// The built program, started as a user starts it.
#include "harness/Program.h"
#include "harness/TempFolder.h"
#include "harness/Windows.h"
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
