// The icon file chooser: its filter and starting name, refused files, the
// preview pane and what a confirmed file does to the main dialog.
#include "IconFiles.h"
#include "app/FolderIconDialog.h"
#include "harness/ModalDriver.h"
#include "harness/TempFolder.h"
#include "harness/Windows.h"
#include "icons/IconFileDialog.h"
#include "resource.h"
#include <gtest/gtest.h>
#include <commctrl.h>
#include <dlgs.h>
#include <fstream>

namespace {

const char CHOOSER_TITLE[] = "Choisissez un fichier pour l'ic\xf4ne";
const int FILTER_ALL = 5;   // "Tous (*.*)", the sixth

std::wstring NameText(HWND chooser)
{
    wchar_t text[MAX_PATH] = L"";
    GetWindowTextW(GetDlgItem(chooser, cmb13), text, MAX_PATH);
    return text;
}

// The first window below `parent` of that class; the pane is the one
// dialog among them that holds a grid.
HWND Find(HWND parent, const char* className)
{
    for (HWND child : ChildWindows(parent)) {
        if (ClassName(child) == className && (ClassName(child) != "#32770" || GetDlgItem(child, IDC_ICON_GRID)))
            return child;
        if (HWND found = Find(child, className))
            return found;
    }
    return nullptr;
}
HWND Pane(HWND chooser) { return Find(chooser, "#32770"); }
HWND FindListView(HWND chooser) { return Find(chooser, "SysListView32"); }

// Steps on the chooser, each waiting for it to be the window in front.
ModalDriver::Step OnChooser(std::function<void(HWND)> act)
{
    return [=](HWND window) {
        if (WindowText(window) != CHOOSER_TITLE || !FindListView(window))
            return false;
        act(window);
        return true;
    };
}

ModalDriver::Step Confirm(const std::wstring& name)
{
    return OnChooser([=](HWND chooser) {
        SetWindowTextW(GetDlgItem(chooser, cmb13), name.c_str());
        PostMessageA(GetDlgItem(chooser, IDOK), BM_CLICK, 0, 0);
    });
}

void SelectInView(HWND chooser, const wchar_t* name)
{
    const HWND view = FindListView(chooser);
    LVITEMW state = {};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(view, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
    LVFINDINFOW find = {};
    find.flags = LVFI_STRING;
    find.psz = name;
    const LRESULT item = SendMessageW(view, LVM_FINDITEMW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find));
    ASSERT_NE(item, -1) << name;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(view, LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&state));
}

class IconChooser : public ::testing::Test {
protected:
    void SetUp() override
    {
        LastFilterIndex = 0;
        ASSERT_TRUE(CopyFileA(IconFile("three-icons.dll").c_str(), iconFile.c_str(), FALSE));
        // A name the code page cannot spell beside its look-alike: taken
        // for the other, it would load the wrong file.
        ASSERT_TRUE(CopyFileA(IconFile("one.ico").c_str(), (temp / "Omega.ico").c_str(), FALSE));
        ASSERT_TRUE(CopyFileW(Wide(IconFile("three-images.ico")).c_str(), omega.c_str(), FALSE));
        std::ofstream(textFile) << "bonjour";
        ASSERT_TRUE(CreateDirectoryA((temp / "Sous-dossier").c_str(), nullptr));
        ASSERT_TRUE(dialog.Create());
    }
    void Browse(ModalDriver& driver)
    {
        SendMessageA(dialog.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_BROWSE_ICON_FILE, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog.m_hWnd, IDC_BROWSE_ICON_FILE)));
        EXPECT_TRUE(driver.Done());
        EXPECT_FALSE(driver.TimedOut());
    }
    bool Enabled(int id) const { return IsWindowEnabled(GetDlgItem(dialog.m_hWnd, id)) != FALSE; }

    TempFolder temp;
    const std::string iconFile = temp / "trois.dll";
    const std::string textFile = temp / "texte.txt";
    const std::wstring omega = Wide(temp.Path()) + L"\\\u03a9mega.ico";
    FolderIconDialog dialog;
};

} // namespace

TEST_F(IconChooser, FilterAndNameItOpensWithItsPreviewAndTheFileConfirmed)
{
    int filter = -1;
    std::wstring name = L"?";
    ModalDriver first;
    first.Then(OnChooser([&](HWND chooser) {
             const HWND filters = GetDlgItem(chooser, cmb1);
             filter = static_cast<int>(SendMessageA(filters, CB_GETCURSEL, 0, 0));
             name = NameText(chooser);
             SendMessageA(filters, CB_SETCURSEL, FILTER_ALL, 0);
             // What a choice in the list sends, one after the other.
             for (WORD code : { CBN_SELCHANGE, CBN_SELENDOK })
                 SendMessageA(chooser, WM_COMMAND, MAKEWPARAM(cmb1, code), reinterpret_cast<LPARAM>(filters));
         }))
        .Then(Confirm(Wide(iconFile)));
    Browse(first);
    EXPECT_EQ(filter, 0);
    EXPECT_EQ(name, L"");
    EXPECT_EQ(dialog.IconGrid().m_currentFile, Wide(iconFile));
    EXPECT_EQ(Selection(dialog.IconGrid()), 0);
    EXPECT_TRUE(Enabled(IDC_APPLY) && Enabled(IDC_DEFAULT_ICON));

    // The next use: the filter chosen last, the grid's file, and a preview
    // that follows the selection without a word to the main dialog.
    EnableWindow(GetDlgItem(dialog.m_hWnd, IDC_APPLY), FALSE);
    EnableWindow(GetDlgItem(dialog.m_hWnd, IDC_DEFAULT_ICON), FALSE);
    std::vector<std::pair<LRESULT, LRESULT>> seen;                // the preview's items and selection
    RECT client = {}, pane = {}, grid = {}, paneClient = {};     // in the chooser's and the pane's coordinates
    ModalDriver next;
    next.Then(OnChooser([&](HWND chooser) {
            filter = static_cast<int>(SendMessageA(GetDlgItem(chooser, cmb1), CB_GETCURSEL, 0, 0));
            name = NameText(chooser);
            const HWND list = GetDlgItem(Pane(chooser), IDC_ICON_GRID);
            for (const wchar_t* item : { L"Sous-dossier", L"trois.dll", L"Sous-dossier" }) {
                SelectInView(chooser, item);
                seen.push_back({ SendMessageA(list, LB_GETCOUNT, 0, 0), SendMessageA(list, LB_GETCURSEL, 0, 0) });
            }
            GetClientRect(chooser, &client);
            GetClientRect(Pane(chooser), &paneClient);
            GetWindowRect(Pane(chooser), &pane);
            GetWindowRect(list, &grid);
            MapWindowPoints(nullptr, chooser, reinterpret_cast<POINT*>(&pane), 2);
            MapWindowPoints(nullptr, Pane(chooser), reinterpret_cast<POINT*>(&grid), 2);
        }))
        .Then(ClickButton(IDCANCEL, CHOOSER_TITLE));
    Browse(next);
    EXPECT_EQ(filter, FILTER_ALL);
    EXPECT_NE(name.find(L"trois.dll"), std::wstring::npos);
    const std::vector<std::pair<LRESULT, LRESULT>> expected = { { 0, -1 }, { 3, 0 }, { 0, -1 } };
    EXPECT_EQ(seen, expected);
    EXPECT_FALSE(Enabled(IDC_APPLY) || Enabled(IDC_DEFAULT_ICON));
    EXPECT_EQ(std::make_pair(pane.left, pane.right), std::make_pair(client.left, client.right));
    EXPECT_GT(grid.left, 0);
    EXPECT_EQ(paneClient.right - grid.right, grid.left);
}

// The chooser's answer, without the chooser: a file without icons is refused
// with a message, and the chooser is asked for again; a file whose name the
// code page cannot spell is taken as itself, not as its look-alike.
TEST_F(IconChooser, ChosenFileWithoutIconsIsRefusedWithAMessageAndOneOutsideTheCodePageIsTakenAsItself)
{
    std::vector<std::string> messages;
    ModalDriver driver;
    driver.Then([&](HWND box) {
        messages.push_back(WindowText(box) + ": " + WindowText(GetDlgItem(box, 0xFFFF)));
        PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
        return false;
    });
    EXPECT_FALSE(dialog.TakeChosenIconFile(Wide(textFile).c_str()));
    EXPECT_EQ(messages, std::vector<std::string>{ "Ostravel: Aucune ic\xf4ne n'a \xe9t\xe9 trouv\xe9" "e." });
    EXPECT_STREQ(dialog.IconGrid().m_currentFile, L"");
    EXPECT_FALSE(Enabled(IDC_APPLY));

    EXPECT_TRUE(dialog.TakeChosenIconFile(omega.c_str()));
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_EQ(dialog.IconGrid().m_currentFile, omega);
    wchar_t shown[MAX_PATH] = L"";
    GetDlgItemTextW(dialog.m_hWnd, IDC_ICON_FILE, shown, MAX_PATH);
    EXPECT_EQ(shown, omega);
    EXPECT_TRUE(Enabled(IDC_APPLY));
}

TEST_F(IconChooser, RefusedFileReopensTheChooserOnIt)
{
    std::wstring reopenedOn;
    ModalDriver driver;
    driver.Then(Confirm(Wide(textFile)))
        .Then([&](HWND box) {
            if (WindowText(box) == CHOOSER_TITLE)
                return false;
            PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
            return true;
        })
        .Then(OnChooser([&](HWND chooser) { reopenedOn = NameText(chooser); }))
        .Then(ClickButton(IDCANCEL, CHOOSER_TITLE));
    Browse(driver);
    EXPECT_NE(reopenedOn.find(L"texte.txt"), std::wstring::npos);
    EXPECT_STREQ(dialog.IconGrid().m_currentFile, L"");
}
