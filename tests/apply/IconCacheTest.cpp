// The icon cache rebuild: the shell's icon size one pixel larger, announced,
// then back and announced again.
#include "Support.h"
#include "harness/RegistryKey.h"
#include <shlwapi.h>

namespace {

const char METRICS[] = "Control Panel\\Desktop\\WindowMetrics";
const char SAVED[] = "Software\\BriseventTestsWindowMetrics";   // the prefix's own, meanwhile

// The stored size's digits; the platform may keep a zero after them.
std::string StoredSize()
{
    const RegistryData stored = ReadRegistryData(HKEY_CURRENT_USER, METRICS, "Shell Icon Size");
    std::string text(stored.data.begin(), stored.data.end());
    if (!text.empty() && text.back() == '\0')
        text.pop_back();
    return stored.present && stored.type == REG_SZ ? text : "(absent)";
}

// What a top-level window of the test hears: each broadcast's parameters
// and the size stored when it came.
std::vector<std::string> g_heard;

LRESULT CALLBACK Listen(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_WININICHANGE)
        g_heard.push_back(std::to_string(wParam) + "," + std::to_string(lParam) + ":" + StoredSize());
    return DefWindowProcA(window, message, wParam, lParam);
}

class IconCacheTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        HKEY saved;
        RegCreateKeyExA(HKEY_CURRENT_USER, SAVED, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &saved, nullptr);
        m_hadMetrics = SHCopyKeyA(HKEY_CURRENT_USER, METRICS, saved, 0) == ERROR_SUCCESS;
        RegCloseKey(saved);
        WNDCLASSA type = {};
        type.lpfnWndProc = Listen;
        type.lpszClassName = "BriseventBroadcastListener";
        RegisterClassA(&type);
        m_listener = CreateWindowA(type.lpszClassName, "", WS_OVERLAPPED, 0, 0, 9, 9, nullptr, nullptr, nullptr, nullptr);
        ASSERT_TRUE(dialog.Create());
        g_heard.clear();
    }
    void TearDown() override
    {
        DestroyWindow(m_listener);
        SHDeleteKeyA(HKEY_CURRENT_USER, METRICS);
        HKEY metrics;
        if (m_hadMetrics && RegCreateKeyExA(HKEY_CURRENT_USER, METRICS, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &metrics, nullptr) == ERROR_SUCCESS) {
            SHCopyKeyA(HKEY_CURRENT_USER, SAVED, metrics, 0);
            RegCloseKey(metrics);
        }
        SHDeleteKeyA(HKEY_CURRENT_USER, SAVED);
    }
    void Rebuild() { SendMessageA(dialog.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_REBUILD_CACHE, BN_CLICKED), 0); }

    FolderIconDialog dialog;
    HWND m_listener = nullptr;
    bool m_hadMetrics = false;
};

} // namespace

TEST_F(IconCacheTest, SizeGrowsByOneIsAnnouncedThenComesBackAndIsAnnouncedAgain)
{
    const int system = GetSystemMetrics(SM_CXICON);
    const std::pair<const char*, int> cases[] = { { "32", 32 }, { nullptr, system } };   // stored, then absent
    for (const auto& c : cases) {
        HKEY key;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, METRICS, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr), ERROR_SUCCESS);
        if (c.first)
            RegSetValueExA(key, "Shell Icon Size", 0, REG_SZ, reinterpret_cast<const BYTE*>(c.first), 3);
        else
            RegDeleteValueA(key, "Shell Icon Size");
        RegCloseKey(key);
        g_heard.clear();
        Rebuild();
        const std::vector<std::string> expected = { "0,0:" + std::to_string(c.second + 1), "0,0:" + std::to_string(c.second) };
        EXPECT_EQ(g_heard, expected);
        EXPECT_EQ(StoredSize(), std::to_string(c.second));
    }
}

TEST_F(IconCacheTest, MissingKeyWritesNothingAndAnnouncesNothing)
{
    SHDeleteKeyA(HKEY_CURRENT_USER, METRICS);
    Rebuild();
    EXPECT_TRUE(g_heard.empty());
    EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, METRICS));
}
