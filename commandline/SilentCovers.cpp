#include "commandline/SilentCovers.h"
#include "commandline/Texts.h"
#include "covers/CoversRun.h"
#include "resource.h"
#include "target/TargetPath.h"

int RunCoversSilently(const SilentRequest& request, const ReportLine& say, const Journal& journal)
{
    const auto tell = [&](const std::wstring& line) {
        say(line);
        journal.WriteLine(line);
    };
    std::vector<std::wstring> roots;
    size_t refused = 0;
    for (const std::wstring& given : request.targets) {
        wchar_t path[PATH_BUFFER_SIZE];
        wchar_t name[PATH_BUFFER_SIZE];
        if (ClassifyPath(given.c_str(), path, name) == PathKind::Refused) {
            tell(Text(IDS_SILENT_FAILED, { given, SystemReason(GetLastError()) }));
            ++refused;
        } else {
            roots.push_back(path);
        }
    }
    CoverOptions options;
    options.replaceOwnIcons = request.replaceOwnIcons;
    options.firstPicture = request.firstPicture;
    CoversRun run(roots, options);
    run.Run();
    for (const FolderCover& folder : run.Folders()) {
        if (folder.result == CoverResult::Given)
            tell(Text(IDS_SILENT_DONE, { folder.folder }));
        else if (folder.result == CoverResult::Failed)
            tell(Text(IDS_SILENT_FAILED, { folder.folder, SystemReason(folder.error) }));
    }
    const size_t failed = run.Count(CoverResult::Failed) + refused;
    tell(Text(IDS_COVERS_COUNTS, { std::to_wstring(run.Count(CoverResult::Given)),
                                   std::to_wstring(run.Count(CoverResult::UpToDate)),
                                   std::to_wstring(run.Count(CoverResult::KeptOwnIcon)),
                                   std::to_wstring(run.Count(CoverResult::NoCover)), std::to_wstring(failed) }));
    return failed ? EXIT_SOME_FAILED : EXIT_DONE;
}
