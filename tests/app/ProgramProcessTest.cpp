// The built program, started as a user starts it.
#include "harness/Program.h"
#include "harness/RegistryKey.h"
#include "harness/TempFolder.h"
#include "harness/Windows.h"
#include "resource.h"
#include <gtest/gtest.h>
#include <fstream>
#include <iterator>
#include <set>

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

namespace {

// A control's text in another process: asked of the control itself, which
// the platform does not do for a window without a caption.
std::wstring ControlText(HWND window, int id)
{
    wchar_t text[512] = L"";
    SendMessageW(GetDlgItem(window, id), WM_GETTEXT, ARRAYSIZE(text), reinterpret_cast<LPARAM>(text));
    return text;
}

// A cell of the grid chosen as a click chooses it.
void ChooseCell(HWND window, int cell)
{
    const HWND grid = GetDlgItem(window, IDC_ICON_GRID);
    SendMessageW(grid, LB_SETCURSEL, static_cast<WPARAM>(cell), 0);
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDC_ICON_GRID, LBN_SELCHANGE), reinterpret_cast<LPARAM>(grid));
}

std::string FileBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

} // namespace

// The command line the system hands over is UTF-16: a folder named outside
// the code page is customised as itself, an infotip outside it is kept, and
// both show again at the next start; the look-alike is never written to.
TEST(Program, FolderNamedOutsideTheCodePageIsCustomisedAsItself)
{
    TempFolder temp;
    const std::wstring name = L"\x03a9mega \x263c \xd83d\xdcf7";
    const std::wstring omega = Wide(temp.Path()) + L"\\" + name;
    const std::wstring greek = L"\x0391\x03b8\x03ae\x03bd\x03b1 2024";
    const std::string lookAlike = temp / "Omega";
    ScopedRegistryKey recentFiles{ HKEY_CURRENT_USER, "Software\\KORBINEX\\Brisevent" };
    ASSERT_TRUE(CreateDirectoryW(omega.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(lookAlike.c_str(), nullptr));
    {
        ProgramProcess program(L"\"" + omega + L"\"");
        const HWND window = program.WaitForMainWindow();
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(ControlText(window, IDC_TARGET_NAME), name);
        ChooseCell(window, 5);
        SendMessageW(GetDlgItem(window, IDC_INFOTIP), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(greek.c_str()));
        SendMessageA(GetDlgItem(window, IDOK), BM_CLICK, 0, 0);
        EXPECT_TRUE(program.WaitForEnd());
    }
    ProgramProcess again(L"\"" + omega + L"\"");
    const HWND window = again.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(ControlText(window, IDC_TARGET_NAME), name);
    EXPECT_EQ(ControlText(window, IDC_INFOTIP), greek);
    EXPECT_EQ(SendMessageW(GetDlgItem(window, IDC_ICON_GRID), LB_GETCURSEL, 0, 0), 5);
    SendMessageA(GetDlgItem(window, IDCANCEL), BM_CLICK, 0, 0);
    EXPECT_TRUE(again.WaitForEnd());
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

// Killed at any moment of an apply to many folders, the program leaves each
// desktop.ini wholly as it was or wholly as the apply writes it.
TEST(Program, KilledDuringAnApplyLeavesEachDesktopIniWhollyOldOrNew)
{
    TempFolder temp;
    ScopedRegistryKey recentFiles{ HKEY_CURRENT_USER, "Software\\KORBINEX\\Brisevent" };
    const std::string old = "[.ShellClassInfo]\r\nIconFile=" + PathBesideTests("icon-files\\three-icons.dll") +
                            "\r\nIconIndex=2\r\nInfoTip=ancien\r\n[ViewState]\r\nMode=4\r\n";
    std::string folders;
    std::vector<std::string> files;
    for (int i = 0; i < 60; ++i) {
        const std::string folder = temp / ("Dossier " + std::to_string(i));
        ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
        files.push_back(folder + "\\desktop.ini");
        folders += "\"" + folder + "\" ";
    }
    for (const DWORD killedAfterMs : { 100, 400, 800 }) {
        for (const std::string& file : files) {
            std::ofstream(file, std::ios::binary) << old;
            SetFileAttributesA(file.substr(0, file.rfind('\\')).c_str(), FILE_ATTRIBUTE_SYSTEM);
        }
        {
            ProgramProcess program(folders);
            const HWND window = program.WaitForMainWindow();
            ASSERT_NE(window, nullptr);
            ChooseCell(window, 1);
            SendMessageW(GetDlgItem(window, IDC_INFOTIP), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"nouveau"));
            PostMessageW(GetDlgItem(window, IDC_APPLY), BM_CLICK, 0, 0);
            Sleep(killedAfterMs);
            program.Kill();
        }
        std::set<std::string> written;
        for (const std::string& file : files)
            written.insert(FileBytes(file));
        written.erase(old);
        ASSERT_LE(written.size(), 1u) << "killed after " << killedAfterMs << " ms";
        if (!written.empty()) {
            EXPECT_NE(written.begin()->find("InfoTip=nouveau\r\n"), std::string::npos) << *written.begin();
            EXPECT_NE(written.begin()->find("[ViewState]\r\nMode=4\r\n"), std::string::npos) << *written.begin();
        }
    }
}
