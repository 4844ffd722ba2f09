// What the target tests share: a modeless main dialog, a folder and an icon
// file of the test's own, and default-icon keys made for the test.
#pragma once
#include "app/FolderIconDialog.h"
#include "harness/DefaultIconKey.h"
#include "harness/RegistryKey.h"
#include "harness/TempFolder.h"
#include "harness/Windows.h"
#include "target/Target.h"
#include <gtest/gtest.h>
#include <memory>
#include <string>

class TargetTest : public ::testing::Test {
protected:
    void SetUp() override;

    // Makes `path` the target, as choosing it would.
    void Take(const std::string& path, TargetKind kind);

    HWND Control(int id) const { return GetDlgItem(dialog.m_hWnd, id); }
    std::string Text(int id) const;
    bool Enabled(int id) const { return IsWindowEnabled(Control(id)) != FALSE; }
    int Selection() const;
    HICON ShownIcon() const;

    TempFolder temp;
    std::string folder;
    // Three icons, painted apart.
    std::string iconFile;
    FolderIconDialog dialog;
};
