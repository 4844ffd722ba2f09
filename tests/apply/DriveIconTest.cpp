// A drive letter's icon in HKLM\...\Explorer\DriveIcons.
#include "apply/DriveIcon.h"
#include "harness/RegistryKey.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

const std::string DRIVE_ICONS = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\DriveIcons";

RegistryData ReadValue(const std::string& path, const char* name)
{
    return ReadRegistryData(HKEY_LOCAL_MACHINE, path, name);
}

std::vector<BYTE> TextWithZero(const std::string& text)
{
    std::vector<BYTE> bytes(text.begin(), text.end());
    bytes.push_back(0);
    return bytes;
}

class DriveIcon : public ::testing::Test {
protected:
    ScopedRegistryKey upper{ HKEY_LOCAL_MACHINE, DRIVE_ICONS + "\\Q" };
};

} // namespace

TEST_F(DriveIcon, SetWritesTheLocationWithItsTerminatingZero)
{
    SetDriveIcon('Q', L"C:\\Ic\xf4nes\\dossiers.ico", 3);
    const RegistryData value = ReadValue(DRIVE_ICONS + "\\Q\\DefaultIcon", nullptr);
    ASSERT_TRUE(value.present);
    EXPECT_EQ(value.type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(value.data, TextWithZero("C:\\Ic\xf4nes\\dossiers.ico,3"));
}

TEST_F(DriveIcon, LowerCaseLetterNamesTheSameKeyAsItsUpperCase)
{
    SetDriveIcon('q', L"C:\\a.ico", 1);
    SetDriveIcon('Q', L"C:\\b.ico", -2);
    EXPECT_EQ(ReadValue(DRIVE_ICONS + "\\q\\DefaultIcon", nullptr).data, TextWithZero("C:\\b.ico,-2"));
    HKEY drives;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, DRIVE_ICONS.c_str(), 0, KEY_READ | REGISTRY_VIEW, &drives), ERROR_SUCCESS);
    int letterKeys = 0;
    char name[MAX_PATH];
    for (DWORD i = 0; RegEnumKeyA(drives, i, name, sizeof name) == ERROR_SUCCESS; ++i)
        letterKeys += lstrcmpiA(name, "Q") == 0;
    RegCloseKey(drives);
    EXPECT_EQ(letterKeys, 1);
}

TEST_F(DriveIcon, ResetDeletesOnlyTheDefaultValueAndKeepsTheKeys)
{
    SetDriveIcon('Q', L"C:\\a.ico", 1);
    HKEY icon;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, (DRIVE_ICONS + "\\Q\\DefaultIcon").c_str(), 0, KEY_ALL_ACCESS | REGISTRY_VIEW, &icon),
              ERROR_SUCCESS);
    RegSetValueExA(icon, "Autre", 0, REG_SZ, reinterpret_cast<const BYTE*>("garde"), 6);
    HKEY child;
    RegCreateKeyA(icon, "Enfant", &child);
    RegCloseKey(child);
    RegCloseKey(icon);

    ResetDriveIcon('Q');
    EXPECT_FALSE(ReadValue(DRIVE_ICONS + "\\Q\\DefaultIcon", nullptr).present);
    EXPECT_EQ(ReadValue(DRIVE_ICONS + "\\Q\\DefaultIcon", "Autre").data, TextWithZero("garde"));
    EXPECT_TRUE(RegistryKeyExists(HKEY_LOCAL_MACHINE, DRIVE_ICONS + "\\Q\\DefaultIcon\\Enfant"));
}

TEST_F(DriveIcon, ResetOfADriveWithoutKeysCreatesNothing)
{
    ResetDriveIcon('Q');
    EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, DRIVE_ICONS + "\\Q"));
}
