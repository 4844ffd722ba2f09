// A write that fails answers the system's reason, the one a profile write
// there fails with, and changes nothing: no file, no attribute.
#include "Support.h"

namespace {

// The error a profile write into `file` fails with.
DWORD WriteFailure(const std::string& file)
{
    return WritePrivateProfileStringA("essai", "cl\xe9", "valeur", file.c_str()) ? ERROR_SUCCESS : GetLastError();
}

} // namespace

TEST_F(FolderIniTest, FailedWriteGivesTheSystemsReasonAndChangesNoAttribute)
{
    // A folder where the file should be: no write can succeed.
    ASSERT_TRUE(CreateDirectoryA(ini.c_str(), nullptr));
    const DWORD reason = WriteFailure(ini);
    ASSERT_NE(reason, 0u);
    EXPECT_EQ(WriteFolderIcon(Wide(folder).c_str(), L"C:\\a.ico", 3, L"texte"), reason);
    EXPECT_FALSE(Attributes(folder) & FILE_ATTRIBUTE_SYSTEM);

    ASSERT_TRUE(SetFileAttributesA(folder.c_str(), FILE_ATTRIBUTE_SYSTEM));
    bool emptied = true;
    EXPECT_EQ(RemoveFolderIcon(Wide(folder).c_str(), L"", emptied), reason);
    EXPECT_FALSE(emptied);
    EXPECT_TRUE(Attributes(folder) & FILE_ATTRIBUTE_SYSTEM);

    const std::string gone = temp / "Disparu";
    EXPECT_EQ(WriteInfoTip(Wide(gone).c_str(), L"texte"), WriteFailure(gone + "\\desktop.ini"));
    EXPECT_FALSE(Exists(gone));
}
