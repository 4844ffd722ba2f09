#include "icons/RecentIconFiles.h"
#include "app/RegistryText.h"
#include "framework/Paths.h"
#include "framework/WinApp.h"
#include "resource.h"
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

// Room for the name of any slot number ("Sauve019").
constexpr int SLOT_NAME_SIZE = 16;

void SlotName(unsigned slot, wchar_t (&name)[SLOT_NAME_SIZE])
{
    swprintf(name, ARRAYSIZE(name), L"Sauve%03u", slot);
}

bool ReadSlot(HKEY key, unsigned slot, wchar_t (&path)[PATH_BUFFER_SIZE])
{
    wchar_t name[SLOT_NAME_SIZE];
    SlotName(slot, name);
    return ReadRegistryText(key, name, path, ARRAYSIZE(path));
}

struct RecentEntry {
    BYTE slot;
    wchar_t path[PATH_BUFFER_SIZE];
};

// The recent files, most recent first, as the stored order names them. The
// order may have been written by someone else, of any length, with slots
// repeated or out of range: each slot counts once, at its first place, and
// only while its value can be read. Answers how many entries there are.
int ReadRecentEntries(HKEY key, RecentEntry (&entries)[RECENT_FILE_COUNT])
{
    wchar_t name[STRING_BUFFER_SIZE];
    AfxLoadString(IDS_RECENT_ORDER, name);
    DWORD length = 0;
    if (RegQueryValueExW(key, name, nullptr, nullptr, nullptr, &length) != ERROR_SUCCESS || length == 0)
        return 0;
    std::vector<BYTE> order(length);
    if (RegQueryValueExW(key, name, nullptr, nullptr, order.data(), &length) != ERROR_SUCCESS)
        return 0;
    order.resize(length < order.size() ? length : order.size());

    bool seen[RECENT_FILE_COUNT] = {};
    int count = 0;
    for (const BYTE slot : order) {
        if (count == RECENT_FILE_COUNT)
            break;
        if (slot >= RECENT_FILE_COUNT || seen[slot])
            continue;
        seen[slot] = true;
        if (ReadSlot(key, slot, entries[count].path))
            entries[count++].slot = slot;
    }
    return count;
}

} // namespace

void AddRecentIconFile(const wchar_t* path)
{
    if (!path || !path[0])
        return;
    wchar_t keyName[STRING_BUFFER_SIZE];
    AfxLoadString(IDS_RECENT_KEY, keyName);
    HKEY key;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, keyName, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
        return;

    RecentEntry entries[RECENT_FILE_COUNT];
    const int count = ReadRecentEntries(key, entries);
    bool inUse[RECENT_FILE_COUNT] = {};
    int chosen = -1;
    for (int k = 0; k < count; ++k) {
        inUse[entries[k].slot] = true;
        // Should several slots hold the file, the one standing last wins.
        if (SameIgnoringCase(path, entries[k].path))
            chosen = entries[k].slot;
    }
    for (int slot = 0; chosen < 0 && slot < RECENT_FILE_COUNT; ++slot) {
        if (!inUse[slot])
            chosen = slot;
    }
    if (chosen < 0)
        chosen = entries[RECENT_FILE_COUNT - 1].slot;

    wchar_t slotName[SLOT_NAME_SIZE];
    SlotName(static_cast<unsigned>(chosen), slotName);
    RegSetValueExW(key, slotName, 0, REG_SZ, reinterpret_cast<const BYTE*>(path),
                   static_cast<DWORD>((lstrlenW(path) + 1) * sizeof(wchar_t)));

    BYTE newOrder[RECENT_FILE_COUNT];
    std::memset(newOrder, NO_RECENT_SLOT, sizeof newOrder);
    newOrder[0] = static_cast<BYTE>(chosen);
    int next = 1;
    for (int k = 0; k < count && next < RECENT_FILE_COUNT; ++k) {
        if (entries[k].slot != chosen)
            newOrder[next++] = entries[k].slot;
    }
    wchar_t orderName[STRING_BUFFER_SIZE];
    AfxLoadString(IDS_RECENT_ORDER, orderName);
    RegSetValueExW(key, orderName, 0, REG_BINARY, newOrder, sizeof newOrder);
    RegCloseKey(key);
}

void FillRecentCombo(const CComboBox& combo)
{
    wchar_t editText[PATH_BUFFER_SIZE] = L"";
    combo.GetWindowText(editText, ARRAYSIZE(editText));
    combo.ResetContent();

    wchar_t keyName[STRING_BUFFER_SIZE];
    AfxLoadString(IDS_RECENT_KEY, keyName);
    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, keyName, 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
        RecentEntry entries[RECENT_FILE_COUNT];
        const int count = ReadRecentEntries(key, entries);
        for (int k = 0; k < count; ++k)
            combo.AddString(entries[k].path);
        RegCloseKey(key);
    }
    combo.SetWindowText(editText);
}
