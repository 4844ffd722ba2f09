#include "Support.h"

Removal Remove(const std::string& folder, const wchar_t* infoTip)
{
    bool emptied = false;
    if (RemoveFolderIcon(Wide(folder).c_str(), infoTip, emptied) != ERROR_SUCCESS)
        return Removal::Failed;
    return emptied ? Removal::Emptied : Removal::Kept;
}

void FolderIniTest::SetUp()
{
    folder = temp / "Dossier";
    ini = folder + "\\desktop.ini";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
}
