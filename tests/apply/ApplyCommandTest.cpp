// The apply command as the main dialog runs it: what OK, Apply, a double
// click in the grid and the infotip edit write for a folder or a drive, when
// the dialog closes, the recent icon files, and what the shell is told.
#include "ShellNotifications.h"
#include "Support.h"
#include "apply/DesktopIni.h"
#include "harness/RegistryKey.h"
#include "harness/Windows.h"
#include "harness/DefaultIconKey.h"
#include "target/Target.h"
#include <shlobj.h>
#include <functional>
#include <memory>
#include <vector>

namespace {

const std::string DRIVE_ICONS = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\DriveIcons";
const std::string DRIVE_C_ICON = DRIVE_ICONS + "\\C\\DefaultIcon";
const char RECENT_KEY[] = "Software\\KORBINEX\\Brisevent";
const char DRIVE_C[] = "C:\\";

struct StoredValue {
    bool present = false;
    DWORD type = 0;
    std::string bytes;
};

StoredValue ReadValue(HKEY root, const std::string& path, const char* name)
{
    const RegistryData stored = ReadRegistryData(root, path, name);
    return { stored.present, stored.type, std::string(stored.data.begin(), stored.data.end()) };
}

void WriteText(HKEY root, const std::string& path, const std::string& text)
{
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | REGISTRY_VIEW, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
    RegCloseKey(key);
}

std::string WithZero(const std::string& text)
{
    return text + '\0';
}

std::string Upper(std::string text)
{
    CharUpperA(&text[0]);
    return text;
}

DWORD SystemImageIndex(const std::string& path)
{
    SHFILEINFOA info = {};
    SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX);
    return static_cast<DWORD>(info.iIcon);
}

class ApplyCommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Target = {};
        DefaultIcons = {};
        PendingIniDeletions.clear();
        folder = temp / "Vacances";
        ini = folder + "\\desktop.ini";
        ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
        iconFile = temp / "trois.dll";
        ASSERT_TRUE(CopyFileA(PathBesideTests("icon-files\\three-icons.dll").c_str(), iconFile.c_str(), TRUE))
            << "the icon files are made with the icon grid's tests";
    }

    // The default icons are read as the dialog initialises: a test that
    // makes their keys opens the dialog afterwards.
    void Open() { ASSERT_TRUE(dialog.Create()); }

    // Runs `action` once the dialog, run modally, faces the user.
    ModalDriver::Step OnDialog(std::function<void()> action)
    {
        return [this, action](HWND window) {
            if (window != dialog.m_hWnd)
                return false;
            action();
            return true;
        };
    }

    // The dialog run modally: `choose` makes a choice and presses OK, each
    // message box that follows is answered, and the dialog, still open, is
    // read and cancelled. False when OK closed it.
    struct AfterOk {
        std::vector<std::string> boxes;   // "caption: text"
        bool applyEnabled = false;
        int selection = -1;
    };
    bool PressOk(std::function<void()> choose, AfterOk& after)
    {
        ModalDriver driver;
        driver.Then(OnDialog([&] {
                  choose();
                  PostMessageA(Control(IDOK), BM_CLICK, 0, 0);
              }))
            .Then([&](HWND window) {
                if (window == dialog.m_hWnd)
                    return false;
                after.boxes.push_back(WindowText(window) + ": " + WindowText(GetDlgItem(window, 0xFFFF)));
                PostMessageA(GetDlgItem(window, IDOK), BM_CLICK, 0, 0);
                return true;
            })
            .Then(OnDialog([&] {
                after.applyEnabled = Enabled(IDC_APPLY);
                after.selection = static_cast<int>(SendMessageA(Control(IDC_ICON_GRID), LB_GETCURSEL, 0, 0));
                Click(IDCANCEL);
            }));
        const bool stayedOpen = dialog.DoModal() == IDCANCEL;
        EXPECT_TRUE(driver.Done());
        return stayedOpen;
    }

    HWND Control(int id) const { return GetDlgItem(dialog.m_hWnd, id); }
    bool Enabled(int id) const { return IsWindowEnabled(Control(id)) != FALSE; }
    void Click(int id) const { SendMessageA(Control(id), BM_CLICK, 0, 0); }
    void Command(int id, WORD code) const
    {
        SendMessageA(dialog.m_hWnd, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(Control(id)));
    }
    void Choose(int index) { ASSERT_TRUE(dialog.ChooseIcon(Wide(iconFile).c_str(), index)); }
    void Unselect() const { SendMessageA(Control(IDC_ICON_GRID), LB_SETCURSEL, static_cast<WPARAM>(-1), 0); }
    // Replaces the infotip as typing it would.
    void TypeInfoTip(const std::string& text) const
    {
        SendMessageA(Control(IDC_INFOTIP), EM_SETSEL, 0, -1);
        for (char c : text)
            SendMessageA(Control(IDC_INFOTIP), WM_CHAR, static_cast<BYTE>(c), 1);
    }
    // desktop.ini as an apply writes it, with icon `index` of the test's file.
    std::string IniFor(int index, const std::string& infoTip) const
    {
        return "[.ShellClassInfo]\r\n"
               "IconFile=" + iconFile + "\r\n"
               "IconIndex=" + std::to_string(index) + "\r\n"
               "ConfirmFileOp=0\r\n" +
               (infoTip.empty() ? "" : "InfoTip=" + infoTip + "\r\n");
    }

    ScopedRegistryKey recent{ HKEY_CURRENT_USER, RECENT_KEY };
    TempFolder temp;
    std::string folder;
    std::string ini;
    std::string iconFile;
    FolderIconDialog dialog;
};

} // namespace

// --- A folder --------------------------------------------------------------

TEST_F(ApplyCommandTest, FolderGetsTheGridsIconAndTheInfoTipWithItsAttributes)
{
    Open();
    dialog.SelectTarget(Wide(folder).c_str());
    Choose(2);
    TypeInfoTip("Photos d'\xe9t\xe9");
    Click(IDC_APPLY);

    EXPECT_EQ(ReadBytes(ini), IniFor(2, "Photos d'\xe9t\xe9"));
    EXPECT_EQ(Attributes(folder), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_SYSTEM));
    EXPECT_EQ(Attributes(ini), static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));
}

TEST_F(ApplyCommandTest, DefaultFolderIconInOtherLetterCaseRemovesTheCustomisation)
{
    ScopedDefaultIcon standard("Directory", Upper(iconFile) + ",1");
    Open();
    dialog.SelectTarget(Wide(folder).c_str());
    Choose(2);
    TypeInfoTip("Souvenirs");
    Click(IDC_APPLY);
    ASSERT_EQ(ReadBytes(ini), IniFor(2, "Souvenirs"));

    Choose(1);
    Click(IDC_APPLY);
    EXPECT_EQ(ReadBytes(ini), "[.ShellClassInfo]\r\nInfoTip=Souvenirs\r\n");
    // The infotip still needs a System folder.
    EXPECT_EQ(Attributes(folder), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_SYSTEM));
}

TEST_F(ApplyCommandTest, OkAfterAPlainWriteClosesAtOnce)
{
    DWORD clicked = 0;
    ModalDriver driver;
    driver.Then(OnDialog([&] {
        dialog.SelectTarget(Wide(folder).c_str());
        Choose(2);
        clicked = GetTickCount();
        Click(IDOK);
    }));
    const INT_PTR result = dialog.DoModal();
    const DWORD elapsed = GetTickCount() - clicked;

    EXPECT_FALSE(driver.TimedOut());
    EXPECT_EQ(result, IDOK);
    EXPECT_LT(elapsed, static_cast<DWORD>(APPLY_TIMER_PERIOD_MS));
    EXPECT_EQ(ReadBytes(ini), IniFor(2, ""));
}

TEST_F(ApplyCommandTest, OkThatEmptiesDesktopIniClosesOnceTheTimerHasDeletedIt)
{
    ScopedDefaultIcon standard("Directory", iconFile + ",1");
    WriteBytes(ini, IniFor(2, ""));
    DWORD clicked = 0;
    bool openWithFile = false;
    ModalDriver driver;
    driver.Then(OnDialog([&] {
        dialog.SelectTarget(Wide(folder).c_str());
        Choose(1);
        clicked = GetTickCount();
        Click(IDOK);
    }));
    driver.Then(OnDialog([&] { openWithFile = Exists(ini); }));
    const INT_PTR result = dialog.DoModal();
    const DWORD elapsed = GetTickCount() - clicked;

    EXPECT_FALSE(driver.TimedOut());
    EXPECT_TRUE(driver.Done()) << "the dialog closed before the file was deleted";
    EXPECT_TRUE(openWithFile);
    EXPECT_EQ(result, IDOK);
    EXPECT_FALSE(Exists(ini));
    EXPECT_GE(elapsed, static_cast<DWORD>(APPLY_TIMER_PERIOD_MS - 50));
}

// --- A drive ---------------------------------------------------------------

TEST_F(ApplyCommandTest, DriveGetsTheIconInTheRegistryAndTheDefaultDriveIconResetsIt)
{
    ScopedRegistryKey drive(HKEY_LOCAL_MACHINE, DRIVE_ICONS + "\\C");
    ScopedDefaultIcon standard("Drive", Upper(iconFile) + ",1");
    Open();
    dialog.SelectTarget(Wide(DRIVE_C).c_str());
    ASSERT_EQ(Target.kind, TargetKind::Drive);
    Choose(2);
    Click(IDC_APPLY);
    // The grid keeps the spelling under which it loaded the file: here the
    // default icon's, which showing the drive loaded first.
    const std::string gridFile = Narrow(dialog.IconGrid().m_currentFile);
    ASSERT_EQ(lstrcmpiA(gridFile.c_str(), iconFile.c_str()), 0);
    const StoredValue set = ReadValue(HKEY_LOCAL_MACHINE, DRIVE_C_ICON, nullptr);
    EXPECT_EQ(set.type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(set.bytes, WithZero(gridFile + ",2"));

    Choose(1);
    Click(IDC_APPLY);
    EXPECT_FALSE(ReadValue(HKEY_LOCAL_MACHINE, DRIVE_C_ICON, nullptr).present);
    EXPECT_TRUE(RegistryKeyExists(HKEY_LOCAL_MACHINE, DRIVE_C_ICON));
}

// Today's systems name their default folder icon by resource id, or not at
// all (a fresh Wine), and Windows writes IconResource beside IconFile: in
// every case the default removes the customisation.
TEST_F(ApplyCommandTest, DefaultRemovesTheIconWhereverTheSystemAndTheFileNameIt)
{
    struct Case {
        const char* name;
        const char* defaultIcon;   // null: no key at all
        bool iconResource;
    };
    for (const Case& c : { Case{ "no key", nullptr, false },
                           Case{ "resource id", "%SystemRoot%\\system32\\shell32.dll,-4", false },
                           Case{ "IconResource", nullptr, true } }) {
        SCOPED_TRACE(c.name);
        ScopedRegistryKey noKey(HKEY_CLASSES_ROOT, "Directory\\DefaultIcon");
        std::unique_ptr<ScopedDefaultIcon> standard;
        if (c.defaultIcon)
            standard = std::make_unique<ScopedDefaultIcon>("Directory", c.defaultIcon);
        WriteBytes(ini, IniFor(2, "") + (c.iconResource ? "IconResource=" + iconFile + ",2\r\n" : ""));
        ASSERT_TRUE(SetFileAttributesA(folder.c_str(), FILE_ATTRIBUTE_SYSTEM));

        FolderIconDialog shown;
        ASSERT_TRUE(shown.Create());
        shown.SelectTarget(Wide(folder).c_str());
        EXPECT_EQ(SendMessageA(GetDlgItem(shown.m_hWnd, IDC_ICON_GRID), LB_GETCURSEL, 0, 0), 2);
        SendMessageA(GetDlgItem(shown.m_hWnd, IDC_DEFAULT_ICON), BM_CLICK, 0, 0);
        SendMessageA(GetDlgItem(shown.m_hWnd, IDC_APPLY), BM_CLICK, 0, 0);
        EXPECT_EQ(ProfileValue(ini, ".ShellClassInfo", "IconFile"), "");
        EXPECT_EQ(ProfileValue(ini, ".ShellClassInfo", "IconResource"), "");
        EXPECT_FALSE(Attributes(folder) & FILE_ATTRIBUTE_SYSTEM);
        DestroyWindow(shown.m_hWnd);
        DeleteFileA(ini.c_str());
        PendingIniDeletions.clear();
    }
}

// Wine's shell ignores the drive's own icon: the program reads it itself,
// its index after the last comma, as the shell does.
TEST_F(ApplyCommandTest, ReopenedDriveShowsItsIconAndTheDefaultResetsIt)
{
    ScopedRegistryKey drive(HKEY_LOCAL_MACHINE, DRIVE_ICONS + "\\C");
    ScopedRegistryKey noDefault(HKEY_CLASSES_ROOT, "Drive\\DefaultIcon");
    const std::string commaFolder = temp / "Ic\xf4nes, 2013";
    ASSERT_TRUE(CreateDirectoryA(commaFolder.c_str(), nullptr));
    iconFile = commaFolder + "\\trois.dll";
    ASSERT_TRUE(CopyFileA(PathBesideTests("icon-files\\three-icons.dll").c_str(), iconFile.c_str(), TRUE));
    Open();
    dialog.SelectTarget(Wide(DRIVE_C).c_str());
    Choose(2);
    Click(IDC_APPLY);
    dialog.SelectTarget(Wide(DRIVE_C).c_str());

    EXPECT_EQ(lstrcmpiW(dialog.IconGrid().m_currentFile, Wide(iconFile).c_str()), 0) << dialog.IconGrid().m_currentFile;
    EXPECT_EQ(SendMessageA(Control(IDC_ICON_GRID), LB_GETCURSEL, 0, 0), 2);
    EXPECT_TRUE(SameIcons(reinterpret_cast<HICON>(SendMessageA(Control(IDC_TARGET_ICON), STM_GETICON, 0, 0)),
                          iconFile.c_str(), 2));
    ASSERT_TRUE(Enabled(IDC_DEFAULT_ICON));
    Click(IDC_DEFAULT_ICON);
    Click(IDC_APPLY);
    EXPECT_FALSE(ReadValue(HKEY_LOCAL_MACHINE, DRIVE_C_ICON, nullptr).present);
    EXPECT_FALSE(Enabled(IDC_DEFAULT_ICON));
}

// Without administrator rights the drive's key refuses the write; under Wine
// a volatile letter key refuses a lasting DefaultIcon below it.
TEST_F(ApplyCommandTest, RefusedDriveWriteShowsTheSystemsReasonAndKeepsTheChoice)
{
    ScopedRegistryKey drive(HKEY_LOCAL_MACHINE, DRIVE_ICONS + "\\C");
    HKEY letter;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, (DRIVE_ICONS + "\\C").c_str(), 0, nullptr, REG_OPTION_VOLATILE,
                              KEY_ALL_ACCESS | REGISTRY_VIEW, nullptr, &letter, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(letter);
    Open();
    dialog.SelectTarget(Wide(DRIVE_C).c_str());
    Choose(2);
    {
        MessageBoxAnswers boxes;
        Click(IDC_APPLY);
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].caption, "Erreur");
        EXPECT_EQ(boxes.shown[0].text, SystemText(ERROR_CHILD_MUST_BE_VOLATILE));
    }
    EXPECT_TRUE(Enabled(IDC_APPLY));
    EXPECT_EQ(SendMessageA(Control(IDC_ICON_GRID), LB_GETCURSEL, 0, 0), 2);
}

// --- The commands that apply -----------------------------------------------

TEST_F(ApplyCommandTest, ApplyButtonAppliesDisablesItselfAndRenamesCancelWithoutClosing)
{
    ModalDriver driver;
    driver.Then(OnDialog([&] {
        dialog.SelectTarget(Wide(folder).c_str());
        EXPECT_EQ(WindowText(Control(IDCANCEL)), "Annuler");
        Choose(2);
        Click(IDC_APPLY);
        EXPECT_EQ(ReadBytes(ini), IniFor(2, ""));
        EXPECT_FALSE(Enabled(IDC_APPLY));
        EXPECT_EQ(WindowText(Control(IDCANCEL)), "Fermer");
        Click(IDCANCEL);
    }));
    EXPECT_EQ(dialog.DoModal(), IDCANCEL) << "Apply ended the dialog";
    EXPECT_FALSE(driver.TimedOut());
}

TEST_F(ApplyCommandTest, DoubleClickInTheGridAppliesWithApplyDisabledWithoutClosing)
{
    ModalDriver driver;
    driver.Then(OnDialog([&] {
        dialog.SelectTarget(Wide(folder).c_str());
        Choose(2);
        Click(IDC_APPLY);
        // Moved without notice, so Apply stays disabled.
        SendMessageA(Control(IDC_ICON_GRID), LB_SETCURSEL, 1, 0);
        ASSERT_FALSE(Enabled(IDC_APPLY));
        Command(IDC_ICON_GRID, LBN_DBLCLK);
        EXPECT_EQ(ReadBytes(ini), IniFor(1, ""));
        Click(IDCANCEL);
    }));
    EXPECT_EQ(dialog.DoModal(), IDCANCEL) << "the double click ended the dialog";
    EXPECT_FALSE(driver.TimedOut());
}

TEST_F(ApplyCommandTest, TypingAnInfoTipEnablesApply)
{
    Open();
    dialog.SelectTarget(Wide(folder).c_str());
    ASSERT_FALSE(Enabled(IDC_APPLY));
    TypeInfoTip("x");
    EXPECT_TRUE(Enabled(IDC_APPLY));
}

// An icon file inside the folder keeps naming the icon once the folder has
// moved.
TEST_F(ApplyCommandTest, IconFileInsideTheFolderTravelsWithIt)
{
    ASSERT_TRUE(CreateDirectoryA((folder + "\\icones").c_str(), nullptr));
    iconFile = folder + "\\icones\\a.dll";
    ASSERT_TRUE(CopyFileA(PathBesideTests("icon-files\\three-icons.dll").c_str(), iconFile.c_str(), TRUE));
    Open();
    dialog.SelectTarget(Wide(folder).c_str());
    Choose(2);
    Click(IDC_APPLY);
    const std::string moved = temp / "Ailleurs";
    ASSERT_TRUE(MoveFileA(folder.c_str(), moved.c_str()));
    dialog.SelectTarget(Wide(moved).c_str());
    EXPECT_EQ(ProfileValue(moved + "\\desktop.ini", ".ShellClassInfo", "IconFile"), "icones\\a.dll");
    EXPECT_EQ(lstrcmpiW(dialog.IconGrid().m_currentFile, Wide((moved + "\\icones\\a.dll")).c_str()), 0);
    EXPECT_EQ(SendMessageA(Control(IDC_ICON_GRID), LB_GETCURSEL, 0, 0), 2);
}

// The grid shows the icon of the folder shown; unless the user chooses one,
// an infotip alone leaves every folder's icon keys as they were, byte for
// byte (a relative IconFile stays relative) or absent, whichever folder is
// shown and whether a cell is selected; the shell reads the infotip from a
// System folder.
TEST_F(ApplyCommandTest, InfoTipAloneLeavesEveryFoldersIconKeysByteForByte)
{
    const std::string own = temp / "Propre", none = temp / "Aucune";
    const std::string relative = "[.ShellClassInfo]\r\nIconFile=..\\trois.dll\r\nIconIndex=1\r\n";
    for (const std::string& made : { own, none })
        ASSERT_TRUE(CreateDirectoryA(made.c_str(), nullptr));
    Open();
    for (const bool shownHasIcon : { true, false }) {
        for (const bool selected : { true, false }) {
            SCOPED_TRACE(std::string(shownHasIcon ? "shown with an icon" : "shown without") +
                         (selected ? ", selected" : ", unselected"));
            WriteBytes(own + "\\desktop.ini", relative);
            RemoveTree(none + "\\desktop.ini");
            if (shownHasIcon)
                WriteBytes(ini, IniFor(2, ""));
            else
                RemoveTree(ini);
            for (const std::string& customised : { folder, own })
                ASSERT_TRUE(SetFileAttributesA(customised.c_str(), FILE_ATTRIBUTE_SYSTEM));
            dialog.SelectTargets({ Wide(folder), Wide(own), Wide(none) });
            if (!selected)
                Unselect();
            TypeInfoTip("Souvenirs");
            Click(IDC_APPLY);
            EXPECT_EQ(ReadBytes(ini), shownHasIcon ? IniFor(2, "Souvenirs") : "[.ShellClassInfo]\r\nInfoTip=Souvenirs\r\n");
            EXPECT_EQ(ReadBytes(own + "\\desktop.ini"), relative + "InfoTip=Souvenirs\r\n");
            EXPECT_EQ(ReadBytes(none + "\\desktop.ini"), "[.ShellClassInfo]\r\nInfoTip=Souvenirs\r\n");
            EXPECT_EQ(Attributes(none), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_SYSTEM));
            EXPECT_EQ(Attributes(none + "\\desktop.ini"), static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));
        }
    }
}

// With no cell selected and no infotip typed there is nothing to apply: a
// drive's infotip edit takes no typing, nothing is written, recorded or
// renamed, and Apply ends disabled.
TEST_F(ApplyCommandTest, NothingSelectedAndNothingTypedIsNothingToApply)
{
    ScopedRegistryKey drive(HKEY_LOCAL_MACHINE, DRIVE_ICONS + "\\C");
    WriteText(HKEY_LOCAL_MACHINE, DRIVE_C_ICON, "C:\\ancien.ico,4");
    Open();
    for (const std::string& target : { std::string(DRIVE_C), folder }) {
        SCOPED_TRACE(target);
        dialog.SelectTarget(Wide(target).c_str());
        Choose(2);
        Unselect();
        TypeInfoTip(target == folder ? "" : "x");
        Click(IDC_APPLY);
        EXPECT_FALSE(Enabled(IDC_APPLY));
        EXPECT_EQ(WindowText(Control(IDCANCEL)), "Annuler");
    }
    EXPECT_EQ(ReadValue(HKEY_LOCAL_MACHINE, DRIVE_C_ICON, nullptr).bytes, WithZero("C:\\ancien.ico,4"));
    EXPECT_FALSE(Exists(ini));
    EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, RECENT_KEY));
}

// The file shown may have gone, or lost the chosen icon, since the grid
// listed it: nothing names an icon that is not there.
TEST_F(ApplyCommandTest, IconFileGoneOrChangedSinceShownIsNotApplied)
{
    Open();
    dialog.SelectTarget(Wide(folder).c_str());
    for (const bool replaced : { true, false }) {
        SCOPED_TRACE(replaced ? "replaced" : "deleted");
        Choose(2);
        ASSERT_TRUE(DeleteFileA(iconFile.c_str()));
        const std::string oneIcon = PathBesideTests("icon-files\\one.ico");
        ASSERT_TRUE(!replaced || CopyFileA(oneIcon.c_str(), iconFile.c_str(), TRUE));
        MessageBoxAnswers boxes;
        Click(IDC_APPLY);
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].text, "Aucune ic\xf4ne n'a \xe9t\xe9 trouv\xe9" "e.");
        EXPECT_FALSE(Exists(ini));
        EXPECT_TRUE(Enabled(IDC_APPLY));
    }
}

// --- No target yet ---------------------------------------------------------

TEST_F(ApplyCommandTest, WithoutTargetApplyWritesRecordsAndNotifiesNothing)
{
    Open();
    Choose(2);
    SentShellNotices sent;
    ASSERT_TRUE(sent.Watching());
    Click(IDC_APPLY);
    EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, RECENT_KEY));
    EXPECT_FALSE(Exists("desktop.ini"));
    EXPECT_TRUE(sent.Notices().empty());
}

TEST_F(ApplyCommandTest, WithoutTargetOkWithApplyEnabledStillCloses)
{
    ModalDriver driver;
    driver.Then(OnDialog([&] {
        Choose(2);
        ASSERT_TRUE(Enabled(IDC_APPLY));
        Click(IDOK);
    }));
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_FALSE(driver.TimedOut());
    EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, RECENT_KEY));
}

// --- Afterwards: the recent files and the shell ----------------------------

TEST_F(ApplyCommandTest, AppliedFileBecomesTheFirstRecentFileAndIsListed)
{
    Open();
    dialog.SelectTarget(Wide(folder).c_str());
    Choose(2);
    Click(IDC_APPLY);

    const StoredValue slot = ReadValue(HKEY_CURRENT_USER, RECENT_KEY, "Sauve000");
    EXPECT_EQ(slot.type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(slot.bytes, WithZero(iconFile));
    const StoredValue order = ReadValue(HKEY_CURRENT_USER, RECENT_KEY, "OrdreListe");
    EXPECT_EQ(order.type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(order.bytes, std::string(1, '\0') + std::string(19, '\xff'));

    const HWND combo = Control(IDC_ICON_FILE);
    ASSERT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 1);
    char listed[MAX_PATH] = "";
    SendMessageA(combo, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(listed));
    EXPECT_EQ(listed, iconFile);
    EXPECT_EQ(WindowText(combo), iconFile);
}

TEST_F(ApplyCommandTest, ShellIsToldOfTheAttributesAndOfTheNewAndOldImages)
{
    Open();
    dialog.SelectTarget(Wide(folder).c_str());
    const DWORD oldImage = SystemImageIndex(folder);
    Choose(2);
    ReceivedShellNotices received(SHCNE_ATTRIBUTES | SHCNE_UPDATEIMAGE);
    ASSERT_TRUE(received.Registered());
    SentShellNotices sent;
    ASSERT_TRUE(sent.Watching());
    Click(IDC_APPLY);
    const DWORD newImage = SystemImageIndex(folder);

    const std::vector<SentNotice>& calls = sent.Notices();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].event, SHCNE_ATTRIBUTES);
    EXPECT_EQ(calls[0].flags, static_cast<UINT>(SHCNF_PATHW | SHCNF_FLUSH));
    EXPECT_EQ(calls[0].item.path, folder);
    for (int update = 1; update <= 2; ++update) {
        EXPECT_EQ(calls[update].event, SHCNE_UPDATEIMAGE);
        EXPECT_EQ(calls[update].flags, static_cast<UINT>(SHCNF_DWORD | SHCNF_FLUSH));
    }
    EXPECT_EQ(calls[1].item.value, newImage);
    EXPECT_EQ(calls[2].item.value, oldImage);
    for (const SentNotice& call : calls)
        EXPECT_FALSE(call.secondItem);

    // Wine's shell passes on the path, and drops the two values unsent.
    const std::vector<ShellNotice>& notices = received.Notices();
    ASSERT_EQ(notices.size(), RunsOnWine() ? 1u : 3u);
    EXPECT_EQ(notices[0].event, SHCNE_ATTRIBUTES);
    EXPECT_EQ(lstrcmpiA(notices[0].path.c_str(), folder.c_str()), 0) << notices[0].path;
    for (size_t update = 1; update < notices.size(); ++update) {
        EXPECT_EQ(notices[update].event, SHCNE_UPDATEIMAGE);
        EXPECT_EQ(notices[update].value, calls[update].item.value);
    }
}

// --- What the user did not change, and what fails ------------------------

// Whatever the file's encoding or the infotip's length, an apply that only
// changes the icon leaves the stored infotip as it was, to the byte.
TEST_F(ApplyCommandTest, IconOnlyApplyKeepsTheStoredInfoTipToTheByte)
{
    const std::wstring unicode = L"\x03a9\x03bc\x03ad\x03b3\x03b1 \x65e5\x672c\x8a9e \xd83d\xde00";
    const std::wstring unicodeIni = L"\xfeff[.ShellClassInfo]\r\nInfoTip=" + unicode + L"\r\n";
    const std::string wideBytes(reinterpret_cast<const char*>(unicodeIni.data()), unicodeIni.size() * 2);
    const std::string infoTipLine(wideBytes.begin() + 2 + 2 * 19, wideBytes.end());
    const std::string longLine = "InfoTip=" + std::string(603, 'l') + "\r\n";
    const std::string utf8Line = "InfoTip=\xce\xa9\xce\xbc\xce\xad\xce\xb3\xce\xb1\r\n";
    const std::pair<std::string, std::string> files[] = {
        { wideBytes, infoTipLine },
        { "[.ShellClassInfo]\r\n" + longLine, longLine },
        { "[.ShellClassInfo]\r\n" + utf8Line, utf8Line },
    };
    Open();
    for (const auto& [before, kept] : files) {
        WriteBytes(ini, before);
        dialog.SelectTarget(Wide(folder).c_str());
        Choose(2);
        Click(IDC_APPLY);
        const std::string after = ReadBytes(ini);
        EXPECT_NE(after.find(kept), std::string::npos) << after;
        EXPECT_EQ(ProfileValue(ini, ".ShellClassInfo", "IconIndex"), "2");
    }
    // The edit shows the text as stored, not as question marks.
    wchar_t shown[64] = L"";
    WriteBytes(ini, wideBytes);
    dialog.SelectTarget(Wide(folder).c_str());
    GetWindowTextW(Control(IDC_INFOTIP), shown, 64);
    EXPECT_EQ(std::wstring(shown), unicode);
}

// One message naming the file and the system's reason; the dialog stays
// open with the choice still to apply, and no recent file is recorded.
TEST_F(ApplyCommandTest, FailedWriteKeepsTheDialogAndTheChoiceAndRecordsNothing)
{
    ASSERT_TRUE(CreateDirectoryA(ini.c_str(), nullptr));
    AfterOk after;
    EXPECT_TRUE(PressOk([&] { dialog.SelectTarget(Wide(folder).c_str()); Choose(2); }, after)) << "OK closed the dialog";
    ASSERT_EQ(after.boxes.size(), 1u);
    EXPECT_EQ(after.boxes[0].rfind("Erreur: " + ini + "\n\n", 0), 0u) << after.boxes[0];
    EXPECT_TRUE(after.applyEnabled);
    EXPECT_EQ(after.selection, 2);
    EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, RECENT_KEY));
}

// What the combo box shows is what gets applied: a recent file that is gone
// and a typed file without icons are refused, and the combo shows the
// grid's file again; an icon file typed by a relative name is loaded, then
// applied by its full path.
TEST_F(ApplyCommandTest, TheComboShowsWhatGetsApplied)
{
    const std::string gone = temp / "parti.dll";
    const std::string typed = temp / "tap\xe9.dll";
    const std::string text = temp / "notes.txt";
    ASSERT_TRUE(CopyFileA(iconFile.c_str(), typed.c_str(), TRUE));
    WriteBytes(text, "pas une ic\xf4ne");
    ASSERT_TRUE(StoreOneRecentFile(RECENT_KEY, gone));
    Open();
    dialog.SelectTarget(Wide(folder).c_str());
    Choose(1);
    const HWND combo = Control(IDC_ICON_FILE);
    const HWND edit = GetWindow(combo, GW_CHILD);

    {
        MessageBoxAnswers boxes;
        SetFocus(edit);
        SendMessageA(edit, WM_KEYDOWN, VK_DOWN, 0);
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].caption, "Ostravel");
        EXPECT_EQ(boxes.shown[0].text, "Aucune ic\xf4ne n'a \xe9t\xe9 trouv\xe9" "e.");
    }
    PumpMessages(100);
    EXPECT_EQ(WindowText(combo), iconFile);
    char previousFolder[MAX_PATH];
    GetCurrentDirectoryA(sizeof previousFolder, previousFolder);
    ASSERT_TRUE(SetCurrentDirectoryA(temp.Path().c_str()));
    for (const std::string& typing : { text, std::string("tap\xe9.dll") }) {
        SCOPED_TRACE(typing);
        size_t shown = 0;
        {
            MessageBoxAnswers boxes;
            SendMessageA(edit, EM_SETSEL, 0, -1);
            for (const char c : typing)
                SendMessageA(edit, WM_CHAR, static_cast<BYTE>(c), 1);
            ASSERT_TRUE(Enabled(IDC_APPLY));
            Click(IDC_APPLY);
            shown = boxes.shown.size();
        }
        PumpMessages(100);
        const bool refused = typing == text;
        EXPECT_EQ(shown, refused ? 1u : 0u);
        EXPECT_EQ(WindowText(combo), refused ? iconFile : typed);
        EXPECT_EQ(GetFileAttributesA(ini.c_str()) != INVALID_FILE_ATTRIBUTES, !refused);
    }
    SetCurrentDirectoryA(previousFolder);
    EXPECT_EQ(ReadBytes(ini), "[.ShellClassInfo]\r\nIconFile=" + typed + "\r\nIconIndex=0\r\nConfirmFileOp=0\r\n");
}

// --- Several folders -------------------------------------------------------

// Each folder in turn, as one: the folder that cannot be written is named
// with the system's reason in one message after the round, the others keep
// what they got, nothing is written beside them, and OK leaves the dialog
// open with the choice still to apply.
TEST_F(ApplyCommandTest, EachFolderGetsTheChoiceAndOneMessageNamesThoseThatFailed)
{
    const std::string locked = temp / "Verrouill\xe9", last = temp / "Dernier", outside = temp / "Dehors";
    for (const std::string& made : { locked, last, outside, locked + "\\desktop.ini" })
        ASSERT_TRUE(CreateDirectoryA(made.c_str(), nullptr));
    ASSERT_FALSE(WritePrivateProfileStringA("a", "b", "c", (locked + "\\desktop.ini").c_str()));
    std::string reason = SystemText(GetLastError());
    reason.erase(reason.find_last_not_of("\r\n") + 1);
    AfterOk after;
    EXPECT_TRUE(PressOk([&] {
        dialog.SelectTargets({ Wide(folder), Wide(locked), Wide(last) });
        Choose(2);
        TypeInfoTip("Photos");
    }, after)) << "OK closed the dialog";
    EXPECT_EQ(after.boxes, std::vector<std::string>{ "Erreur: " + locked + "\n" + reason });
    EXPECT_TRUE(after.applyEnabled);
    EXPECT_EQ(ReadBytes(ini), IniFor(2, "Photos"));
    EXPECT_EQ(ReadBytes(last + "\\desktop.ini"), IniFor(2, "Photos"));
    EXPECT_FALSE(Exists(outside + "\\desktop.ini"));
}

// Default is there as soon as one folder has an icon of its own, and gives
// each its default icon back; an infotip left alone stays each folder's own.
TEST_F(ApplyCommandTest, DefaultGivesEachFolderItsIconBackAndKeepsEachInfoTip)
{
    ScopedDefaultIcon standard("Directory", iconFile + ",1");
    const std::string other = temp / "Autre";
    ASSERT_TRUE(CreateDirectoryA(other.c_str(), nullptr));
    WriteBytes(ini, IniFor(1, "Vacances"));
    WriteBytes(other + "\\desktop.ini", IniFor(2, "Autre"));
    for (const std::string& customised : { folder, other })
        ASSERT_TRUE(SetFileAttributesA(customised.c_str(), FILE_ATTRIBUTE_SYSTEM));
    Open();
    dialog.SelectTarget(Wide(folder).c_str());
    ASSERT_FALSE(Enabled(IDC_DEFAULT_ICON)) << "the folder shown has the default icon";
    dialog.SelectTargets({ Wide(folder), Wide(other) });
    ASSERT_TRUE(Enabled(IDC_DEFAULT_ICON));
    Click(IDC_DEFAULT_ICON);
    Click(IDC_APPLY);
    EXPECT_EQ(ReadBytes(ini), "[.ShellClassInfo]\r\nInfoTip=Vacances\r\n");
    EXPECT_EQ(ReadBytes(other + "\\desktop.ini"), "[.ShellClassInfo]\r\nInfoTip=Autre\r\n");
}
