// desktop.ini, the file through which a folder (or a drive root) shows its
// own icon and infotip: where it lives, its names, and what it says now.
#pragma once
#include "apply/IniFile.h"
#include "resource.h"
#include "target/Target.h"
#include <string>
#include <vector>

// The section and key names, loaded from the string table.
struct ShellClassInfoNames {
    ShellClassInfoNames();

    wchar_t section[STRING_BUFFER_SIZE];
    wchar_t iconFile[STRING_BUFFER_SIZE];
    wchar_t iconIndex[STRING_BUFFER_SIZE];
    wchar_t confirmFileOp[STRING_BUFFER_SIZE];
    wchar_t infoTip[STRING_BUFFER_SIZE];
};

// The customisation file of a folder or drive root: the path, a backslash
// unless it ends with one, "desktop.ini". False, and an empty file, when
// that does not fit in a path buffer.
bool DesktopIniPath(const wchar_t* target, wchar_t (&file)[PATH_BUFFER_SIZE]);

// The target's desktop.ini, read; false when it cannot be read (a file that
// is not there reads as an empty one).
bool ReadDesktopIni(const wchar_t* target, IniFile& ini);

// The target's "InfoTip", whole and in UTF-16, whatever the file's own
// encoding; empty when the file, the section or the key is missing.
std::wstring ReadInfoTip(const wchar_t* target);

// The icon that the target's customisation file names, as the shell reads
// it: "IconResource" where there is one (Windows writes it instead of the
// other two, and it wins over them), otherwise "IconFile" and "IconIndex";
// environment references expanded, a relative file taken from the target,
// the index made a position. False when it names no icon file, or one too
// long to be a location.
bool ReadCustomIcon(const wchar_t* target, IconLocation& icon);

// How a folder's desktop.ini names an icon file: by its path relative to the
// folder when it lies inside it or below, so that the folder keeps its icon
// when it is moved or renamed; otherwise as it is. Points into `file`.
const wchar_t* IconFileNameFor(const wchar_t* target, const wchar_t* file);

// "IconResource", the location of the folder's icon as one text,
// "file,index".
extern const wchar_t ICON_RESOURCE_KEY[];

// The text of an icon location: a path, a comma, and an index of up to 11
// characters.
constexpr int LOCATION_TEXT_SIZE = PATH_BUFFER_SIZE + 16;

// Deletes a desktop.ini that a removal left blank, unless something has
// written into it since.
void DeleteIfStillBlank(const wchar_t* file);

// The desktop.ini files that removals left blank, each once, deleted when
// timer ID_APPLY_TIMER fires unless a write took them back.
extern std::vector<std::wstring> PendingIniDeletions;
