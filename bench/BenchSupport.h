// What the benchmarks share: the bare baselines they are measured against, starting Ruvex.exe with chosen
// options, and the table row each measure prints (scripts/bench gathers the rows into bench/results.md).
#pragma once

#include "Seconds.h"
#include "base/handles.h"
#include "base/path.h"
#include "base/text.h"
#include "driver/Driver.h"
#include "uninstaller/ui/ControlIds.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace bench {

// One row of the results table: our time, the baseline's from the same run, their ratio and the goal.
inline void Row(const char* measure, double ours, double baseline, double ratio, double goal) {
    std::printf("| %s | %.2f s | %.2f s | %.2f | ≤ %g | %s |\n", measure, ours, baseline, ratio, goal,
                ratio <= goal ? "met" : "missed");
    std::fflush(stdout);
}
inline void Row(const char* measure, double ours, double baseline, double goal) {
    Row(measure, ours, baseline, ours / baseline, goal);
}

inline double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

// Rounds of one measure: the ratio of each round is taken against the baseline of the same round, and the
// row shows the medians. The machine is shared: a round's pair sees the same load, rounds may not.
class Rounds {
public:
    void Add(double ours, double baseline) {
        ours_.push_back(ours);
        baseline_.push_back(baseline);
        ratios_.push_back(ours / baseline);
    }
    void Print(const char* measure, double goal) const {
        Row(measure, Median(ours_), Median(baseline_), Median(ratios_), goal);
    }

private:
    std::vector<double> ours_, baseline_, ratios_;
};

// A figure without a baseline (memory, a share).
inline void Note(const char* measure, const std::string& figure, const char* goal) {
    std::printf("| %s | %s | | | %s | |\n", measure, figure.c_str(), goal);
    std::fflush(stdout);
}

inline int RoundCount(int fallback) {
    const char* text = std::getenv("RUVEX_BENCH_ROUNDS");
    int n = text ? std::atoi(text) : 0;
    return n > 0 ? n : fallback;
}

inline bool DrivePresent(const wchar_t* root) {
    DWORD a = GetFileAttributesW(root);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

struct Walked {
    std::vector<std::wstring> folders;
    std::vector<std::wstring> files; // full paths, when asked for
};

// The baseline of every walk: breadth-first, one FindFirstFileExW pass per folder, the names of each folder
// sorted in list order, reparse points listed but not entered; files kept only when asked for.
inline Walked BareWalk(const std::vector<std::wstring>& roots, bool withFiles,
                       std::size_t maxFiles = static_cast<std::size_t>(-1)) {
    Walked w;
    w.folders = roots;
    std::vector<std::wstring> subs, names;
    for (std::size_t i = 0; i < w.folders.size() && w.files.size() < maxFiles; ++i) {
        const std::wstring folder = w.folders[i];
        WIN32_FIND_DATAW data;
        ruvex::FindHandle find(FindFirstFileExW(ruvex::JoinPath(folder, L"*").c_str(), FindExInfoBasic, &data,
                                                FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
        if (!find) {
            continue;
        }
        subs.clear();
        names.clear();
        do {
            std::wstring name = data.cFileName;
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
                if (withFiles) {
                    names.push_back(std::move(name));
                }
            } else if (name != L"." && name != L"..") {
                // Reparse points are listed by the real walk but never entered: the baseline leaves them out.
                if (!(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
                    subs.push_back(std::move(name));
                }
            }
        } while (FindNextFileW(find.get(), &data));
        ruvex::SortTexts(subs);
        ruvex::SortTexts(names);
        for (const auto& name : names) {
            w.files.push_back(ruvex::JoinPath(folder, name));
        }
        for (const auto& sub : subs) {
            w.folders.push_back(ruvex::JoinPath(folder, sub));
        }
    }
    return w;
}

// option.dat lines: drive, editor, then Check1, Check2, Check5, Check6, Check8, Check3, Check4, Check9, Check10.
struct RunOptions {
    std::wstring drive = L"x:";
    bool allFolders = false;  // Check1
    bool minimised = false;   // Check8
    bool startupCheck = true; // Check4 off: the missing-file check runs at start-up
    bool registry = false;    // Check10: off, so that the walks are measured alone unless a measure says
};

inline std::vector<std::wstring> OptionLines(const RunOptions& o) {
    auto check = [](bool on) { return std::wstring(on ? L" 1 " : L" 0 "); };
    return {o.drive,
            L"NOTEPAD",
            check(o.allFolders),
            check(true),
            check(false),
            check(true),
            check(o.minimised),
            check(false),
            check(!o.startupCheck),
            check(false),
            check(o.registry)};
}

// A top-level window of the process whose class is className, once it answers messages.
inline HWND WaitReady(const e2e::Program& program, const wchar_t* className, e2e::Timeout timeout) {
    HWND window = program.WaitWindowOfClass(className, timeout);
    if (window) {
        e2e::WaitUntil([&] { return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr) != 0; },
                       timeout);
    }
    return window;
}

// A database of records of existing and missing files of X:'s tree, each record's body in no order:
// records * perRecord lines in all, every other file line naming a file that does not exist.
inline std::vector<std::wstring> MakeDatabase(std::size_t records, std::size_t perRecord) {
    const std::size_t wanted = records * (perRecord - 1);
    std::vector<std::wstring> files = BareWalk({L"x:\\"}, true, wanted / 2 + 1).files;
    std::vector<std::wstring> lines;
    std::size_t next = 0;
    unsigned seed = 1;
    for (std::size_t r = 0; r < records; ++r) {
        lines.push_back(L"[ソフト" + std::to_wstring(r) + L" Bench]");
        std::size_t first = lines.size();
        for (std::size_t k = 0; k + 1 < perRecord; ++k, ++next) {
            const std::wstring& file = files[(next / 2) % files.size()];
            lines.push_back(next % 2 == 0 ? file : file + L".gone");
        }
        for (std::size_t k = lines.size() - 1; k > first; --k) { // a seeded shuffle of the body
            seed = seed * 1103515245u + 12345u;
            std::swap(lines[k], lines[first + (seed >> 8) % (k - first + 1)]);
        }
    }
    return lines;
}

// A whole file's bytes, read bare: the baselines' own reading, with no code of ours in it.
inline std::string BareRead(const std::wstring& path) {
    std::string bytes;
    ruvex::FileHandle in(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    LARGE_INTEGER size{};
    GetFileSizeEx(in.get(), &size);
    bytes.resize(static_cast<std::size_t>(size.QuadPart));
    DWORD got = 0;
    ReadFile(in.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    return bytes;
}

[[noreturn]] inline void Fail(const char* what) {
    std::printf("bench failed: %s\n", what);
    std::fflush(stdout);
    std::exit(1);
}

// Ruvex.exe started from a fresh copy on these options and database lines, and its main window once it
// answers.
struct Started {
    std::unique_ptr<e2e::Program> program;
    HWND main = nullptr;
};
inline Started StartRuvex(const RunOptions& options, const std::vector<std::wstring>& lines) {
    Started s;
    s.program = std::make_unique<e2e::Program>(L"Ruvex.exe", [&](const std::wstring& folder) {
        e2e::WriteLines(folder + L"\\option.dat", OptionLines(options));
        e2e::WriteLines(folder + L"\\uninstall.dat", lines);
    });
    s.main = WaitReady(*s.program, L"RuvexForm1", std::chrono::minutes(1));
    if (!s.main) {
        Fail("Ruvex.exe did not start (is it staged in C:\\ruvex-e2e?)");
    }
    return s;
}

} // namespace bench
