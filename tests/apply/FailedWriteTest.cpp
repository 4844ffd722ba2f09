// A profile write that fails shows the system's reason, once per write, and
// the rest of the work goes on.
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

void ExpectErrorBoxes(const std::vector<ShownBox>& shown, size_t count, const std::string& text)
{
    ASSERT_EQ(shown.size(), count);
    for (const ShownBox& box : shown) {
        EXPECT_EQ(box.caption, "Erreur");
        EXPECT_EQ(box.text, text);
    }
}

} // namespace

TEST_F(FolderTest, EachFailedWriteShowsOneErrorAndTheAttributesStillChange)
{
    // A folder where the file should be: no profile write can succeed.
    ASSERT_TRUE(CreateDirectoryA(ini.c_str(), nullptr));
    const std::string reason = WriteFailureText(ini);
    ASSERT_FALSE(reason.empty());

    {
        MessageBoxAnswers boxes;
        dialog.WriteFolderIcon(folder.c_str(), "C:\\a.ico", 3, "texte");
        ExpectErrorBoxes(boxes.shown, 4, reason);
    }
    EXPECT_TRUE(Attributes(folder) & FILE_ATTRIBUTE_SYSTEM);

    {
        MessageBoxAnswers boxes;
        dialog.RemoveFolderIcon(folder.c_str(), "");
        ExpectErrorBoxes(boxes.shown, 5, reason);
    }
    EXPECT_FALSE(Attributes(folder) & FILE_ATTRIBUTE_SYSTEM);
}

TEST_F(FolderTest, FolderThatIsGoneGivesTheSystemsReason)
{
    const std::string gone = temp / "Disparu";
    const std::string reason = WriteFailureText(gone + "\\desktop.ini");
    ASSERT_NE(reason, SystemText(ERROR_ACCESS_DENIED));

    MessageBoxAnswers boxes;
    dialog.WriteFolderIcon(gone.c_str(), "C:\\a.ico", 3, "");
    ExpectErrorBoxes(boxes.shown, 4, reason);
    EXPECT_FALSE(Exists(gone));
}
