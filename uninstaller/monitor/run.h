// The monitored installation as two engine entries: the preparation (the marker, the copy of win.ini, the
// walk, the before-snapshots, the registry's) and the inspection (the win.ini comparison, the walk, the
// after-snapshots, the registry's, the new folders, the added files, the name, the record). The window gathers the
// request, calls the entry and does what is the window's with the outcome.
#pragma once

#include "base/safefile.h"
#include "uninstaller/monitor/RunHost.h"
#include "uninstaller/monitor/registry.h"
#include "uninstaller/monitor/snapshot.h"

#include <string>
#include <vector>

namespace ruvex {

struct MonitorRequest {
    ScanSettings settings;      // the walk; settings.dataFolder is the data folder
    std::wstring windowsFolder; // without a trailing backslash
    bool progressShown = true;  // Pro = 0: the please-wait window stays open through the inspection
    // "ﾚｼﾞｽﾄﾘの変更も記録する": the watched keys are snapshotted after the drives and their additions recorded.
    bool registry = true;
    std::vector<WatchedKey> watchedKeys = WatchedKeys();
};

enum class RunOutcome {
    Completed,
    Stopped,      // the user stopped the run, or the program is closing
    TooManyFiles, // the walk found more files than the lists hold
    NotReady,     // no whole before-snapshot: nothing to compare against (the marker is gone)
    Failed,       // a file could not be written: the run is over (a preparation's marker is gone)
    FailedWaiting // a file could not be read or the record written: the inspection stays pending
};

struct RunResult {
    RunOutcome outcome = RunOutcome::Completed;
    FileResult failure;      // Failed, FailedWaiting: what failed, where
    std::size_t skipped = 0; // what the walks left out (the user is told)
    std::wstring name;       // the inspection's software name
};

[[nodiscard]] RunResult RunPreparation(const MonitorRequest& request, RunHost& host);
[[nodiscard]] RunResult RunInspection(const MonitorRequest& request, RunHost& host);

} // namespace ruvex
