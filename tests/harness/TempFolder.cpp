#include "harness/TempFolder.h"
#include "harness/Windows.h"
#include <windows.h>

TempFolder::TempFolder()
{
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof temp, temp);
    for (unsigned attempt = GetTickCount();; ++attempt) {
        m_path = std::string(temp) + "brisevent-test-" + std::to_string(GetCurrentProcessId()) + "-" +
                 std::to_string(attempt);
        if (CreateDirectoryA(m_path.c_str(), nullptr))
            break;
    }
}

TempFolder::~TempFolder()
{
    RemoveTree(m_path);
}

namespace {

// Wide, so that names the code page cannot spell go too.
void RemoveWideTree(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return;
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        DeleteFileW(path.c_str());
        return;
    }
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name != L"." && name != L"..")
                RemoveWideTree(path + L"\\" + name);
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(path.c_str());
}

} // namespace

void RemoveTree(const std::string& path)
{
    if (!path.empty())
        RemoveWideTree(Wide(path));
}
