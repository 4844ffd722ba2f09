// The system's default icons, read from the registry as "file[,index]".
#include "Support.h"
#include "harness/Windows.h"
#include "target/DefaultIcons.h"
#include <cstring>

namespace {

const char TEST_KEY[] = "Software\\Brisevent-tests\\DefaultIcon";

// A key of the test's own that holds one default-icon value at a time.
class DefaultIconValue : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, TEST_KEY, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
    }
    void TearDown() override { RegCloseKey(key); }

    // The location read from `text`, or "unread" when reading failed.
    IconLocation Read(const std::string& text)
    {
        SetDefaultText(key, text);
        return ReadStored();
    }
    IconLocation ReadStored()
    {
        IconLocation icon = { L"unread", 99 };
        ReadDefaultIconValue(key, icon);
        return icon;
    }

    ScopedRegistryKey scope{ HKEY_CURRENT_USER, "Software\\Brisevent-tests" };
    HKEY key = nullptr;
};

std::string CurrentFolder()
{
    char folder[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof folder, folder);
    std::string path = folder;
    if (path.back() != '\\')
        path += '\\';
    return path;
}

} // namespace

// As the shell reads it: a folder's name may hold commas of its own.
TEST_F(DefaultIconValue, IndexFollowsTheLastComma)
{
    IconLocation icon = Read("C:\\Ic\xf4nes\\dossiers.dll,3");
    EXPECT_STREQ(icon.file, L"C:\\Ic\xf4nes\\dossiers.dll");
    EXPECT_EQ(icon.index, 3);

    icon = Read("C:\\Ic\xf4nes, 2013\\dossiers.dll, -4");
    EXPECT_STREQ(icon.file, L"C:\\Ic\xf4nes, 2013\\dossiers.dll");
    EXPECT_EQ(icon.index, -4);
}

TEST_F(DefaultIconValue, NoCommaOrNoDigitsGiveIndexZero)
{
    IconLocation icon = Read("C:\\dossiers.dll");
    EXPECT_STREQ(icon.file, L"C:\\dossiers.dll");
    EXPECT_EQ(icon.index, 0);

    icon = Read("C:\\dossiers.dll,x5");
    EXPECT_STREQ(icon.file, L"C:\\dossiers.dll");
    EXPECT_EQ(icon.index, 0);
}

TEST_F(DefaultIconValue, FileIsExpandedAndMadeAFullPath)
{
    ASSERT_TRUE(SetEnvironmentVariableA("BRISEVENT_ICONES", "C:\\Ic\xf4nes"));
    IconLocation icon = Read("%BRISEVENT_ICONES%\\dossiers.dll,3");
    EXPECT_STREQ(icon.file, L"C:\\Ic\xf4nes\\dossiers.dll");
    EXPECT_EQ(icon.index, 3);

    // Expandable text is read like plain text.
    const char expandable[] = "%BRISEVENT_ICONES%\\dossiers.dll,2";
    SetDefaultValue(key, REG_EXPAND_SZ, expandable, sizeof expandable);
    icon = ReadStored();
    EXPECT_STREQ(icon.file, L"C:\\Ic\xf4nes\\dossiers.dll");
    EXPECT_EQ(icon.index, 2);

    icon = Read("ic\xf4nes\\..\\dossiers.dll,1");
    EXPECT_EQ(Narrow(icon.file), CurrentFolder() + "dossiers.dll");
    SetEnvironmentVariableA("BRISEVENT_ICONES", nullptr);
}

TEST_F(DefaultIconValue, ValueWithoutTerminatingZeroEndsWithItsData)
{
    const char text[] = "C:\\dossiers.dll,12";
    SetDefaultValue(key, REG_SZ, text, static_cast<DWORD>(std::strlen(text)));
    const IconLocation icon = ReadStored();
    EXPECT_STREQ(icon.file, L"C:\\dossiers.dll");
    EXPECT_EQ(icon.index, 12);
}

TEST_F(DefaultIconValue, ValueThatDoesNotFitIsNotRead)
{
    IconLocation icon = Read("C:\\" + std::string(REGISTRY_BUFFER_SIZE, 'a') + ".dll,3");
    EXPECT_STREQ(icon.file, L"unread");
    EXPECT_EQ(icon.index, 99);

    // Fits in the registry buffer, but not once it is a path.
    icon = Read("C:\\" + std::string(PATH_BUFFER_SIZE, 'a') + ",3");
    EXPECT_STREQ(icon.file, L"unread");

    ASSERT_TRUE(SetEnvironmentVariableA("BRISEVENT_ICONES", std::string(PATH_BUFFER_SIZE, 'b').c_str()));
    icon = Read("C:\\%BRISEVENT_ICONES%,3");
    EXPECT_STREQ(icon.file, L"unread");
    SetEnvironmentVariableA("BRISEVENT_ICONES", nullptr);
}

TEST(DefaultIcons, DialogReadsTheFolderAndDriveEntriesAsItOpens)
{
    DefaultIcons = {};
    ScopedDefaultIcon folderIcon("Directory", "C:\\dossiers.dll,3");
    ScopedDefaultIcon driveIcon("Drive", "C:\\lecteurs.dll,8");
    FolderIconDialog dialog;
    ASSERT_TRUE(dialog.Create());
    EXPECT_STREQ(DefaultIcons.folder.file, L"C:\\dossiers.dll");
    EXPECT_EQ(DefaultIcons.folder.index, 3);
    EXPECT_STREQ(DefaultIcons.drive.file, L"C:\\lecteurs.dll");
    EXPECT_EQ(DefaultIcons.drive.index, 8);
}

// The stock icons are named by resource id: each entry's position must hold
// the icon that the platform extracts for that id.
TEST(DefaultIcons, MissingKeysGiveTheShellsStockIconsAtTheirPositions)
{
    DefaultIcons = {};
    ScopedRegistryKey noFolder(HKEY_CLASSES_ROOT, "Directory\\DefaultIcon");
    ScopedRegistryKey noDrive(HKEY_CLASSES_ROOT, "Drive\\DefaultIcon");
    FolderIconDialog dialog;
    ASSERT_TRUE(dialog.Create());
    char system[MAX_PATH];
    GetSystemDirectoryA(system, sizeof system);
    const std::string shell = std::string(system) + "\\shell32.dll";
    for (const auto& [entry, id] : { std::pair{ DefaultIcons.folder, 4 }, std::pair{ DefaultIcons.drive, 9 } }) {
        SCOPED_TRACE(id);
        EXPECT_EQ(lstrcmpiW(entry.file, Wide(shell).c_str()), 0) << entry.file;
        EXPECT_TRUE(SameIcon(Narrow(entry.file).c_str(), entry.index, -id)) << entry.index;
    }
}
