// The user's local application data, where the history of changes lives,
// pointed at a folder of the test's own until the test ends: for the code
// under test and for every program it starts.
#pragma once
#include "harness/RegistryKey.h"
#include "harness/TempFolder.h"
#include <string>

class ScopedLocalAppData {
public:
    ScopedLocalAppData();
    ~ScopedLocalAppData();
    ScopedLocalAppData(const ScopedLocalAppData&) = delete;
    ScopedLocalAppData& operator=(const ScopedLocalAppData&) = delete;

    // The program's folder in it, which holds the history.
    std::string History() const { return m_folder / "Brisevent"; }

private:
    TempFolder m_folder;
    RegistryData m_saved;
};
