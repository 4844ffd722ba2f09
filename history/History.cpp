#include "history/History.h"
#include "framework/WinApp.h"
#include "history/RecordFile.h"
#include "resource.h"
#include <shlobj.h>
#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <cwctype>

namespace {

// A change's file: this, its number, and the ending.
const wchar_t CHANGE_FILE_NAME[] = L"Modification-";
const wchar_t CHANGE_FILE_ENDING[] = L".dat";
// How many numbers a new change tries when others take theirs meanwhile.
constexpr int MAX_NUMBER_TRIES = 16;

// The number in a change's file name; false for any other name.
bool ChangeNumber(const wchar_t* name, ULONG& number)
{
    const size_t start = ARRAYSIZE(CHANGE_FILE_NAME) - 1;
    if (wcsncmp(name, CHANGE_FILE_NAME, start) != 0 || !iswdigit(name[start]))
        return false;
    wchar_t* end = nullptr;
    number = wcstoul(name + start, &end, 10);
    return _wcsicmp(end, CHANGE_FILE_ENDING) == 0;
}

std::wstring ChangeFilePath(const std::wstring& folder, ULONG number)
{
    wchar_t name[64];
    swprintf(name, ARRAYSIZE(name), L"%ls%08lu%ls", CHANGE_FILE_NAME, number, CHANGE_FILE_ENDING);
    return folder + L"\\" + name;
}

} // namespace

bool HistoryFolder(std::wstring& folder, bool create)
{
    wchar_t local[PATH_BUFFER_SIZE] = L"";
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA | (create ? CSIDL_FLAG_CREATE : 0), nullptr,
                                SHGFP_TYPE_CURRENT, local)))
        return false;
    wchar_t name[STRING_BUFFER_SIZE];
    AfxLoadString(IDS_HISTORY_FOLDER, name);
    folder = std::wstring(local) + L"\\" + name;
    return !create || CreateDirectoryW(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

std::vector<ChangeFile> ChangeFiles(const std::wstring& folder)
{
    std::vector<ChangeFile> files;
    WIN32_FIND_DATAW found;
    const HANDLE search =
        FindFirstFileW((folder + L"\\" + CHANGE_FILE_NAME + L"*" + CHANGE_FILE_ENDING).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return files;
    do {
        ULONG number = 0;
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && ChangeNumber(found.cFileName, number))
            files.push_back({ number, folder + L"\\" + found.cFileName });
    } while (FindNextFileW(search, &found));
    FindClose(search);
    std::sort(files.begin(), files.end(),
              [](const ChangeFile& a, const ChangeFile& b) { return a.number > b.number; });
    return files;
}

std::wstring BeginChangeFile(RecordWriter& writer)
{
    std::wstring folder;
    if (!HistoryFolder(folder, true))
        return std::wstring();
    const std::vector<ChangeFile> files = ChangeFiles(folder);
    for (size_t i = MAX_KEPT_CHANGES - 1; i < files.size(); ++i)
        DeleteFileW(files[i].path.c_str());
    ULONG number = files.empty() ? 1 : files.front().number + 1;
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    for (int tries = 0; tries < MAX_NUMBER_TRIES; ++tries, ++number) {
        const std::wstring path = ChangeFilePath(folder, number);
        if (writer.Create(path, now))
            return path;
        if (GetLastError() != ERROR_FILE_EXISTS)
            break;
    }
    return std::wstring();
}
