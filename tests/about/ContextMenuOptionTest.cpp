// The context-menu option and the first run, with the program as its own
// process: what the About box's OK writes, and what the verb it writes starts.
#include "harness/FirstRun.h"
#include "harness/Program.h"
#include "harness/RegistryKey.h"
#include "harness/TempFolder.h"
#include "harness/Windows.h"
#include "resource.h"
#include <gtest/gtest.h>
#include <shlwapi.h>
#include <functional>
#include <tuple>

namespace {

const char ABOUT[] = "A propos de Brisevent";
const char MAIN[] = "Changer l'ic\xf4ne du dossier";
const char* const VERBS[] = { "Directory\\shell\\Brisevent", "Drive\\shell\\Brisevent" };
const std::string MENU_TEXT("Changer l'&ic\xf4ne", 17);    // with its terminating zero

std::string Stored(HKEY root, const std::string& path, const char* name = nullptr)
{
    const RegistryData value = ReadRegistryData(root, path, name);
    return value.present ? std::string(value.data.begin(), value.data.end()) : "(absent)";
}

void Store(HKEY root, const std::string& path, const char* name, const char* text, DWORD options = 0)
{
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(root, path.c_str(), 0, nullptr, options, KEY_ALL_ACCESS, nullptr, &key, nullptr), ERROR_SUCCESS);
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), lstrlenA(text) + 1);
    RegCloseKey(key);
}

void Click(HWND window, int id) { PostMessageA(GetDlgItem(window, id), BM_CLICK, 0, 0); }
int Check(HWND about) { return static_cast<int>(SendMessageA(GetDlgItem(about, IDC_CONTEXT_MENU_OPTION), BM_GETCHECK, 0, 0)); }

class ContextMenuOption : public ::testing::Test {
protected:
    std::string Option() const { return Stored(HKEY_CURRENT_USER, MARKER_KEY, "MenuContextuel"); }
    // Starts the program on the test's folder, meets the About box (first,
    // or from its button), lets `use` answer it, and ends the program.
    void Run(bool aboutFirst, std::function<void(HWND about)> use)
    {
        ProgramProcess program("\"" + temp.Path() + "\"");
        if (!aboutFirst)
            Click(program.WaitForMainWindow(), IDC_ABOUT);
        const HWND about = program.WaitForWindow(ABOUT);
        ASSERT_NE(about, nullptr);
        if (aboutFirst) {
            EXPECT_EQ(program.VisibleWindow(MAIN), nullptr);
            EXPECT_TRUE(GetWindowLongA(about, GWL_EXSTYLE) & WS_EX_APPWINDOW);
        }
        use(about);
        for (DWORD start = GetTickCount(); IsWindowVisible(about) && GetTickCount() - start < 20000;)
            Sleep(20);
        const HWND main = program.WaitForMainWindow();
        ASSERT_NE(main, nullptr);
        EXPECT_EQ(program.VisibleWindow("Erreur"), nullptr);
        Click(main, IDCANCEL);
    }

    FirstRunScope firstRun;
    ScopedRegistryKey folderVerb{ HKEY_CLASSES_ROOT, VERBS[0] };
    ScopedRegistryKey driveVerb{ HKEY_CLASSES_ROOT, VERBS[1] };
    TempFolder temp;
};

} // namespace

TEST_F(ContextMenuOption, FirstStartOkRegistersBothVerbsWhoseCommandOpensAFolderWithSpaces)
{
    Run(true, [](HWND about) {
        EXPECT_EQ(Check(about), BST_CHECKED);
        Click(about, IDOK);
    });
    const std::string program = "\"" + PathBesideTests("Brisevent.exe") + "\" ";
    for (const char* verb : VERBS) {
        EXPECT_EQ(Stored(HKEY_CLASSES_ROOT, verb), MENU_TEXT);
        EXPECT_EQ(Stored(HKEY_CLASSES_ROOT, std::string(verb) + "\\command"), program + std::string("%1", 3));
    }
    EXPECT_EQ(Option(), std::string("2", 2));
    Run(false, [](HWND about) { Click(about, IDOK); });    // no About box first now

    const std::string folder = temp / "Dossier avec des espaces";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    ProgramProcess started(ProgramProcess::CommandLine{ program + folder });
    const HWND main = started.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(WindowText(GetDlgItem(main, IDC_TARGET_NAME)), "Dossier avec des espaces");
    Click(main, IDCANCEL);
}

TEST_F(ContextMenuOption, FirstStartEscapeWritesNothingAndTheBoxComesAgain)
{
    for (int start = 0; start < 2; ++start)
        Run(true, [](HWND about) { PostMessageA(GetDlgItem(about, IDOK), WM_KEYDOWN, VK_ESCAPE, 1); });
    EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, OPTION_KEY));
    EXPECT_FALSE(RegistryKeyExists(HKEY_CLASSES_ROOT, VERBS[0]));
}

TEST_F(ContextMenuOption, UncheckedOkRemovesBothVerbsAndRecordsOff)
{
    for (const char* verb : VERBS)
        Store(HKEY_CLASSES_ROOT, std::string(verb) + "\\command", nullptr, "ancienne");
    Run(true, [](HWND about) {
        Click(about, IDC_CONTEXT_MENU_OPTION);
        Click(about, IDOK);
    });
    EXPECT_FALSE(RegistryKeyExists(HKEY_CLASSES_ROOT, VERBS[0]));
    EXPECT_FALSE(RegistryKeyExists(HKEY_CLASSES_ROOT, VERBS[1]));
    EXPECT_EQ(Option(), std::string("0", 2));
}

TEST_F(ContextMenuOption, StoredStateDecidesTheCheckAndWhetherOkWrites)
{
    const std::string untouched("ancien", 7);
    // Stored, then the check shown, the option after OK and the folder verb's menu text after OK.
    const std::tuple<const char*, int, const char*, std::string> cases[] = {
        { "2", BST_CHECKED, "2", untouched }, { "0", BST_UNCHECKED, "0", untouched }, { "1", BST_CHECKED, "2", MENU_TEXT },
    };
    for (const auto& [stored, check, after, menuText] : cases) {
        SCOPED_TRACE(stored);
        Store(HKEY_CURRENT_USER, MARKER_KEY, "MenuContextuel", stored);
        Store(HKEY_CLASSES_ROOT, VERBS[0], nullptr, "ancien");
        Run(false, [&, check = check](HWND about) {
            EXPECT_EQ(Check(about), check);
            Click(about, IDOK);
        });
        EXPECT_EQ(Option(), std::string(after, 2));
        EXPECT_EQ(Stored(HKEY_CLASSES_ROOT, VERBS[0]), menuText);
    }
}

TEST_F(ContextMenuOption, RefusedVerbWriteIsShownOnceAndTheChoiceIsStillRecorded)
{
    // A volatile key can hold no lasting "command" key: the write is refused.
    Store(HKEY_CLASSES_ROOT, VERBS[0], nullptr, "", REG_OPTION_VOLATILE);
    char reason[512] = "";
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, ERROR_CHILD_MUST_BE_VOLATILE, 0, reason, sizeof reason, nullptr);
    ProgramProcess program("\"" + temp.Path() + "\"");
    Click(program.WaitForWindow(ABOUT), IDOK);
    const HWND error = program.WaitForWindow("Erreur");
    ASSERT_NE(error, nullptr);
    EXPECT_EQ(WindowText(GetDlgItem(error, 0xFFFF)), reason);
    Click(error, IDOK);
    const HWND main = program.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(program.VisibleWindow("Erreur"), nullptr);
    EXPECT_EQ(Option(), std::string("2", 2));
    EXPECT_EQ(Stored(HKEY_CLASSES_ROOT, VERBS[1]), MENU_TEXT);
    Click(main, IDCANCEL);
}
