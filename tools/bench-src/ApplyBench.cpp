// Times one choice applied to 200 folders at once against 200 applies of one
// folder each, in the same run, through the main dialog: each round makes
// fresh folders, gives half of them an icon and an infotip one folder at a
// time and the other half all together, in turns first, and takes the ratio
// of the two. Only the apply itself is timed, not the choosing of folders.
// Then the same choice made for 200 folders with its history recorded, as
// every change is, against the same change that nothing records.
//
//     apply_bench [ROUNDS]
#include "BenchSupport.h"
#include "app/FolderIconDialog.h"
#include "change/Change.h"
#include "target/Target.h"
#include <shlwapi.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const int FolderCount = 200;
const int IconIndex = 2;

// Fresh folders under the temporary folder, removed with their desktop.ini
// when they go.
class Folders {
public:
    Folders(const std::wstring& parent, const wchar_t* name)
    {
        for (int i = 0; i < FolderCount; ++i) {
            wchar_t path[MAX_PATH];
            swprintf(path, MAX_PATH, L"%ls\\%ls %03d", parent.c_str(), name, i);
            CreateDirectoryW(path, nullptr);
            m_paths.push_back(path);
        }
    }
    ~Folders()
    {
        for (const std::wstring& path : m_paths) {
            DeleteFileW((path + L"\\desktop.ini").c_str());
            RemoveDirectoryW(path.c_str());
        }
    }
    Folders(const Folders&) = delete;
    Folders& operator=(const Folders&) = delete;

    const std::vector<std::wstring>& Paths() const { return m_paths; }
    // Whether every folder got its desktop.ini.
    bool AllCustomised() const
    {
        return std::all_of(m_paths.begin(), m_paths.end(), [](const std::wstring& path) {
            return GetFileAttributesW((path + L"\\desktop.ini").c_str()) != INVALID_FILE_ATTRIBUTES;
        });
    }

private:
    std::vector<std::wstring> m_paths;
};

void TypeInfoTip(FolderIconDialog& dialog, const char* text)
{
    SetDlgItemTextA(dialog.m_hWnd, IDC_INFOTIP, text);
}

// The icon and an infotip chosen for the target taken, then the apply
// alone timed.
double TimedApply(FolderIconDialog& dialog, const wchar_t* iconFile, const char* infoTip)
{
    dialog.ChooseIcon(iconFile, IconIndex);
    TypeInfoTip(dialog, infoTip);
    Pump();
    const double start = Milliseconds();
    dialog.ApplyCommand();
    const double elapsed = Milliseconds() - start;
    Pump();
    return elapsed;
}

double SingleApplies(FolderIconDialog& dialog, const Folders& folders, const wchar_t* iconFile)
{
    double elapsed = 0;
    for (const std::wstring& folder : folders.Paths()) {
        dialog.SelectTarget(folder.c_str());
        elapsed += TimedApply(dialog, iconFile, "Un par un");
    }
    return elapsed;
}

double AppliedTogether(FolderIconDialog& dialog, const Folders& folders, const wchar_t* iconFile)
{
    dialog.SelectTargets(folders.Paths());
    return TimedApply(dialog, iconFile, "Ensemble");
}

// A change that nothing records: the same work without the history.
class Unrecorded : public ChangeRecord {
public:
    void Changing(const Choice&, const std::vector<ChangeTarget>&) override {}
    void Made(const wchar_t*, const ChangeTarget&) override {}
    void Removing(const wchar_t*, const ChangeTarget&) override {}
    void Done(const ChangeTarget&, const Outcome&) override {}
};

// The change made for the folders, recorded in the history or not; the
// targets are taken before the timing starts.
double TimedChange(const Folders& folders, const wchar_t* iconFile, bool recorded)
{
    Choice choice;
    choice.icon = IconChange::Set;
    choice.iconFile = iconFile;
    choice.iconIndex = IconIndex;
    choice.infoTip = recorded ? L"Avec l'historique" : L"Sans l'historique";
    std::vector<ChangeTarget> targets;
    for (const std::wstring& folder : folders.Paths())
        targets.push_back(TargetAt(folder));
    Unrecorded nothing;
    const double start = Milliseconds();
    if (recorded)
        MakeChange(choice, targets);
    else
        MakeChange(choice, targets, nothing);
    return Milliseconds() - start;
}

} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const std::wstring iconFile = BesideTheProgram(L"icon-files\\three-icons.dll");
    wchar_t temp[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, temp);
    const std::wstring parent = std::wstring(temp) + L"brisevent-apply-bench";
    CreateDirectoryW(parent.c_str(), nullptr);

    ProgramKeys keys;
    FolderIconDialog dialog;
    if (!dialog.Create()) {
        std::fprintf(stderr, "the main dialog could not be made\n");
        return 1;
    }
    std::vector<double> singles, together, ratios, recorded, unrecorded, historyRatios;
    bool allCustomised = true;
    for (int round = 0; round < rounds; ++round) {
        const Folders oneByOne(parent, L"un");
        const Folders atOnce(parent, L"ensemble");
        double single = 0;
        double all = 0;
        for (int turn = 0; turn < 2; ++turn) {
            if ((turn + round) % 2 == 0)
                single = SingleApplies(dialog, oneByOne, iconFile.c_str());
            else
                all = AppliedTogether(dialog, atOnce, iconFile.c_str());
        }
        allCustomised = allCustomised && oneByOne.AllCustomised() && atOnce.AllCustomised();
        singles.push_back(single);
        together.push_back(all);
        ratios.push_back(single > 0 ? all / single : 0);

        const Folders withHistory(parent, L"avec");
        const Folders withoutHistory(parent, L"sans");
        double with = 0;
        double without = 0;
        for (int turn = 0; turn < 2; ++turn) {
            if ((turn + round) % 2 == 0)
                with = TimedChange(withHistory, iconFile.c_str(), true);
            else
                without = TimedChange(withoutHistory, iconFile.c_str(), false);
        }
        allCustomised = allCustomised && withHistory.AllCustomised() && withoutHistory.AllCustomised();
        recorded.push_back(with);
        unrecorded.push_back(without);
        historyRatios.push_back(without > 0 ? with / without : 0);
    }
    dialog.DestroyWindow();
    RemoveDirectoryW(parent.c_str());
    if (!allCustomised) {
        std::fprintf(stderr, "some folders were not customised\n");
        return 1;
    }

    std::printf("\nGoal on applying: %d folders at once / %d single applies at most 1.2 (wall clock).\n",
                FolderCount, FolderCount);
    std::printf("Medians of %d rounds, milliseconds: %d single applies %.1f, %d folders at once %.1f\n", rounds,
                FolderCount, Median(singles), FolderCount, Median(together));
    std::printf("Ratio %d folders / %d single applies: %.3f\n", FolderCount, FolderCount, Median(ratios));
    std::printf("\nGoal on the history: apply with history / apply without at most 1.15 for %d folders "
                "(wall clock).\n", FolderCount);
    std::printf("Medians of %d rounds, milliseconds: with history %.1f, without %.1f\n", rounds, Median(recorded),
                Median(unrecorded));
    std::printf("Ratio apply with history / apply without: %.3f\n", Median(historyRatios));
    return 0;
}
