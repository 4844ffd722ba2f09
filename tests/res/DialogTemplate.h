// Reads a dialog template as the resource compiler stores it: a classic
// DLGTEMPLATE or an extended DLGTEMPLATEEX, followed by its items. The reader
// never looks past the bytes it is given.
#pragma once
#include <windows.h>
#include <cstddef>
#include <string>
#include <vector>

// A menu, class or control text of a template: nothing, an ordinal (a
// resource id or a predefined class atom) or a string.
struct TemplateName {
    enum Kind { None, Ordinal, String };
    Kind kind = None;
    WORD ordinal = 0;
    std::wstring text;
};

struct DialogItem {
    DWORD helpId = 0;     // always 0 in a classic template
    DWORD exStyle = 0;
    DWORD style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    DWORD id = 0;         // a WORD in a classic template, a DWORD in an extended one
    TemplateName windowClass;
    TemplateName text;
    WORD creationDataSize = 0;
};

struct DialogTemplate {
    bool extended = false;
    DWORD helpId = 0;
    DWORD exStyle = 0;
    DWORD style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    TemplateName menu;
    TemplateName windowClass;
    std::wstring title;
    bool hasFont = false;  // DS_SETFONT: the font fields below are present
    WORD pointSize = 0;
    WORD weight = 0;       // extended templates only
    BYTE italic = 0;       // extended templates only
    BYTE charset = 0;      // extended templates only
    std::wstring faceName;
    std::vector<DialogItem> items;
    size_t bytesUsed = 0;  // up to the end of the last item
};

// Reads the template held in `size` bytes at `data`, which must be aligned on
// four bytes as resource data is. Returns false when the bytes end before the
// template does or a string has no end; `result` then holds what was read.
bool ParseDialogTemplate(const void* data, size_t size, DialogTemplate& result);
