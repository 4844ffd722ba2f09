// A whole collection given its own covers: every folder of each tree that
// has a cover gets an icon made of it, spread over the machine's cores, with
// what it is at readable from any thread and a stop that keeps what is done.
// The whole run is one change of the history.
#pragma once
#include <atomic>
#include <mutex>
#include <string>
#include <vector>
#include <windows.h>

class ChangeRecord;

struct CoverOptions {
    // A folder whose icon was chosen some other way gets its cover too.
    bool replaceOwnIcons = false;
    // A folder without a cover by name takes its first picture.
    bool firstPicture = false;
};

enum class CoverResult {
    Given,         // it got an icon made of its cover
    UpToDate,      // its icon is already made of its cover as it is now
    KeptOwnIcon,   // its icon was chosen by other means, and stays
    NoCover,       // it has no cover: it is left as it is
    Failed,        // the write failed, for `error`: it is as it was
    NotDone,       // the run was stopped before it
};

struct FolderCover {
    std::wstring folder;
    CoverResult result = CoverResult::NotDone;
    DWORD error = ERROR_SUCCESS;
};

class CoversRun {
public:
    CoversRun(std::vector<std::wstring> roots, CoverOptions options);

    // The whole run, on the calling thread and as many others as the machine
    // has cores. Each folder is done whole or left as it was.
    void Run();
    // From any thread: no folder is begun after it, and Run ends once those
    // at work are done.
    void Stop() { m_stop = true; }

    // Readable from any thread while Run works.
    size_t FoldersFound() const { return m_found; }
    size_t FoldersDone() const { return m_done; }
    bool Stopped() const { return m_stop; }
    std::wstring FolderAtWork() const;

    // Once Run has ended: every folder found, in the order of the trees.
    const std::vector<FolderCover>& Folders() const { return m_folders; }
    size_t Count(CoverResult result) const;

private:
    void Work(ChangeRecord& record);
    void CoverOne(FolderCover& folder, ChangeRecord& record) const;

    std::vector<std::wstring> m_roots;
    CoverOptions m_options;
    std::vector<FolderCover> m_folders;
    std::atomic<bool> m_stop{ false };
    std::atomic<size_t> m_found{ 0 };
    std::atomic<size_t> m_next{ 0 };
    std::atomic<size_t> m_done{ 0 };
    mutable std::mutex m_atWorkLock;
    std::wstring m_atWork;
};
