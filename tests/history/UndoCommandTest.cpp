// Undo as users reach it: the dialog's "Défaire", which asks first naming
// the change, and "/defaire" on the command line, also after a run killed
// halfway.
#include "Support.h"
#include "app/FolderIconDialog.h"
#include "commandline/SilentRun.h"
#include "harness/ModalDriver.h"
#include "harness/Program.h"
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

TEST_F(HistoryTest, DefaireReportsEachFolderAndFailsForOneChangedSince)
{
    std::vector<std::wstring> said;
    const auto run = [&](const std::vector<std::wstring>& arguments) {
        said.clear();
        return RunSilently(arguments, [&](const std::wstring& line) { said.push_back(line); });
    };
    const std::string kept = Folder("Rendu"), left = Folder("Laiss\xe9");
    Change(InfoTipChoice(L"x"), { kept, left });
    WriteBytes(left + "\\desktop.ini", ON_ITS_OWN);
    EXPECT_EQ(run({ L"/defaire" }), EXIT_SOME_FAILED);
    EXPECT_EQ(said, (std::vector<std::wstring>{ L"OK : " + Wide(kept),
                                                 L"\xc9" L"CHEC : " + Wide(left) + L" : chang\xe9 depuis par autre chose, laiss\xe9 tel quel",
                                                 L"Total : 1 OK, 1 \xc9" L"CHEC" }));
    EXPECT_FALSE(Exists(kept + "\\desktop.ini"));
    EXPECT_EQ(run({ L"/defaire" }), EXIT_DONE);
    EXPECT_EQ(said, std::vector<std::wstring>{ L"Aucune modification \xe0 d\xe9" L"faire." });
    for (const std::wstring& other : { std::wstring(L"/defaut"), std::wstring(L"/infobulle:x"), Wide(kept) }) {
        EXPECT_EQ(run({ L"/defaire", other }), EXIT_WRONG_COMMAND_LINE);
        EXPECT_EQ(said.at(0), L"/defaire ne va avec aucun autre changement ni aucune cible.");
    }
}

// Killed once it has written a fifth of its folders, a silent run over
// many folders is taken back whole by /defaire.
TEST_F(HistoryTest, RunKilledHalfwayIsTakenBackWholeByDefaire)
{
    const std::string old = "[.ShellClassInfo]\r\nInfoTip=ancien\r\n[ViewState]\r\nMode=4\r\n";
    std::wstring arguments = L"/icone:" + Wide(icons) + L",1 /infobulle:nouveau";
    std::vector<std::string> folders;
    std::vector<FolderState> before;
    for (int i = 0; i < 100; ++i) {
        folders.push_back(Folder("Dossier " + std::to_string(i)));
        WriteBytes(folders.back() + "\\desktop.ini", old);
        before.push_back(StateOf(folders.back()));
        arguments += L" \"" + Wide(folders.back()) + L"\"";
    }
    {
        ProgramProcess program(arguments);
        ASSERT_TRUE(program.Started());
        // Watched by its attributes: a file held open could not be replaced.
        const std::string watched = folders[folders.size() / 5] + "\\desktop.ini";
        for (const DWORD start = GetTickCount(); !(Attributes(watched) & FILE_ATTRIBUTE_HIDDEN);) {
            ASSERT_LT(GetTickCount() - start, 20000u) << "the run wrote nothing";
            Sleep(1);
        }
        program.Kill();
    }
    int written = 0;
    for (const std::string& folder : folders)
        written += ReadBytes(folder + "\\desktop.ini") != old;
    const ScriptRun undo = RunAsScript(L"/defaire");
    EXPECT_EQ(undo.status, static_cast<DWORD>(EXIT_DONE)) << undo.output;
    for (size_t i = 0; i < folders.size(); ++i)
        EXPECT_EQ(StateOf(folders[i]), before[i]) << "killed with " << written << " folders written";
}
