// The recent icon files in HKCU\Software\KORBINEX\Brisevent, and the combo
// box that offers them.
#include "harness/RegistryKey.h"
#include "harness/Windows.h"
#include "icons/RecentIconFiles.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

const char RECENT_KEY[] = "Software\\KORBINEX\\Brisevent";

using Order = std::vector<BYTE>;

Order OrderOf(std::initializer_list<BYTE> front)
{
    Order order(front);
    order.resize(RECENT_FILE_COUNT, NO_RECENT_SLOT);
    return order;
}

class RecentIconFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Created as the dialog's is, so that it keeps its texts in UTF-16.
        combo.m_hWnd = CreateWindowExW(0, L"ComboBox", L"", WS_POPUP | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0, 0, 300, 200,
                                       nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(combo.m_hWnd, nullptr);
    }
    void TearDown() override { DestroyWindow(combo.m_hWnd); }

    std::vector<BYTE> Value(const char* name) const { return ReadRegistryData(HKEY_CURRENT_USER, RECENT_KEY, name).data; }
    Order StoredOrder() const { return Value("OrdreListe"); }
    std::string Slot(int slot) const
    {
        char name[16];
        wsprintfA(name, "Sauve%03d", slot);
        const std::vector<BYTE> data = Value(name);
        return std::string(data.begin(), data.end());
    }

    void Write(const char* name, DWORD type, const void* data, DWORD size) const
    {
        HKEY key;
        ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, RECENT_KEY, &key), ERROR_SUCCESS);
        RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
        RegCloseKey(key);
    }
    void WriteOrder(const Order& order) const { Write("OrdreListe", REG_BINARY, order.data(), static_cast<DWORD>(order.size())); }
    void WriteSlot(int slot, const std::string& path) const
    {
        char name[16];
        wsprintfA(name, "Sauve%03d", slot);
        Write(name, REG_SZ, path.c_str(), static_cast<DWORD>(path.size() + 1));
    }

    std::vector<std::string> ComboList() const
    {
        FillRecentCombo(combo);
        std::vector<std::string> items;
        const int count = static_cast<int>(combo.SendMessage(CB_GETCOUNT));
        for (int i = 0; i < count; ++i) {
            wchar_t text[MAX_PATH + 4] = L"";
            combo.GetLBText(i, text);
            items.push_back(Narrow(text));
        }
        return items;
    }

    ScopedRegistryKey key{ HKEY_CURRENT_USER, RECENT_KEY };
    CComboBox combo;
};

} // namespace

TEST_F(RecentIconFiles, FirstFileCreatesTheKeyWithSlotZeroFirst)
{
    EXPECT_TRUE(ComboList().empty());
    AddRecentIconFile(L"C:\\Ic\xf4nes\\a.ico");
    EXPECT_EQ(Slot(0), std::string("C:\\Ic\xf4nes\\a.ico") + '\0');
    EXPECT_EQ(StoredOrder(), OrderOf({ 0 }));
}

TEST_F(RecentIconFiles, FileAppliedAgainMovesToTheFrontInItsNewSpelling)
{
    AddRecentIconFile(L"C:\\A.ico");
    AddRecentIconFile(L"C:\\B.ico");
    AddRecentIconFile(L"C:\\C.ico");
    EXPECT_EQ(StoredOrder(), OrderOf({ 2, 1, 0 }));
    EXPECT_EQ(ComboList(), (std::vector<std::string>{ "C:\\C.ico", "C:\\B.ico", "C:\\A.ico" }));

    AddRecentIconFile(L"C:\\B.ico");
    EXPECT_EQ(StoredOrder(), OrderOf({ 1, 2, 0 }));
    EXPECT_EQ(ComboList(), (std::vector<std::string>{ "C:\\B.ico", "C:\\C.ico", "C:\\A.ico" }));

    AddRecentIconFile(L"c:\\a.ICO");
    EXPECT_EQ(StoredOrder(), OrderOf({ 0, 1, 2 }));
    EXPECT_EQ(Slot(0), std::string("c:\\a.ICO") + '\0');
    EXPECT_TRUE(Value("Sauve003").empty());
}

TEST_F(RecentIconFiles, TwentyFirstFileTakesTheSlotOfTheLeastRecent)
{
    for (int i = 0; i < RECENT_FILE_COUNT; ++i)
        AddRecentIconFile(Wide("C:\\f" + std::to_string(i) + ".ico").c_str());
    AddRecentIconFile(L"C:\\new.ico");
    Order expected = { 0 };
    for (int slot = RECENT_FILE_COUNT - 1; slot >= 1; --slot)
        expected.push_back(static_cast<BYTE>(slot));
    EXPECT_EQ(StoredOrder(), expected);
    EXPECT_EQ(Slot(0), std::string("C:\\new.ico") + '\0');
    EXPECT_EQ(ComboList().size(), static_cast<size_t>(RECENT_FILE_COUNT));
}

TEST_F(RecentIconFiles, SlotDeletedByHandIsFreeAndLeavesTheOrder)
{
    AddRecentIconFile(L"C:\\A.ico");
    AddRecentIconFile(L"C:\\B.ico");
    AddRecentIconFile(L"C:\\C.ico");
    HKEY key;
    ASSERT_EQ(RegOpenKeyA(HKEY_CURRENT_USER, RECENT_KEY, &key), ERROR_SUCCESS);
    RegDeleteValueA(key, "Sauve000");
    RegCloseKey(key);
    EXPECT_EQ(ComboList(), (std::vector<std::string>{ "C:\\C.ico", "C:\\B.ico" }));

    AddRecentIconFile(L"C:\\D.ico");
    EXPECT_EQ(StoredOrder(), OrderOf({ 0, 2, 1 }));
    EXPECT_EQ(ComboList(), (std::vector<std::string>{ "C:\\D.ico", "C:\\C.ico", "C:\\B.ico" }));
}

// An order written by someone else, of any length, with slots repeated, out
// of range or empty: it reads as the slots it names, each once at its first
// place, and the next file applied keeps every one of them.
TEST_F(RecentIconFiles, CorruptOrderReadsAsTheValidSlotsItNamesOnce)
{
    struct Case {
        const char* what;
        Order stored;
    };
    Order longer = OrderOf({ 2, 0 });
    longer.resize(21, 1);
    Order huge(300, 2);
    huge[150] = 0;
    huge[299] = 1;
    const Case cases[] = {
        { "21 bytes", longer },
        { "300 bytes", huge },
        { "repeated slots", { 2, 2, 0, 2, 0, 1, 1 } },
        { "slots of 20 and more", { 20, 2, 255, 0, 25, 1, 254 } },
        { "empty entries first", { 0xFF, 0xFF, 2, 0, 1 } },
    };
    for (const Case& c : cases) {
        const ScopedRegistryKey fresh(HKEY_CURRENT_USER, RECENT_KEY);
        WriteSlot(0, "C:\\A.ico");
        WriteSlot(1, "C:\\B.ico");
        WriteSlot(2, "C:\\C.ico");
        WriteOrder(c.stored);
        EXPECT_EQ(ComboList(), (std::vector<std::string>{ "C:\\C.ico", "C:\\A.ico", "C:\\B.ico" })) << c.what;
        AddRecentIconFile(L"C:\\D.ico");
        EXPECT_EQ(StoredOrder(), OrderOf({ 3, 2, 0, 1 })) << c.what;
        EXPECT_EQ(Slot(0), std::string("C:\\A.ico") + '\0') << c.what;
    }

    Write("OrdreListe", REG_BINARY, "", 0);
    EXPECT_TRUE(ComboList().empty());
    AddRecentIconFile(L"C:\\E.ico");
    EXPECT_EQ(StoredOrder(), OrderOf({ 0 })) << "an empty order leaves every slot free";
}

TEST_F(RecentIconFiles, SlotValuesAreTerminatedInsideTheirBuffer)
{
    const std::string unterminated = "C:\\sans-z\xe9ro.ico";
    // Followed by more text: given a zero just past the data, the registry
    // would store that zero as if the caller had forgotten to count it.
    const std::string followed = unterminated + "x";
    Write("Sauve000", REG_SZ, followed.data(), static_cast<DWORD>(unterminated.size()));
    const std::string tooLong(400, 'x');
    Write("Sauve001", REG_SZ, tooLong.c_str(), static_cast<DWORD>(tooLong.size() + 1));
    WriteOrder(OrderOf({ 0, 1 }));
    EXPECT_EQ(ComboList(), (std::vector<std::string>{ unterminated }));

    AddRecentIconFile(Wide(unterminated).c_str());
    EXPECT_EQ(StoredOrder(), OrderOf({ 0 })) << "a slot that cannot be read is no recent file";
}

TEST_F(RecentIconFiles, RefillingKeepsTheTextOfTheEditField)
{
    AddRecentIconFile(L"C:\\A.ico");
    combo.SetWindowText(L"tap\xe9 \xe0 la main");
    ComboList();
    wchar_t text[MAX_PATH] = L"";
    combo.GetWindowText(text, MAX_PATH);
    EXPECT_STREQ(text, L"tap\xe9 \xe0 la main");
}

TEST_F(RecentIconFiles, EmptyFileIsNeverRecorded)
{
    AddRecentIconFile(L"");
    EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, RECENT_KEY));
}
