#include "covers/CoversRun.h"
#include "apply/DesktopIni.h"
#include "apply/DriveIcon.h"
#include "apply/MadeIconFile.h"
#include "change/Change.h"
#include "covers/CoverSearch.h"
#include "covers/FolderTree.h"
#include "framework/ComScope.h"
#include "framework/Paths.h"
#include "history/RecordedChange.h"
#include <algorithm>
#include <thread>

namespace {

// More threads than this gain nothing: the disk is shared.
constexpr unsigned MAX_WORKERS = 8;

bool ReadOwnIcon(const std::wstring& folder, IconLocation& icon)
{
    return IsDriveRootPath(folder.c_str()) ? ReadDriveIcon(folder[0], icon) : ReadCustomIcon(folder.c_str(), icon);
}

// The one record of the whole run, told of each folder's steps by whichever
// thread works on it, one at a time.
class SerialRecord : public ChangeRecord {
public:
    explicit SerialRecord(ChangeRecord& record) : m_record(record) {}

    void Changing(const Choice& choice, const std::vector<ChangeTarget>& targets) override
    {
        const std::lock_guard<std::mutex> lock(m_lock);
        m_record.Changing(choice, targets);
    }
    void Made(const wchar_t* file, const ChangeTarget& target) override
    {
        const std::lock_guard<std::mutex> lock(m_lock);
        m_record.Made(file, target);
    }
    void Removing(const wchar_t* file, const ChangeTarget& target) override
    {
        const std::lock_guard<std::mutex> lock(m_lock);
        m_record.Removing(file, target);
    }
    void Done(const ChangeTarget& target, const Outcome& outcome) override
    {
        const std::lock_guard<std::mutex> lock(m_lock);
        m_record.Done(target, outcome);
    }

private:
    ChangeRecord& m_record;
    std::mutex m_lock;
};

} // namespace

CoversRun::CoversRun(std::vector<std::wstring> roots, CoverOptions options)
    : m_roots(std::move(roots)), m_options(options)
{
}

std::wstring CoversRun::FolderAtWork() const
{
    const std::lock_guard<std::mutex> lock(m_atWorkLock);
    return m_atWork;
}

size_t CoversRun::Count(CoverResult result) const
{
    return static_cast<size_t>(std::count_if(m_folders.begin(), m_folders.end(),
                                             [result](const FolderCover& folder) { return folder.result == result; }));
}

void CoversRun::Run()
{
    for (const std::wstring& root : m_roots) {
        for (std::wstring& folder : FoldersOfTree(root, m_stop, m_found))
            m_folders.push_back({ std::move(folder), CoverResult::NotDone, ERROR_SUCCESS });
    }
    // The whole run is one change, which is taken back as one.
    RecordedChange change;
    SerialRecord record(change);
    const unsigned cores = std::max(1u, std::min(std::thread::hardware_concurrency(), MAX_WORKERS));
    std::vector<std::thread> workers;
    for (unsigned i = 1; i < cores && i < m_folders.size(); ++i)
        workers.emplace_back([this, &record] { Work(record); });
    Work(record);
    for (std::thread& worker : workers)
        worker.join();
}

void CoversRun::Work(ChangeRecord& record)
{
    // COM for the picture decoder once for the worker's life, not once for
    // each picture.
    const ComScope com;
    for (;;) {
        const size_t at = m_next++;
        if (m_stop || at >= m_folders.size())
            return;
        FolderCover& folder = m_folders[at];
        {
            const std::lock_guard<std::mutex> lock(m_atWorkLock);
            m_atWork = folder.folder;
        }
        CoverOne(folder, record);
        ++m_done;
    }
}

// A made icon of the cover as it is now is named after it: a folder that
// has it is left be.
void CoversRun::CoverOne(FolderCover& folder, ChangeRecord& record) const
{
    const std::optional<std::wstring> cover = FindCover(folder.folder, m_options.firstPicture);
    const std::wstring name = cover ? CoverIconName(*cover) : std::wstring();
    if (name.empty()) {
        folder.result = CoverResult::NoCover;
        return;
    }
    IconLocation own = {};
    if (ReadOwnIcon(folder.folder, own)) {
        const bool made = IsMadeIconFile(own.file);
        if (made && SameIgnoringCase(own.file, Within(folder.folder, name).c_str()) &&
            GetFileAttributesW(own.file) != INVALID_FILE_ATTRIBUTES) {
            folder.result = CoverResult::UpToDate;
            return;
        }
        if (!made && !m_options.replaceOwnIcons) {
            folder.result = CoverResult::KeptOwnIcon;
            return;
        }
    }
    Choice choice;
    choice.icon = IconChange::Set;
    choice.iconFile = *cover;
    choice.madeName = name;
    // Only a folder that changes is asked of the shell, which reads its
    // icon to answer.
    folder.error = MakeChange(choice, { TargetAt(folder.folder) }, record).front().error;
    folder.result = folder.error == ERROR_SUCCESS ? CoverResult::Given : CoverResult::Failed;
}
