// Form1's monitor runs: install preparation (Command1), install inspection (Command2), the stop questions
// at their stop points (Tomaru1, Tomaru2) and the resumption of an interrupted run (Continue).
#include "uninstaller/ui/Form1.h"

#include "base/codec.h"
#include "resources/RuvexTexts.h"
#include "uninstaller/monitor/database.h"
#include "uninstaller/monitor/inspect.h"
#include "uninstaller/monitor/run.h"
#include "uninstaller/monitor/runfiles.h"
#include "uninstaller/monitor/tidy.h"
#include "uninstaller/ui/ControlIds.h"
#include "uninstaller/ui/MessagePump.h"
#include "uninstaller/monitor/failure.h"
#include "uninstaller/ui/Report.h"
#include "uninstaller/ui/cPath.h"

#include <cwchar>

namespace ruvex::ui {

namespace {

std::wstring InData(const wchar_t* name) {
    return DataFolder + L"\\" + name;
}

// The user learns that the picture has gaps: what was left out can be neither found nor uninstalled.
std::wstring WithSkipped(const wchar_t* text, std::size_t skipped) {
    std::wstring out = text;
    if (skipped > 0) {
        out += L"\r\n" + std::wstring(texts::SkippedPrefix) + std::to_wstring(skipped) + texts::SkippedSuffix;
    }
    return out;
}

// The lists' ceiling. Tests lower it (RUVEX_LIST_CEILING) to meet the too-many-files stop on a small drive;
// nothing raises it.
std::size_t ListCeiling() {
    wchar_t text[24] = {};
    const DWORD n = GetEnvironmentVariableW(L"RUVEX_LIST_CEILING", text, 24);
    const unsigned long long lowered = n > 0 && n < 24 ? std::wcstoull(text, nullptr, 10) : 0;
    return lowered > 0 && lowered < MaxListEntries ? static_cast<std::size_t>(lowered) : MaxListEntries;
}

} // namespace

void Form1::SetRun(RunKind run) {
    run_ = run;
    const bool stop = run != RunKind::None;
    HWND exit = Item(ids::Command4);
    win::SetText(exit, stop ? texts::StopSearch : texts::Exit);
    // Tool tips can be switched off: an empty tip stays empty.
    if (!tips_.Get(exit).empty()) {
        tips_.Set(exit, stop ? texts::TipCommand4Stop : texts::TipCommand4);
    }
}

void Form1::EnableBackupMenus(bool enabled) {
    backupAllowed_ = enabled;
    HMENU menu = GetMenu(hwnd());
    EnableMenuItem(menu, ids::mnuBackUp, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
    EnableMenuItem(menu, ids::mnuFukugen, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

// Shows what the run has added to its lists since the last look: painted now, or (while the run goes on)
// no more often than a screen shows it.
void Form1::SyncWalk(bool paintNow) {
    if (walk_) {
        List1.Extend(walk_->List1);
        List2.Extend(walk_->List2);
        if (walk_->filesOut) {
            // Written to the snapshot already: the list box holds what it shows, the walk need not.
            for (; takenFiles_ < std::min(List2.Count(), walk_->List2.size()); ++takenFiles_) {
                std::wstring().swap(walk_->List2[takenFiles_]);
            }
        }
    }
    for (WorkList* list : {&List1, &List2, &List3}) {
        if (paintNow) {
            list->Flush();
        } else {
            list->FlushIfDue();
        }
    }
    if (paintNow) {
        form10_.WaitProgressBar().Flush();
    } else {
        form10_.WaitProgressBar().FlushIfDue();
    }
    DWORD now = GetTickCount();
    if (!inHand_.empty() && IsIconic(hwnd()) && (paintNow || now - lastCaption_ >= kCaptionInterval)) {
        lastCaption_ = now;
        // Set only when it changes: each setting repaints the caption, and in partial mode the file in hand
        // stays the same for most of the walk.
        std::wstring caption = std::wstring(texts::MainCaption) + L" - " + inHand_;
        if (caption != win::GetText(hwnd())) {
            win::SetText(hwnd(), caption);
        }
    }
}

void Form1::TooManyFiles(bool allFolders) {
    MessageBoxW(hwnd(), allFolders ? texts::TooManyFilesAllFolders : texts::TooManyFilesPartial, texts::AppTitle,
                MB_OK | MB_ICONERROR);
    runfiles::EndPendingRun(DataFolder);
    ExitProcess(0);
}

bool Form1::ReportWrite(const FileResult& result, const std::wstring& path) {
    if (!result) {
        Message(FileFailureText(result, path), texts::BoxTitle, MessageKind::Critical);
        namedFailure_ = result.path.empty() ? path : result.path;
    }
    return result.ok;
}

// The commands of the idle window back, the stop button the exit button again.
void Form1::IdleCommands() {
    SetRun(RunKind::None);
    EnableButtons(kIdleCommands, true);
    EnableBackupMenus(true);
    form2_.EnableDriveAndMode(true);
}

void Form1::BackToIdle() {
    // The inspection's button goes before the idle commands come back: no moment shows both.
    EnableButtons({kInspectionCommand}, false);
    IdleCommands();
    win::SetText(hwnd(), texts::MainCaption);
    form10_.Unload();
    SoftHyouji();
}

// A walk begins: the window shows it and takes every command but the stop button.
void Form1::WalkStarts() {
    Options options = form2_.Settings();
    if (options.Get(Check::Check8)) {
        ShowWindow(hwnd(), SW_MINIMIZE);
    }
    if (!Pro) {
        form10_.Show(form10_.Label());
    }
    Tyuudan = false;
    SetRun(command_);
    ShowWalkLists(texts::DetectingFolders, texts::DetectingFiles);
    if (command_ == RunKind::Preparation) {
        EnableBackupMenus(false);
        EnableButtons(kAllButStop, false);
        form2_.EnableDriveAndMode(false);
    } else {
        EnableButtons(kMonitorCommands, false);
    }
    List1.Clear();
    ClearRecordLists();
    if (command_ == RunKind::Preparation) {
        Fclear();
        clsTabStrip_.SetSelectedItem(1);
        clsTabStrip_Click();
    }
}

void Form1::BeginPhase(RunPhase phase) {
    phase_ = phase;
    if (phase == RunPhase::Walk) {
        WalkStarts();
        return;
    }
    if (phase == RunPhase::NewFolders) {
        ShowWalkLists(texts::FoldersBefore, texts::FoldersAfter);
    } else {
        ShowWalkLists(texts::FilesBefore, texts::FilesAfter);
    }
    List1.Clear();
    List2.Clear();
}

void Form1::FollowLists(WalkLists* lists) {
    if (lists) {
        walk_ = lists;
        takenFiles_ = 0;
        return;
    }
    SyncWalk(true);
    walk_ = nullptr;
    if (phase_ == RunPhase::NewFolders) {
        List1.SelectFirst();
        List2.SelectFirst();
    }
}

void Form1::ShowSections(const std::vector<std::wstring>& sections) {
    List3.Assign(sections);
}

std::wstring Form1::SoftwareName() {
    while (!quitting_) {
        MessageBeep(MB_OK);
        std::wstring name = AskText(texts::NamePrompt, texts::BoxTitle);
        if (!name.empty()) {
            return name;
        }
    }
    return {};
}

// The request of a monitored installation from the settings; Pro as the command has set it.
MonitorRequest Form1::CurrentRequest(RunKind command) {
    command_ = command;
    Options options = form2_.Settings();
    MonitorRequest request;
    ScanSettings& s = request.settings;
    s.mode = options.Get(Check::Check1) ? ScanMode::AllFolders : ScanMode::Partial;
    s.windowsFolder = WindowsFolder;
    s.systemFolder = SystemFolder;
    s.secondDrive = options.drive.substr(0, 2);
    if (s.mode == ScanMode::Partial) {
        s.startMenu = cPath::GetSpecialFolder(cPath::StartMenu);
        s.desktop = cPath::GetSpecialFolder(cPath::Desktop);
        s.sendTo = cPath::GetSpecialFolder(cPath::SendTo);
    }
    s.showProgress = !Pro;
    s.maxFiles = ListCeiling();
    s.dataFolder = DataFolder;
    request.windowsFolder = WindowsFolder;
    request.progressShown = !Pro;
    request.registry = options.Get(Check::Check10);
    return request;
}

// What the window does with a monitor run that did not complete; false then.
bool Form1::RunCompleted(const RunResult& result, const MonitorRequest& request) {
    const bool preparation = command_ == RunKind::Preparation;
    switch (result.outcome) {
    case RunOutcome::Completed:
        return true;
    case RunOutcome::NotReady:
        if (preparation) {
            ReportWrite(result.failure); // the marker or the copy of win.ini: nothing has started
        } else {
            Message(texts::InspectionImpossible, texts::BoxTitle, MessageKind::Warning);
            BackToIdle();
        }
        return false;
    case RunOutcome::TooManyFiles:
        TooManyFiles(request.settings.mode == ScanMode::AllFolders);
    case RunOutcome::Failed:
        ReportWrite(result.failure);
        BackToIdle();
        return false;
    case RunOutcome::FailedWaiting:
        ReportWrite(result.failure);
        [[fallthrough]];
    case RunOutcome::Stopped:
        if (!quitting_) {
            preparation ? Tomaru1() : Tomaru2();
        }
        return false;
    }
    return false;
}

void Form1::Command1_Click() {
    Options options = form2_.Settings();
    Pro = options.Get(Check::Check3);
    const MonitorRequest request = CurrentRequest(RunKind::Preparation);
    RunResult result;
    {
        // Until the snapshots are saved (their writing moves the bar too).
        PacedPainting paced(form10_.WaitProgressBar());
        result = RunPreparation(request, *this);
    }
    if (!RunCompleted(result, request)) {
        return;
    }
    form10_.Unload();
    SetForegroundWindow(hwnd());
    Message(WithSkipped(texts::PreparationDone, result.skipped), texts::BoxTitle, MessageKind::Information);
    SetRun(RunKind::None);
    win::SetText(hwnd(), texts::MainCaption);
    WaitForInspection(options);
    SetFocus(Item(ids::Command2));
}

// The window waits for the inspection: the before-snapshot shown, only the inspection to press.
void Form1::WaitForInspection(const Options& options) {
    ShowWalkLists(texts::DetectedFolders, texts::DetectedFiles);
    List1.SelectFirst();
    List2.SelectFirst();
    EnableButtons({kInspectionCommand}, true);
    if (options.Get(Check::Check5)) {
        ShowWindow(hwnd(), SW_MINIMIZE);
    }
    if (options.Get(Check::Check2)) {
        ShowWindow(hwnd(), SW_RESTORE);
    }
}

void Form1::Command2_Click() {
    const MonitorRequest request = CurrentRequest(RunKind::Inspection);
    RunResult result;
    {
        PacedPainting paced(form10_.WaitProgressBar());
        result = RunInspection(request, *this);
    }
    if (!RunCompleted(result, request)) {
        return;
    }
    SetForegroundWindow(hwnd());
    Message(WithSkipped(texts::InspectionDone, result.skipped), texts::BoxTitle, MessageKind::Information);
    win::SetText(hwnd(), texts::MainCaption);
    IdleCommands();
    ReportWrite(Seiri(DataFolder, *this), DatabasePath(DataFolder));
    SoftHyouji();
    ShowWindow(hwnd(), SW_RESTORE);
}

// Asked at a stop point once the stop button was pressed; No lets the run go on.
bool Form1::StopQuestion() {
    SyncWalk(true); // the lists as they stand behind the question
    if (MessageBoxW(hwnd(), texts::StopQuestion, texts::BoxTitle, MB_YESNO | MB_ICONQUESTION) != IDYES) {
        Tyuudan = false;
        return false;
    }
    return true;
}

// The stop procedures: run by the command whose run the user stopped, after the engine has returned.
void Form1::Tomaru1() {
    form10_.Unload();
    runfiles::EndPendingRun(DataFolder);
    // Nothing is pending after a stopped preparation: the database may be backed up and restored again.
    IdleCommands();
    SoftHyouji();
}

void Form1::Tomaru2() {
    form10_.Unload();
    List1.Clear();
    List2.Clear();
    EnableButtons({kInspectionCommand}, false);
    SetRun(RunKind::None);
    ShowWalkLists(texts::DetectedFolders, texts::DetectedFiles);
    form10_.Show(texts::Stopping);
    (void)ResumeLoad(); // a missing file leaves its list empty: the inspection then reports it
    form10_.Unload();
    List1.SelectFirst();
    List2.SelectFirst();
    EnableButtons({kInspectionCommand}, true);
}

// The before-snapshot back into the lists, as the resume loader reads it; false when a file is missing.
bool Form1::ResumeLoad() {
    WalkLists loaded;
    walk_ = &loaded;
    LoadResult dirs = LoadListFromFile(loaded.List1, DataFolder, runfiles::DirBefore, *this, LoadStyle::Resume);
    LoadResult files = LoadListFromFile(loaded.List2, DataFolder, runfiles::FileBefore, *this, LoadStyle::Resume);
    SyncWalk(true);
    walk_ = nullptr;
    return dirs == LoadResult::Completed && files == LoadResult::Completed;
}

void Form1::Continue() {
    // Cleared before asking: the question box's own activations must not ask again.
    FirstActivation = false;
    const bool resume =
        MessageBoxW(hwnd(), texts::ResumeQuestion, texts::BoxTitle, MB_YESNO | MB_ICONQUESTION) == IDYES;
    DeleteFileW(InData(runfiles::Continue).c_str());
    if (!resume) {
        runfiles::EndPendingRun(DataFolder);
        return;
    }
    List1.Clear();
    List2.Clear();
    Options options = form2_.Settings();
    Pro = options.Get(Check::Check3);
    EnableBackupMenus(false);
    EnableButtons(kAllButStop, false);
    SetRun(RunKind::None);
    ShowWalkLists(texts::DetectedFolders, texts::DetectedFiles);
    if (options.Get(Check::Check8)) {
        ShowWindow(hwnd(), SW_MINIMIZE);
    }
    form10_.Show(texts::Resuming);
    bool loaded = ResumeLoad();
    form10_.Unload();
    if (!loaded) {
        // The program ended during the first walk: there is nothing to compare against.
        Message(texts::ResumeImpossible, texts::BoxTitle, MessageKind::Warning);
        BackToIdle();
        return;
    }
    List1.SelectFirst();
    List2.SelectFirst();
    EnableButtons({kInspectionCommand}, true);
    SetFocus(Item(ids::Command2));
    SetForegroundWindow(hwnd());
    Message(texts::ResumeDone, L"", MessageKind::Information);
    if (options.Get(Check::Check5)) {
        ShowWindow(hwnd(), SW_MINIMIZE);
    }
    if (options.Get(Check::Check2)) {
        ShowWindow(hwnd(), SW_RESTORE);
    }
}

} // namespace ruvex::ui
