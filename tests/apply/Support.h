// What the desktop.ini tests share: files read and written byte for byte,
// attributes as the program sets them, and the message boxes it shows.
#pragma once
#include "app/FolderIconDialog.h"
#include "harness/ModalDriver.h"
#include "harness/Windows.h"
#include "harness/TempFolder.h"
#include "resource.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
bool Exists(const std::string& path);
// The attributes the program chooses. Wine reports every regular file as
// Archive whatever was set, so that bit is left out, and a file with none
// of the others left is Normal, as Windows reports it.
DWORD Attributes(const std::string& path);
std::string ProfileValue(const std::string& file, const char* section, const char* key);
// The system's text for an error code, as a message box shows it.
std::string SystemText(DWORD error);

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
