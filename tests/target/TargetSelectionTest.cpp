// Where the target comes from: the command line, the folder browser and
// files dropped on the dialog; and what every new target does to the Cancel
// caption and to the infotip's label and edit.
#include "Support.h"
#include "harness/ModalDriver.h"
#include "harness/Windows.h"
#include <shlobj.h>
#include <algorithm>
#include <functional>
#include <cstring>
#include <functional>
#include <vector>

namespace {

// The identifier of the text of a message box, on Windows as on Wine.
constexpr int MESSAGE_BOX_TEXT = 0xFFFF;
const std::string NOT_CUSTOMISABLE = "Ce n'est pas un dossier pouvant \xeatre personnalis\xe9";
// The browser fills its tree from the shell before it answers; under an
// emulator that takes far longer than a message box.
constexpr DWORD BROWSER_DEADLINE_MS = 60000;

// Folders nested under `parent` until the path is exactly `length`
// characters long, made and removed through the long-path form so that
// neither is held to the ANSI limit. The deepest folder comes first.
class LongFolder {
public:
    LongFolder(const std::string& parent, size_t length)
    {
        std::string path = parent;
        while (path.size() < length) {
            // Room for the name after the backslash; a longer stretch is
            // split so that the last name keeps at least one character.
            const size_t room = length - path.size() - 1;
            const size_t name = room <= 200 ? room : std::min<size_t>(200, room - 2);
            path += "\\" + std::string(name, 'n');
            if (!CreateDirectoryW((L"\\\\?\\" + Wide(path)).c_str(), nullptr))
                break;
            m_made.push_back(path);
        }
    }
    ~LongFolder()
    {
        for (auto folder = m_made.rbegin(); folder != m_made.rend(); ++folder)
            RemoveDirectoryW((L"\\\\?\\" + Wide(*folder)).c_str());
    }
    LongFolder(const LongFolder&) = delete;
    LongFolder& operator=(const LongFolder&) = delete;

    std::string Path() const { return m_made.empty() ? std::string() : m_made.back(); }

private:
    std::vector<std::string> m_made;
};

// Every WM_ENABLE that reaches a control, which handles it as before.
class EnableMessages {
public:
    explicit EnableMessages(HWND control)
        : m_control(control),
          m_original(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(control, GWLP_WNDPROC)))
    {
        SetPropA(control, PROPERTY, this);
        SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Record));
    }
    ~EnableMessages()
    {
        SetWindowLongPtrA(m_control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_original));
        RemovePropA(m_control, PROPERTY);
    }
    EnableMessages(const EnableMessages&) = delete;
    EnableMessages& operator=(const EnableMessages&) = delete;

    std::vector<WPARAM> received;

private:
    static constexpr const char* PROPERTY = "BriseventEnableMessages";

    static LRESULT CALLBACK Record(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* self = static_cast<EnableMessages*>(GetPropA(window, PROPERTY));
        if (message == WM_ENABLE)
            self->received.push_back(wParam);
        return CallWindowProcA(self->m_original, window, message, wParam, lParam);
    }

    HWND m_control;
    WNDPROC m_original;
};

bool HasStyle(HWND window, DWORD style)
{
    return (static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)) & style) != 0;
}

} // namespace

class TargetSelectionTest : public TargetTest {
protected:
    // The system's folder browser, opened by the dialog; message boxes of
    // the dialog are "#32770" windows too, but have no tree.
    bool IsBrowser(HWND window) const
    {
        return window != dialog.m_hWnd && ClassName(window) == "#32770" &&
               GetWindow(window, GW_OWNER) == dialog.m_hWnd &&
               FindWindowExA(window, nullptr, "SysTreeView32", nullptr) != nullptr;
    }

    bool IsMessageBox(HWND window) const
    {
        return window != dialog.m_hWnd && ClassName(window) == "#32770" && !IsBrowser(window);
    }

    // The name of the item the browser's tree shows selected.
    static std::string BrowserSelection(HWND browser)
    {
        const HWND tree = FindWindowExA(browser, nullptr, "SysTreeView32", nullptr);
        char text[MAX_PATH] = "";
        TVITEMA item = {};
        item.mask = TVIF_TEXT;
        item.hItem = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
        item.pszText = text;
        item.cchTextMax = sizeof text;
        if (!item.hItem || !SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
            return std::string();
        return text;
    }

    // OK of the browser, pressed once the browser has enabled it: it is
    // disabled for a moment while the browser settles its tree.
    static bool PressBrowserOk(HWND browser)
    {
        const HWND ok = GetDlgItem(browser, IDOK);
        if (!IsWindowEnabled(ok))
            return false;
        PostMessageA(ok, BM_CLICK, 0, 0);
        return true;
    }

    // The browser, OK pressed on what it shows selected.
    ModalDriver::Step ChooseInBrowser()
    {
        return [this](HWND window) { return IsBrowser(window) && PressBrowserOk(window); };
    }

    // The message box that refuses the browser's choice, read by `read` and
    // answered. A browser still in front lost its click to OK while it
    // settled: OK is pressed again.
    ModalDriver::Step AnswerRefusal(std::function<void(HWND)> read)
    {
        return [this, read](HWND window) {
            if (IsBrowser(window)) {
                PressBrowserOk(window);
                return false;
            }
            if (!IsMessageBox(window))
                return false;
            read(window);
            PostMessageA(GetDlgItem(window, IDOK), BM_CLICK, 0, 0);
            return true;
        };
    }

    // The browser, `path` (whose own name is `name`) selected; OK is for a
    // later step. Wine's browser selects a folder only by an item equal to
    // its tree's, last access times included, and making the item from the
    // path reads the folders on the way, which can change such a time after
    // taking it: the path is asked again, and so made again, until the tree
    // shows it. An item made once, before, may never match.
    ModalDriver::Step SelectPathInBrowser(const char* path, const char* name)
    {
        return [this, path, name](HWND window) {
            if (!IsBrowser(window))
                return false;
            SendMessageA(window, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(path));
            return BrowserSelection(window) == name;
        };
    }

    // The browser's answer `item`, handed to the dialog without the browser;
    // each message box shown is answered and its text kept in `messages`.
    // True when the dialog took the item, false when it asks for the browser
    // again.
    bool HandOver(LPCITEMIDLIST item, std::vector<std::string>& messages)
    {
        ModalDriver driver;
        driver.Then([&](HWND window) {
            if (IsMessageBox(window)) {
                messages.push_back(WindowText(GetDlgItem(window, MESSAGE_BOX_TEXT)));
                PostMessageA(GetDlgItem(window, IDOK), BM_CLICK, 0, 0);
            }
            return false;
        });
        return dialog.TakeBrowsedItem(item);
    }

    // The same with the item the browser would hand over for `path`.
    bool HandOver(const std::wstring& path, std::vector<std::string>& messages)
    {
        const LPITEMIDLIST item = ILCreateFromPathW(path.c_str());
        EXPECT_NE(item, nullptr) << "no item for the path";
        const bool taken = item && HandOver(item, messages);
        ILFree(item);
        return taken;
    }

    // The browser, counted in `shown`, cancelled.
    ModalDriver::Step CancelBrowser(int& shown)
    {
        return [this, &shown](HWND window) {
            if (!IsBrowser(window))
                return false;
            ++shown;
            PostMessageA(GetDlgItem(window, IDCANCEL), BM_CLICK, 0, 0);
            return true;
        };
    }

    // The command-line step of start-up on a writable copy of `text`; answers
    // how often the browser showed, each time cancelled at once.
    int FromCommandLine(const std::string& text)
    {
        std::wstring writable = Wide(text);
        int browsers = 0;
        ModalDriver driver(BROWSER_DEADLINE_MS);
        driver.Then(CancelBrowser(browsers)).Then(CancelBrowser(browsers));
        dialog.TargetFromCommandLine(&writable[0]);
        return browsers;
    }

    // A real drop: DROPFILES with a double-zero-terminated list, in the
    // code page or in UTF-16 as the shell gives it, which the dialog must
    // release.
    template <class Char>
    void DropList(const std::vector<std::basic_string<Char>>& paths)
    {
        size_t size = sizeof(DROPFILES) + sizeof(Char);
        for (const auto& path : paths)
            size += (path.size() + 1) * sizeof(Char);
        const HGLOBAL memory = GlobalAlloc(GHND, size);
        ASSERT_NE(memory, nullptr);
        auto* files = static_cast<DROPFILES*>(GlobalLock(memory));
        files->pFiles = sizeof(DROPFILES);
        files->fWide = sizeof(Char) == sizeof(wchar_t);
        auto* list = reinterpret_cast<Char*>(reinterpret_cast<char*>(files) + sizeof(DROPFILES));
        for (const auto& path : paths) {
            std::memcpy(list, path.c_str(), (path.size() + 1) * sizeof(Char));
            list += path.size() + 1;
        }
        GlobalUnlock(memory);
        SendMessageA(dialog.m_hWnd, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
    }
    void Drop(const std::vector<std::string>& paths) { DropList(paths); }
    void DropWide(const std::vector<std::wstring>& paths) { DropList(paths); }

    void ExpectFolderTarget(const std::string& path, const char* name)
    {
        EXPECT_EQ(Target.kind, TargetKind::Folder);
        EXPECT_EQ(lstrcmpiW(Target.path, Wide(path).c_str()), 0) << Target.path;
        EXPECT_STREQ(Target.displayName, Wide(name).c_str());
        EXPECT_EQ(Text(IDC_TARGET_NAME), name);
    }

    void ExpectDriveTarget(const char* root)
    {
        EXPECT_EQ(Target.kind, TargetKind::Drive);
        EXPECT_EQ(lstrcmpiW(Target.path, Wide(root).c_str()), 0) << Target.path;
        EXPECT_STREQ(Target.displayName, Target.path) << "a drive is shown by its whole path";
        EXPECT_EQ(Text(IDC_TARGET_NAME), Narrow(Target.displayName));
    }

    void ExpectNoTarget()
    {
        EXPECT_STREQ(Target.path, L"");
        EXPECT_STREQ(Target.displayName, L"");
        EXPECT_EQ(Target.kind, TargetKind::Folder);
        EXPECT_EQ(Text(IDC_TARGET_NAME), "");
    }

    // The target as the test set it, never shown by the dialog.
    void ExpectTargetKept(const std::string& path)
    {
        EXPECT_EQ(Target.kind, TargetKind::Folder);
        EXPECT_STREQ(Target.path, Wide(path).c_str());
        EXPECT_EQ(Text(IDC_TARGET_NAME), "") << "no target was shown";
    }

    void SetCancelCaption(const char* caption) { SetWindowTextA(Control(IDCANCEL), caption); }
};

// ---- The command line ----

TEST_F(TargetSelectionTest, CommandLineFolderLosesOneQuoteAtEitherEnd)
{
    for (const std::string& text : { "\"" + folder + "\"", "\"" + folder, folder + "\"" }) {
        SCOPED_TRACE(text);
        Target = {};
        EXPECT_EQ(FromCommandLine(text), 0);
        ExpectFolderTarget(folder, "Vacances");
    }
}

TEST_F(TargetSelectionTest, CommandLineWithBlanksIsOnePathWithoutQuotes)
{
    const std::string blanks = temp / "Photos de l'\xe9t\xe9 2003";
    ASSERT_TRUE(CreateDirectoryA(blanks.c_str(), nullptr));

    EXPECT_EQ(FromCommandLine(blanks), 0);
    ExpectFolderTarget(blanks, "Photos de l'\xe9t\xe9 2003");
}

TEST_F(TargetSelectionTest, CommandLineDriveRootBecomesADriveTarget)
{
    EXPECT_EQ(FromCommandLine("C:\\"), 0);
    ExpectDriveTarget("C:\\");
}

TEST_F(TargetSelectionTest, CommandLineThatIsOneQuoteChoosesNothingAndOpensNoBrowser)
{
    EXPECT_EQ(FromCommandLine("\""), 0);
    ExpectNoTarget();
}

// Each is refused in silence: no target, no message, no browser. A folder
// with a trailing backslash would pass for a drive on Wine, and the wildcard
// would let the search find "Vacances".
TEST_F(TargetSelectionTest, CommandLineThatNamesNoFolderOrDriveRootChoosesNothing)
{
    LongFolder exact(temp.Path(), MAX_PATH - 1);
    LongFolder deeper(exact.Path(), 300);
    ASSERT_EQ(deeper.Path().size(), 300u);
    const std::string refused[] = {
        iconFile,
        temp / "Absent",
        folder + "\\",
        temp / "Vac?nces",
        temp / "Vac*",
        deeper.Path(),
    };
    for (const std::string& text : refused) {
        SCOPED_TRACE(text);
        EXPECT_EQ(FromCommandLine(text), 0);
        ExpectNoTarget();
        // The road a dropped folder takes, whatever the shell made of it.
        dialog.SelectTarget(Wide(text).c_str());
        ExpectNoTarget();
    }
}

// However the path is spelt, the target is the folder by the one full path
// the system names it by, made from the current folder at start-up: a later
// change of the current folder changes nothing.
TEST_F(TargetSelectionTest, CommandLinePathBecomesTheFullPathTheSystemNamesTheFolderBy)
{
    const std::string named = temp / "Photos de vacances";
    ASSERT_TRUE(CreateDirectoryA(named.c_str(), nullptr));
    char shortName[MAX_PATH] = "";
    ASSERT_GT(GetShortPathNameA(named.c_str(), shortName, sizeof shortName), 0u);
    char started[MAX_PATH];
    GetCurrentDirectoryA(sizeof started, started);
    for (const std::string& text : { std::string("Photos de vacances"), std::string(".\\Vacances\\..\\Photos de vacances"),
                                     "\"" + named + " \"", std::string(shortName) }) {
        SCOPED_TRACE(text);
        Target = {};
        ASSERT_TRUE(SetCurrentDirectoryA(temp.Path().c_str()));
        EXPECT_EQ(FromCommandLine(text), 0);
        SetCurrentDirectoryA(started);
        EXPECT_STREQ(Target.path, Wide(named).c_str());
        EXPECT_EQ(Text(IDC_TARGET_NAME), "Photos de vacances");
    }
}

TEST_F(TargetSelectionTest, OnlyAnEmptyCommandLineOpensTheBrowser)
{
    EXPECT_EQ(FromCommandLine(""), 1);
    ExpectNoTarget();
    EXPECT_EQ(FromCommandLine(folder), 0);
    ExpectFolderTarget(folder, "Vacances");
}

// ---- The folder browser ----

// What the browser hands over, without the browser: the rules behind it
// hold whatever the platform's browser does while it settles.
TEST_F(TargetSelectionTest, BrowsedFolderOrDriveRootBecomesTheTargetWithoutAMessage)
{
    std::vector<std::string> messages;
    EXPECT_TRUE(HandOver(Wide(folder), messages));
    ExpectFolderTarget(folder, "Vacances");
    EXPECT_TRUE(HandOver(L"C:\\", messages));
    ExpectDriveTarget("C:\\");
    EXPECT_TRUE(messages.empty());
}

// Each is refused with a message, the target stays, and the browser is
// asked for again.
TEST_F(TargetSelectionTest, BrowsedItemThatIsNoFolderOrDriveRootIsRefusedWithAMessage)
{
    const std::string gone = temp / "Disparu";
    ASSERT_TRUE(CreateDirectoryA(gone.c_str(), nullptr));
    const LPITEMIDLIST goneItem = ILCreateFromPathA(gone.c_str());
    ASSERT_NE(goneItem, nullptr);
    ASSERT_TRUE(RemoveDirectoryA(gone.c_str()));
    LPITEMIDLIST computer = nullptr;
    ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &computer), S_OK);
    const LPITEMIDLIST fileItem = ILCreateFromPathA(iconFile.c_str());
    ASSERT_NE(fileItem, nullptr);
    Take(folder, TargetKind::Folder);

    for (const LPITEMIDLIST item : { goneItem, computer, fileItem }) {
        std::vector<std::string> messages;
        EXPECT_FALSE(HandOver(item, messages));
        EXPECT_EQ(messages, std::vector<std::string>{ NOT_CUSTOMISABLE });
        ExpectTargetKept(folder);
        ILFree(item);
    }
}

// ---- The folder browser itself: one test for each way it ends ----

TEST_F(TargetSelectionTest, RefusedBrowserChoiceWarnsAndShowsTheBrowserAgain)
{
    const std::string gone = temp / "Disparu";
    ASSERT_TRUE(CreateDirectoryA(gone.c_str(), nullptr));
    // The browser opens on the target, asked for again until the tree shows
    // it. The folder goes only then, so that OK returns a folder that is no
    // more.
    Take(gone, TargetKind::Folder);
    std::string caption;
    std::string message;
    int browsers = 0;
    ModalDriver driver(BROWSER_DEADLINE_MS);
    driver.Then(SelectPathInBrowser(gone.c_str(), "Disparu"))
        .Then([&](HWND window) { return IsBrowser(window) && RemoveDirectoryA(gone.c_str()); })
        .Then(ChooseInBrowser())
        .Then(AnswerRefusal([&](HWND box) {
            caption = WindowText(box);
            message = WindowText(GetDlgItem(box, MESSAGE_BOX_TEXT));
        }))
        .Then(CancelBrowser(browsers));
    dialog.BrowseForTarget();

    EXPECT_TRUE(driver.Done());
    EXPECT_EQ(caption, "Ostravel");
    EXPECT_EQ(message, NOT_CUSTOMISABLE);
    EXPECT_EQ(browsers, 1);
    ExpectTargetKept(gone);
}

TEST_F(TargetSelectionTest, CancelledBrowserKeepsThePreviousTarget)
{
    Take(folder, TargetKind::Folder);
    SetCancelCaption("Fermer");
    int browsers = 0;
    ModalDriver driver(BROWSER_DEADLINE_MS);
    driver.Then(CancelBrowser(browsers));
    dialog.BrowseForTarget();

    EXPECT_EQ(browsers, 1);
    ExpectTargetKept(folder);
    EXPECT_EQ(Text(IDCANCEL), "Fermer");
}

TEST_F(TargetSelectionTest, BrowserOpensOnTheCurrentTarget)
{
    Take(folder, TargetKind::Folder);
    ModalDriver driver(BROWSER_DEADLINE_MS);
    driver
        .Then([&](HWND window) { return IsBrowser(window) && BrowserSelection(window) == "Vacances"; })
        .Then(ChooseInBrowser());
    dialog.BrowseForTarget();

    EXPECT_TRUE(driver.Done());
    ExpectFolderTarget(folder, "Vacances");
}

// Before the main dialog shows, the browser is the only window to reach
// from the taskbar.
TEST_F(TargetSelectionTest, BrowserHasATaskbarButtonOnlyWhileTheDialogIsHidden)
{
    for (const bool hidden : { true, false }) {
        SCOPED_TRACE(hidden ? "dialog hidden" : "dialog shown");
        ShowWindow(dialog.m_hWnd, hidden ? SW_HIDE : SW_SHOWNA);
        bool appWindow = !hidden;
        ModalDriver driver(BROWSER_DEADLINE_MS);
        driver.Then([&](HWND window) {
            if (!IsBrowser(window))
                return false;
            appWindow = (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_APPWINDOW) != 0;
            PostMessageA(GetDlgItem(window, IDCANCEL), BM_CLICK, 0, 0);
            return true;
        });
        dialog.BrowseForTarget();
        EXPECT_TRUE(driver.Done());
        EXPECT_EQ(appWindow, hidden);
    }
}

// ---- Dropped files ----

TEST_F(TargetSelectionTest, DroppedFolderBecomesTheTarget)
{
    Drop({ folder });
    ExpectFolderTarget(folder, "Vacances");
}

TEST_F(TargetSelectionTest, DroppedDriveRootBecomesADriveTarget)
{
    Drop({ "C:\\" });
    ExpectDriveTarget("C:\\");
}

// Folders dropped together, or named on the command line each in quotes,
// are the target together, whatever else comes with them, each once; the
// first is the one shown. A drive goes alone.
TEST_F(TargetSelectionTest, FoldersGivenTogetherBecomeTheTargetTogether)
{
    const std::string other = temp / "Autre";
    const std::string third = temp / "Troisi\xe8me";
    ASSERT_TRUE(CreateDirectoryA(other.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(third.c_str(), nullptr));
    const std::string a = "\"" + folder + "\"", b = "\"" + other + "\"", c = "\"" + third + "\"";
    const struct { std::function<void()> give; std::string first; const char* name; } cases[] = {
        { [&] { Drop({ folder, other, third }); }, folder, "3 dossiers" },
        { [&] { Drop({ folder, iconFile, "C:\\", other, folder }); }, folder, "2 dossiers" },
        { [&] { Drop({ iconFile, other }); }, other, "Autre" },
        { [&] { FromCommandLine(" " + a + " \t" + b + " " + c + " "); }, folder, "3 dossiers" },
        { [&] { FromCommandLine(b + " \"" + iconFile + "\" " + b); }, other, "Autre" },
        { [&] { FromCommandLine(a + " " + b.substr(0, b.size() - 1)); }, "", "" },
        { [&] { FromCommandLine(a + b); }, "", "" },
    };
    for (const auto& given : cases) {
        SCOPED_TRACE(&given - cases);
        Target = {};
        SetWindowTextA(Control(IDC_TARGET_NAME), "");
        given.give();
        EXPECT_STREQ(Target.path, Wide(given.first).c_str());
        EXPECT_STREQ(Target.displayName, Wide(given.name).c_str());
        EXPECT_EQ(Text(IDC_TARGET_NAME), given.name);
    }
}

TEST_F(TargetSelectionTest, DroppedIconFileFillsTheGridAndKeepsTheTarget)
{
    Take(folder, TargetKind::Folder);
    Drop({ iconFile });

    EXPECT_STREQ(dialog.IconGrid().m_currentFile, Wide(iconFile).c_str());
    EXPECT_EQ(SendMessageA(Control(IDC_ICON_GRID), LB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(Selection(), 0);
    EXPECT_EQ(Text(IDC_ICON_FILE), iconFile);
    ExpectTargetKept(folder);
}

TEST_F(TargetSelectionTest, DroppedFileWithoutIconsChangesNothing)
{
    Take(folder, TargetKind::Folder);
    ASSERT_TRUE(dialog.ChooseIcon(Wide(iconFile).c_str(), 1));
    const std::string text = temp / "notes.txt";
    ASSERT_TRUE(WritePrivateProfileStringA("pas", "une", "ic\xf4ne", text.c_str()));

    Drop({ text });
    EXPECT_STREQ(dialog.IconGrid().m_currentFile, Wide(iconFile).c_str());
    EXPECT_EQ(Selection(), 1);
    EXPECT_EQ(Text(IDC_ICON_FILE), iconFile);
    ExpectTargetKept(folder);
}

// Cut to the buffer, the path would name the folder that holds it.
TEST_F(TargetSelectionTest, OverLongDroppedPathIsRefusedWhole)
{
    LongFolder exact(temp.Path(), MAX_PATH - 1);
    ASSERT_EQ(exact.Path().size(), static_cast<size_t>(MAX_PATH - 1));
    const std::string dropped = exact.Path() + "\\" + std::string(300 - MAX_PATH, 'd');
    ASSERT_EQ(dropped.size(), 300u);
    Take(folder, TargetKind::Folder);
    ASSERT_TRUE(dialog.ChooseIcon(Wide(iconFile).c_str(), 1));

    Drop({ dropped });
    ExpectTargetKept(folder);
    EXPECT_STREQ(dialog.IconGrid().m_currentFile, Wide(iconFile).c_str());
    EXPECT_EQ(Selection(), 1);
}

// ---- What every new target resets ----

TEST_F(TargetSelectionTest, EveryNewTargetSetsCancelBackToAnnuler)
{
    SetCancelCaption("Fermer");
    EXPECT_EQ(FromCommandLine(folder), 0);
    EXPECT_EQ(Text(IDCANCEL), "Annuler") << "from the command line";

    SetCancelCaption("Fermer");
    std::vector<std::string> messages;
    HandOver(L"C:\\", messages);
    EXPECT_EQ(Text(IDCANCEL), "Annuler") << "from the browser";

    SetCancelCaption("Fermer");
    Drop({ folder });
    EXPECT_EQ(Text(IDCANCEL), "Annuler") << "dropped";

    SetCancelCaption("Fermer");
    Drop({ temp / "Absent" });
    dialog.SelectTarget(Wide(temp / "Absent").c_str());
    EXPECT_EQ(Text(IDCANCEL), "Fermer") << "a refused path is no new target";
}

// The infotip belongs to folders: a drive greys its label and edit by the
// message alone, so that their enabled state stays what it was.
TEST_F(TargetSelectionTest, FolderTargetTellsTheInfoTipItIsEnabledWithoutEnablingIt)
{
    EnableWindow(Control(IDC_INFOTIP_LABEL), FALSE);
    EnableWindow(Control(IDC_INFOTIP), FALSE);
    EnableMessages label(Control(IDC_INFOTIP_LABEL));
    EnableMessages edit(Control(IDC_INFOTIP));

    dialog.SelectTarget(Wide(folder).c_str());
    EXPECT_EQ(label.received, std::vector<WPARAM>{ TRUE });
    EXPECT_EQ(edit.received, std::vector<WPARAM>{ TRUE });
    EXPECT_TRUE(HasStyle(Control(IDC_INFOTIP_LABEL), WS_DISABLED));
    EXPECT_TRUE(HasStyle(Control(IDC_INFOTIP), WS_DISABLED));
}

TEST_F(TargetSelectionTest, DriveTargetTellsTheInfoTipItIsDisabledWithoutDisablingIt)
{
    EnableWindow(Control(IDC_INFOTIP_LABEL), TRUE);
    EnableWindow(Control(IDC_INFOTIP), TRUE);
    EnableMessages label(Control(IDC_INFOTIP_LABEL));
    EnableMessages edit(Control(IDC_INFOTIP));

    dialog.SelectTarget(L"C:\\");
    EXPECT_EQ(label.received, std::vector<WPARAM>{ FALSE });
    EXPECT_EQ(edit.received, std::vector<WPARAM>{ FALSE });
    EXPECT_FALSE(HasStyle(Control(IDC_INFOTIP_LABEL), WS_DISABLED));
    EXPECT_FALSE(HasStyle(Control(IDC_INFOTIP), WS_DISABLED));
}

// ---- Names outside the code page ----

// Each folder has a look-alike in the code page beside it. Dropped, handed
// over by the browser or named on the command line, the folder is taken as
// itself and customised so, and its look-alike is never touched; an icon
// file likewise.
TEST_F(TargetSelectionTest, PathOutsideTheCodePageIsTakenAsItselfNeverAsItsLookAlike)
{
    const std::wstring base = Wide(temp.Path()) + L"\\";
    ASSERT_TRUE(CreateDirectoryA((temp / "x").c_str(), nullptr));
    const std::pair<std::wstring, std::string> folders[] = {
        { base + L"\x03a9mega \x263c \xd83d\xdcf7", temp / "Omega" },
        { base + L"\x0141\x00f3\x64\x017a", temp / "L\xf3" "dz" },
        { base + L"\xff21\xff22", temp / "AB" },
        { base + L"x\xff3cy", temp / "x\\y" },
    };
    std::wstring commandLine;
    const std::function<void(const std::wstring&)> roads[] = {
        [&](const std::wstring& path) { DropWide({ path }); },
        [&](const std::wstring& path) {
            std::vector<std::string> messages;
            EXPECT_TRUE(HandOver(path, messages));
        },
        [&](const std::wstring& path) {
            commandLine = L"\"" + path + L"\"";
            dialog.TargetFromCommandLine(&commandLine[0]);
        },
    };
    for (const auto& [wide, lookAlike] : folders) {
        SCOPED_TRACE(lookAlike);
        ASSERT_TRUE(CreateDirectoryW(wide.c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryA(lookAlike.c_str(), nullptr));
        for (const auto& road : roads) {
            dialog.SelectTarget(Wide(folder).c_str());
            road(wide);
            EXPECT_STREQ(Target.path, wide.c_str());
            EXPECT_STREQ(Target.displayName, wide.substr(base.size()).c_str());
        }
        ASSERT_TRUE(dialog.ChooseIcon(Wide(iconFile).c_str(), 1));
        EXPECT_TRUE(dialog.ApplyCommand());
        EXPECT_NE(GetFileAttributesW((wide + L"\\desktop.ini").c_str()), INVALID_FILE_ATTRIBUTES);
        EXPECT_EQ(GetFileAttributesA((lookAlike + "\\desktop.ini").c_str()), INVALID_FILE_ATTRIBUTES);
        EXPECT_FALSE(GetFileAttributesA(lookAlike.c_str()) & FILE_ATTRIBUTE_SYSTEM) << lookAlike;
    }

    // Dropped together, they are one target of three, each customised.
    DropWide({ folders[0].first, folders[1].first, folders[2].first });
    EXPECT_STREQ(Target.displayName, L"3 dossiers");
    ASSERT_TRUE(dialog.ChooseIcon(Wide(iconFile).c_str(), 2));
    EXPECT_TRUE(dialog.ApplyCommand());
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(GetPrivateProfileIntW(L".ShellClassInfo", L"IconIndex", -1, (folders[i].first + L"\\desktop.ini").c_str()), 2);

    const std::wstring omegaIcons = base + L"\x03a9icone.dll";
    ASSERT_TRUE(CopyFileW(Wide(iconFile).c_str(), omegaIcons.c_str(), TRUE));
    ASSERT_TRUE(CopyFileA(iconFile.c_str(), (temp / "Oicone.dll").c_str(), TRUE));
    DropWide({ omegaIcons });
    EXPECT_STREQ(dialog.IconGrid().m_currentFile, omegaIcons.c_str());
}

// A folder whose desktop.ini path would not fit in a path is refused when it
// is chosen, by each road the way that road refuses a folder.
TEST_F(TargetSelectionTest, FolderTooLongForItsDesktopIniIsRefusedWhenChosen)
{
    LongFolder deep(temp.Path(), MAX_PATH - 10);
    ASSERT_EQ(deep.Path().size(), static_cast<size_t>(MAX_PATH - 10));

    EXPECT_EQ(FromCommandLine(deep.Path()), 0);
    ExpectNoTarget();
    Drop({ deep.Path() });
    ExpectNoTarget();

    std::vector<std::string> messages;
    EXPECT_FALSE(HandOver(Wide(deep.Path()), messages));
    EXPECT_EQ(messages, std::vector<std::string>{ NOT_CUSTOMISABLE });
    ExpectNoTarget();
}

// The platform's icon reader reads past the end of these files: dropped, or
// named as the default icon, they change nothing, and the test lives.
TEST_F(TargetSelectionTest, MalformedIconFileIsOneWithoutIcons)
{
    Take(folder, TargetKind::Folder);
    ASSERT_TRUE(dialog.ChooseIcon(Wide(iconFile).c_str(), 1));
    EnableWindow(Control(IDC_APPLY), FALSE);
    for (const char* malformed : MALFORMED_ICON_FILES) {
        SCOPED_TRACE(malformed);
        Drop({ PathBesideTests(malformed) });
        ScopedDefaultIcon standard("Directory", PathBesideTests(malformed));
        SendMessageA(dialog.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_DEFAULT_ICON, BN_CLICKED),
                     reinterpret_cast<LPARAM>(Control(IDC_DEFAULT_ICON)));
        EXPECT_STREQ(dialog.IconGrid().m_currentFile, Wide(iconFile).c_str());
        EXPECT_EQ(Selection(), 1);
        EXPECT_FALSE(Enabled(IDC_APPLY));
    }
}
