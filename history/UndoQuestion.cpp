#include "commandline/Texts.h"
#include "history/Undo.h"
#include "resource.h"
#include <cstdio>
#include <iterator>
#include <sstream>
#include <vector>

namespace {

// The month's short name, from 1 for January.
std::wstring MonthName(WORD month)
{
    std::wistringstream text(Text(IDS_UNDO_MONTHS));
    const std::vector<std::wstring> names{ std::istream_iterator<std::wstring, wchar_t>(text),
                                           std::istream_iterator<std::wstring, wchar_t>() };
    return month >= 1 && month <= names.size() ? names[month - 1] : std::wstring();
}

// "9 déc. 2026" and "10:42", in the user's time.
void DateAndTime(const FILETIME& began, std::wstring& date, std::wstring& time)
{
    FILETIME local;
    SYSTEMTIME when = {};
    if (!FileTimeToLocalFileTime(&began, &local) || !FileTimeToSystemTime(&local, &when))
        FileTimeToSystemTime(&began, &when);
    wchar_t text[64];
    swprintf(text, ARRAYSIZE(text), L"%u %ls %u", when.wDay, MonthName(when.wMonth).c_str(), when.wYear);
    date = text;
    swprintf(text, ARRAYSIZE(text), L"%02u:%02u", when.wHour, when.wMinute);
    time = text;
}

std::wstring WhatChanged(DWORD changes)
{
    const bool infoTip = (changes & CHANGES_INFOTIP) != 0;
    if (changes & CHANGES_ICON)
        return Text(infoTip ? IDS_UNDO_ICON_INFOTIP : IDS_UNDO_ICON);
    if (changes & CHANGES_TO_DEFAULT)
        return Text(infoTip ? IDS_UNDO_DEFAULT_INFOTIP : IDS_UNDO_DEFAULT);
    return Text(IDS_UNDO_INFOTIP);
}

std::wstring HowMany(int count, UINT one, UINT several)
{
    return count == 1 ? Text(one) : Text(several, { std::to_wstring(count) });
}

} // namespace

std::wstring UndoQuestion(const ChangeContents& change)
{
    DWORD changes = 0;
    int folders = 0;
    int drives = 0;
    for (const TouchedTarget& touched : TouchedTargets(change)) {
        changes |= touched.changes;
        ++(change.targets[touched.first].kind == TargetKind::Drive ? drives : folders);
    }
    std::wstring targets = HowMany(folders, IDS_UNDO_ONE_FOLDER, IDS_UNDO_FOLDERS);
    if (drives > 0) {
        const std::wstring driveText = HowMany(drives, IDS_UNDO_ONE_DRIVE, IDS_UNDO_DRIVES);
        targets = folders > 0 ? Text(IDS_UNDO_BOTH_KINDS, { targets, driveText }) : driveText;
    }
    std::wstring date;
    std::wstring time;
    DateAndTime(change.began, date, time);
    return Text(IDS_UNDO_QUESTION, { date, time, WhatChanged(changes), targets });
}
