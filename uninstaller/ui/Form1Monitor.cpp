// Form1's monitor runs: install preparation (Command1), install inspection (Command2), the stop questions
// at their stop points (Tomaru1, Tomaru2) and the resumption of an interrupted run (Continue).
#include "uninstaller/ui/Form1.h"

#include "base/codec.h"
#include "resources/RuvexTexts.h"
#include "uninstaller/monitor/database.h"
#include "uninstaller/monitor/inspect.h"
#include "uninstaller/monitor/tidy.h"
#include "uninstaller/ui/ControlIds.h"
#include "uninstaller/ui/MessagePump.h"
#include "uninstaller/ui/Report.h"
#include "uninstaller/ui/cPath.h"

namespace ruvex::ui {

namespace {

std::wstring InData(const wchar_t* name) {
    return DataFolder + L"\\" + name;
}

void DeleteIgnoringErrors(const wchar_t* name) {
    DeleteFileW(InData(name).c_str());
}

// The user learns that the picture has gaps: what was left out can be neither found nor uninstalled.
std::wstring WithSkipped(const wchar_t* text, std::size_t skipped) {
    std::wstring out = text;
    if (skipped > 0) {
        out += L"\r\n" + std::wstring(texts::SkippedPrefix) + std::to_wstring(skipped) + texts::SkippedSuffix;
    }
    return out;
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

ScanSettings Form1::CurrentScanSettings() {
    Options options = form2_.Settings();
    ScanSettings s;
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
    s.dataFolder = DataFolder;
    return s;
}

// The drives walked into the lists the user watches.
ScanResult Form1::Walk(const ScanSettings& settings, WalkLists& walk) {
    walk_ = &walk;
    ScanResult result = ScanDrives(settings, walk, *this);
    inHand_.clear();
    if (result != ScanResult::Stopped) {
        SyncWalk(true);
    }
    walk_ = nullptr;
    return result;
}

// Shows what the run has added to its lists since the last look: painted now, or (while the run goes on)
// no more often than a screen shows it.
void Form1::SyncWalk(bool paintNow) {
    if (walk_) {
        List1.Extend(walk_->List1);
        List2.Extend(walk_->List2);
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
    DeleteIgnoringErrors(L"continue");
    ExitProcess(0);
}

bool Form1::ReportWrite(const FileResult& result, const std::wstring& path) {
    if (!result) {
        Message(FileFailureText(result, path), texts::BoxTitle, MessageKind::Critical);
        namedFailure_ = path;
    }
    return result.ok;
}

void Form1::BackToIdle() {
    SetRun(RunKind::None);
    win::SetText(hwnd(), texts::MainCaption);
    EnableButtons({1, 7, 8, 14}, true);
    EnableButtons({2}, false);
    EnableBackupMenus(true);
    form2_.EnableDriveAndMode(true);
    form10_.Unload();
    SoftHyouji();
}

void Form1::Command1_Click() {
    // Created, or emptied: the inspection is pending from here on, across a restart too. Without the marker
    // a restart would forget the preparation, so nothing starts when it cannot be written.
    if (!ReportWrite(ReplaceFileContents(InData(L"continue"), ""), InData(L"continue"))) {
        return;
    }
    FileResult copied = CopyWinIni(WindowsFolder, DataFolder);
    if (!ReportWrite(copied, copied.reading ? WindowsFolder + L"\\win.ini" : InData(L"win.ini"))) {
        DeleteIgnoringErrors(L"continue");
        return;
    }
    Options options = form2_.Settings();
    if (options.Get(Check::Check8)) {
        ShowWindow(hwnd(), SW_MINIMIZE);
    }
    Pro = options.Get(Check::Check3);
    if (!Pro) {
        form10_.Show(form10_.Label());
    }
    Tyuudan = false;
    SetRun(RunKind::Preparation);
    ShowWalkLists(texts::DetectingFolders, texts::DetectingFiles);
    EnableBackupMenus(false);
    EnableButtons({1, 2, 3, 7, 8, 9, 10, 11, 12, 13, 14, 15}, false);
    form2_.EnableDriveAndMode(false);
    List1.Clear();
    List2.Clear();
    List3.Clear();
    Fclear();
    clsTabStrip_.SetSelectedItem(1);
    clsTabStrip_Click();

    WalkLists walk;
    ScanSettings settings = CurrentScanSettings();
    // Until the snapshots are saved (their writing moves the bar too).
    PacedPainting paced(form10_.WaitProgressBar());
    ScanResult result = Walk(settings, walk);
    if (result == ScanResult::Stopped) {
        paced.End();
        if (!quitting_) {
            Tomaru1();
        }
        return;
    }
    if (result == ScanResult::TooManyFiles) {
        TooManyFiles(settings.mode == ScanMode::AllFolders);
    }
    if (!ReportWrite(SaveListToFile(walk.List1, DataFolder, L"dir_bf.dat", *this), InData(L"dir_bf.dat")) ||
        !ReportWrite(SaveListToFile(walk.List2, DataFolder, L"file_bf.dat", *this), InData(L"file_bf.dat"))) {
        DeleteIgnoringErrors(L"continue");
        BackToIdle();
        return;
    }
    paced.End();
    form10_.Unload();
    SetForegroundWindow(hwnd());
    Message(WithSkipped(texts::PreparationDone, walk.skipped), texts::BoxTitle, MessageKind::Information);
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
    EnableButtons({2}, true);
    if (options.Get(Check::Check5)) {
        ShowWindow(hwnd(), SW_MINIMIZE);
    }
    if (options.Get(Check::Check2)) {
        ShowWindow(hwnd(), SW_RESTORE);
    }
}

void Form1::Command2_Click() {
    Options options = form2_.Settings();
    const bool allFolders = options.Get(Check::Check1);
    // Without its before-snapshot, or with one cut short, an inspection would record the whole drive (or all
    // that the lost part held) as added, for a later uninstall to delete.
    bool ready = SnapshotComplete(InData(L"file_bf.dat")) && (allFolders || SnapshotComplete(InData(L"dir_bf.dat")));
    if (!ready) {
        Message(texts::InspectionImpossible, texts::BoxTitle, MessageKind::Warning);
        DeleteIgnoringErrors(L"continue");
        BackToIdle();
        return;
    }
    if (options.Get(Check::Check8)) {
        ShowWindow(hwnd(), SW_MINIMIZE);
    }
    if (!Pro) {
        form10_.Show(form10_.Label());
    }
    Tyuudan = false;
    SetRun(RunKind::Inspection);
    ShowWalkLists(texts::DetectingFolders, texts::DetectingFiles);
    EnableButtons({1, 2}, false);
    List1.Clear();
    List2.Clear();
    List3.Clear();
    List3.Assign(CompareWinIniSections(WindowsFolder + L"\\win.ini", InData(L"win.ini")));

    WalkLists walk;
    ScanSettings settings = CurrentScanSettings();
    // Until the snapshots are saved (their writing moves the bar too).
    PacedPainting paced(form10_.WaitProgressBar());
    ScanResult result = Walk(settings, walk);
    if (result == ScanResult::Stopped) {
        paced.End();
        if (!quitting_) {
            Tomaru2();
        }
        return;
    }
    if (result == ScanResult::TooManyFiles) {
        TooManyFiles(allFolders);
    }
    if (!ReportWrite(SaveListToFile(walk.List1, DataFolder, L"dir_af.dat", *this), InData(L"dir_af.dat")) ||
        !ReportWrite(SaveListToFile(walk.List2, DataFolder, L"file_af.dat", *this), InData(L"file_af.dat"))) {
        BackToIdle();
        return;
    }
    paced.End();

    std::size_t skipped = walk.skipped;
    std::vector<std::wstring> newFolders;
    WalkLists before;
    if (!allFolders) {
        ShowWalkLists(texts::FoldersBefore, texts::FoldersAfter);
        List1.Clear();
        List2.Clear();
        if (Pro) {
            form10_.Unload();
        }
        // List1 shows the folders before, List2 those after.
        if (!LoadSnapshots(before, L"dir_bf.dat", texts::PreparingNewFolders, L"dir_af.dat")) {
            if (!quitting_) {
                Tomaru2();
            }
            return;
        }
        List1.SelectFirst();
        List2.SelectFirst();
        if (before.List2.size() > 1) {
            SetProgressMax(static_cast<double>(before.List2.size() - 1));
        }
        form10_.SetLabel(texts::RecordingNewFolders);
        newFolders = FindAddedEntries(before.List1, before.List2, this);
        if (!ReportWrite(ReplaceFileLines(InData(L"newdir.dat"), newFolders), InData(L"newdir.dat"))) {
            BackToIdle();
            return;
        }
        form10_.PMax();
        before = {};
    }

    ShowWalkLists(texts::FilesBefore, texts::FilesAfter);
    List1.Clear();
    List2.Clear();
    if (!LoadSnapshots(before, L"file_bf.dat", texts::PreparingAddedFiles, L"file_af.dat")) {
        if (!quitting_) {
            Tomaru2();
        }
        return;
    }
    if (allFolders) {
        form10_.Unload();
    }

    std::wstring name = AskSoftwareName();
    if (quitting_) {
        return; // nothing recorded: the next start offers to resume the inspection
    }
    form10_.Show(texts::RecordingAddedFiles);
    if (before.List2.size() > 1) {
        SetProgressMax(static_cast<double>(before.List2.size() - 1));
    }
    std::vector<std::wstring> files = FindAddedEntries(before.List1, before.List2, this);
    if (!allFolders) {
        // newdir.dat is read back, as written: the record holds the files lying directly in each new folder.
        FileLines recorded = ReadFileLines(InData(L"newdir.dat"));
        std::vector<std::wstring> inNew = FilesOfNewFolders(recorded.ok ? recorded.lines : newFolders, skipped);
        files.insert(files.end(), inNew.begin(), inNew.end());
    }
    // One append for the whole record: a failure leaves no half record behind.
    FileResult appended = AppendRecord(DataFolder, name, files, List3.Items());
    form10_.PMax();
    form10_.Unload();
    if (!ReportWrite(appended, DatabasePath(DataFolder))) {
        // Nothing was recorded: the inspection stays pending (its marker too) and can be run again.
        Tomaru2();
        return;
    }

    SetForegroundWindow(hwnd());
    Message(WithSkipped(texts::InspectionDone, skipped), texts::BoxTitle, MessageKind::Information);
    win::SetText(hwnd(), texts::MainCaption);
    SetRun(RunKind::None);
    EnableButtons({1, 7, 8, 14}, true);
    EnableBackupMenus(true);
    form2_.EnableDriveAndMode(true);
    DeleteIgnoringErrors(L"continue");
    ReportWrite(Seiri(DataFolder, *this), DatabasePath(DataFolder));
    SoftHyouji();
    ShowWindow(hwnd(), SW_RESTORE);
}

// A before and an after file into the lists the user watches; false when the user stopped the inspection or
// a file could not be read whole (said here); the caller then stops the inspection.
bool Form1::LoadSnapshots(WalkLists& into, const wchar_t* before, const wchar_t* label, const wchar_t* after) {
    walk_ = &into;
    const wchar_t* name = before;
    LoadResult loaded = LoadListFromFile(into.List1, DataFolder, before, *this, LoadStyle::Inspection, label);
    if (loaded == LoadResult::Completed) {
        name = after;
        loaded = LoadListFromFile(into.List2, DataFolder, after, *this, LoadStyle::Inspection);
    }
    if (loaded == LoadResult::Completed) {
        SyncWalk(true);
    }
    walk_ = nullptr;
    if (loaded == LoadResult::Missing || loaded == LoadResult::ReadFailed) {
        ReportWrite(FileResult::ReadFailed(loaded == LoadResult::Missing ? ERROR_FILE_NOT_FOUND : ERROR_READ_FAULT),
                    InData(name));
    }
    return loaded == LoadResult::Completed;
}

std::wstring Form1::AskSoftwareName() {
    while (!quitting_) {
        MessageBeep(MB_OK);
        std::wstring name = InputBox(texts::NamePrompt, texts::BoxTitle);
        if (!name.empty()) {
            return name;
        }
    }
    return {};
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
    DeleteIgnoringErrors(L"continue");
    SetRun(RunKind::None);
    EnableButtons({1, 7, 8, 14}, true);
    // Nothing is pending after a stopped preparation: the database may be backed up and restored again.
    EnableBackupMenus(true);
    form2_.EnableDriveAndMode(true);
    SoftHyouji();
}

void Form1::Tomaru2() {
    form10_.Unload();
    List1.Clear();
    List2.Clear();
    EnableButtons({2}, false);
    SetRun(RunKind::None);
    ShowWalkLists(texts::DetectedFolders, texts::DetectedFiles);
    form10_.Show(texts::Stopping);
    (void)ResumeLoad(); // a missing file leaves its list empty: the inspection then reports it
    form10_.Unload();
    List1.SelectFirst();
    List2.SelectFirst();
    EnableButtons({2}, true);
}

// The before-snapshot back into the lists, as the resume loader reads it; false when a file is missing.
bool Form1::ResumeLoad() {
    WalkLists loaded;
    walk_ = &loaded;
    LoadResult dirs = LoadListFromFile(loaded.List1, DataFolder, L"dir_bf.dat", *this, LoadStyle::Resume);
    LoadResult files = LoadListFromFile(loaded.List2, DataFolder, L"file_bf.dat", *this, LoadStyle::Resume);
    SyncWalk(true);
    walk_ = nullptr;
    return dirs == LoadResult::Completed && files == LoadResult::Completed;
}

void Form1::Continue() {
    // Cleared before asking: the question box's own activations must not ask again.
    FirstActivation = 0;
    const bool resume =
        MessageBoxW(hwnd(), texts::ResumeQuestion, texts::BoxTitle, MB_YESNO | MB_ICONQUESTION) == IDYES;
    DeleteIgnoringErrors(L"continue");
    if (!resume) {
        return;
    }
    List1.Clear();
    List2.Clear();
    Options options = form2_.Settings();
    Pro = options.Get(Check::Check3);
    EnableBackupMenus(false);
    EnableButtons({1, 2, 3, 7, 8, 9, 10, 11, 12, 13, 14, 15}, false);
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
    EnableButtons({2}, true);
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
