#include "harness/TempFolder.h"
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

void RemoveTree(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return;
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        DeleteFileA(path.c_str());
        return;
    }
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name != "." && name != "..")
                RemoveTree(path + "\\" + name);
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(path.c_str());
}
