// Linked into every test executable: the whole run sees the first-run
// marker, and a prefix that had none before has none afterwards.
#include "harness/FirstRun.h"
#include "harness/RegistryKey.h"
#include <shlwapi.h>
#include <gtest/gtest.h>

namespace {

class FirstRunMarkerEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        m_made = !RegistryKeyExists(HKEY_CURRENT_USER, MARKER_KEY);
        m_madeOption = !RegistryKeyExists(HKEY_CURRENT_USER, OPTION_KEY);
        if (m_made)
            MakeFirstRunMarker();
    }
    void TearDown() override
    {
        if (m_made)
            SHDeleteKeyA(HKEY_CURRENT_USER, m_madeOption ? OPTION_KEY : MARKER_KEY);
    }

private:
    bool m_made = false;
    bool m_madeOption = false;
};

const auto* const registered = ::testing::AddGlobalTestEnvironment(new FirstRunMarkerEnvironment);

} // namespace
