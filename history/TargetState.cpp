#include "history/TargetState.h"
#include "apply/DesktopIni.h"
#include "apply/WholeFile.h"
#include "framework/WinApp.h"
#include "resource.h"

namespace {

// The attributes a program may give a file or folder.
constexpr DWORD SETTABLE_ATTRIBUTES = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                      FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED |
                                      FILE_ATTRIBUTE_OFFLINE | FILE_ATTRIBUTE_TEMPORARY;

// The path below HKEY_LOCAL_MACHINE of the drive's letter key, and the name
// of the key below it that holds the icon.
struct DriveKeyNames {
    explicit DriveKeyNames(const std::wstring& root)
    {
        wchar_t driveIcons[STRING_BUFFER_SIZE];
        AfxLoadString(IDS_DRIVE_ICONS_KEY, driveIcons);
        AfxLoadString(IDS_DEFAULT_ICON_KEY, defaultIcon);
        letter = std::wstring(driveIcons) + L"\\" + root.substr(0, 1);
    }

    std::wstring letter;
    wchar_t defaultIcon[STRING_BUFFER_SIZE];
};

// The shell reads the machine's keys in the 64-bit view, also for the
// 32-bit build.
LONG OpenKey(HKEY parent, const wchar_t* name, REGSAM access, HKEY& key)
{
    return RegOpenKeyExW(parent, name, 0, access | KEY_WOW64_64KEY, &key);
}

TargetState ReadFolderState(const std::wstring& folder)
{
    TargetState state;
    state.holder = GetFileAttributesW(folder.c_str());
    wchar_t file[PATH_BUFFER_SIZE];
    if (!DesktopIniPath(folder.c_str(), file)) {
        state.content = TargetState::Content::Unread;
        return state;
    }
    state.attributes = GetFileAttributesW(file);
    if (state.attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        state.content = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND
                            ? TargetState::Content::Absent
                            : TargetState::Content::Unread;
        state.attributes = 0;
        return state;
    }
    state.content = ReadWholeFile(file, state.bytes, MAX_REWRITTEN_INI_SIZE) ? TargetState::Content::Present
                                                                            : TargetState::Content::Unread;
    return state;
}

TargetState ReadDriveState(const std::wstring& root)
{
    TargetState state;
    const DriveKeyNames names(root);
    HKEY letterKey;
    if (OpenKey(HKEY_LOCAL_MACHINE, names.letter.c_str(), KEY_READ, letterKey) != ERROR_SUCCESS)
        return state;
    state.holder |= DRIVE_LETTER_KEY;
    HKEY iconKey;
    if (OpenKey(letterKey, names.defaultIcon, KEY_READ, iconKey) == ERROR_SUCCESS) {
        state.holder |= DRIVE_ICON_KEY;
        DWORD size = 0;
        LONG error = RegQueryValueExW(iconKey, nullptr, nullptr, &state.attributes, nullptr, &size);
        if (error == ERROR_SUCCESS && size <= MAX_RECORDED_VALUE_SIZE) {
            state.bytes.resize(size);
            error = RegQueryValueExW(iconKey, nullptr, nullptr, &state.attributes, state.bytes.data(), &size);
            state.bytes.resize(size);
        }
        state.content = error == ERROR_SUCCESS ? TargetState::Content::Present
                        : error == ERROR_FILE_NOT_FOUND ? TargetState::Content::Absent
                                                        : TargetState::Content::Unread;
        if (state.content != TargetState::Content::Present) {
            state.bytes.clear();
            state.attributes = 0;
        }
        RegCloseKey(iconKey);
    }
    RegCloseKey(letterKey);
    return state;
}

// Removes a key that holds nothing, neither values nor keys: one the change
// made.
void DeleteIfEmpty(HKEY parent, const wchar_t* name)
{
    HKEY key;
    if (OpenKey(parent, name, KEY_READ, key) != ERROR_SUCCESS)
        return;
    DWORD keys = 0;
    DWORD values = 0;
    const bool empty = RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &keys, nullptr, nullptr, &values, nullptr,
                                        nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
                       keys == 0 && values == 0;
    RegCloseKey(key);
    if (empty)
        RegDeleteKeyExW(parent, name, KEY_WOW64_64KEY, 0);
}

LONG RestoreDrive(const std::wstring& root, const TargetState& state)
{
    const DriveKeyNames names(root);
    const std::wstring iconPath = names.letter + L"\\" + names.defaultIcon;
    LONG error = ERROR_SUCCESS;
    HKEY iconKey;
    if (state.content == TargetState::Content::Present) {
        error = RegCreateKeyExW(HKEY_LOCAL_MACHINE, iconPath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                KEY_SET_VALUE | KEY_WOW64_64KEY, nullptr, &iconKey, nullptr);
        if (error != ERROR_SUCCESS)
            return error;
        error = RegSetValueExW(iconKey, nullptr, 0, state.attributes, state.bytes.data(),
                               static_cast<DWORD>(state.bytes.size()));
        RegCloseKey(iconKey);
        return error;
    }
    error = OpenKey(HKEY_LOCAL_MACHINE, iconPath.c_str(), KEY_SET_VALUE, iconKey);
    if (error == ERROR_FILE_NOT_FOUND)
        return ERROR_SUCCESS;
    if (error != ERROR_SUCCESS)
        return error;
    error = RegDeleteValueW(iconKey, nullptr);
    RegCloseKey(iconKey);
    if (error != ERROR_SUCCESS && error != ERROR_FILE_NOT_FOUND)
        return error;
    HKEY letterKey;
    if (!(state.holder & DRIVE_ICON_KEY) &&
        OpenKey(HKEY_LOCAL_MACHINE, names.letter.c_str(), KEY_READ, letterKey) == ERROR_SUCCESS) {
        DeleteIfEmpty(letterKey, names.defaultIcon);
        RegCloseKey(letterKey);
    }
    if (!(state.holder & DRIVE_LETTER_KEY)) {
        const size_t slash = names.letter.rfind(L'\\');
        HKEY driveIcons;
        if (OpenKey(HKEY_LOCAL_MACHINE, names.letter.substr(0, slash).c_str(), KEY_READ, driveIcons) ==
            ERROR_SUCCESS) {
            DeleteIfEmpty(driveIcons, names.letter.c_str() + slash + 1);
            RegCloseKey(driveIcons);
        }
    }
    return ERROR_SUCCESS;
}

// A read-only file can be neither replaced nor deleted.
void AllowWriting(const wchar_t* file)
{
    const DWORD attributes = GetFileAttributesW(file);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        SetFileAttributesW(file, attributes & ~FILE_ATTRIBUTE_READONLY);
}

bool RestoreFolder(const std::wstring& folder, const TargetState& state)
{
    wchar_t file[PATH_BUFFER_SIZE];
    if (!DesktopIniPath(folder.c_str(), file)) {
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return false;
    }
    if (state.content == TargetState::Content::Present) {
        const DWORD attributes = state.attributes & SETTABLE_ATTRIBUTES;
        AllowWriting(file);
        if (!WriteWholeFile(file, state.bytes, attributes, true) ||
            !SetFileAttributesW(file, attributes ? attributes : FILE_ATTRIBUTE_NORMAL))
            return false;
    } else if (GetFileAttributesW(file) != INVALID_FILE_ATTRIBUTES) {
        AllowWriting(file);
        if (!DeleteFileW(file))
            return false;
    }
    if (state.holder == INVALID_FILE_ATTRIBUTES)
        return true;
    const DWORD attributes = state.holder & SETTABLE_ATTRIBUTES;
    return SetFileAttributesW(folder.c_str(), attributes ? attributes : FILE_ATTRIBUTE_NORMAL) != FALSE;
}

} // namespace

TargetState ReadTargetState(const std::wstring& path, TargetKind kind)
{
    return kind == TargetKind::Drive ? ReadDriveState(path) : ReadFolderState(path);
}

ULONGLONG ContentDigest(const TargetState& state, TargetKind kind)
{
    const DWORD content = static_cast<DWORD>(state.content);
    ULONGLONG digest = Digest(reinterpret_cast<const BYTE*>(&content), sizeof content);
    if (state.content != TargetState::Content::Present)
        return digest;
    if (kind == TargetKind::Drive)
        digest = Digest(reinterpret_cast<const BYTE*>(&state.attributes), sizeof state.attributes, digest);
    return Digest(state.bytes.data(), state.bytes.size(), digest);
}

bool RestoreTargetState(const std::wstring& path, TargetKind kind, const TargetState& state)
{
    if (state.content == TargetState::Content::Unread) {
        SetLastError(ERROR_INVALID_DATA);
        return false;
    }
    if (kind == TargetKind::Folder)
        return RestoreFolder(path, state);
    const LONG error = RestoreDrive(path, state);
    SetLastError(static_cast<DWORD>(error));
    return error == ERROR_SUCCESS;
}

void PutTargetState(RecordBody& body, const TargetState& state)
{
    body.PutNumber(static_cast<DWORD>(state.content));
    body.PutNumber(state.attributes);
    body.PutNumber(state.holder);
    body.PutBytes(state.bytes);
}

TargetState TakeTargetState(RecordFields& fields)
{
    TargetState state;
    const DWORD content = fields.Number();
    state.content = content <= static_cast<DWORD>(TargetState::Content::Unread) ? static_cast<TargetState::Content>(content)
                                                                                : TargetState::Content::Unread;
    state.attributes = fields.Number();
    state.holder = fields.Number();
    state.bytes = fields.Bytes(MAX_RECORDED_ICON_FILE_SIZE);
    if (state.content != TargetState::Content::Present && !state.bytes.empty())
        state.content = TargetState::Content::Unread;
    return state;
}
