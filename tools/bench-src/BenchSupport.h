// What the benchmarks share: the median of their rounds, the messages of
// their windows handled between the timed steps, and the files beside them.
#pragma once
#include <windows.h>
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
