#include "harness/DefaultIconKey.h"
#include <gtest/gtest.h>

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
