// The deletion of a desktop.ini that a change left blank, which the dialog
// defers to its timer: a write that follows at once takes the file back.
#include "Support.h"
#include "apply/DesktopIni.h"
#include "change/FolderIni.h"

namespace {

// Well before and well after the deletion timer.
constexpr DWORD BEFORE_TIMER_MS = APPLY_TIMER_PERIOD_MS / 3;
constexpr DWORD AFTER_TIMER_MS = APPLY_TIMER_PERIOD_MS * 2;

} // namespace

TEST_F(FolderTest, BlankFileIsDeletedWhenTheTimerFires)
{
    WriteBytes(ini, "");
    dialog.ScheduleIniDeletion(Wide(ini).c_str());
    EXPECT_EQ(PendingIniDeletions, std::vector<std::wstring>{ Wide(ini) });
    PumpMessages(BEFORE_TIMER_MS);
    EXPECT_TRUE(Exists(ini));
    PumpMessages(AFTER_TIMER_MS);
    EXPECT_FALSE(Exists(ini));
}

// Every deletion due happens, in this folder or another, the dialog closed
// before the timer or not; a file written into since stays.
TEST_F(FolderTest, OnlyFilesStillBlankGoWhateverFollows)
{
    const std::string second = temp / "Deuxi\xe8me", third = temp / "Troisi\xe8me";
    for (const std::string& made : { second, third })
        ASSERT_TRUE(CreateDirectoryA(made.c_str(), nullptr));
    for (const bool closedEarly : { false, true }) {
        SCOPED_TRACE(closedEarly ? "closed before the timer" : "the timer fired");
        for (const std::string& target : { folder, second, third }) {
            WriteBytes(target + "\\desktop.ini", "");
            dialog.ScheduleIniDeletion(Wide(target + "\\desktop.ini").c_str());
        }
        ASSERT_EQ(WriteFolderIcon(Wide(third).c_str(), L"C:\\b.ico", 1, L""), 0u);
        if (closedEarly)
            DestroyWindow(dialog.m_hWnd);
        else
            PumpMessages(AFTER_TIMER_MS);
        EXPECT_FALSE(Exists(ini));
        EXPECT_FALSE(Exists(second + "\\desktop.ini"));
        EXPECT_EQ(ProfileValue(third + "\\desktop.ini", ".ShellClassInfo", "IconFile"), "C:\\b.ico");
    }
}
