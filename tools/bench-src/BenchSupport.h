// What the benchmarks share: the median of their rounds, the messages of
// their windows handled between the timed steps, the files beside them, and
// the program's keys as they need them.
#pragma once
#include <windows.h>
#include <shlwapi.h>
#include <algorithm>
#include <string>
#include <vector>

inline double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Now, on the performance counter.
inline double Milliseconds()
{
    LARGE_INTEGER now;
    LARGE_INTEGER frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

inline void Pump()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// A file in the benchmark's own folder.
inline std::wstring BesideTheProgram(const wchar_t* name)
{
    wchar_t path[MAX_PATH] = L"";
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    folder.erase(folder.find_last_of(L'\\') + 1);
    return folder + name;
}

inline const char* const MarkerKey = "Software\\VELDRAKO\\Brisevent";
inline const char* const OptionKey = "Software\\VELDRAKO";
inline const char* const RecentKey = "Software\\KORBINEX\\Brisevent";

inline bool KeyExists(const char* path)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

// The program's keys as the benchmark found them: a first-run marker, so
// that no About box waits for a user, and the recent files, which its
// applies record; what it had to make goes again.
class ProgramKeys {
public:
    ProgramKeys()
        : m_madeOption(!KeyExists(OptionKey)), m_madeMarker(!KeyExists(MarkerKey)), m_madeRecent(!KeyExists(RecentKey))
    {
        HKEY key;
        if (m_madeMarker &&
            RegCreateKeyExA(HKEY_CURRENT_USER, MarkerKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) ==
                ERROR_SUCCESS)
            RegCloseKey(key);
    }
    ~ProgramKeys()
    {
        if (m_madeMarker)
            SHDeleteKeyA(HKEY_CURRENT_USER, m_madeOption ? OptionKey : MarkerKey);
        if (m_madeRecent)
            SHDeleteKeyA(HKEY_CURRENT_USER, RecentKey);
    }
    ProgramKeys(const ProgramKeys&) = delete;
    ProgramKeys& operator=(const ProgramKeys&) = delete;

private:
    bool m_madeOption;
    bool m_madeMarker;
    bool m_madeRecent;
};
