#include "uninstaller/monitor/run.h"

#include "ScriptedHost.h"
#include "base/codec.h"
#include "resources/RuvexTexts.h"
#include "support/TempFolder.h"
#include "support/TestKeys.h"
#include "uninstaller/monitor/database.h"
#include "uninstaller/monitor/runfiles.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace ruvex;
using testsupport::ScriptedHost;
using testsupport::TempFolder;

namespace {
using Lines = std::vector<std::wstring>;
using Phases = std::vector<RunPhase>;

// A Windows folder with its win.ini and a data folder, walked with the rest of C: in partial mode.
class MonitorRun : public ::testing::Test {
protected:
    TempFolder root{L"run"};
    std::wstring win = root / L"Win";
    std::wstring data = root / L"Data";
    MonitorRequest request;
    ScriptedHost host;
    // The registry the runs watch: a key of the test's own.
    std::wstring key = L"Software\\RvxRegTest\\" + testsupport::UniqueName(L"run");

    ~MonitorRun() override { testsupport::DeleteTestKey(HKEY_CURRENT_USER, key); }

    void SetUp() override {
        request.watchedKeys = {{HKEY_CURRENT_USER, L"HKEY_CURRENT_USER", key.c_str()}};
        HKEY made = nullptr;
        RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &made, nullptr);
        RegCloseKey(made);
        for (const auto& folder : {win, win + L"\\System", data}) {
            CreateDirectoryW(folder.c_str(), nullptr);
        }
        ASSERT_TRUE(ReplaceFileLines(win + L"\\win.ini", {L"[Old]", L"a=1"}));
        ScanSettings& s = request.settings;
        s.windowsFolder = win;
        s.systemFolder = win + L"\\System";
        s.secondDrive = L"c:";
        s.startMenu = s.desktop = s.sendTo = L"\\";
        s.dataFolder = data;
        request.windowsFolder = win;
    }
    std::wstring InData(const wchar_t* name) const { return data + L"\\" + name; }
    bool Exists(const std::wstring& path) const { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
    // A data file that exists but may not be replaced.
    void ReadOnly(const wchar_t* name) {
        ASSERT_TRUE(ReplaceFileContents(InData(name), ""));
        SetFileAttributesW(InData(name).c_str(), FILE_ATTRIBUTE_READONLY);
    }
    // The host stops the run at the first stop point of the phase.
    void StopIn(RunPhase phase) {
        host.atStopPoint = [this, phase] {
            if (!host.phases.empty() && host.phases.back() == phase) {
                host.stopAfter = 0;
            }
        };
    }
    void Prepared() {
        ScriptedHost quiet;
        ASSERT_EQ(RunPreparation(request, quiet).outcome, RunOutcome::Completed);
    }
};

} // namespace

TEST_F(MonitorRun, APreparationAndItsInspectionRecordTheInstalledFilesSectionsAndName) {
    RunResult prepared = RunPreparation(request, host);
    ASSERT_EQ(prepared.outcome, RunOutcome::Completed);
    EXPECT_EQ(host.phases, Phases{RunPhase::Walk});
    EXPECT_EQ(host.followed, nullptr) << "the window follows no list that is gone";
    for (const wchar_t* file : {runfiles::Continue, runfiles::DirBefore, runfiles::FileBefore, L"win.ini"}) {
        EXPECT_TRUE(Exists(InData(file))) << testing::PrintToString(std::wstring(file));
    }

    // The installation: a file in the Windows folder, a new folder with its file, a win.ini section.
    const std::wstring shared = win + L"\\added.dll";
    const std::wstring program = root / L"App\\app.exe";
    CreateDirectoryW((root / L"App").c_str(), nullptr);
    ASSERT_TRUE(ReplaceFileContents(shared, "x"));
    ASSERT_TRUE(ReplaceFileContents(program, "x"));
    ASSERT_TRUE(ReplaceFileLines(win + L"\\win.ini", {L"[Old]", L"a=1", L"[App]", L"b=2"}));
    HKEY made = nullptr;
    RegCreateKeyExW(HKEY_CURRENT_USER, (key + L"\\App").c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &made,
                    nullptr);
    RegSetValueExW(made, L"v", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"1"), 4);
    RegCloseKey(made);
    host = {};
    host.inputs = {L"", L"App"}; // an empty name is asked again
    RunResult inspected = RunInspection(request, host);
    ASSERT_EQ(inspected.outcome, RunOutcome::Completed);
    EXPECT_EQ(inspected.name, L"App");
    EXPECT_EQ(host.phases, (Phases{RunPhase::Walk, RunPhase::NewFolders, RunPhase::AddedFiles}));
    EXPECT_EQ(host.sections, Lines{L"[App]"});
    EXPECT_EQ(std::count(host.questions.begin(), host.questions.end(), L"name"), 2);
    for (const wchar_t* file : {runfiles::Continue, runfiles::RegBefore, runfiles::RegAfter}) {
        EXPECT_FALSE(Exists(InData(file))) << testing::PrintToString(std::wstring(file));
    }
    Lines record = ReadAllLines(data).lines;
    ASSERT_FALSE(record.empty());
    EXPECT_EQ(record.front(), L"[App]");
    const std::wstring app = L"HKEY_CURRENT_USER\\" + key + L"\\App";
    for (const auto& line : {shared, program, std::wstring(L"-[App]"), L"*K:" + app, L"*V:" + app + L"\\\\v"}) {
        EXPECT_NE(std::find(record.begin(), record.end(), line), record.end()) << testing::PrintToString(line);
    }
}

TEST_F(MonitorRun, APreparationEndsAsItsFirstFaultSays) {
    struct Case {
        const char* what;
        std::function<void()> fault;
        RunOutcome outcome;
        const wchar_t* failed; // the file named, if any
        bool marker;           // the marker stays for the next start
    };
    const Case cases[] = {
        {"marker cannot be written", [&] { CreateDirectoryW(InData(runfiles::Continue).c_str(), nullptr); },
         RunOutcome::NotReady, runfiles::Continue, true},
        {"stopped in the walk", [&] { StopIn(RunPhase::Walk); }, RunOutcome::Stopped, nullptr, true},
        {"too many files",
         [&] {
             request.settings.maxFiles = 1;
             ASSERT_TRUE(ReplaceFileContents(win + L"\\extra.dll", "x"));
         },
         RunOutcome::TooManyFiles, nullptr, true},
        {"snapshot cannot be written", [&] { ReadOnly(runfiles::FileBefore); }, RunOutcome::Failed,
         runfiles::FileBefore, false},
        {"stopped in the registry",
         [&] {
             host.atStopPoint = [this] {
                 if (!host.labels.empty() && host.labels.back() == texts::RecordingRegistry) {
                     host.stopAfter = 0;
                 }
             };
         },
         RunOutcome::Stopped, nullptr, true},
        {"registry snapshot cannot be written", [&] { ReadOnly(runfiles::RegBefore); }, RunOutcome::Failed,
         runfiles::RegBefore, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        host = {};
        request.settings.maxFiles = MaxListEntries;
        c.fault();
        RunResult result = RunPreparation(request, host);
        EXPECT_EQ(result.outcome, c.outcome);
        EXPECT_EQ(result.failure.path, c.failed ? InData(c.failed) : L"");
        EXPECT_EQ(host.followed, nullptr);
        if (c.outcome != RunOutcome::NotReady) {
            EXPECT_EQ(Exists(InData(runfiles::Continue)), c.marker);
        }
        for (const wchar_t* file : {runfiles::FileBefore, runfiles::RegBefore}) {
            SetFileAttributesW(InData(file).c_str(), FILE_ATTRIBUTE_NORMAL);
        }
        RemoveDirectoryW(InData(runfiles::Continue).c_str());
        DeleteFileW(InData(runfiles::Continue).c_str());
    }
}

TEST_F(MonitorRun, AnInspectionEndsAsItsFirstFaultSays) {
    struct Case {
        const char* what;
        std::function<void()> fault;
        RunOutcome outcome;
        const wchar_t* failed; // the file named, if any
        Phases phases;
    };
    const std::wstring database = DatabasePath(data);
    const Phases walk{RunPhase::Walk}, folders{RunPhase::Walk, RunPhase::NewFolders};
    const Phases all{RunPhase::Walk, RunPhase::NewFolders, RunPhase::AddedFiles}, none;
    const Phases allFolders{RunPhase::Walk, RunPhase::AddedFiles};
    auto gone = [&](const wchar_t* name) { DeleteFileW(InData(name).c_str()); };
    auto named = [&] { host.inputs = {L"App"}; };
    const Case cases[] = {
        {"no before-snapshot", [&] { gone(runfiles::FileBefore); }, RunOutcome::NotReady, nullptr, none},
        {"stopped in the walk", [&] { StopIn(RunPhase::Walk); }, RunOutcome::Stopped, nullptr, walk},
        {"stopped among the new folders", [&] { StopIn(RunPhase::NewFolders); }, RunOutcome::Stopped, nullptr, folders},
        {"stopped among the added files", [&] { StopIn(RunPhase::AddedFiles); }, RunOutcome::Stopped, nullptr, all},
        {"after-snapshot cannot be written", [&] { ReadOnly(runfiles::DirAfter); }, RunOutcome::Failed,
         runfiles::DirAfter, walk},
        {"program closing at the name prompt", [] {}, RunOutcome::Stopped, nullptr, all},
        {"record cannot be written", [&] { named(), ReadOnly(L"uninstall.dat"); }, RunOutcome::FailedWaiting,
         L"uninstall.dat", all},
        {"all folders: no new folders", [&] { named(), request.settings.mode = ScanMode::AllFolders; },
         RunOutcome::Completed, nullptr, allFolders},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        request.settings.mode = ScanMode::Partial;
        Prepared();
        host = {};
        c.fault();
        RunResult result = RunInspection(request, host);
        EXPECT_EQ(result.outcome, c.outcome);
        EXPECT_EQ(result.failure.path, c.failed ? InData(c.failed) : L"");
        EXPECT_EQ(host.phases, c.phases);
        EXPECT_EQ(host.followed, nullptr);
        // Only a finished inspection, or one that cannot start, ends what is pending.
        const bool pending = c.outcome != RunOutcome::Completed && c.outcome != RunOutcome::NotReady;
        EXPECT_EQ(Exists(InData(runfiles::Continue)), pending);
        for (const std::wstring& file : {InData(runfiles::DirAfter), database}) {
            SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
        }
    }
}
