// Routing of messages through a dialog: the bound control first, then the
// dialog's table, then the dialog manager's default handling.
#include "framework/Controls.h"
#include "framework/Dialog.h"
#include "harness/ModalDriver.h"
#include "resource.h"
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

class RecordingList : public CListBox {
public:
    bool OnMessage(Message& m) override;
    void DrawItem(DRAWITEMSTRUCT* item) override { drawnItem = static_cast<int>(item->itemID); }

    int selectionChanges = 0;
    int drawnItem = -1;

private:
    void OnSelectionChange(Message&) { ++selectionChanges; }
    static const MessageEntry<RecordingList> messageTable[];
};

const MessageEntry<RecordingList> RecordingList::messageTable[] = {
    { WM_COMMAND, LBN_SELCHANGE, 0, &RecordingList::OnSelectionChange },
};

bool RecordingList::OnMessage(Message& m)
{
    return DispatchMessageTable(*this, messageTable, m) || CListBox::OnMessage(m);
}

// A dialog on the main template that records what reaches its own table.
class RoutingDialog : public CDialog {
public:
    RoutingDialog() : CDialog(IDD_MAIN) {}
    bool OnMessage(Message& m) override;

    RecordingList list;
    int selectionChanges = 0;
    int doubleClicks = 0;
    int gridMeasurements = 0;
    int measurementsBeforeInit = 0;
    bool initialised = false;
    std::function<void()> onInit;

protected:
    void DoDataExchange(CDataExchange* dx) override { DDX_Control(dx, IDC_ICON_GRID, list); }
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        initialised = true;
        if (onInit)
            onInit();
        return TRUE;
    }

private:
    void OnSelectionChange(Message&) { ++selectionChanges; }
    void OnDoubleClick(Message&) { ++doubleClicks; }
    void OnMeasureGrid(Message& m)
    {
        ++gridMeasurements;
        if (!initialised)
            ++measurementsBeforeInit;
        reinterpret_cast<MEASUREITEMSTRUCT*>(m.lParam)->itemHeight = 41;
    }
    void OnThrow(Message&) { throw std::runtime_error("handler failed"); }
    void OnDecline(Message& m) { m.handled = false; }

    static const MessageEntry<RoutingDialog> messageTable[];
};

const MessageEntry<RoutingDialog> RoutingDialog::messageTable[] = {
    { WM_COMMAND,     LBN_SELCHANGE, IDC_ICON_GRID, &RoutingDialog::OnSelectionChange },
    { WM_COMMAND,     LBN_DBLCLK,    IDC_ICON_GRID, &RoutingDialog::OnDoubleClick },
    { WM_MEASUREITEM, 0,             IDC_ICON_GRID, &RoutingDialog::OnMeasureGrid },
    { WM_COMMAND,     BN_CLICKED,    IDC_ABOUT,     &RoutingDialog::OnThrow },
    { WM_COMMAND,     BN_CLICKED,    IDC_REBUILD_CACHE, &RoutingDialog::OnDecline },
};

bool RoutingDialog::OnMessage(Message& m)
{
    return DispatchMessageTable(*this, messageTable, m) || CDialog::OnMessage(m);
}

class MessageRouting : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dialog.Create()); }

    LRESULT Notify(int id, UINT code)
    {
        return SendMessageA(dialog.m_hWnd, WM_COMMAND, MAKEWPARAM(id, code),
                            reinterpret_cast<LPARAM>(GetDlgItem(dialog.m_hWnd, id)));
    }

    RoutingDialog dialog;
};

} // namespace

TEST_F(MessageRouting, BindingAttachesTheControlOfTheGivenId)
{
    EXPECT_EQ(dialog.list.m_hWnd, GetDlgItem(dialog.m_hWnd, IDC_ICON_GRID));
    EXPECT_NE(dialog.list.m_hWnd, nullptr);
}

TEST_F(MessageRouting, ControlHandlesItsOwnNotificationAndTheDialogDoesNotSeeIt)
{
    Notify(IDC_ICON_GRID, LBN_SELCHANGE);
    EXPECT_EQ(dialog.list.selectionChanges, 1);
    EXPECT_EQ(dialog.selectionChanges, 0);
}

TEST_F(MessageRouting, NotificationTheControlIgnoresReachesTheDialogTable)
{
    Notify(IDC_ICON_GRID, LBN_DBLCLK);
    EXPECT_EQ(dialog.doubleClicks, 1);
}

TEST_F(MessageRouting, UnknownNotificationGoesToTheDefaultHandling)
{
    Message m = { WM_COMMAND, MAKEWPARAM(IDC_ICON_GRID, LBN_KILLFOCUS),
                  reinterpret_cast<LPARAM>(dialog.list.m_hWnd), 0, false };
    EXPECT_FALSE(dialog.RouteMessage(m));
    Message unbound = { WM_COMMAND, MAKEWPARAM(IDC_OTHER_FOLDER, BN_CLICKED),
                        reinterpret_cast<LPARAM>(GetDlgItem(dialog.m_hWnd, IDC_OTHER_FOLDER)), 0, false };
    EXPECT_FALSE(dialog.RouteMessage(unbound));
}

TEST_F(MessageRouting, HandlerThatDeclinesLeavesTheMessageToTheDefaultHandling)
{
    Message m = { WM_COMMAND, MAKEWPARAM(IDC_REBUILD_CACHE, BN_CLICKED), 0, 0, false };
    EXPECT_FALSE(dialog.RouteMessage(m));
}

TEST_F(MessageRouting, OwnerDrawRequestGoesToTheBoundControl)
{
    DRAWITEMSTRUCT item = {};
    item.CtlType = ODT_LISTBOX;
    item.CtlID = IDC_ICON_GRID;
    item.itemID = 7;
    item.itemAction = ODA_DRAWENTIRE;
    item.hwndItem = dialog.list.m_hWnd;
    item.hDC = GetDC(dialog.list.m_hWnd);
    EXPECT_TRUE(SendMessageA(dialog.m_hWnd, WM_DRAWITEM, IDC_ICON_GRID, reinterpret_cast<LPARAM>(&item)));
    ReleaseDC(dialog.list.m_hWnd, item.hDC);
    EXPECT_EQ(dialog.list.drawnItem, 7);
}

TEST_F(MessageRouting, MeasurementBeforeInitialisationReachesTheDialogTable)
{
    EXPECT_EQ(dialog.measurementsBeforeInit, 1);
    EXPECT_EQ(SendMessageA(dialog.list.m_hWnd, LB_GETITEMHEIGHT, 0, 0), 41);
}

TEST_F(MessageRouting, ExceptionInAHandlerDoesNotCrossIntoTheWindowManager)
{
    EXPECT_EQ(Notify(IDC_ABOUT, BN_CLICKED), 0);
    Notify(IDC_ICON_GRID, LBN_DBLCLK);
    EXPECT_EQ(dialog.doubleClicks, 1);
}

TEST_F(MessageRouting, DestroyedDialogForgetsItsWindowAndControls)
{
    dialog.DestroyWindow();
    EXPECT_EQ(dialog.m_hWnd, nullptr);
    EXPECT_EQ(dialog.list.m_hWnd, nullptr);
}

TEST(ModalDialog, EndsWithTheAnswerOfOkOrCancel)
{
    {
        RoutingDialog dialog;
        ModalDriver driver;
        driver.Then(ClickButton(IDOK));
        EXPECT_EQ(dialog.DoModal(), IDOK);
        EXPECT_TRUE(driver.Done());
    }
    {
        RoutingDialog dialog;
        ModalDriver driver;
        driver.Then(ClickButton(IDCANCEL));
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
        EXPECT_TRUE(driver.Done());
    }
}

TEST(ModalDialog, DialogOpenedDuringAnotherOnesInitialisationRoutesToItself)
{
    RoutingDialog outer;
    RoutingDialog inner;
    INT_PTR innerResult = 0;
    outer.onInit = [&] { innerResult = inner.DoModal(); };
    ModalDriver driver;
    driver.Then(ClickButton(IDOK)).Then(ClickButton(IDCANCEL));
    EXPECT_EQ(outer.DoModal(), IDCANCEL);
    EXPECT_EQ(innerResult, IDOK);
    EXPECT_EQ(inner.measurementsBeforeInit, 1);
    EXPECT_EQ(outer.measurementsBeforeInit, 1);
    EXPECT_FALSE(driver.TimedOut());
}
