// A user's whole errand, with the built program as its own process: a folder
// on the command line, an icon file from the recent list, a click on an icon,
// an infotip typed, OK.
#include "harness/Program.h"
#include "harness/RegistryKey.h"
#include "harness/TempFolder.h"
#include "harness/Windows.h"
#include "icons/RecentIconFiles.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <fstream>
#include <sstream>

namespace {

const char RECENT_KEY[] = "Software\\KORBINEX\\Brisevent";

std::string FileBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

std::vector<BYTE> RecentValue(const char* name)
{
    return ReadRegistryData(HKEY_CURRENT_USER, RECENT_KEY, name).data;
}

} // namespace

TEST(EndToEnd, FolderGetsTheClickedIconAndTheTypedInfotip)
{
    TempFolder temp;
    const std::string folder = temp / "Photos";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    const std::string iconFile = temp / "trois.dll";
    ASSERT_TRUE(CopyFileA(PathBesideTests("icon-files\\three-icons.dll").c_str(), iconFile.c_str(), TRUE));

    // The icon file was applied before, so the recent list offers it.
    ScopedRegistryKey recent(HKEY_CURRENT_USER, RECENT_KEY);
    ASSERT_TRUE(StoreOneRecentFile(RECENT_KEY, iconFile));

    ProgramProcess program(folder);
    ASSERT_TRUE(program.Started());
    const HWND window = program.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(WindowText(GetDlgItem(window, 1004)), "Photos");

    // The recent file, chosen in the combo box's list.
    const HWND combo = GetDlgItem(window, 1003);
    ASSERT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 1);
    SendMessageA(combo, CB_SETCURSEL, 0, 0);
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(1003, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    const HWND grid = GetDlgItem(window, 12297);
    ASSERT_EQ(SendMessageA(grid, LB_GETCOUNT, 0, 0), 3);

    // A click on the second cell: the grid's columns fill from the top.
    const int cell = static_cast<int>(SendMessageA(grid, LB_GETITEMHEIGHT, 0, 0));
    const LPARAM point = MAKELPARAM(cell / 2, cell + cell / 2);
    SendMessageA(grid, WM_LBUTTONDOWN, MK_LBUTTON, point);
    SendMessageA(grid, WM_LBUTTONUP, 0, point);
    EXPECT_EQ(SendMessageA(grid, LB_GETCURSEL, 0, 0), 1);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(window, 1007)));

    const HWND infoTip = GetDlgItem(window, 1006);
    for (const char* c = "Vacances \xe0 la mer"; *c; ++c)
        SendMessageA(infoTip, WM_CHAR, static_cast<BYTE>(*c), 1);

    SendMessageA(GetDlgItem(window, IDOK), BM_CLICK, 0, 0);
    EXPECT_TRUE(program.WaitForEnd());

    EXPECT_EQ(FileBytes(folder + "\\desktop.ini"), "[.ShellClassInfo]\r\n"
                                                   "IconFile=" + iconFile + "\r\n"
                                                   "IconIndex=1\r\n"
                                                   "ConfirmFileOp=0\r\n"
                                                   "InfoTip=Vacances \xe0 la mer\r\n");
    EXPECT_TRUE(GetFileAttributesA(folder.c_str()) & FILE_ATTRIBUTE_SYSTEM);
    EXPECT_TRUE(GetFileAttributesA((folder + "\\desktop.ini").c_str()) & FILE_ATTRIBUTE_HIDDEN);
    // The file applied was already the most recent one: the order stays.
    std::vector<BYTE> expectedOrder(RECENT_FILE_COUNT, NO_RECENT_SLOT);
    expectedOrder[0] = 0;
    EXPECT_EQ(RecentValue("OrdreListe"), expectedOrder);
    const std::vector<BYTE> slot = RecentValue("Sauve000");
    EXPECT_EQ(std::string(slot.begin(), slot.end()), iconFile + '\0');
}
