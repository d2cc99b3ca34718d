// Times Ruvex.exe's install preparation from the press of Command1 to its closing message against a bare
// walk of the same drives, side by side in one run: partial mode with the window normal and minimised on X:
// (scripts/bench maps a random-parent tree of 100,000 folders and 400,000 files there), and all-folders mode
// on W: (a smaller tree of the same shape: the file list holds at most 32,767 entries). Also reports the
// program's peak working set during the first measure.
#include "BenchSupport.h"

#include <psapi.h>

#include <algorithm>

using namespace e2e;
using namespace bench;

namespace {

struct Prepared {
    double seconds = 0;
    std::size_t folders = 0, files = 0;
    std::size_t peakBytes = 0;
};

Prepared Preparation(const RunOptions& options) {
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
    p.files = ReadLines(ruvex.File(L"file_bf.dat")).size();
    PostMessageW(main, WM_CLOSE, 0, 0);
    ruvex.WaitExit(std::chrono::minutes(1));
    return p;
}

// Each round brackets the preparation by two bare walks, whose mean is that round's baseline: the load of
// this shared machine drifts within seconds.
void Measure(const char* name, const RunOptions& options, const std::vector<std::wstring>& roots, bool withFiles,
             double goal, int rounds, bool reportMemory) {
    Rounds measured;
    Prepared last;
    Walked walked;
    for (int round = 0; round < rounds; ++round) {
        double before = Seconds([&] { walked = BareWalk(roots, withFiles); });
        last = Preparation(options);
        double after = Seconds([&] { walked = BareWalk(roots, withFiles); });
        measured.Add(last.seconds, (before + after) / 2);
        std::printf("%s, round %d: bare %.2f s and %.2f s (%zu folders, %zu files), preparation %.2f s (%zu "
                    "folders, %zu files)\n",
                    name, round + 1, before, after, walked.folders.size(), walked.files.size(), last.seconds,
                    last.folders, last.files);
    }
    measured.Print(name, goal);
    if (reportMemory) {
        char figure[64];
        std::snprintf(figure, sizeof figure, "%.0f MB", static_cast<double>(last.peakBytes) / (1024.0 * 1024.0));
        Note("peak working set, preparation (partial, normal window)", figure, "≤ 150 MB");
    }
}

} // namespace

// With an argument (normal, minimised, registry, all) only that measure runs: for profiling one of them.
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
        Measure("preparation, partial, window normal (X:)", normal, partialRoots, false, 1.3, rounds, true);
    }
    RunOptions minimised;
    minimised.minimised = true;
    if (wanted("minimised")) {
        Measure("preparation, partial, window minimised (X:)", minimised, partialRoots, false, 1.1, rounds, false);
    }
    if (wanted("registry")) {
        // The same preparation with the registry snapshot and without, in alternation.
        RunOptions withRegistry;
        withRegistry.registry = true;
        Rounds measured;
        for (int round = 0; round < rounds; ++round) {
            double off = Preparation(normal).seconds;
            double on = Preparation(withRegistry).seconds;
            measured.Add(on, off);
            std::printf("registry, round %d: off %.2f s, on %.2f s\n", round + 1, off, on);
        }
        measured.Print("preparation, partial, registry on against off (X:)", 1.15);
    }
    if (!wanted("all")) {
        return 0;
    }
    RunOptions all;
    all.drive = L"w:";
    all.allFolders = true;
    const std::vector<std::wstring> allRoots{L"C:\\", L"w:\\"};
    (void)BareWalk(allRoots, true);
    Measure("preparation, all folders (W:)", all, allRoots, true, 1.3, std::max(rounds, 3), false);
    return 0;
}
