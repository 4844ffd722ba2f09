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

namespace {

const char ABOUT_TITLE[] = "A propos de Brisevent";
const char* const VERBS[] = { "Directory\\shell\\Brisevent", "Drive\\shell\\Brisevent" };
const char MENU_TEXT[] = "Changer l'&ic\xf4ne";

std::string Stored(HKEY root, const std::string& path, const char* name = nullptr)
{
    const RegistryData value = ReadRegistryData(root, path, name);
    return value.present ? std::string(value.data.begin(), value.data.end()) : "(absent)";
}

void StoreText(HKEY root, const std::string& path, const char* name, const char* text, DWORD options = 0)
{
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(root, path.c_str(), 0, nullptr, options, KEY_ALL_ACCESS, nullptr, &key, nullptr), ERROR_SUCCESS);
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), lstrlenA(text) + 1);
    RegCloseKey(key);
}

void Click(HWND window, int id)
{
    PostMessageA(GetDlgItem(window, id), BM_CLICK, 0, 0);
}

class ContextMenuOption : public ::testing::Test {
protected:
    std::string Option() const { return Stored(HKEY_CURRENT_USER, MARKER_KEY, "MenuContextuel"); }
    // Starts the program on the test's folder, answers its About box with
    // `button` (after `prepare`) and ends it from its main dialog.
    void Run(int button, std::function<void(HWND about)> prepare = nullptr, bool aboutFirst = true)
    {
        ProgramProcess program("\"" + temp.Path() + "\"");
        HWND about = nullptr;
        if (aboutFirst) {
            about = program.WaitForWindow(ABOUT_TITLE);
            ASSERT_NE(about, nullptr);
            EXPECT_EQ(program.VisibleWindow("Changer l'ic\xf4ne du dossier"), nullptr);
            EXPECT_TRUE(GetWindowLongA(about, GWL_EXSTYLE) & WS_EX_APPWINDOW);
        } else {
            Click(program.WaitForMainWindow(), IDC_ABOUT);
            about = program.WaitForWindow(ABOUT_TITLE);
            ASSERT_NE(about, nullptr);
        }
        if (prepare)
            prepare(about);
        if (button == IDCANCEL)
            PostMessageA(GetDlgItem(about, IDOK), WM_KEYDOWN, VK_ESCAPE, 1);
        else
            Click(about, button);
        const DWORD deadline = GetTickCount() + 20000;
        while (program.VisibleWindow(ABOUT_TITLE) && static_cast<LONG>(GetTickCount() - deadline) < 0)
            Sleep(20);
        EXPECT_EQ(program.VisibleWindow(ABOUT_TITLE), nullptr);
        const HWND main = program.WaitForMainWindow();
        ASSERT_NE(main, nullptr);
        Click(main, IDCANCEL);
        EXPECT_TRUE(program.WaitForEnd());
    }

    FirstRunScope firstRun;
    ScopedRegistryKey folderVerb{ HKEY_CLASSES_ROOT, VERBS[0] };
    ScopedRegistryKey driveVerb{ HKEY_CLASSES_ROOT, VERBS[1] };
    TempFolder temp;
};

int CheckState(HWND about)
{
    return static_cast<int>(SendMessageA(GetDlgItem(about, IDC_CONTEXT_MENU_OPTION), BM_GETCHECK, 0, 0));
}

} // namespace

TEST_F(ContextMenuOption, FirstStartOkRegistersBothVerbsWhoseCommandOpensTheFolder)
{
    Run(IDOK, [](HWND about) { EXPECT_EQ(CheckState(about), BST_CHECKED); });
    const std::string command = "\"" + PathBesideTests("Brisevent.exe") + "\" %1";
    for (const char* verb : VERBS) {
        EXPECT_EQ(Stored(HKEY_CLASSES_ROOT, verb), std::string(MENU_TEXT) + '\0');
        EXPECT_EQ(Stored(HKEY_CLASSES_ROOT, std::string(verb) + "\\command"), command + '\0');
    }
    EXPECT_EQ(Option(), std::string("2", 2));
    Run(IDOK, nullptr, false);

    TempFolder parent;
    const std::string folder = parent / "Dossier avec des espaces";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    ProgramProcess started(ProgramProcess::CommandLine{ command.substr(0, command.size() - 2) + folder });
    const HWND main = started.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(WindowText(GetDlgItem(main, IDC_TARGET_NAME)), "Dossier avec des espaces");
    Click(main, IDCANCEL);
}

TEST_F(ContextMenuOption, FirstStartEscapeWritesNothingAndTheBoxComesAgain)
{
    Run(IDCANCEL);
    Run(IDCANCEL);
    EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, OPTION_KEY));
    EXPECT_FALSE(RegistryKeyExists(HKEY_CLASSES_ROOT, VERBS[0]));
}

TEST_F(ContextMenuOption, UncheckedOkRemovesBothVerbsAndRecordsOff)
{
    for (const char* verb : VERBS)
        StoreText(HKEY_CLASSES_ROOT, std::string(verb) + "\\command", nullptr, "ancienne");
    Run(IDOK, [](HWND about) { Click(about, IDC_CONTEXT_MENU_OPTION); });
    EXPECT_FALSE(RegistryKeyExists(HKEY_CLASSES_ROOT, VERBS[0]));
    EXPECT_FALSE(RegistryKeyExists(HKEY_CLASSES_ROOT, VERBS[1]));
    EXPECT_EQ(Option(), std::string("0", 2));
}

TEST_F(ContextMenuOption, StoredStateDecidesTheCheckAndWhetherOkWrites)
{
    struct Case {
        const char* stored;
        int check;
        const char* after;          // the option after OK
        const char* folderVerb;     // the folder verb's menu text after OK
    };
    const Case cases[] = {
        { "2", BST_CHECKED, "2", "(absent)" },
        { "0", BST_UNCHECKED, "0", "ancien" },
        { "1", BST_CHECKED, "2", MENU_TEXT },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        StoreText(HKEY_CURRENT_USER, MARKER_KEY, "MenuContextuel", c.stored);
        SHDeleteKeyA(HKEY_CLASSES_ROOT, VERBS[0]);
        if (c.stored[0] == '0')
            StoreText(HKEY_CLASSES_ROOT, VERBS[0], nullptr, "ancien");
        Run(IDOK, [&](HWND about) { EXPECT_EQ(CheckState(about), c.check); }, false);
        EXPECT_EQ(Option(), std::string(c.after, 2));
        const std::string menu = Stored(HKEY_CLASSES_ROOT, VERBS[0]);
        EXPECT_EQ(menu.c_str(), std::string(c.folderVerb));
    }
}

TEST_F(ContextMenuOption, RefusedVerbWriteIsShownOnceAndTheChoiceIsStillRecorded)
{
    // A volatile key can hold no lasting "command" key: the write is refused.
    StoreText(HKEY_CLASSES_ROOT, VERBS[0], nullptr, "", REG_OPTION_VOLATILE);
    char reason[512] = "";
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, ERROR_CHILD_MUST_BE_VOLATILE, 0,
                   reason, sizeof reason, nullptr);
    ProgramProcess program("\"" + temp.Path() + "\"");
    Click(program.WaitForWindow(ABOUT_TITLE), IDOK);
    const HWND error = program.WaitForWindow("Erreur");
    ASSERT_NE(error, nullptr);
    EXPECT_EQ(WindowText(GetDlgItem(error, 0xFFFF)), reason);
    Click(error, IDOK);
    const HWND main = program.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(program.VisibleWindow("Erreur"), nullptr);
    EXPECT_EQ(Option(), std::string("2", 2));
    EXPECT_EQ(Stored(HKEY_CLASSES_ROOT, std::string(VERBS[1]) + "\\command").substr(0, 1), "\"");
    Click(main, IDCANCEL);
}
