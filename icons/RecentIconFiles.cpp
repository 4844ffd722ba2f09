#include "icons/RecentIconFiles.h"
#include "app/RegistryText.h"
#include "framework/WinApp.h"
#include "resource.h"
#include <cstdio>
#include <cstring>

namespace {

// Room for the name of any slot number a stored order can hold ("Sauve255").
constexpr int SLOT_NAME_SIZE = 16;
// "OrdreListe" written by another program may be longer than ours; the list
// uses its first 20 entries as long as it is no longer than this.
constexpr DWORD LONG_ORDER_SIZE = 256;

void SlotName(unsigned slot, char (&name)[SLOT_NAME_SIZE])
{
    std::snprintf(name, sizeof name, "Sauve%03u", slot);
}

bool ReadSlot(HKEY key, unsigned slot, char (&path)[PATH_BUFFER_SIZE])
{
    char name[SLOT_NAME_SIZE];
    SlotName(slot, name);
    return ReadRegistryText(key, name, path, sizeof path);
}

// Reads the order into `order`, at most `capacity` bytes; the entries not
// read stay empty. False when the value is missing or longer.
bool ReadOrder(HKEY key, BYTE* order, DWORD capacity, DWORD* length)
{
    char name[STRING_BUFFER_SIZE];
    AfxLoadString(IDS_RECENT_ORDER, name);
    std::memset(order, NO_RECENT_SLOT, capacity);
    *length = capacity;
    return RegQueryValueExA(key, name, nullptr, nullptr, order, length) == ERROR_SUCCESS;
}

} // namespace

void AddRecentIconFile(const char* path)
{
    if (!path || !path[0])
        return;
    char keyName[STRING_BUFFER_SIZE];
    AfxLoadString(IDS_RECENT_KEY, keyName);
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, keyName, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
        return;

    BYTE oldOrder[RECENT_FILE_COUNT];
    bool inUse[RECENT_FILE_COUNT] = {};
    int found = -1;
    DWORD length = 0;
    if (!ReadOrder(key, oldOrder, sizeof oldOrder, &length)) {
        std::memset(oldOrder, NO_RECENT_SLOT, sizeof oldOrder);
        length = 0;
    }
    for (DWORD k = 0; k < length; ++k) {
        const unsigned slot = oldOrder[k];
        char stored[PATH_BUFFER_SIZE];
        if (slot >= RECENT_FILE_COUNT || !ReadSlot(key, slot, stored) || inUse[slot])
            continue;
        inUse[slot] = true;
        // Should several slots hold the file, the one standing last wins.
        if (lstrcmpiA(path, stored) == 0)
            found = static_cast<int>(slot);
    }

    int chosen = found;
    for (int slot = 0; chosen < 0 && slot < RECENT_FILE_COUNT; ++slot) {
        if (!inUse[slot])
            chosen = slot;
    }
    if (chosen < 0)
        chosen = oldOrder[RECENT_FILE_COUNT - 1];

    char slotName[SLOT_NAME_SIZE];
    SlotName(static_cast<unsigned>(chosen), slotName);
    RegSetValueExA(key, slotName, 0, REG_SZ, reinterpret_cast<const BYTE*>(path),
                   static_cast<DWORD>(lstrlenA(path) + 1));

    BYTE newOrder[RECENT_FILE_COUNT];
    newOrder[0] = static_cast<BYTE>(chosen);
    int next = 1;
    bool skipped = false;
    for (int k = 0; k < RECENT_FILE_COUNT && next < RECENT_FILE_COUNT; ++k) {
        if (!skipped && oldOrder[k] == chosen) {
            skipped = true;
            continue;
        }
        newOrder[next++] = oldOrder[k];
    }
    char orderName[STRING_BUFFER_SIZE];
    AfxLoadString(IDS_RECENT_ORDER, orderName);
    RegSetValueExA(key, orderName, 0, REG_BINARY, newOrder, sizeof newOrder);
    RegCloseKey(key);
}

void FillRecentCombo(const CComboBox& combo)
{
    char editText[PATH_BUFFER_SIZE] = "";
    combo.GetWindowText(editText, sizeof editText);
    combo.ResetContent();

    char keyName[STRING_BUFFER_SIZE];
    AfxLoadString(IDS_RECENT_KEY, keyName);
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, keyName, 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
        BYTE order[LONG_ORDER_SIZE];
        DWORD length = 0;
        if (ReadOrder(key, order, sizeof order, &length)) {
            for (int k = 0; k < RECENT_FILE_COUNT; ++k) {
                char path[PATH_BUFFER_SIZE];
                if (ReadSlot(key, order[k], path))
                    combo.AddString(path);
            }
        }
        RegCloseKey(key);
    }
    combo.SetWindowText(editText);
}
