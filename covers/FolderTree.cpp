#include "covers/FolderTree.h"
#include "framework/Paths.h"
#include <windows.h>
#include <algorithm>

namespace {

bool IsFolderToEnter(const WIN32_FIND_DATAW& found)
{
    const std::wstring name = found.cFileName;
    return found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY && !(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) &&
           name != L"." && name != L"..";
}

std::vector<std::wstring> Subfolders(const std::wstring& folder)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileExW(Within(folder, L"*").c_str(), FindExInfoBasic, &found,
                                           FindExSearchLimitToDirectories, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (IsFolderToEnter(found))
            names.push_back(found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end(), [](const std::wstring& a, const std::wstring& b) {
        return ComesBeforeIgnoringCase(a.c_str(), b.c_str());
    });
    return names;
}

} // namespace

std::wstring Within(const std::wstring& folder, const std::wstring& name)
{
    return !folder.empty() && folder.back() == L'\\' ? folder + name : folder + L"\\" + name;
}

std::vector<std::wstring> FoldersOfTree(const std::wstring& root, const std::atomic<bool>& stop,
                                        std::atomic<size_t>& found)
{
    std::vector<std::wstring> folders;
    // Depth first, without recursion: a deep tree takes no stack.
    std::vector<std::wstring> pending = { root };
    while (!pending.empty() && !stop) {
        const std::wstring folder = pending.back();
        pending.pop_back();
        folders.push_back(folder);
        ++found;
        const std::vector<std::wstring> names = Subfolders(folder);
        for (auto name = names.rbegin(); name != names.rend(); ++name)
            pending.push_back(Within(folder, *name));
    }
    return folders;
}
