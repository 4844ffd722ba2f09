#include "Support.h"
#include "harness/Windows.h"
#include <cstring>

void SetDefaultValue(HKEY key, DWORD type, const char* data, DWORD size)
{
    ASSERT_EQ(RegSetValueExA(key, nullptr, 0, type, reinterpret_cast<const BYTE*>(data), size), ERROR_SUCCESS);
}

void SetDefaultText(HKEY key, const std::string& text)
{
    SetDefaultValue(key, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

ScopedDefaultIcon::ScopedDefaultIcon(const char* kindKey, const std::string& text)
{
    const std::string path = std::string(kindKey) + "\\DefaultIcon";
    m_scope = std::make_unique<ScopedRegistryKey>(HKEY_CLASSES_ROOT,
                                                  RegistryKeyExists(HKEY_CLASSES_ROOT, kindKey) ? path : kindKey);
    HKEY key;
    const LONG created =
        RegCreateKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    EXPECT_EQ(created, ERROR_SUCCESS);
    if (created != ERROR_SUCCESS)
        return;
    SetDefaultText(key, text);
    RegCloseKey(key);
}

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
    lstrcpynA(Target.path, path.c_str(), sizeof Target.path);
    lstrcpynA(Target.displayName, path.substr(path.find_last_of('\\') + 1).c_str(), sizeof Target.displayName);
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
