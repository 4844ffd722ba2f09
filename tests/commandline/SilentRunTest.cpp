// A silent run as a script sees it: what each target gets, which is what OK
// in the main dialog gives it, the report and the exit status.
#include "app/FolderIconDialog.h"
#include "commandline/SilentRun.h"
#include "harness/Files.h"
#include "harness/Program.h"
#include "harness/RegistryKey.h"
#include "harness/FirstRun.h"
#include "harness/TempFolder.h"
#include "harness/Windows.h"
#include "madeicons/Design.h"
#include "resource.h"
#include "target/Target.h"
#include <gtest/gtest.h>
#include <functional>

namespace {

const char RECENT_KEY[] = "Software\\KORBINEX\\Brisevent";

// The system's text for an error, on its line of the report.
std::wstring Reason(DWORD error)
{
    std::string text = SystemText(error);
    return Wide(text.erase(text.find_last_not_of("\r\n") + 1));
}

class SilentRunTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const std::string* folder : { &silent, &shown })
            ASSERT_TRUE(CreateDirectoryA(folder->c_str(), nullptr));
    }
    // Both folders as a user left them: an icon of their own and an infotip.
    void Customise()
    {
        for (const std::string& folder : { silent, shown }) {
            WriteBytes(folder + "\\desktop.ini", "[.ShellClassInfo]\r\nIconFile=" + other + "\r\nIconIndex=1\r\n"
                                                 "InfoTip=ancien\r\n[ViewState]\r\nMode=4\r\n");
            ASSERT_TRUE(SetFileAttributesA(folder.c_str(), FILE_ATTRIBUTE_SYSTEM));
        }
    }
    int Run(const std::vector<std::wstring>& arguments)
    {
        said.clear();
        return RunSilently(arguments, [this](const std::wstring& line) { said.push_back(line); });
    }

    ScopedRegistryKey recent{ HKEY_CURRENT_USER, RECENT_KEY };
    TempFolder temp;
    std::string silent = temp / "Silencieux";
    std::string shown = temp / "Dialogue";
    std::string icons = PathBesideTests("icon-files\\three-icons.dll");
    std::string other = PathBesideTests("icon-files\\four-icons.dll");
    std::vector<std::wstring> said;
};

} // namespace

// Each switch gives the folder what OK gives it with the same choice, to
// the byte and the attribute, and changes nothing it does not name.
TEST_F(SilentRunTest, EachChangeIsWhatOkWritesAndOnlyWhatItNames)
{
    struct Case {
        const char* name;
        std::vector<std::wstring> switches;
        std::function<void(FolderIconDialog&)> choose;
    };
    const Case cases[] = {
        { "icon", { L"/icone:" + Wide(icons) + L",2" },
          [&](FolderIconDialog& dialog) { dialog.ChooseIcon(Wide(icons).c_str(), 2); } },
        { "infotip", { L"/infobulle:R\xe9unions \x2602" },
          [](FolderIconDialog& dialog) {
              SetDlgItemTextW(dialog.m_hWnd, IDC_INFOTIP, L"R\xe9unions \x2602");
          } },
        { "default", { L"/defaut" },
          [](FolderIconDialog& dialog) { SendDlgItemMessageA(dialog.m_hWnd, IDC_DEFAULT_ICON, BM_CLICK, 0, 0); } },
        { "colour and emblem", { L"/couleur:rouge", L"/embleme:" + Wide(icons) + L",1" },
          [&](FolderIconDialog& dialog) {
              Design design;
              design.colour = RGB(0xE5, 0x39, 0x35);
              design.emblemFile = Wide(icons);
              design.emblemIndex = 1;
              dialog.TakeDesign(design);
          } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Customise();
        std::vector<std::wstring> arguments = c.switches;
        arguments.push_back(Wide(silent));
        EXPECT_EQ(Run(arguments), EXIT_DONE);
        EXPECT_EQ(said, (std::vector<std::wstring>{ L"OK : " + Wide(silent), L"Total : 1 OK, 0 \xc9" L"CHEC" }));
        FolderIconDialog dialog;
        ASSERT_TRUE(dialog.Create());
        dialog.SelectTarget(Wide(shown).c_str());
        c.choose(dialog);
        SendDlgItemMessageA(dialog.m_hWnd, IDC_APPLY, BM_CLICK, 0, 0);
        PumpMessages(APPLY_TIMER_PERIOD_MS * 2);
        EXPECT_EQ(ReadBytes(silent + "\\desktop.ini"), ReadBytes(shown + "\\desktop.ini"));
        EXPECT_EQ(Attributes(silent), Attributes(shown));
        EXPECT_EQ(Attributes(silent + "\\desktop.ini"), Attributes(shown + "\\desktop.ini"));
    }
    // Each folder gets an icon file of its own, which the default removes.
    const std::string made = "\\couleur-E53935 embleme-three-icons-1.ico";
    EXPECT_EQ(ReadBytes(silent + made), ReadBytes(shown + made));
    EXPECT_EQ(Run({ L"/defaut", Wide(silent), Wide(shown) }), EXIT_DONE);
    EXPECT_FALSE(Exists(silent + made) || Exists(shown + made));

    Customise();
    const std::string ini = silent + "\\desktop.ini";
    const ScopedRegistryKey noRecentFiles{ HKEY_CURRENT_USER, RECENT_KEY };
    ASSERT_EQ(Run({ L"/icone:" + Wide(icons) + L",1", Wide(silent) }), EXIT_DONE);
    EXPECT_EQ(ProfileValue(ini, ".ShellClassInfo", "InfoTip"), "ancien");
    ASSERT_EQ(Run({ L"/infobulle:", Wide(silent) }), EXIT_DONE);
    EXPECT_EQ(ProfileValue(ini, ".ShellClassInfo", "IconFile"), icons);
    EXPECT_EQ(ProfileValue(ini, ".ShellClassInfo", "InfoTip"), "");
    EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, RECENT_KEY)) << "a silent run records no recent file";
}

// A target that cannot be changed, or is no folder, fails on its own, and
// the journal adds the same report to what it held.
TEST_F(SilentRunTest, TargetThatFailsIsReportedAndTheOthersAreDone)
{
    const std::string locked = temp / "Verrouill\xe9", file = temp / "notes.txt", journal = temp / "journal.txt";
    ASSERT_TRUE(CreateDirectoryA(locked.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((locked + "\\desktop.ini").c_str(), nullptr));
    WriteBytes(file, "pas un dossier");
    WriteBytes(journal, "avant\r\n");
    ASSERT_FALSE(WritePrivateProfileStringA("a", "b", "c", (locked + "\\desktop.ini").c_str()));
    const std::wstring reason = Reason(GetLastError());
    EXPECT_EQ(Run({ L"/journal:" + Wide(journal), L"/infobulle:x", Wide(silent), Wide(locked), Wide(file), Wide(shown) }),
              EXIT_SOME_FAILED);
    const std::wstring failed = L"\xc9" L"CHEC : ";
    EXPECT_EQ(said, (std::vector<std::wstring>{ L"OK : " + Wide(silent), failed + Wide(locked) + L" : " + reason,
                                                 failed + Wide(file) + L" : " + Reason(ERROR_DIRECTORY),
                                                 L"OK : " + Wide(shown), L"Total : 2 OK, 2 \xc9" L"CHEC" }));
    std::wstring lines = L"avant\r\n";
    for (const std::wstring& line : said)
        lines += line + L"\r\n";
    EXPECT_EQ(ReadBytes(journal), Utf8(lines));
    EXPECT_EQ(ProfileValue(shown + "\\desktop.ini", ".ShellClassInfo", "InfoTip"), "x");
}

// A wrong command line, or an icon that cannot be had, writes nothing: the
// reason is told, with the usage after a wrong command line.
TEST_F(SilentRunTest, WrongCommandLineOrUnusableIconWritesNothing)
{
    const std::string text = temp / "notes.txt";
    WriteBytes(text, "pas une ic\xf4ne");
    const std::pair<std::wstring, int> runs[] = {
        { L"/frobnique", EXIT_WRONG_COMMAND_LINE },
        { L"/journal:" + Wide(temp / "absent\\journal.txt"), EXIT_WRONG_COMMAND_LINE },
        { L"/icone:" + Wide(text), EXIT_ICON_UNUSABLE },
        { L"/embleme:" + Wide(text), EXIT_ICON_UNUSABLE },
        { L"/icone:" + Wide(icons) + L",3", EXIT_ICON_UNUSABLE },
        { L"/icone:" + Wide(icons) + L",-77", EXIT_ICON_UNUSABLE },
        { L"/icone:" + Wide(PathBesideTests("icon-files\\truncated.png")), EXIT_ICON_UNUSABLE },
    };
    for (const auto& [argument, status] : runs) {
        SCOPED_TRACE(Narrow(argument));
        EXPECT_EQ(Run({ argument, L"/infobulle:x", Wide(silent) }), status);
        ASSERT_FALSE(said.empty());
        EXPECT_EQ(said.size() > 1, argument == L"/frobnique") << "the usage follows a wrong command line alone";
        EXPECT_FALSE(Exists(silent + "\\desktop.ini"));
    }
    ASSERT_EQ(Run({ L"/?" }), EXIT_DONE);
    EXPECT_EQ(said.size(), static_cast<size_t>(USAGE_LINE_COUNT));
}

// Started as a script starts it, on a first run too, the program shows no
// window, says its report on its standard output and ends with its status;
// the first-run marker stays missing.
TEST_F(SilentRunTest, ProgramRunBySomeScriptShowsNoWindowAndEndsWithItsStatus)
{
    const FirstRunScope firstRun;
    const ScriptRun done = RunAsScript(L"/infobulle:ok \"" + Wide(silent) + L"\"");
    EXPECT_EQ(done.status, static_cast<DWORD>(EXIT_DONE));
    EXPECT_EQ(done.output, "OK : " + silent + "\r\nTotal : 1 OK, 0 \xc3\x89" "CHEC\r\n");
    EXPECT_FALSE(done.windowShown);
    const ScriptRun wrong = RunAsScript(L"/frobnique \"" + Wide(silent) + L"\"");
    EXPECT_EQ(wrong.status, static_cast<DWORD>(EXIT_WRONG_COMMAND_LINE));
    EXPECT_EQ(wrong.output.rfind("Option inconnue : /frobnique\r\nUsage : ", 0), 0u) << wrong.output;
    EXPECT_FALSE(wrong.windowShown);
    EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, MARKER_KEY));
}
