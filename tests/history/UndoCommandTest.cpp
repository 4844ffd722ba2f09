// The question that asks whether to take back a change names it.
#include "Support.h"
#include "resource.h"

TEST(UndoQuestion, NamesTheChangeByItsDateAndWhatItChangedOfHowManyTargets)
{
    struct Case {
        SYSTEMTIME local;
        std::vector<std::pair<const wchar_t*, DWORD>> targets;  // a drive's path ends with a backslash
        const char* question;
    };
    const Case cases[] = {
        { { 2026, 12, 0, 9, 10, 42, 0, 0 }, { { L"C:\\a", CHANGES_ICON }, { L"C:\\b", CHANGES_ICON }, { L"C:\\c", CHANGES_ICON } },
          "du 9 d\xe9" "c. 2026 \xe0 10:42 : ic\xf4ne de 3 dossiers ?" },
        { { 2027, 8, 0, 1, 9, 5, 0, 0 }, { { L"C:\\a", CHANGES_ICON | CHANGES_INFOTIP }, { L"c:\\A", CHANGES_ICON } },
          "du 1 ao\xfbt 2027 \xe0 09:05 : ic\xf4ne et infobulle d'un dossier ?" },
        { { 2026, 1, 0, 31, 23, 59, 0, 0 }, { { L"D:\\", CHANGES_TO_DEFAULT } },
          "du 31 janv. 2026 \xe0 23:59 : ic\xf4ne par d\xe9" "faut d'un lecteur ?" },
        { { 2026, 5, 0, 2, 0, 0, 0, 0 },
          { { L"C:\\a", CHANGES_TO_DEFAULT | CHANGES_INFOTIP }, { L"C:\\b", CHANGES_TO_DEFAULT }, { L"D:\\", CHANGES_TO_DEFAULT } },
          "du 2 mai 2026 \xe0 00:00 : ic\xf4ne par d\xe9" "faut et infobulle de 2 dossiers et d'un lecteur ?" },
        { { 2026, 3, 0, 15, 8, 30, 0, 0 }, { { L"C:\\a", CHANGES_INFOTIP } }, "du 15 mars 2026 \xe0 08:30 : infobulle d'un dossier ?" },
    };
    for (const Case& c : cases) {
        ChangeContents change;
        FILETIME local;
        ASSERT_TRUE(SystemTimeToFileTime(&c.local, &local) && LocalFileTimeToFileTime(&local, &change.began));
        for (const auto& [path, changes] : c.targets) {
            RecordedTarget target;
            target.path = path;
            target.kind = path[wcslen(path) - 1] == L'\\' ? TargetKind::Drive : TargetKind::Folder;
            target.changes = changes;
            target.done = true;
            change.targets.push_back(target);
        }
        EXPECT_EQ(Narrow(UndoQuestion(change)), std::string("D\xe9" "faire la modification ") + c.question);
    }
}
