// The icon cache rebuild: the shell's icon size one pixel larger, announced,
// then back and announced again.
#include "Support.h"
#include "harness/RegistryKey.h"
#include <shlwapi.h>

namespace {

const char METRICS_KEY[] = "Control Panel\\Desktop\\WindowMetrics";
const char SIZE_VALUE[] = "Shell Icon Size";
// Where the prefix's own metrics wait while a test changes them.
const char SAVED_KEY[] = "Software\\BriseventTests\\WindowMetrics";

std::string StoredSize()
{
    const RegistryData stored = ReadRegistryData(HKEY_CURRENT_USER, METRICS_KEY, SIZE_VALUE);
    if (!stored.present)
        return "(absent)";
    EXPECT_EQ(stored.type, static_cast<DWORD>(REG_SZ));
    // The digits; the platform may keep a terminating zero after them.
    std::string text(stored.data.begin(), stored.data.end());
    if (!text.empty() && text.back() == '\0')
        text.pop_back();
    return text;
}

// A top-level window of the test that notes each settings broadcast, and
// what the registry held when it came.
class BroadcastListener {
public:
    BroadcastListener()
    {
        WNDCLASSA type = {};
        type.lpfnWndProc = Listen;
        type.hInstance = GetModuleHandleA(nullptr);
        type.lpszClassName = "BriseventBroadcastListener";
        RegisterClassA(&type);
        m_window = CreateWindowA(type.lpszClassName, "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                 type.hInstance, nullptr);
        SetWindowLongPtrA(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~BroadcastListener() { DestroyWindow(m_window); }
    BroadcastListener(const BroadcastListener&) = delete;
    BroadcastListener& operator=(const BroadcastListener&) = delete;

    struct Heard {
        WPARAM wParam;
        LPARAM lParam;
        std::string size;
    };
    std::vector<Heard> heard;

private:
    static LRESULT CALLBACK Listen(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* self = reinterpret_cast<BroadcastListener*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (self && message == WM_WININICHANGE)
            self->heard.push_back({ wParam, lParam, StoredSize() });
        return DefWindowProcA(window, message, wParam, lParam);
    }

    HWND m_window;
};

class IconCacheTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SHDeleteKeyA(HKEY_CURRENT_USER, SAVED_KEY);
        HKEY saved;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, SAVED_KEY, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &saved, nullptr),
                  ERROR_SUCCESS);
        m_hadMetrics = SHCopyKeyA(HKEY_CURRENT_USER, METRICS_KEY, saved, 0) == ERROR_SUCCESS;
        RegCloseKey(saved);
        ASSERT_TRUE(dialog.Create());
    }

    void TearDown() override
    {
        SHDeleteKeyA(HKEY_CURRENT_USER, METRICS_KEY);
        if (m_hadMetrics) {
            HKEY metrics;
            RegCreateKeyExA(HKEY_CURRENT_USER, METRICS_KEY, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &metrics, nullptr);
            SHCopyKeyA(HKEY_CURRENT_USER, SAVED_KEY, metrics, 0);
            RegCloseKey(metrics);
        }
        SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\BriseventTests");
    }

    void SetStoredSize(const char* text)
    {
        HKEY key;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, METRICS_KEY, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        if (text)
            RegSetValueExA(key, SIZE_VALUE, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), lstrlenA(text) + 1);
        else
            RegDeleteValueA(key, SIZE_VALUE);
        RegCloseKey(key);
    }

    void Rebuild() { SendMessageA(dialog.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_REBUILD_CACHE, BN_CLICKED), 0); }

    FolderIconDialog dialog;

private:
    bool m_hadMetrics = false;
};

} // namespace

TEST_F(IconCacheTest, StoredSizeGrowsByOneIsAnnouncedThenComesBackAndIsAnnouncedAgain)
{
    struct Case {
        const char* stored;     // null: the value is absent
        std::string larger;
        std::string after;
    };
    const std::string system = std::to_string(GetSystemMetrics(SM_CXICON));
    const Case cases[] = {
        { "32", "33", "32" },
        { nullptr, std::to_string(GetSystemMetrics(SM_CXICON) + 1), system },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored ? c.stored : "absent");
        SetStoredSize(c.stored);
        BroadcastListener listener;
        Rebuild();
        ASSERT_EQ(listener.heard.size(), 2u);
        EXPECT_EQ(listener.heard[0].size, c.larger);
        EXPECT_EQ(listener.heard[1].size, c.after);
        for (const BroadcastListener::Heard& heard : listener.heard) {
            EXPECT_EQ(heard.wParam, 0u);
            EXPECT_EQ(heard.lParam, 0);
        }
        EXPECT_EQ(StoredSize(), c.after);
    }
}

TEST_F(IconCacheTest, MissingKeyWritesNothingAndAnnouncesNothing)
{
    SHDeleteKeyA(HKEY_CURRENT_USER, METRICS_KEY);
    BroadcastListener listener;
    Rebuild();
    EXPECT_TRUE(listener.heard.empty());
    EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, METRICS_KEY));
}
