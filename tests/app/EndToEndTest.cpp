// A user's whole errand, with the built program as its own process: a folder
// on the command line, an icon file from the recent list, a click on an icon,
// an infotip typed, OK.
#include "harness/RegistryKey.h"
#include "harness/TempFolder.h"
#include "harness/Windows.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <fstream>
#include <sstream>

namespace {

const char MAIN_TITLE[] = "Changer l'ic\xf4ne du dossier";
const char RECENT_KEY[] = "Software\\KORBINEX\\Brisevent";

struct Search {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindProgramWindow(HWND window, LPARAM parameter)
{
    auto* search = reinterpret_cast<Search*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window) && WindowText(window) == MAIN_TITLE) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND WaitForWindow(DWORD processId)
{
    Search search = { processId, nullptr };
    for (int attempt = 0; attempt < 400 && !search.found; ++attempt) {
        EnumWindows(FindProgramWindow, reinterpret_cast<LPARAM>(&search));
        if (!search.found)
            Sleep(50);
    }
    return search.found;
}

std::string FileBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

std::vector<BYTE> RecentValue(const char* name)
{
    std::vector<BYTE> data;
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, RECENT_KEY, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return data;
    DWORD size = 0;
    if (RegQueryValueExA(key, name, nullptr, nullptr, nullptr, &size) == ERROR_SUCCESS) {
        data.resize(size);
        RegQueryValueExA(key, name, nullptr, nullptr, data.data(), &size);
    }
    RegCloseKey(key);
    return data;
}

// Waits until the program has handled everything posted to it so far.
void Settle(HWND window)
{
    DWORD_PTR result;
    SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result);
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
    HKEY key;
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, RECENT_KEY, &key), ERROR_SUCCESS);
    RegSetValueExA(key, "Sauve000", 0, REG_SZ, reinterpret_cast<const BYTE*>(iconFile.c_str()),
                   static_cast<DWORD>(iconFile.size() + 1));
    BYTE order[20];
    memset(order, 0xFF, sizeof order);
    order[0] = 0;
    RegSetValueExA(key, "OrdreListe", 0, REG_BINARY, order, sizeof order);
    RegCloseKey(key);

    std::string commandLine = "\"" + PathBesideTests("Brisevent.exe") + "\" " + folder;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                               &process));
    const HWND window = WaitForWindow(process.dwProcessId);
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
    PostMessageA(grid, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageA(grid, WM_LBUTTONUP, 0, point);
    Settle(window);
    EXPECT_EQ(SendMessageA(grid, LB_GETCURSEL, 0, 0), 1);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(window, 1007)));

    const HWND infoTip = GetDlgItem(window, 1006);
    for (const char* c = "Vacances \xe0 la mer"; *c; ++c)
        PostMessageA(infoTip, WM_CHAR, static_cast<BYTE>(*c), 1);
    Settle(window);

    SendMessageA(GetDlgItem(window, IDOK), BM_CLICK, 0, 0);
    const bool ended = WaitForSingleObject(process.hProcess, 20000) == WAIT_OBJECT_0;
    EXPECT_TRUE(ended);
    if (!ended)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);

    EXPECT_EQ(FileBytes(folder + "\\desktop.ini"), "[.ShellClassInfo]\r\n"
                                                   "IconFile=" + iconFile + "\r\n"
                                                   "IconIndex=1\r\n"
                                                   "ConfirmFileOp=0\r\n"
                                                   "InfoTip=Vacances \xe0 la mer\r\n");
    EXPECT_TRUE(GetFileAttributesA(folder.c_str()) & FILE_ATTRIBUTE_SYSTEM);
    EXPECT_TRUE(GetFileAttributesA((folder + "\\desktop.ini").c_str()) & FILE_ATTRIBUTE_HIDDEN);
    std::vector<BYTE> expectedOrder(order, order + sizeof order);
    EXPECT_EQ(RecentValue("OrdreListe"), expectedOrder);
    const std::vector<BYTE> slot = RecentValue("Sauve000");
    EXPECT_EQ(std::string(slot.begin(), slot.end()), iconFile + '\0');
}
