#include "commandline/SilentUndo.h"
#include "commandline/Texts.h"
#include "history/Undo.h"
#include "resource.h"

int UndoSilently(const ReportLine& say, const Journal& journal)
{
    const auto tell = [&](const std::wstring& line) {
        say(line);
        journal.WriteLine(line);
    };
    ChangeContents change;
    std::wstring file;
    if (!NewestChange(change, file)) {
        tell(Text(IDS_UNDO_NOTHING));
        return EXIT_DONE;
    }
    int done = 0;
    int failed = 0;
    for (const UndoneTarget& target : TakeBack(change, file)) {
        if (target.error == ERROR_SUCCESS) {
            tell(Text(IDS_SILENT_DONE, { target.path }));
            ++done;
        } else {
            const std::wstring reason = target.changedSince ? Text(IDS_UNDO_CHANGED_SINCE) : SystemReason(target.error);
            tell(Text(IDS_SILENT_FAILED, { target.path, reason }));
            ++failed;
        }
    }
    tell(Text(IDS_SILENT_COUNTS, { std::to_wstring(done), std::to_wstring(failed) }));
    return failed ? EXIT_SOME_FAILED : EXIT_DONE;
}
