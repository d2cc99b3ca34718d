// A monitored installation from end to end: preparation, a test installer, inspection, the record, its uninstall; and
// stopping and resuming a run. These walk the whole C: drive, so they run alone (RUN_SERIAL).
#include "ManageSteps.h"
#include "MonitorSteps.h"

#include "support/TempFolder.h"

using namespace e2e;
namespace ids = ruvex::ids;
namespace texts = ruvex::texts;

namespace {

void EditWinIni(const std::function<void(Lines&)>& edit) {
    Lines lines = ReadLines(L"C:\\windows\\win.ini");
    edit(lines);
    WriteLines(L"C:\\windows\\win.ini", lines);
}

void RemoveSection(Lines& lines, const std::wstring& header) {
    auto at = std::find(lines.begin(), lines.end(), header);
    if (at == lines.end()) {
        return;
    }
    auto end = std::find_if(at + 1, lines.end(), [](const auto& l) { return !l.empty() && l[0] == L'['; });
    lines.erase(at, end);
}

// What a typical installer leaves: a program folder with a subfolder, a DLL in the Windows folder, a
// program group in the Start Menu, a desktop shortcut, a shared file elsewhere, and win.ini sections
// (one added, one taken away). One file's name holds a letter the ANSI code page lacks: it cannot be
// recorded as it is, so it is left out and counted.
struct TestInstaller {
    std::wstring id = testsupport::UniqueName(L"");
    std::wstring root = L"C:\\RvxInst" + id;
    std::wstring group = ShellFolder(CSIDL_PROGRAMS) + L"\\Rvx" + id;
    std::wstring shortcut = ShellFolder(CSIDL_DESKTOPDIRECTORY) + L"\\Rvx" + id + L".lnk";
    std::wstring dll = L"C:\\windows\\rvx" + id + L".dll";
    std::wstring shared = L"C:\\Program Files\\Common Files\\rvx" + id + L".txt";
    std::wstring added = L"[RvxAdded" + id + L"]";
    std::wstring removed = L"[RvxRemoved" + id + L"]";

    TestInstaller() {
        EditWinIni([&](Lines& l) {
            l.push_back(removed);
            l.push_back(L"key=value");
        });
    }
    void Install() {
        CreateDirectoryW(root.c_str(), nullptr);
        CreateDirectoryW((root + L"\\sub").c_str(), nullptr);
        CreateDirectoryW(group.c_str(), nullptr);
        for (const auto& file : {root + L"\\app.exe", root + L"\\readme.txt", root + L"\\sub\\data.dat",
                                 root + L"\\\u0100.dat", group + L"\\App.lnk", shortcut, dll, shared}) {
            WriteBytes(file, "installed");
        }
        EditWinIni([&](Lines& l) {
            RemoveSection(l, removed);
            l.push_back(added);
            l.push_back(L"run=app.exe");
        });
    }
    ~TestInstaller() {
        testsupport::RemoveTree(root);
        testsupport::RemoveTree(group);
        for (const auto& file : {shortcut, dll, shared}) {
            DeleteFileW(file.c_str());
        }
        EditWinIni([&](Lines& l) {
            RemoveSection(l, added);
            RemoveSection(l, removed);
        });
    }
    // The record after the tidy: win.ini lines first, then the paths in the sorted order.
    [[nodiscard]] Lines Record(const std::wstring& name, bool allFolders) const {
        Lines record{L"[" + name + L"]", L"-" + added, L"-" + removed};
        if (allFolders) {
            record.push_back(shared);
        }
        for (const auto& file : {root + L"\\app.exe", root + L"\\readme.txt", root + L"\\sub\\data.dat",
                                 group + L"\\App.lnk", shortcut, dll}) {
            record.push_back(file);
        }
        return record;
    }
};

void TypeName(Program& ruvex, const std::wstring& name) {
    HWND box = ruvex.WaitWindowOfClass(L"RuvexInputBox", 120s);
    ASSERT_NE(box, nullptr) << "the name prompt";
    EXPECT_EQ(WindowText(box), L"Ruvex");
    EXPECT_EQ(TextOf(box, ids::InputPrompt), texts::NamePrompt);
    // An empty answer asks again, in a new box.
    Click(box, ids::InputOk);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box) || !IsVisible(box); }));
    box = ruvex.WaitWindowOfClass(L"RuvexInputBox", 10s);
    ASSERT_NE(box, nullptr);
    SetText(Control(box, ids::InputText), name);
    Click(box, ids::InputOk);
}

// The recorded software uninstalled: every file and the folders it made gone, its win.ini section out and
// the others as they were, the record gone.
void UninstallCompletely(Program& ruvex, HWND main, const TestInstaller& installer, const std::wstring& name) {
    Lines ini = ReadLines(L"C:\\windows\\win.ini");
    // The file that no record can name (its name has no ANSI form) is the user's to remove.
    DeleteFileW((installer.root + L"\\\u0100.dat").c_str());
    SelectSoftware(main, 0);
    EXPECT_EQ(ListItems(Control(main, ids::List3)), (Lines{installer.added, L"run=app.exe"}));
    EXPECT_EQ(UninstallSelected(ruvex, main, name), name + texts::UninstalledSuffix);
    for (const auto& line : installer.Record(name, false)) {
        if (line[0] != L'[' && line[0] != L'-') {
            EXPECT_FALSE(Exists(line)) << testing::PrintToString(line);
        }
    }
    // The subfolder first, so that the program folder was empty when its turn came.
    EXPECT_FALSE(Exists(installer.root));
    EXPECT_FALSE(Exists(installer.group));
    EXPECT_TRUE(Exists(ShellFolder(CSIDL_DESKTOPDIRECTORY))); // emptied, but the system's own
    RemoveSection(ini, installer.added);
    EXPECT_EQ(ReadLines(L"C:\\windows\\win.ini"), ini);
    EXPECT_TRUE(ListItems(Control(main, ids::List1)).empty());
    EXPECT_TRUE(ReadLines(ruvex.File(L"uninstall.dat")).empty());
}

void MonitoredInstallation(bool allFolders) {
    TestInstaller installer;
    Program ruvex(L"Ruvex.exe", WithOptions(allFolders));
    HWND main = WaitMain(ruvex);
    ASSERT_NE(main, nullptr);

    EXPECT_EQ(RunToMessage(ruvex, main, 1), texts::PreparationDone);
    ASSERT_TRUE(WaitUntil([&] { return Enabled(main, 2); }));
    ExpectWaitingForInspection(ruvex, main);
    EXPECT_EQ(ReadBytes(ruvex.File(L"win.ini")), ReadBytes(L"C:\\windows\\win.ini"));
    Lines files = ReadLines(ruvex.File(L"file_bf.dat"));
    EXPECT_NE(std::find(files.begin(), files.end(), L"C:\\windows\\win.ini"), files.end());

    installer.Install();
    const std::wstring name = L"ﾃｽﾄ Soft" + installer.id;
    Click(main, ids::Command2);
    TypeName(ruvex, name);
    HWND done = ruvex.WaitMessageBox(120s);
    ASSERT_NE(done, nullptr);
    EXPECT_EQ(MessageBoxText(done),
              std::wstring(texts::InspectionDone) + L"\r\n" + texts::SkippedPrefix + L"1" + texts::SkippedSuffix);
    AnswerAndClose(done, IDOK);
    // The tidy runs last, then the software list is shown again.
    ASSERT_TRUE(WaitUntil([&] { return ListItems(Control(main, ids::List1)) == Lines{name}; }));

    EXPECT_EQ(ReadLines(ruvex.File(L"uninstall.dat")), installer.Record(name, allFolders));
    EXPECT_EQ(ListItems(Control(main, ids::List1)), Lines{name});
    EXPECT_EQ(TextOf(main, ids::Label2), texts::InstalledSoftware);
    EXPECT_FALSE(Exists(ruvex.File(L"continue")));
    EXPECT_FALSE(Enabled(main, 2));
    EXPECT_EQ(Exists(ruvex.File(L"newdir.dat")), !allFolders);
    if (!allFolders) {
        Lines newFolders = ReadLines(ruvex.File(L"newdir.dat"));
        // Breadth-first: the subfolder two levels below C:\ comes before the deep program group.
        EXPECT_EQ(newFolders, (Lines{installer.root, installer.root + L"\\sub", installer.group}));
        UninstallCompletely(ruvex, main, installer, name);
    }
    CloseAndExpectExit(ruvex, main);
}

} // namespace

TEST(RuvexMonitor, PartialModeRecordsWhatAnInstallerAddedAndUninstallsItCompletely) {
    MonitoredInstallation(false);
}

TEST(RuvexMonitor, AllFoldersModeRecordsWhatAnInstallerAdded) {
    MonitoredInstallation(true);
}

TEST(RuvexMonitor, AStoppedPreparationLeavesNothingAndNoCarriesOn) {
    Program ruvex(L"Ruvex.exe", WithOptions(false));
    HWND main = WaitMain(ruvex);
    ASSERT_NE(main, nullptr);
    // The stop press waits in the queue and is seen at the walk's first stop point.
    Click(main, ids::Command1);
    Click(main, ids::Command4);
    HWND ask = ruvex.WaitMessageBox();
    ASSERT_NE(ask, nullptr);
    EXPECT_EQ(MessageBoxText(ask), texts::StopQuestion);
    EXPECT_EQ(TextOf(main, ids::Command4), texts::StopSearch);
    AnswerAndClose(ask, IDYES);
    ASSERT_TRUE(WaitUntil([&] { return Enabled(main, 1); }));
    EXPECT_FALSE(Exists(ruvex.File(L"continue")));
    EXPECT_FALSE(Exists(ruvex.File(L"dir_bf.dat")));
    EXPECT_FALSE(Exists(ruvex.File(L"file_bf.dat")));
    EXPECT_EQ(TextOf(main, ids::Command4), texts::Exit);
    EXPECT_EQ(TextOf(main, ids::Label2), texts::InstalledSoftware);
    EXPECT_FALSE(Enabled(main, 2));

    // Answered No, the walk goes on to its end.
    Click(main, ids::Command1);
    Click(main, ids::Command4);
    ask = ruvex.WaitMessageBox();
    ASSERT_NE(ask, nullptr);
    EXPECT_EQ(MessageBoxText(ask), texts::StopQuestion);
    AnswerAndClose(ask, IDNO);
    HWND done = ruvex.WaitMessageBox(120s);
    ASSERT_NE(done, nullptr);
    EXPECT_EQ(MessageBoxText(done), texts::PreparationDone);
    AnswerAndClose(done, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return Enabled(main, 2); }));
    ExpectWaitingForInspection(ruvex, main);
    CloseAndExpectExit(ruvex, main);
}

TEST(RuvexMonitor, AStoppedInspectionGoesBackToWaitingWithTheBeforeSnapshot) {
    Program ruvex(L"Ruvex.exe", WithOptions(false));
    HWND main = WaitMain(ruvex);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(RunToMessage(ruvex, main, 1), texts::PreparationDone);
    ASSERT_TRUE(WaitUntil([&] { return Enabled(main, 2); }));
    Click(main, ids::Command2);
    Click(main, ids::Command4);
    HWND ask = ruvex.WaitMessageBox();
    ASSERT_NE(ask, nullptr);
    EXPECT_EQ(MessageBoxText(ask), texts::StopQuestion);
    AnswerAndClose(ask, IDYES);
    ASSERT_TRUE(WaitUntil([&] { return Enabled(main, 2); }));
    ExpectWaitingForInspection(ruvex, main);
    EXPECT_EQ(ReadBytes(ruvex.File(L"uninstall.dat")), "");
    CloseAndExpectExit(ruvex, main);
}

TEST(RuvexMonitor, APreparedRunIsResumedAtTheNextStartOnlyOnce) {
    std::wstring folder;
    {
        Program ruvex(L"Ruvex.exe", WithOptions(false));
        HWND main = WaitMain(ruvex);
        ASSERT_NE(main, nullptr);
        EXPECT_EQ(RunToMessage(ruvex, main, 1), texts::PreparationDone);
        ASSERT_TRUE(WaitUntil([&] { return Enabled(main, 2); }));
        ruvex.KeepFolder();
        folder = ruvex.folder();
        CloseAndExpectExit(ruvex, main);
    }
    {
        Program again(folder, L"Ruvex.exe", L"");
        HWND ask = again.WaitMessageBox();
        ASSERT_NE(ask, nullptr);
        EXPECT_EQ(MessageBoxText(ask), texts::ResumeQuestion);
        EXPECT_EQ(WindowText(ask), L"Ruvex");
        AnswerAndClose(ask, IDYES);
        HWND done = again.WaitMessageBox();
        ASSERT_NE(done, nullptr);
        EXPECT_EQ(MessageBoxText(done), texts::ResumeDone);
        EXPECT_EQ(WindowText(done), texts::AppTitle);
        AnswerAndClose(done, IDOK);
        HWND main = WaitMain(again);
        ASSERT_TRUE(WaitUntil([&] { return Enabled(main, 2); }));
        EXPECT_FALSE(Exists(folder + L"\\continue"));
        EXPECT_EQ(ListItems(Control(main, ids::List1)), ReadLines(folder + L"\\dir_bf.dat"));
        EXPECT_FALSE(Enabled(main, 1));
        CloseAndExpectExit(again, main);
    }
    {
        // The marker is gone: nothing is offered any more.
        Program third(folder, L"Ruvex.exe", L"");
        HWND main = WaitMain(third);
        ASSERT_NE(main, nullptr);
        EXPECT_EQ(third.WaitMessageBox(2s), nullptr);
        EXPECT_TRUE(Enabled(main, 1));
        CloseAndExpectExit(third, main);
    }
    testsupport::RemoveTree(folder);
}

TEST(RuvexMonitor, AResumeWithoutItsSnapshotOrAnsweredNoReturnsToIdle) {
    {
        Program ruvex(L"Ruvex.exe", [](const std::wstring& folder) { WriteBytes(folder + L"\\continue", ""); });
        HWND ask = ruvex.WaitMessageBox();
        ASSERT_NE(ask, nullptr);
        EXPECT_EQ(MessageBoxText(ask), texts::ResumeQuestion);
        AnswerAndClose(ask, IDYES);
        HWND warning = ruvex.WaitMessageBox();
        ASSERT_NE(warning, nullptr);
        EXPECT_EQ(MessageBoxText(warning), texts::ResumeImpossible);
        AnswerAndClose(warning, IDOK);
        HWND main = WaitMain(ruvex);
        ASSERT_TRUE(WaitUntil([&] { return Enabled(main, 1); }));
        EXPECT_FALSE(Enabled(main, 2));
        EXPECT_FALSE(Exists(ruvex.File(L"continue")));
        CloseAndExpectExit(ruvex, main);
    }
    {
        Program ruvex(L"Ruvex.exe", [](const std::wstring& folder) { WriteBytes(folder + L"\\continue", ""); });
        HWND ask = ruvex.WaitMessageBox();
        ASSERT_NE(ask, nullptr);
        AnswerAndClose(ask, IDNO);
        HWND main = WaitMain(ruvex);
        ASSERT_TRUE(WaitUntil([&] { return !Exists(ruvex.File(L"continue")); }));
        EXPECT_TRUE(Enabled(main, 1));
        EXPECT_FALSE(Enabled(main, 2));
        CloseAndExpectExit(ruvex, main);
    }
    {
        // A before-snapshot cut short in the middle of a line is resumed, but makes no inspection: the files
        // that its lost part held would be recorded as installed.
        Program ruvex(L"Ruvex.exe", [](const std::wstring& folder) {
            WithOptions(false)(folder);
            WriteBytes(folder + L"\\continue", "");
            WriteBytes(folder + L"\\dir_bf.dat", "C:\\\r\nC:\\windows\r\n");
            WriteBytes(folder + L"\\file_bf.dat", "C:\\windows\\win.ini\r\nC:\\wind");
        });
        AnswerAndClose(ruvex.WaitMessageBox(), IDYES);
        HWND done = ruvex.WaitMessageBox();
        ASSERT_NE(done, nullptr);
        EXPECT_EQ(MessageBoxText(done), texts::ResumeDone);
        AnswerAndClose(done, IDOK);
        HWND main = WaitMain(ruvex);
        ASSERT_TRUE(WaitUntil([&] { return Enabled(main, 2); }));
        EXPECT_EQ(RunToMessage(ruvex, main, 2), texts::InspectionImpossible);
        ASSERT_TRUE(WaitUntil([&] { return Enabled(main, 1); }));
        EXPECT_FALSE(Enabled(main, 2));
        EXPECT_FALSE(Exists(ruvex.File(L"dir_af.dat")));
        CloseAndExpectExit(ruvex, main);
    }
}

// Closed during a walk, the program ends at once, records nothing and offers the resume at the next start.
TEST(RuvexMonitor, ClosingTheWindowDuringARunEndsTheProgramAndKeepsTheResume) {
    struct Case {
        bool inspection;
        const wchar_t* afterResume; // what the resume says at the next start
    };
    for (const Case& c : {Case{false, texts::ResumeImpossible}, Case{true, texts::ResumeDone}}) {
        SCOPED_TRACE(c.inspection ? "inspection" : "preparation");
        std::wstring folder;
        {
            Program ruvex(L"Ruvex.exe", WithOptions(false));
            HWND main = WaitMain(ruvex);
            ASSERT_NE(main, nullptr);
            if (c.inspection) {
                EXPECT_EQ(RunToMessage(ruvex, main, 1), texts::PreparationDone);
                ASSERT_TRUE(WaitUntil([&] { return Enabled(main, 2); }));
            }
            ruvex.KeepFolder();
            folder = ruvex.folder();
            // The close waits in the queue behind the press and arrives at the walk's first stop point.
            Click(main, ids::Command(c.inspection ? 2 : 1));
            CloseAndExpectExit(ruvex, main);
            EXPECT_TRUE(Exists(folder + L"\\continue"));
            EXPECT_EQ(Exists(folder + L"\\dir_bf.dat"), c.inspection);
            EXPECT_FALSE(Exists(folder + L"\\dir_af.dat"));
            EXPECT_EQ(ReadBytes(folder + L"\\uninstall.dat"), "");
        }
        Program again(folder, L"Ruvex.exe", L"");
        HWND ask = again.WaitMessageBox();
        ASSERT_NE(ask, nullptr);
        EXPECT_EQ(MessageBoxText(ask), texts::ResumeQuestion);
        AnswerAndClose(ask, IDYES);
        HWND after = again.WaitMessageBox();
        ASSERT_NE(after, nullptr);
        EXPECT_EQ(MessageBoxText(after), c.afterResume);
        AnswerAndClose(after, IDOK);
        CloseAndExpectExit(again, WaitMain(again));
        RemoveTree(folder);
    }
}

// A write that fails is reported with the file's name, and no success message follows it: a continue
// marker that cannot be made starts nothing; a record that cannot be appended keeps the inspection pending.
// A record that cannot be written: named, nothing claimed, the inspection still pending. (Each failed write
// of a run, and where it leaves the run, is a unit test of the engine entries.)
TEST(RuvexMonitor, AFailedWriteIsReportedAndNothingClaimsSuccess) {
    Program ruvex(L"Ruvex.exe", WithOptions(false));
    HWND main = WaitMain(ruvex);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(RunToMessage(ruvex, main, 1), texts::PreparationDone);
    ASSERT_TRUE(WaitUntil([&] { return Enabled(main, 2); }));
    {
        ruvex::FileHandle held(
            CreateFileW(ruvex.File(L"uninstall.dat").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held);
        Click(main, ids::Command2);
        HWND box = ruvex.WaitWindowOfClass(L"RuvexInputBox", 120s);
        ASSERT_NE(box, nullptr);
        SetText(Control(box, ids::InputText), L"Held");
        Click(box, ids::InputOk);
        HWND failed = ruvex.WaitMessageBox(120s);
        ASSERT_NE(failed, nullptr);
        const std::wstring text = MessageBoxText(failed);
        EXPECT_EQ(text.rfind(std::wstring(texts::CannotWrite) + L"\r\n" + ruvex.File(L"uninstall.dat"), 0), 0u) << text;
        AnswerAndClose(failed, IDOK);
        ASSERT_TRUE(WaitUntil([&] { return Enabled(main, 2); }, 60s));
    }
    EXPECT_EQ(ruvex.WaitMessageBox(1s), nullptr) << "no success message after the failure";
    ExpectWaitingForInspection(ruvex, main);
    EXPECT_EQ(ReadBytes(ruvex.File(L"uninstall.dat")), "");
    CloseAndExpectExit(ruvex, main);
}
