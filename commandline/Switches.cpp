#include "commandline/Switches.h"
#include "commandline/Texts.h"
#include "framework/Paths.h"
#include "madeicons/Colours.h"
#include "resource.h"
#include <windows.h>
#include <shellapi.h>
#include <cwctype>

namespace {

enum class Takes { Nothing, Value };

struct SwitchName {
    const wchar_t* name;
    Takes takes;
};

const SwitchName ICON = { L"icone", Takes::Value };
const SwitchName INFOTIP = { L"infobulle", Takes::Value };
const SwitchName DEFAULT_ICON = { L"defaut", Takes::Nothing };
const SwitchName JOURNAL = { L"journal", Takes::Value };
const SwitchName COLOUR = { L"couleur", Takes::Value };
const SwitchName EMBLEM = { L"embleme", Takes::Value };
const SwitchName COVERS = { L"couvertures", Takes::Nothing };
const SwitchName REPLACE = { L"remplacer", Takes::Nothing };
const SwitchName FIRST_PICTURE = { L"premiere-image", Takes::Nothing };
const SwitchName USAGE = { L"?", Takes::Nothing };
const SwitchName UNDO = { L"defaire", Takes::Nothing };
const SwitchName* const SWITCHES[] = { &ICON,   &INFOTIP, &DEFAULT_ICON, &JOURNAL,       &COLOUR, &EMBLEM,
                                       &COVERS, &REPLACE, &FIRST_PICTURE, &USAGE, &UNDO };

bool& FlagOf(SilentRequest& request, const SwitchName& name)
{
    return &name == &USAGE           ? request.usage
         : &name == &UNDO            ? request.undoes
         : &name == &COVERS          ? request.covers
         : &name == &REPLACE         ? request.replaceOwnIcons
         : &name == &FIRST_PICTURE   ? request.firstPicture
                                     : request.restoresDefault;
}

// The first thing wrong is the one told.
void Wrong(SilentRequest& request, const std::wstring& wrong)
{
    if (request.wrong.empty())
        request.wrong = wrong;
}

// Where a switch's value goes, and whether it came before.
void Take(SilentRequest& request, const SwitchName& name, const std::wstring& shown, const std::wstring& value)
{
    std::optional<std::wstring>* slot = &name == &ICON      ? &request.icon
                                      : &name == &INFOTIP   ? &request.infoTip
                                      : &name == &COLOUR    ? &request.colour
                                      : &name == &EMBLEM    ? &request.emblem
                                                            : &request.journal;
    if (*slot)
        Wrong(request, Text(IDS_SILENT_TWICE, { shown }));
    *slot = value;
}

void ReadSwitch(SilentRequest& request, const std::wstring& argument)
{
    const size_t colon = argument.find(L':');
    const std::wstring name = argument.substr(1, colon == std::wstring::npos ? std::wstring::npos : colon - 1);
    const std::wstring shown = L"/" + name;
    for (const SwitchName* known : SWITCHES) {
        if (!SameIgnoringCase(name.c_str(), known->name))
            continue;
        if (known->takes == Takes::Nothing) {
            bool& flag = FlagOf(request, *known);
            if (colon != std::wstring::npos)
                Wrong(request, Text(IDS_SILENT_EXTRA_VALUE, { shown }));
            else if (flag)
                Wrong(request, Text(IDS_SILENT_TWICE, { shown }));
            flag = true;
            return;
        }
        // Only an infotip may be empty: it is then removed.
        const std::wstring value = colon == std::wstring::npos ? std::wstring() : argument.substr(colon + 1);
        if (colon == std::wstring::npos || (value.empty() && known != &INFOTIP))
            Wrong(request, Text(IDS_SILENT_NO_VALUE, { shown }));
        else
            Take(request, *known, shown, value);
        return;
    }
    Wrong(request, Text(IDS_SILENT_UNKNOWN, { argument }));
}

} // namespace

std::vector<std::wstring> SplitArguments(const wchar_t* tail)
{
    // The first argument is a program's name, split by other rules: one is
    // put before the tail.
    const std::wstring line = std::wstring(L"Brisevent ") + tail;
    int count = 0;
    LPWSTR* split = CommandLineToArgvW(line.c_str(), &count);
    std::vector<std::wstring> arguments;
    for (int i = 1; split && i < count; ++i)
        arguments.push_back(split[i]);
    LocalFree(split);
    return arguments;
}

bool IsSwitch(const std::wstring& argument)
{
    return argument.size() >= 2 && argument[0] == L'/' && (iswalpha(argument[1]) || argument[1] == L'?');
}

bool HoldsSwitch(const std::vector<std::wstring>& arguments)
{
    for (const std::wstring& argument : arguments) {
        if (IsSwitch(argument))
            return true;
    }
    return false;
}

SilentRequest ReadSwitches(const std::vector<std::wstring>& arguments)
{
    SilentRequest request;
    for (const std::wstring& argument : arguments) {
        if (IsSwitch(argument))
            ReadSwitch(request, argument);
        else
            request.targets.push_back(argument);
    }
    COLORREF colour = 0;
    if (request.colour && !ReadColour(*request.colour, colour))
        Wrong(request, Text(IDS_SILENT_BAD_COLOUR, { *request.colour }));
    const bool designed = request.colour || request.emblem;
    // An undo takes back a change already made: it makes none, and names
    // no target.
    if (request.undoes) {
        if (request.icon || request.restoresDefault || request.infoTip || designed || request.covers ||
            request.replaceOwnIcons || request.firstPicture || !request.targets.empty())
            Wrong(request, Text(IDS_SILENT_UNDO_ALONE));
        return request;
    }
    if (request.icon && request.restoresDefault)
        Wrong(request, Text(IDS_SILENT_CONFLICT));
    if (designed && (request.icon || request.restoresDefault))
        Wrong(request, Text(IDS_SILENT_DESIGN_CONFLICT));
    if (request.covers && (request.icon || request.restoresDefault || request.infoTip || designed))
        Wrong(request, Text(IDS_SILENT_COVERS_CONFLICT));
    if ((request.replaceOwnIcons || request.firstPicture) && !request.covers)
        Wrong(request, Text(IDS_SILENT_COVERS_ONLY));
    if (!request.icon && !request.restoresDefault && !request.infoTip && !designed && !request.covers)
        Wrong(request, Text(IDS_SILENT_NO_CHANGE));
    if (request.targets.empty())
        Wrong(request, Text(IDS_SILENT_NO_TARGET));
    return request;
}
