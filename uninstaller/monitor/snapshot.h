// The drive walk of install preparation and inspection, and the snapshot files it leaves.
#pragma once

#include "base/safefile.h"
#include "uninstaller/monitor/RunHost.h"

#include <string>
#include <vector>

namespace ruvex {

// A working list holds at most this many entries: many times the files of any system drive, and still within
// the memory of a 64-bit program. A walk that reaches it, or finds no memory for one more entry, stops with
// too many files.
inline constexpr std::size_t MaxListEntries = 8'000'000;
inline constexpr int MaxWalkLevels = 100;

// One folder's entries, each kind sorted by name in the sorted-list-box order. The hidden folder list box
// Dir1 and file list box File1 did this job; one enumeration now serves both.
struct FolderListing {
    bool ok = false;                 // false: the folder is gone or cannot be listed
    std::vector<std::wstring> Dir1;  // subfolder names (hidden ones too)
    std::vector<std::wstring> File1; // file names, hidden and system files included
    std::vector<std::wstring> links; // the subfolders of Dir1 that are reparse points, in no order
};
[[nodiscard]] FolderListing ListFolder(const std::wstring& folder, bool withFiles);

// Whether a path (ending in name) can be written into the snapshots and the database as it stands: shorter
// than MAX_PATH, and every character of name held by the ANSI code page.
[[nodiscard]] bool IsRecordable(const std::wstring& path, const std::wstring& name);

enum class ScanMode { AllFolders, Partial };
enum class ScanResult { Completed, Stopped, TooManyFiles };

struct ScanSettings {
    ScanMode mode = ScanMode::Partial;
    std::wstring windowsFolder; // without a trailing backslash
    std::wstring systemFolder;  // without a trailing backslash
    std::wstring secondDrive;   // the watched drive, "D:" or "d:\" (its first two characters count)
    // The shell folders whose whole trees have their files recorded in partial mode, each with a trailing
    // backslash; "\" for a folder the system does not have (it never matches).
    std::wstring startMenu, desktop, sendTo;
    bool showProgress = true;              // Pro = 0: the walk drives the please-wait bar per file
    std::size_t maxFiles = MaxListEntries; // the file list's capacity (lower in tests)
    // The uninstaller's own folder: its run files (the snapshots, newdir.dat, the scratch files) change
    // during every run and belong to no software, so the walk leaves them out.
    std::wstring dataFolder;
};

// The working lists of a walk: List1 folders and List2 files, in the order found.
struct WalkLists {
    std::vector<std::wstring> List1;
    std::vector<std::wstring> List2;
    // What the walk left out: folders that exist but cannot be listed, and folders and files whose path is
    // MAX_PATH characters or longer or holds characters the ANSI code page lacks (a folder left out is not
    // entered). The user is told the count.
    std::size_t skipped = 0;
    // Where the walk writes List2's entries as it finds them (none: List2 alone holds them).
    LineFileWriter* filesOut = nullptr;
};

// Walks the Windows drive and the watched drive breadth-first, level by level (at most 100 levels),
// filling the lists. A stop point follows every file, subfolder, folder and level. Reparse points
// (junctions, symbolic links) are listed as folders but never entered.
[[nodiscard]] ScanResult ScanDrives(const ScanSettings& settings, WalkLists& lists, RunHost& host);

// Writes a list to name in the data folder, one line each, showing the please-wait window's progress.
[[nodiscard]] FileResult SaveListToFile(const std::vector<std::wstring>& list, const std::wstring& dataFolder,
                                        const std::wstring& name, RunHost& host);
// The same for a list of count entries that a walk has written as it went: the window shows the same steps.
[[nodiscard]] FileResult SaveWrittenList(LineFileWriter& written, std::size_t count, RunHost& host);

} // namespace ruvex
