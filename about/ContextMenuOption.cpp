#include "about/AboutDialog.h"
#include "app/FolderIconDialog.h"
#include "app/RegistryText.h"
#include "apply/ReportError.h"
#include "framework/WinApp.h"
#include <cstdlib>

int AboutDirty = 0;

namespace {

const UINT VERB_KEYS[] = { IDS_FOLDER_VERB_KEY, IDS_DRIVE_VERB_KEY };

LONG CreateKey(HKEY parent, const wchar_t* name, HKEY* key)
{
    return RegCreateKeyExW(parent, name, 0, const_cast<wchar_t*>(L""), REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                           key, nullptr);
}

LONG SetText(HKEY key, const wchar_t* name, const wchar_t* text)
{
    return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                          static_cast<DWORD>((lstrlenW(text) + 1) * sizeof(wchar_t)));
}

// The first failure of a series of registry calls is the one the user is
// told of.
void Keep(LONG& first, LONG result)
{
    if (first == ERROR_SUCCESS)
        first = result;
}

// The verb that starts the program on the folder or drive it is chosen on.
LONG RegisterVerb(const wchar_t* verbKey, const wchar_t* menuText, const wchar_t* command)
{
    wchar_t commandKey[STRING_BUFFER_SIZE];
    AfxLoadString(IDS_COMMAND_KEY, commandKey);
    HKEY verb;
    LONG failure = CreateKey(HKEY_CLASSES_ROOT, verbKey, &verb);
    if (failure != ERROR_SUCCESS)
        return failure;
    Keep(failure, SetText(verb, nullptr, menuText));
    HKEY commandEntry;
    const LONG created = CreateKey(verb, commandKey, &commandEntry);
    Keep(failure, created);
    if (created == ERROR_SUCCESS) {
        Keep(failure, SetText(commandEntry, nullptr, command));
        RegCloseKey(commandEntry);
    }
    RegCloseKey(verb);
    return failure;
}

// A verb that is not there is already removed.
LONG UnlessAbsent(LONG result)
{
    return result == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : result;
}

LONG RemoveVerb(const wchar_t* verbKey)
{
    wchar_t commandKey[STRING_BUFFER_SIZE];
    AfxLoadString(IDS_COMMAND_KEY, commandKey);
    LONG failure = ERROR_SUCCESS;
    HKEY verb;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, verbKey, 0, KEY_ALL_ACCESS, &verb) == ERROR_SUCCESS) {
        Keep(failure, UnlessAbsent(RegDeleteKeyW(verb, commandKey)));
        RegCloseKey(verb);
    }
    Keep(failure, UnlessAbsent(RegDeleteKeyW(HKEY_CLASSES_ROOT, verbKey)));
    return failure;
}

// Both verbs, for folders and for drives. A program path that does not fit
// its buffer is not registered cut short: the shell would start another
// program with it, or nothing.
LONG WriteVerbs(bool registered)
{
    // Room for the whole format around the whole path.
    wchar_t command[STRING_BUFFER_SIZE + PROGRAM_PATH_BUFFER_SIZE] = L"";
    if (registered) {
        wchar_t program[PROGRAM_PATH_BUFFER_SIZE];
        const DWORD length = GetModuleFileNameW(nullptr, program, ARRAYSIZE(program));
        if (length == 0 || length >= ARRAYSIZE(program))
            return ERROR_FILENAME_EXCED_RANGE;
        wchar_t format[STRING_BUFFER_SIZE];
        AfxLoadString(IDS_VERB_COMMAND, format);
        wsprintfW(command, format, program);
    }
    wchar_t menuText[STRING_BUFFER_SIZE];
    AfxLoadString(IDS_VERB_TEXT, menuText);
    LONG failure = ERROR_SUCCESS;
    for (UINT id : VERB_KEYS) {
        wchar_t verbKey[STRING_BUFFER_SIZE];
        AfxLoadString(id, verbKey);
        Keep(failure, registered ? RegisterVerb(verbKey, menuText, command) : RemoveVerb(verbKey));
    }
    return failure;
}

// The names of the record of the option, which is also the first-run marker.
struct OptionNames {
    OptionNames()
    {
        AfxLoadString(IDS_OPTION_KEY, optionKey);
        AfxLoadString(IDS_PROGRAM_KEY, programKey);
        AfxLoadString(IDS_CONTEXT_MENU_VALUE, valueName);
    }

    wchar_t optionKey[STRING_BUFFER_SIZE];
    wchar_t programKey[STRING_BUFFER_SIZE];
    wchar_t valueName[STRING_BUFFER_SIZE];
};

} // namespace

void AboutDialog::LoadContextMenuOption()
{
    bool checked = true;
    AboutDirty = 1;
    const OptionNames names;
    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, names.optionKey, 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
        HKEY program;
        if (RegOpenKeyExW(key, names.programKey, 0, KEY_ALL_ACCESS, &program) == ERROR_SUCCESS) {
            wchar_t stored[STRING_BUFFER_SIZE];
            if (ReadRegistryText(program, names.valueName, stored, ARRAYSIZE(stored))) {
                // The program writes only 0 and 2; a 1 asks for the verbs to
                // be written again.
                const int state = _wtoi(stored);
                AboutDirty = state == 1;
                checked = state != 0;
            }
            RegCloseKey(program);
        }
        RegCloseKey(key);
    }
    if (checked)
        m_contextMenuOption.SetCheck(BST_CHECKED);
}

// Without the rights to the classes' keys the verbs cannot change: the user
// is told once, and the choice is still recorded.
void AboutDialog::SaveContextMenuOption()
{
    if (AboutDirty) {
        const LONG failure = WriteVerbs(m_contextMenuOption.GetCheck() != BST_UNCHECKED);
        const OptionNames names;
        HKEY key;
        if (CreateKey(HKEY_CURRENT_USER, names.optionKey, &key) == ERROR_SUCCESS) {
            HKEY program;
            if (CreateKey(key, names.programKey, &program) == ERROR_SUCCESS) {
                wchar_t state[OPTION_TEXT_BUFFER_SIZE];
                wsprintfW(state, L"%d", m_contextMenuOption.GetCheck() * 2);
                SetText(program, names.valueName, state);
                RegCloseKey(program);
            }
            RegCloseKey(key);
        }
        if (failure != ERROR_SUCCESS)
            ReportSystemError(m_hWnd, static_cast<DWORD>(failure));
    }
    CDialog::OnOK();
}

void AboutDialog::OnContextMenuOptionClicked(Message&)
{
    AboutDirty = 1;
}

// The marker is the program's key alone; until a first OK of the About box
// has made it, every start opens the About box first.
void FolderIconDialog::CheckFirstRun()
{
    const OptionNames names;
    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, names.optionKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) {
        ShowAboutBox();
        return;
    }
    HKEY program;
    if (RegOpenKeyExW(key, names.programKey, 0, KEY_ALL_ACCESS, &program) == ERROR_SUCCESS)
        RegCloseKey(program);
    else
        ShowAboutBox();
    RegCloseKey(key);
}
