// A profile write that fails shows the file and the system's reason once,
// and ends the work: nothing more is written, no attribute changes.
#include "Support.h"

namespace {

// The error a profile write into `file` fails with, and so the text that
// the program must show for it.
std::string WriteFailureText(const std::string& file)
{
    if (WritePrivateProfileStringA("essai", "cl\xe9", "valeur", file.c_str()))
        return "(the write succeeded)";
    return SystemText(GetLastError());
}

void ExpectOneErrorBox(const std::vector<ShownBox>& shown, const std::string& file, const std::string& reason)
{
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].caption, "Erreur");
    EXPECT_EQ(shown[0].text, file + "\n\n" + reason);
}

} // namespace

TEST_F(FolderTest, FailedWriteShowsOneErrorAndChangesNoAttribute)
{
    // A folder where the file should be: no profile write can succeed.
    ASSERT_TRUE(CreateDirectoryA(ini.c_str(), nullptr));
    const std::string reason = WriteFailureText(ini);
    ASSERT_FALSE(reason.empty());

    {
        MessageBoxAnswers boxes;
        EXPECT_FALSE(dialog.WriteFolderIcon(Wide(folder).c_str(), L"C:\\a.ico", 3, L"texte"));
        ExpectOneErrorBox(boxes.shown, ini, reason);
    }
    EXPECT_FALSE(Attributes(folder) & FILE_ATTRIBUTE_SYSTEM);

    ASSERT_TRUE(SetFileAttributesA(folder.c_str(), FILE_ATTRIBUTE_SYSTEM));
    {
        MessageBoxAnswers boxes;
        EXPECT_EQ(dialog.RemoveFolderIcon(Wide(folder).c_str(), L""), IniRemoval::Failed);
        ExpectOneErrorBox(boxes.shown, ini, reason);
    }
    EXPECT_TRUE(Attributes(folder) & FILE_ATTRIBUTE_SYSTEM);
}

TEST_F(FolderTest, FolderThatIsGoneGivesTheSystemsReason)
{
    const std::string gone = temp / "Disparu";
    const std::string reason = WriteFailureText(gone + "\\desktop.ini");
    ASSERT_NE(reason, SystemText(ERROR_ACCESS_DENIED));

    MessageBoxAnswers boxes;
    EXPECT_FALSE(dialog.WriteFolderIcon(Wide(gone).c_str(), L"C:\\a.ico", 3, L""));
    ExpectOneErrorBox(boxes.shown, gone + "\\desktop.ini", reason);
    EXPECT_FALSE(Exists(gone));
}
