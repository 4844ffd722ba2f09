#include "commandline/SilentRun.h"
#include "apply/DesktopIni.h"
#include "change/Change.h"
#include "commandline/Report.h"
#include "commandline/SilentCovers.h"
#include "commandline/SilentUndo.h"
#include "commandline/Switches.h"
#include "commandline/Texts.h"
#include "framework/Paths.h"
#include "icons/IconResourceId.h"
#include "madeicons/Colours.h"
#include "resource.h"
#include "target/IconLocationText.h"
#include "target/TargetPath.h"
#include <cwchar>

namespace {

// The usage's lines, in their order.
const UINT USAGE_LINES[] = {
    IDS_USAGE_SYNOPSIS, IDS_USAGE_TARGETS,  IDS_USAGE_ICON,    IDS_USAGE_ICON_MORE, IDS_USAGE_COLOUR,
    IDS_USAGE_COLOUR_MORE, IDS_USAGE_EMBLEM, IDS_USAGE_INFOTIP, IDS_USAGE_DEFAULT, IDS_USAGE_COVERS,
    IDS_USAGE_COVERS_MORE, IDS_USAGE_COVERS_LAST, IDS_USAGE_JOURNAL, IDS_USAGE_UNDO,
    IDS_USAGE_HELP,     IDS_USAGE_STATUS,   IDS_USAGE_STATUS_MORE,
};
static_assert(ARRAYSIZE(USAGE_LINES) == USAGE_LINE_COUNT, "every line of the usage is said");

void SayUsage(const ReportLine& say)
{
    for (const UINT line : USAGE_LINES)
        say(Text(line));
}

// "FICHIER" or "FICHIER,N": N follows the last comma when it is a whole
// number, a position from 0 or, negative, a resource id; a folder's name may
// hold commas of its own. The file is found from the current folder, or
// where the icon reader finds a bare name.
bool ReadIconLocation(const std::wstring& value, std::wstring& path, int& position)
{
    std::wstring file = value;
    long index = 0;
    const size_t comma = value.rfind(L',');
    if (comma != std::wstring::npos) {
        const wchar_t* start = value.c_str() + comma + 1;
        wchar_t* end = nullptr;
        const long number = wcstol(start, &end, 10);
        if (end != start && *end == L'\0') {
            file = value.substr(0, comma);
            index = number;
        }
    }
    wchar_t full[PATH_BUFFER_SIZE];
    if (!FullIconPath(file.c_str(), nullptr, full))
        return false;
    path = full;
    position = IconPosition(full, static_cast<int>(index));
    return position >= 0;
}

bool ReadIcon(const std::wstring& value, Choice& choice)
{
    choice.icon = IconChange::Set;
    return ReadIconLocation(value, choice.iconFile, choice.iconIndex) && IconCanBeUsed(choice);
}

// The colour and the emblem the switches name, drawn on each target's own
// icon; the colour was read with the switches.
bool ReadDesign(const SilentRequest& request, Choice& choice)
{
    choice.icon = IconChange::Set;
    COLORREF colour = 0;
    if (request.colour && ReadColour(*request.colour, colour))
        choice.design.colour = colour;
    return (!request.emblem ||
            ReadIconLocation(*request.emblem, choice.design.emblemFile, choice.design.emblemIndex)) &&
           IconCanBeUsed(choice);
}

// What became of one target named on the command line: refused, or changed
// as the outcome at `change` says.
struct Named {
    std::wstring given;
    DWORD refusal;
    size_t change;
};

} // namespace

int RunSilently(const std::vector<std::wstring>& arguments, const ReportLine& say)
{
    const SilentRequest request = ReadSwitches(arguments);
    if (request.usage) {
        SayUsage(say);
        return EXIT_DONE;
    }
    if (!request.wrong.empty()) {
        say(request.wrong);
        SayUsage(say);
        return EXIT_WRONG_COMMAND_LINE;
    }
    Journal journal;
    wchar_t journalPath[PATH_BUFFER_SIZE] = L"";
    if (request.journal && (!CanonicalPath(request.journal->c_str(), journalPath) || !journal.Open(journalPath))) {
        say(Text(IDS_SILENT_JOURNAL, { *request.journal, SystemReason(GetLastError()) }));
        return EXIT_WRONG_COMMAND_LINE;
    }
    if (request.covers)
        return RunCoversSilently(request, say, journal);
    if (request.undoes)
        return UndoSilently(say, journal);
    Choice choice;
    if (request.restoresDefault)
        choice.icon = IconChange::Default;
    if (request.icon && !ReadIcon(*request.icon, choice)) {
        say(Text(IDS_SILENT_NO_ICON, { *request.icon }));
        return EXIT_ICON_UNUSABLE;
    }
    if ((request.colour || request.emblem) && !ReadDesign(request, choice)) {
        say(Text(IDS_SILENT_NO_ICON, { request.emblem ? *request.emblem : *request.colour }));
        return EXIT_ICON_UNUSABLE;
    }
    choice.infoTip = request.infoTip;

    // Each target on its own: one refused leaves the others to go on, and a
    // folder named twice is changed once.
    std::vector<Named> named;
    std::vector<ChangeTarget> targets;
    for (const std::wstring& given : request.targets) {
        wchar_t path[PATH_BUFFER_SIZE];
        wchar_t name[PATH_BUFFER_SIZE];
        if (ClassifyPath(given.c_str(), path, name) == PathKind::Refused) {
            named.push_back({ given, GetLastError(), 0 });
            continue;
        }
        bool again = false;
        for (const ChangeTarget& target : targets)
            again = again || SameIgnoringCase(target.path.c_str(), path);
        if (!again) {
            named.push_back({ path, ERROR_SUCCESS, targets.size() });
            targets.push_back(TargetAt(path));
        }
    }
    const std::vector<Outcome> outcomes = MakeChange(choice, targets);
    // Nothing follows that could take a blank file back.
    for (const Outcome& outcome : outcomes) {
        wchar_t file[PATH_BUFFER_SIZE];
        if (outcome.emptied && DesktopIniPath(outcome.target.c_str(), file))
            DeleteIfStillBlank(file);
    }

    int done = 0;
    int failed = 0;
    for (const Named& target : named) {
        const DWORD error = target.refusal != ERROR_SUCCESS ? target.refusal : outcomes[target.change].error;
        const std::wstring line = error == ERROR_SUCCESS
                                      ? Text(IDS_SILENT_DONE, { target.given })
                                      : Text(IDS_SILENT_FAILED, { target.given, SystemReason(error) });
        say(line);
        journal.WriteLine(line);
        ++(error == ERROR_SUCCESS ? done : failed);
    }
    const std::wstring counts = Text(IDS_SILENT_COUNTS, { std::to_wstring(done), std::to_wstring(failed) });
    say(counts);
    journal.WriteLine(counts);
    return failed ? EXIT_SOME_FAILED : EXIT_DONE;
}
