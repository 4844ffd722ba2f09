#include "Support.h"
#include "harness/Windows.h"
#include <cstring>

void TargetTest::SetUp()
{
    Target = {};
    DefaultIcons = {};
    folder = temp / "Vacances";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    iconFile = temp / "trois.dll";
    ASSERT_TRUE(CopyFileA(PathBesideTests("icon-files\\three-icons.dll").c_str(), iconFile.c_str(), TRUE))
        << "the icon files are made with the icon grid's tests";
    ASSERT_TRUE(dialog.Create());
}

void TargetTest::Take(const std::string& path, TargetKind kind)
{
    Target.kind = kind;
    lstrcpynW(Target.path, Wide(path).c_str(), ARRAYSIZE(Target.path));
    lstrcpynW(Target.displayName, Wide(path.substr(path.find_last_of('\\') + 1)).c_str(), ARRAYSIZE(Target.displayName));
}

std::string TargetTest::Text(int id) const
{
    return WindowText(Control(id));
}

int TargetTest::Selection() const
{
    return static_cast<int>(SendMessageA(Control(IDC_ICON_GRID), LB_GETCURSEL, 0, 0));
}

HICON TargetTest::ShownIcon() const
{
    return reinterpret_cast<HICON>(SendMessageA(Control(IDC_TARGET_ICON), STM_GETICON, 0, 0));
}
