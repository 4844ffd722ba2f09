// Undo as users reach it: the dialog's "Défaire", which asks first naming
// the change.
#include "Support.h"
#include "app/FolderIconDialog.h"
#include "harness/ModalDriver.h"
#include "resource.h"

namespace {

// The static control of a message box that holds its text.
constexpr int MESSAGE_BOX_TEXT = 0xFFFF;
const std::string ON_ITS_OWN = "[.ShellClassInfo]\r\nInfoTip=\xe0 la main\r\n";

} // namespace

TEST(UndoQuestion, NamesTheChangeByItsDateAndWhatItChangedOfHowManyTargets)
{
    struct Case {
        SYSTEMTIME local;
        std::vector<std::pair<const wchar_t*, DWORD>> targets;  // a drive's path ends with a backslash
        const char* question;
    };
    const Case cases[] = {
        { { 2026, 12, 0, 9, 10, 42, 0, 0 }, { { L"C:\\a", CHANGES_ICON }, { L"C:\\b", CHANGES_ICON }, { L"C:\\c", CHANGES_ICON } },
          "du 9 d\xe9" "c. 2026 \xe0 10:42 : ic\xf4ne de 3 dossiers ?" },
        { { 2027, 8, 0, 1, 9, 5, 0, 0 }, { { L"C:\\a", CHANGES_ICON | CHANGES_INFOTIP }, { L"c:\\A", CHANGES_ICON } },
          "du 1 ao\xfbt 2027 \xe0 09:05 : ic\xf4ne et infobulle d'un dossier ?" },
        { { 2026, 1, 0, 31, 23, 59, 0, 0 }, { { L"D:\\", CHANGES_TO_DEFAULT } },
          "du 31 janv. 2026 \xe0 23:59 : ic\xf4ne par d\xe9" "faut d'un lecteur ?" },
        { { 2026, 5, 0, 2, 0, 0, 0, 0 },
          { { L"C:\\a", CHANGES_TO_DEFAULT | CHANGES_INFOTIP }, { L"C:\\b", CHANGES_TO_DEFAULT }, { L"D:\\", CHANGES_TO_DEFAULT } },
          "du 2 mai 2026 \xe0 00:00 : ic\xf4ne par d\xe9" "faut et infobulle de 2 dossiers et d'un lecteur ?" },
        { { 2026, 3, 0, 15, 8, 30, 0, 0 }, { { L"C:\\a", CHANGES_INFOTIP } }, "du 15 mars 2026 \xe0 08:30 : infobulle d'un dossier ?" },
    };
    for (const Case& c : cases) {
        ChangeContents change;
        FILETIME local;
        ASSERT_TRUE(SystemTimeToFileTime(&c.local, &local) && LocalFileTimeToFileTime(&local, &change.began));
        for (const auto& [path, changes] : c.targets) {
            RecordedTarget target;
            target.path = path;
            target.kind = path[wcslen(path) - 1] == L'\\' ? TargetKind::Drive : TargetKind::Folder;
            target.changes = changes;
            target.done = true;
            change.targets.push_back(target);
        }
        EXPECT_EQ(Narrow(UndoQuestion(change)), std::string("D\xe9" "faire la modification ") + c.question);
    }
}

TEST_F(HistoryTest, DialogAsksNamingTheChangeAndReportsTheFolderItLeft)
{
    const std::vector<std::string> folders = { Folder("Un"), Folder("Deux"), Folder("Trois") };
    FolderIconDialog dialog;
    ASSERT_TRUE(dialog.Create());
    const HWND undo = GetDlgItem(dialog.m_hWnd, IDC_UNDO);
    EXPECT_FALSE(IsWindowEnabled(undo));
    dialog.SelectTargets({ Wide(folders[0]), Wide(folders[1]), Wide(folders[2]) });
    ASSERT_TRUE(dialog.ChooseIcon(Wide(icons).c_str(), 1));
    SendDlgItemMessageA(dialog.m_hWnd, IDC_APPLY, BM_CLICK, 0, 0);
    ASSERT_TRUE(IsWindowEnabled(undo));
    WriteBytes(folders[1] + "\\desktop.ini", ON_ITS_OWN);

    std::vector<std::string> shown;
    const ModalDriver::Step read = Inspect([&](HWND box) { shown.push_back(WindowText(GetDlgItem(box, MESSAGE_BOX_TEXT))); });
    ModalDriver driver;
    driver.Then(read).Then(ClickButton(IDNO));
    SendMessageA(undo, BM_CLICK, 0, 0);
    EXPECT_TRUE(Exists(folders[0] + "\\desktop.ini")) << "No takes nothing back";
    driver.Then(read).Then(ClickButton(IDYES)).Then(read).Then(ClickButton(IDOK));
    SendMessageA(undo, BM_CLICK, 0, 0);
    EXPECT_TRUE(driver.Done());
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].rfind("D\xe9" "faire la modification du ", 0), 0u) << shown[0];
    EXPECT_NE(shown[0].find(" : ic\xf4ne de 3 dossiers ?"), std::string::npos) << shown[0];
    EXPECT_EQ(shown[1], shown[0]);
    EXPECT_EQ(shown[2], "Ce dossier n'a pas \xe9t\xe9 r\xe9tabli :\n\n" + folders[1] +
                            "\nchang\xe9 depuis par autre chose, laiss\xe9 tel quel");
    EXPECT_FALSE(Exists(folders[0] + "\\desktop.ini"));
    EXPECT_FALSE(Exists(folders[2] + "\\desktop.ini"));
    EXPECT_EQ(ReadBytes(folders[1] + "\\desktop.ini"), ON_ITS_OWN);
    EXPECT_FALSE(IsWindowEnabled(undo)) << "nothing is left to take back";
}
