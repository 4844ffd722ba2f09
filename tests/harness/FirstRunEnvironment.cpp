// Linked into every test executable: the whole run sees the first-run marker,
// and the prefix gets back afterwards what it held before.
#include "harness/FirstRun.h"
#include <windows.h>
#include <shlwapi.h>
#include <gtest/gtest.h>

namespace {

const char SAVED_KEY[] = "Software\\BriseventTestsSavedOption";

class FirstRunMarkerEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        SHDeleteKeyA(HKEY_CURRENT_USER, SAVED_KEY);
        HKEY saved;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, SAVED_KEY, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &saved, nullptr) == ERROR_SUCCESS) {
            m_hadOption = SHCopyKeyA(HKEY_CURRENT_USER, OPTION_KEY, saved, 0) == ERROR_SUCCESS;
            RegCloseKey(saved);
        }
        MakeFirstRunMarker();
    }

    void TearDown() override
    {
        SHDeleteKeyA(HKEY_CURRENT_USER, OPTION_KEY);
        HKEY option;
        if (m_hadOption &&
            RegCreateKeyExA(HKEY_CURRENT_USER, OPTION_KEY, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &option, nullptr) == ERROR_SUCCESS) {
            SHCopyKeyA(HKEY_CURRENT_USER, SAVED_KEY, option, 0);
            RegCloseKey(option);
        }
        SHDeleteKeyA(HKEY_CURRENT_USER, SAVED_KEY);
    }

private:
    bool m_hadOption = false;
};

const auto* const registered = ::testing::AddGlobalTestEnvironment(new FirstRunMarkerEnvironment);

} // namespace
