#include "uninstaller/monitor/run.h"

#include "resources/RuvexTexts.h"
#include "uninstaller/monitor/database.h"
#include "uninstaller/monitor/inspect.h"
#include "uninstaller/monitor/runfiles.h"

#include <windows.h>

namespace ruvex {

namespace {

std::wstring InData(const MonitorRequest& request, const wchar_t* name) {
    return request.settings.dataFolder + L"\\" + name;
}

RunResult Outcome(RunOutcome outcome, FileResult failure = {}) {
    RunResult result;
    result.outcome = outcome;
    result.failure = std::move(failure);
    return result;
}

// The window shows these lists while they grow, and paints them whole once they stop (on every way out).
class FollowedLists {
public:
    FollowedLists(RunHost& host, WalkLists& lists) : host_(host) { host_.FollowLists(&lists); }
    ~FollowedLists() { host_.FollowLists(nullptr); }
    FollowedLists(const FollowedLists&) = delete;
    FollowedLists& operator=(const FollowedLists&) = delete;

private:
    RunHost& host_;
};

// The walk into lists the window shows (its phase begun by the caller); its snapshot pair saved under the
// two names.
RunResult WalkAndSave(const MonitorRequest& request, WalkLists& lists, const wchar_t* dirs, const wchar_t* files,
                      RunHost& host) {
    ScanResult scanned = ScanResult::Completed;
    // The file list goes to its snapshot as the walk finds it: the window may then let go of what it has
    // shown, and a walk of a million files is not held twice. Dropped unsaved on every other way out.
    LineFileWriter filesOut(InData(request, files));
    lists.filesOut = &filesOut;
    {
        FollowedLists shown(host, lists);
        scanned = ScanDrives(request.settings, lists, host);
        host.InHand({});
    }
    lists.filesOut = nullptr;
    if (scanned == ScanResult::Stopped) {
        return Outcome(RunOutcome::Stopped);
    }
    if (scanned == ScanResult::TooManyFiles) {
        return Outcome(RunOutcome::TooManyFiles);
    }
    FileResult saved = SaveListToFile(lists.List1, request.settings.dataFolder, dirs, host);
    const wchar_t* name = dirs;
    if (saved) {
        saved = SaveWrittenList(filesOut, lists.List2.size(), host);
        name = files;
    }
    if (!saved) {
        saved.path = InData(request, name);
        return Outcome(RunOutcome::Failed, saved);
    }
    RunResult result;
    result.skipped = lists.skipped;
    return result;
}

// The watched keys after the drives, into their snapshot file (the lines also kept for the caller); with the
// option off there is none, and none is left from an earlier run to be compared.
RunResult SaveRegistrySnapshot(const MonitorRequest& request, const wchar_t* name, RunHost& host,
                               std::vector<std::wstring>& lines) {
    const std::wstring path = InData(request, name);
    if (!request.registry) {
        DeleteFileW(path.c_str());
        return {};
    }
    host.ShowWaitWindow(true);
    host.SetWaitLabel(texts::RecordingRegistry);
    RegistrySnapshot snapshot = SnapshotRegistry(request.watchedKeys, &host);
    if (snapshot.stopped) {
        return Outcome(RunOutcome::Stopped);
    }
    if (FileResult written = ReplaceFileLines(path, snapshot.lines); !written) {
        return Outcome(RunOutcome::Failed, written);
    }
    host.PMax();
    lines = std::move(snapshot.lines);
    return {};
}

// What the installation added to the registry: the after-snapshot, compared with the preparation's; nothing
// when the preparation took none (the option was off then).
RunResult RegistryChangesSincePreparation(const MonitorRequest& request, RunHost& host, RegistryChanges& changes) {
    const std::wstring path = InData(request, runfiles::RegBefore);
    if (!FileExists(path)) {
        return {};
    }
    std::vector<std::wstring> after;
    if (RunResult snapshot = SaveRegistrySnapshot(request, runfiles::RegAfter, host, after);
        snapshot.outcome != RunOutcome::Completed || !request.registry) {
        return snapshot;
    }
    FileLines before = ReadAnsiLines(path);
    if (!before.result) {
        return Outcome(RunOutcome::FailedWaiting, before.result);
    }
    changes = CompareRegistry(before.lines, after);
    return {};
}

// A before and an after snapshot into the lists the window shows, for a phase of the inspection.
RunResult LoadPair(const MonitorRequest& request, RunPhase phase, const wchar_t* before, const wchar_t* label,
                   const wchar_t* after, WalkLists& into, RunHost& host) {
    into = {};
    host.BeginPhase(phase);
    FollowedLists shown(host, into);
    const wchar_t* name = before;
    LoadResult loaded =
        LoadListFromFile(into.List1, request.settings.dataFolder, before, host, LoadStyle::Inspection, label);
    if (loaded == LoadResult::Completed) {
        name = after;
        loaded = LoadListFromFile(into.List2, request.settings.dataFolder, after, host, LoadStyle::Inspection);
    }
    if (loaded == LoadResult::Completed) {
        return {};
    }
    if (loaded == LoadResult::Stopped) {
        return Outcome(RunOutcome::Stopped);
    }
    return Outcome(RunOutcome::FailedWaiting,
                   FileResult::ReadFailed(loaded == LoadResult::Missing ? ERROR_FILE_NOT_FOUND : ERROR_READ_FAULT,
                                          InData(request, name)));
}

// The added entries of a loaded pair, the Wait bar following them.
std::vector<std::wstring> Added(const WalkLists& pair, RunHost& host) {
    if (pair.List2.size() > 1) {
        host.SetProgressMax(static_cast<double>(pair.List2.size() - 1));
    }
    return FindAddedEntries(pair.List1, pair.List2, &host);
}

} // namespace

RunResult RunPreparation(const MonitorRequest& request, RunHost& host) {
    // Created, or emptied: the inspection is pending from here on, across a restart too. Without the marker
    // a restart would forget the preparation, so nothing starts when it cannot be written.
    const std::wstring marker = InData(request, runfiles::Continue);
    if (FileResult written = ReplaceFileContents(marker, ""); !written) {
        return Outcome(RunOutcome::NotReady, written);
    }
    FileResult copied = CopyWinIni(request.windowsFolder, request.settings.dataFolder);
    if (!copied) {
        copied.path = copied.reading ? request.windowsFolder + L"\\win.ini" : InData(request, L"win.ini");
        DeleteFileW(marker.c_str());
        return Outcome(RunOutcome::NotReady, copied);
    }
    WalkLists walk;
    host.BeginPhase(RunPhase::Walk);
    RunResult result = WalkAndSave(request, walk, runfiles::DirBefore, runfiles::FileBefore, host);
    if (result.outcome == RunOutcome::Completed) {
        std::vector<std::wstring> lines;
        if (RunResult registry = SaveRegistrySnapshot(request, runfiles::RegBefore, host, lines);
            registry.outcome != RunOutcome::Completed) {
            result = registry;
        }
    }
    if (result.outcome == RunOutcome::Failed) {
        DeleteFileW(marker.c_str());
    }
    return result;
}

RunResult RunInspection(const MonitorRequest& request, RunHost& host) {
    const bool allFolders = request.settings.mode == ScanMode::AllFolders;
    // Without its before-snapshot, or with one cut short, an inspection would record the whole drive (or all
    // that the lost part held) as added, for a later uninstall to delete.
    if (!SnapshotComplete(InData(request, runfiles::FileBefore)) ||
        (!allFolders && !SnapshotComplete(InData(request, runfiles::DirBefore)))) {
        DeleteFileW(InData(request, runfiles::Continue).c_str());
        return Outcome(RunOutcome::NotReady);
    }
    host.BeginPhase(RunPhase::Walk);
    const std::vector<std::wstring> sections =
        CompareWinIniSections(request.windowsFolder + L"\\win.ini", InData(request, L"win.ini"));
    host.ShowSections(sections);

    WalkLists pair;
    RunResult result = WalkAndSave(request, pair, runfiles::DirAfter, runfiles::FileAfter, host);
    if (result.outcome != RunOutcome::Completed) {
        return result;
    }
    RegistryChanges registry;
    if (RunResult compared = RegistryChangesSincePreparation(request, host, registry);
        compared.outcome != RunOutcome::Completed) {
        return compared;
    }
    result.skipped += registry.unrecordable;
    std::vector<std::wstring> newFolders;
    if (!allFolders) {
        if (!request.progressShown) {
            host.ShowWaitWindow(false);
        }
        // List1 shows the folders before, List2 those after.
        if (RunResult loaded = LoadPair(request, RunPhase::NewFolders, runfiles::DirBefore, texts::PreparingNewFolders,
                                        runfiles::DirAfter, pair, host);
            loaded.outcome != RunOutcome::Completed) {
            return loaded;
        }
        host.SetWaitLabel(texts::RecordingNewFolders);
        newFolders = Added(pair, host);
        if (FileResult written = ReplaceFileLines(InData(request, runfiles::NewDir), newFolders); !written) {
            return Outcome(RunOutcome::Failed, written);
        }
        host.PMax();
    }
    if (RunResult loaded = LoadPair(request, RunPhase::AddedFiles, runfiles::FileBefore, texts::PreparingAddedFiles,
                                    runfiles::FileAfter, pair, host);
        loaded.outcome != RunOutcome::Completed) {
        return loaded;
    }
    if (allFolders) {
        host.ShowWaitWindow(false);
    }

    result.name = host.SoftwareName();
    if (result.name.empty()) {
        return Outcome(RunOutcome::Stopped); // the program is closing: the next start offers to resume
    }
    host.SetWaitLabel(texts::RecordingAddedFiles);
    host.ShowWaitWindow(true);
    std::vector<std::wstring> files = Added(pair, host);
    if (!allFolders) {
        // newdir.dat is read back, as written: the record holds the files lying directly in each new folder.
        FileLines recorded = ReadFileLines(InData(request, runfiles::NewDir));
        std::vector<std::wstring> inNew =
            FilesOfNewFolders(recorded.result ? recorded.lines : newFolders, result.skipped);
        files.insert(files.end(), inNew.begin(), inNew.end());
    }
    // One append for the whole record: a failure leaves no half record behind.
    FileResult appended = AppendRecord(request.settings.dataFolder, result.name, files, sections, registry.lines);
    host.PMax();
    host.ShowWaitWindow(false);
    if (!appended) {
        // Nothing was recorded: the inspection stays pending (its marker too) and can be run again.
        return Outcome(RunOutcome::FailedWaiting, appended);
    }
    runfiles::EndPendingRun(request.settings.dataFolder);
    return result;
}

} // namespace ruvex
