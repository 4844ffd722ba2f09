// What the apply tests share: the harness's files, the message boxes the
// dialog shows, and a folder of the test's own.
#pragma once
#include "app/FolderIconDialog.h"
#include "harness/Files.h"
#include "harness/ModalDriver.h"
#include "harness/Windows.h"
#include "harness/TempFolder.h"
#include "resource.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

struct ShownBox {
    std::string caption;
    std::string text;
};

// Answers with OK, one after the other, up to `limit` message boxes that the
// code under test opens, and keeps what each one said.
class MessageBoxAnswers {
public:
    explicit MessageBoxAnswers(int limit = 8);

    std::vector<ShownBox> shown;

private:
    ModalDriver m_driver;
};

// A modeless main dialog, and a folder of the test's own to customise.
class FolderTest : public ::testing::Test {
protected:
    void SetUp() override;

    TempFolder temp;
    std::string folder;
    std::string ini;
    FolderIconDialog dialog;
};
