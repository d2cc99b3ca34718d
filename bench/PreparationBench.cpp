// Times Ruvex.exe's install preparation (partial mode, progress shown, the window not minimised) against a
// bare enumeration of the same drives with the same API, side by side in one run, and prints the ratio.
// scripts/bench maps X: to a generated tree of 50,000 folders and 200,000 files and stages Ruvex.exe.
#include "Seconds.h"
#include "MonitorSteps.h"
#include "base/path.h"

#include <algorithm>
#include <cstdio>
#include <deque>

using namespace e2e;

namespace {

using bench::Seconds;

struct Count {
    std::size_t folders = 0;
    std::size_t files = 0;
};

// Every folder of the roots, breadth-first, one FindFirstFileExW pass each; reparse points are not entered.
Count Enumerate(const std::vector<std::wstring>& roots) {
    Count count;
    std::deque<std::wstring> queue(roots.begin(), roots.end());
    std::vector<std::wstring> found; // kept, as the walk keeps its folder list
    while (!queue.empty()) {
        std::wstring folder = std::move(queue.front());
        queue.pop_front();
        ++count.folders;
        WIN32_FIND_DATAW data;
        ruvex::FindHandle find(FindFirstFileExW(ruvex::JoinPath(folder, L"*").c_str(), FindExInfoBasic, &data,
                                                FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
        if (!find) {
            continue;
        }
        do {
            std::wstring name = data.cFileName;
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
                ++count.files;
            } else if (name != L"." && name != L"..") {
                std::wstring path = ruvex::JoinPath(folder, name);
                if (!(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
                    queue.push_back(path);
                } else {
                    ++count.folders;
                }
                found.push_back(std::move(path));
            }
        } while (FindNextFileW(find.get(), &data));
    }
    return count;
}

// One preparation from the press of Command1 to its closing message (the snapshots are written by then).
double Preparation(std::size_t& folders) {
    Program ruvex(L"Ruvex.exe", WithOptions(false, L"x:"));
    HWND main = WaitMain(ruvex);
    if (!main) {
        std::puts("Ruvex.exe did not start (is it staged in C:\\ruvex-e2e?)");
        std::exit(1);
    }
    HWND box = nullptr;
    double seconds = Seconds([&] {
        Click(main, ruvex::ids::Command1);
        box = ruvex.WaitMessageBox(std::chrono::minutes(30));
    });
    if (!box) {
        std::puts("the preparation did not end");
        std::exit(1);
    }
    Answer(box, IDOK);
    folders = ReadLines(ruvex.File(L"dir_bf.dat")).size();
    PostMessageW(main, WM_CLOSE, 0, 0);
    ruvex.WaitExit(std::chrono::minutes(1));
    return seconds;
}

} // namespace

int main() {
    DWORD x = GetFileAttributesW(L"X:\\");
    if (x == INVALID_FILE_ATTRIBUTES || !(x & FILE_ATTRIBUTE_DIRECTORY)) {
        std::puts("drive X: is not mapped: run scripts/bench");
        return 1;
    }
    const std::vector<std::wstring> roots{L"C:\\", L"x:\\"};
    Count count = Enumerate(roots); // warms the caches for both sides
    std::printf("drives C: and X: hold %zu folders and %zu files\n", count.folders, count.files);
    std::vector<double> bare, prepared;
    std::size_t recorded = 0;
    for (int round = 0; round < 3; ++round) {
        bare.push_back(Seconds([&] { count = Enumerate(roots); }));
        prepared.push_back(Preparation(recorded));
        std::printf("round %d: bare enumeration %7.2f s  preparation %7.2f s\n", round + 1, bare.back(),
                    prepared.back());
    }
    std::sort(bare.begin(), bare.end());
    std::sort(prepared.begin(), prepared.end());
    // The preparation also finds its own run folder.
    std::printf("folders: enumerated %zu, recorded %zu\n", count.folders, recorded);
    std::printf("median: bare enumeration %7.2f s  preparation %7.2f s  preparation/bare %5.2f (goal <= 1.5)\n",
                bare[1], prepared[1], prepared[1] / bare[1]);
    return 0;
}
