// What the change tests share: a folder of the test's own and its
// desktop.ini, and what a removal came to.
#pragma once
#include "change/FolderIni.h"
#include "harness/Files.h"
#include "harness/TempFolder.h"
#include "harness/Windows.h"
#include "resource.h"
#include <gtest/gtest.h>
#include <string>

enum class Removal { Failed, Kept, Emptied };

// RemoveFolderIcon, told as what it came to.
Removal Remove(const std::string& folder, const wchar_t* infoTip);

class FolderIniTest : public ::testing::Test {
protected:
    void SetUp() override;

    TempFolder temp;
    std::string folder;
    std::string ini;
};
