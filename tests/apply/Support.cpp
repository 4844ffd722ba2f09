#include "Support.h"
#include "apply/DesktopIni.h"

namespace {

// The static control of a message box that holds its text.
constexpr int MESSAGE_BOX_TEXT = 0xFFFF;

} // namespace

MessageBoxAnswers::MessageBoxAnswers(int limit)
{
    for (int box = 0; box < limit; ++box) {
        m_driver.Then([this](HWND window) {
            shown.push_back({ WindowText(window), WindowText(GetDlgItem(window, MESSAGE_BOX_TEXT)) });
            PostMessageA(GetDlgItem(window, IDOK), BM_CLICK, 0, 0);
            return true;
        });
    }
}

void FolderTest::SetUp()
{
    PendingIniDeletions.clear();
    folder = temp / "Dossier";
    ini = folder + "\\desktop.ini";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    ASSERT_TRUE(dialog.Create());
}
