// Times Ruvex.exe's install preparation from the press of Command1 to its closing message against a bare
// walk of the same drives, side by side in one run: partial mode with the window normal and minimised on X:
// (scripts/bench maps a random-parent tree of 100,000 folders and 400,000 files there), and all-folders mode
// on W: (a smaller tree of the same shape) and on V: (100,000 folders and 1,000,000 files, a modern system
// drive). Also reports the program's peak working set in partial mode and on V:, and the time the
// inspection's comparison takes on V:'s file snapshot against the bare walk.
#include "BenchSupport.h"
#include "uninstaller/monitor/inspect.h"

#include <psapi.h>

#include <algorithm>

using namespace e2e;
using namespace bench;

namespace {

struct Prepared {
    double seconds = 0;
    std::size_t folders = 0, files = 0;
    std::size_t peakBytes = 0;
    std::vector<std::wstring> fileLines; // file_bf.dat, when kept
};

Prepared Preparation(const RunOptions& options, bool keepFiles) {
    Program ruvex(L"Ruvex.exe",
                  [&](const std::wstring& folder) { WriteLines(folder + L"\\option.dat", OptionLines(options)); });
    HWND main = WaitReady(ruvex, L"RuvexForm1", std::chrono::minutes(1));
    if (!main) {
        Fail("Ruvex.exe did not start (is it staged in C:\\ruvex-e2e?)");
    }
    Prepared p;
    HWND box = nullptr;
    p.seconds = Seconds([&] {
        Click(main, ruvex::ids::Command1);
        box = ruvex.WaitMessageBox(std::chrono::minutes(30));
    });
    if (!box) {
        Fail("the preparation did not end");
    }
    ruvex::KernelHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, ruvex.pid()));
    PROCESS_MEMORY_COUNTERS memory{};
    if (process && GetProcessMemoryInfo(process.get(), &memory, sizeof memory)) {
        p.peakBytes = memory.PeakWorkingSetSize;
    }
    Answer(box, IDOK);
    p.folders = ReadLines(ruvex.File(L"dir_bf.dat")).size();
    std::vector<std::wstring> files = ReadLines(ruvex.File(L"file_bf.dat"));
    p.files = files.size();
    if (keepFiles) {
        p.fileLines = std::move(files);
    }
    PostMessageW(main, WM_CLOSE, 0, 0);
    ruvex.WaitExit(std::chrono::minutes(1));
    return p;
}

// The comparison of an inspection in all-folders mode: the before-snapshot against itself after an
// installation that added 2,000 files and removed 1,000, spread over the list.
double Comparison(const std::vector<std::wstring>& before) {
    std::vector<std::wstring> after;
    after.reserve(before.size() + 2000);
    const std::size_t step = std::max<std::size_t>(1, before.size() / 3000);
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (i % step == 0 && (i / step) % 3 == 2) {
            continue; // removed
        }
        after.push_back(before[i]);
        if (i % step == 0 && (i / step) % 3 != 2) {
            after.push_back(before[i] + L".new");
        }
    }
    std::size_t added = 0;
    double seconds = Seconds([&] { added = ruvex::FindAddedEntries(before, after).size(); });
    std::printf("comparison: %zu before, %zu after, %zu added, %.2f s\n", before.size(), after.size(), added, seconds);
    return seconds;
}

struct Measured {
    const char* name;
    double goal;
    const char* memory = nullptr;     // the peak working set's row, if wanted
    const char* memoryGoal = nullptr; // its goal
    const char* comparison = nullptr; // the comparison's row, if wanted
};

// Each round brackets the preparation by two bare walks, whose mean is that round's baseline: the load of
// this shared machine drifts within seconds.
void Measure(const Measured& m, const RunOptions& options, const std::vector<std::wstring>& roots, bool withFiles,
             int rounds) {
    Rounds measured;
    Prepared last;
    Walked walked;
    double bare = 0;
    for (int round = 0; round < rounds; ++round) {
        double before = Seconds([&] { walked = BareWalk(roots, withFiles); });
        walked = {};
        last = Preparation(options, m.comparison != nullptr);
        double after = Seconds([&] { walked = BareWalk(roots, withFiles); });
        bare = (before + after) / 2;
        measured.Add(last.seconds, bare);
        std::printf("%s, round %d: bare %.2f s and %.2f s (%zu folders, %zu files), preparation %.2f s (%zu "
                    "folders, %zu files)\n",
                    m.name, round + 1, before, after, walked.folders.size(), walked.files.size(), last.seconds,
                    last.folders, last.files);
        walked = {};
    }
    measured.Print(m.name, m.goal);
    if (m.memory) {
        char figure[64];
        std::snprintf(figure, sizeof figure, "%.0f MB", static_cast<double>(last.peakBytes) / (1024.0 * 1024.0));
        Note(m.memory, figure, m.memoryGoal);
    }
    if (m.comparison) {
        const double seconds = Comparison(last.fileLines);
        Row(m.comparison, seconds, bare, 0.3);
    }
}

} // namespace

// With an argument (normal, minimised, registry, all, large) only that measure runs: for profiling one of them.
int main(int argc, char** argv) {
    const std::string only = argc > 1 ? argv[1] : "";
    auto wanted = [&](const char* name) { return only.empty() || only == name; };
    if (!DrivePresent(L"X:\\") || !DrivePresent(L"W:\\")) {
        Fail("drives X: and W: are not mapped: run scripts/bench");
    }
    const int rounds = RoundCount(1);
    const std::vector<std::wstring> partialRoots{L"C:\\", L"x:\\"};
    (void)BareWalk(partialRoots, false); // warms the caches for both sides
    RunOptions normal;
    if (wanted("normal")) {
        Measure({"preparation, partial, window normal (X:)", 1.3,
                 "peak working set, preparation (partial, normal window)", "≤ 150 MB"},
                normal, partialRoots, false, rounds);
    }
    RunOptions minimised;
    minimised.minimised = true;
    if (wanted("minimised")) {
        Measure({"preparation, partial, window minimised (X:)", 1.1}, minimised, partialRoots, false, rounds);
    }
    if (wanted("registry")) {
        // The same preparation with the registry snapshot and without, in alternation.
        RunOptions withRegistry;
        withRegistry.registry = true;
        Rounds measured;
        for (int round = 0; round < rounds; ++round) {
            double off = Preparation(normal, false).seconds;
            double on = Preparation(withRegistry, false).seconds;
            measured.Add(on, off);
            std::printf("registry, round %d: off %.2f s, on %.2f s\n", round + 1, off, on);
        }
        measured.Print("preparation, partial, registry on against off (X:)", 1.15);
    }
    RunOptions all;
    all.allFolders = true;
    if (wanted("all")) {
        all.drive = L"w:";
        const std::vector<std::wstring> allRoots{L"C:\\", L"w:\\"};
        (void)BareWalk(allRoots, true);
        Measure({"preparation, all folders (W:)", 1.3}, all, allRoots, true, std::max(rounds, 3));
    }
    if (wanted("large") && DrivePresent(L"V:\\")) {
        all.drive = L"v:";
        const std::vector<std::wstring> largeRoots{L"C:\\", L"v:\\"};
        (void)BareWalk(largeRoots, true);
        Measure({"preparation, all folders, 1,000,000 files (V:)", 1.2,
                 "peak working set, preparation (all folders, V:)", "≤ 600 MB",
                 "inspection's comparison, all folders (V:), against the bare walk"},
                all, largeRoots, true, rounds);
    }
    return 0;
}
