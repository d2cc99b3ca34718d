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

    ASSERT_TRUE(Prepare(ruvex, main));
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
    ASSERT_TRUE(Prepare(ruvex, main));
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
        ASSERT_TRUE(Prepare(ruvex, main));
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
                ASSERT_TRUE(Prepare(ruvex, main));
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
    ASSERT_TRUE(Prepare(ruvex, main));
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

namespace {

// What the test installer writes (tests/e2e/installer/regapp.nsi), and a key that was there before it.
struct RegistryInstaller {
    static constexpr const wchar_t* kShared = L"Software\\RvxShared";
    static constexpr const wchar_t* kKeys[][2] = {
        {L"HKEY_LOCAL_MACHINE", L"SOFTWARE\\RvxRegApp"},
        {L"HKEY_LOCAL_MACHINE", L"SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\RvxRegApp"},
        {L"HKEY_LOCAL_MACHINE", L"SOFTWARE\\Classes\\.rvxdoc"},
        {L"HKEY_LOCAL_MACHINE", L"SOFTWARE\\Classes\\RvxRegApp.Document"},
        {L"HKEY_CURRENT_USER", L"Software\\RvxRegApp"},
        {L"HKEY_CURRENT_USER", L"Software\\RvxShared"},
    };
    RegistryInstaller() {
        Clean();
        // The shared key gets a value from the installer; the 32-bit uninstall key is there on every Windows.
        HKEY key = nullptr;
        RegCreateKeyExW(HKEY_CURRENT_USER, kShared, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
        RegSetValueExW(key, L"Kept", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"1"), 4);
        RegCloseKey(key);
        RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall", 0,
                        nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
        RegCloseKey(key);
    }
    ~RegistryInstaller() { Clean(); }
    static void Clean() {
        for (const auto& [root, path] : kKeys) {
            RegDeleteTreeW(std::wstring(root) == L"HKEY_CURRENT_USER" ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE, path);
            RegDeleteKeyW(std::wstring(root) == L"HKEY_CURRENT_USER" ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE, path);
        }
        testsupport::RemoveTree(L"C:\\RvxRegApp");
    }
    static void Run(const std::wstring& exe, const std::wstring& arguments) {
        Program program(FolderPart(exe), exe.substr(exe.rfind(L'\\') + 1), arguments);
        ASSERT_TRUE(program.WaitExit(60s)) << exe;
    }
    // The inspection of a prepared run, named, up to the software list that shows the one new record.
    static void InspectAs(Program& ruvex, HWND main, const std::wstring& name) {
        Click(main, ids::Command2);
        TypeName(ruvex, name);
        HWND done = ruvex.WaitMessageBox(120s);
        ASSERT_NE(done, nullptr);
        AnswerAndClose(done, IDOK);
        ASSERT_TRUE(WaitUntil([&] { return ListItems(Control(main, ids::List1)) == Lines{name}; }));
    }
    static std::wstring FolderPart(const std::wstring& path) { return path.substr(0, path.rfind(L'\\')); }
    // Every key of the installer as reg.exe exports it, one file.
    static std::string Export(const std::wstring& folder) {
        std::string all;
        for (const auto& [root, path] : kKeys) {
            const std::wstring file = folder + L"\\export.reg";
            DeleteFileW(file.c_str());
            Run(L"C:\\windows\\system32\\reg.exe",
                L"export \"" + std::wstring(root) + L"\\" + path + L"\" \"" + file + L"\" /y");
            all += ReadBytes(file);
        }
        return all;
    }
};

} // namespace

// A real installer's registry entries: recorded exactly (nothing of Wine's own), shown in their tab with their
// data, saved to a .reg backup that gives them back byte for byte, and uninstalled; what another program put
// into the software's key afterwards survives with the key.
TEST(RuvexMonitor, ARealInstallersRegistryEntriesAreRecordedShownBackedUpAndUninstalled) {
    RegistryInstaller installer;
    Program ruvex(L"Ruvex.exe", WithOptions(false));
    HWND main = WaitMain(ruvex);
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(Prepare(ruvex, main));
    EXPECT_TRUE(Exists(ruvex.File(L"reg_bf.dat")));

    RegistryInstaller::Run(StageFolder() + L"\\regapp-setup.exe", L"/S");
    ASSERT_TRUE(Exists(L"C:\\RvxRegApp\\readme.txt"));
    RegistryInstaller::InspectAs(ruvex, main, L"RegApp");
    EXPECT_FALSE(Exists(ruvex.File(L"reg_bf.dat")));
    EXPECT_FALSE(Exists(ruvex.File(L"reg_af.dat")));
    const std::wstring hklm = L"HKEY_LOCAL_MACHINE\\SOFTWARE\\";
    const std::wstring entry = hklm + L"Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\RvxRegApp";
    const std::wstring command = hklm + L"Classes\\RvxRegApp.Document\\shell\\open\\command";
    const std::wstring user = L"HKEY_CURRENT_USER\\Software\\";
    EXPECT_EQ(ReadLines(ruvex.File(L"uninstall.dat")),
              (Lines{L"[RegApp]",
                     L"*K:" + user + L"RvxRegApp",
                     L"*K:" + hklm + L"Classes\\.rvxdoc",
                     L"*K:" + hklm + L"Classes\\RvxRegApp.Document",
                     L"*K:" + hklm + L"Classes\\RvxRegApp.Document\\shell",
                     L"*K:" + hklm + L"Classes\\RvxRegApp.Document\\shell\\open",
                     L"*K:" + command,
                     L"*K:" + hklm + L"RvxRegApp",
                     L"*K:" + hklm + L"RvxRegApp\\Data",
                     L"*K:" + entry,
                     L"*V:" + user + L"RvxRegApp\\\\",
                     L"*V:" + user + L"RvxRegApp\\\\Home",
                     L"*V:" + user + L"RvxShared\\\\Added",
                     L"*V:" + hklm + L"Classes\\.rvxdoc\\\\",
                     L"*V:" + command + L"\\\\",
                     L"*V:" + hklm + L"RvxRegApp\\\\Count",
                     L"*V:" + hklm + L"RvxRegApp\\\\Path",
                     L"*V:" + hklm + L"RvxRegApp\\Data\\\\Blob",
                     L"*V:" + entry + L"\\\\DisplayName",
                     L"*V:" + entry + L"\\\\UninstallString",
                     L"C:\\RvxRegApp\\readme.txt"}));

    // The tab shows each entry as it stands, never in the file list.
    SelectSoftware(main, 0);
    EXPECT_EQ(ListItems(Control(main, ids::List2)), Lines{L"C:\\RvxRegApp\\readme.txt"});
    HWND tab = Control(Control(main, ids::PicTabs), ids::TabStrip);
    ClickTab(tab, 3);
    HWND list4 = Control(main, ids::List4);
    ASSERT_TRUE(WaitUntil([&] { return IsVisible(list4); }));
    Lines shown = ListItems(list4);
    ASSERT_EQ(shown.size(), 19u);
    EXPECT_EQ(shown[0], user + L"RvxRegApp");
    EXPECT_EQ(shown[9], user + L"RvxRegApp  (既定)  REG_SZ  default \"quoted\" \\ back");
    EXPECT_EQ(shown[14], hklm + L"RvxRegApp  Count  REG_DWORD  0x00000007 (7)");
    EXPECT_EQ(shown[16], hklm + L"RvxRegApp\\Data  Blob  REG_BINARY  01 02 ab");

    // Another program adds to the software's key; the backup must give back all that was there.
    HKEY key = nullptr;
    RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\RvxRegApp", 0, KEY_SET_VALUE, &key);
    RegSetValueExW(key, L"Foreign", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"x"), 4);
    RegCloseKey(key);
    TempFolder exports(L"regexp");
    const std::string before = RegistryInstaller::Export(exports.path());
    const std::wstring message = UninstallSelected(ruvex, main, L"RegApp");
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW(ruvex.File(L"RegApp *.reg").c_str(), &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    FindClose(search);
    const std::wstring backup = ruvex.File(found.cFileName);
    EXPECT_EQ(message, std::wstring(L"RegApp") + texts::UninstalledSuffix + L"\n\r\n\r" + texts::RegistryRemovedPrefix +
                           L"18" + texts::RegistryRemovedSuffix + L"\n\r" + texts::RegistryBackupPrefix + backup);
    EXPECT_TRUE(ReadLines(ruvex.File(L"uninstall.dat")).empty());
    EXPECT_FALSE(Exists(L"C:\\RvxRegApp"));
    EXPECT_NE(RegistryInstaller::Export(exports.path()), before);
    // Only the foreign value and what was there before stay.
    EXPECT_EQ(
        RegGetValueW(HKEY_CURRENT_USER, L"Software\\RvxRegApp", L"Foreign", RRF_RT_REG_SZ, nullptr, nullptr, nullptr),
        ERROR_SUCCESS);
    EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, L"Software\\RvxRegApp", L"Home", RRF_RT_ANY, nullptr, nullptr, nullptr),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(
        RegGetValueW(HKEY_CURRENT_USER, RegistryInstaller::kShared, L"Kept", RRF_RT_ANY, nullptr, nullptr, nullptr),
        ERROR_SUCCESS);
    for (const wchar_t* gone :
         {L"SOFTWARE\\RvxRegApp", L"SOFTWARE\\Classes\\.rvxdoc", L"SOFTWARE\\Classes\\RvxRegApp.Document",
          L"SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\RvxRegApp"}) {
        HKEY left = nullptr;
        EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, gone, 0, KEY_READ, &left), ERROR_FILE_NOT_FOUND) << gone;
    }
    RegistryInstaller::Run(L"C:\\windows\\system32\\reg.exe", L"import \"" + backup + L"\"");
    EXPECT_EQ(RegistryInstaller::Export(exports.path()), before);
    CloseAndExpectExit(ruvex, main);
}

// A service registered during the installation (sc create) and running: recorded with its key, then stopped
// and deleted through the service control manager by the uninstall, which can then delete its program.
TEST(RuvexMonitor, AnInstalledServiceIsRecordedThenStoppedAndDeletedByTheUninstall) {
    const std::wstring folder = L"C:\\RvxSvc", program = folder + L"\\RvxService.exe";
    auto state = [] {
        SC_HANDLE manager = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT);
        SC_HANDLE service = OpenServiceW(manager, L"RvxSvc", SERVICE_QUERY_STATUS);
        SERVICE_STATUS status{};
        DWORD result = service && QueryServiceStatus(service, &status) ? status.dwCurrentState : 0;
        CloseServiceHandle(service);
        CloseServiceHandle(manager);
        return result;
    };
    auto clean = [&] {
        RegistryInstaller::Run(L"C:\\windows\\system32\\sc.exe", L"stop RvxSvc");
        WaitUntil([&] { return state() != SERVICE_RUNNING && state() != SERVICE_STOP_PENDING; }, 10s);
        RegistryInstaller::Run(L"C:\\windows\\system32\\sc.exe", L"delete RvxSvc");
        testsupport::RemoveTree(folder);
    };
    clean();
    Program ruvex(L"Ruvex.exe", WithOptions(false));
    HWND main = WaitMain(ruvex);
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(Prepare(ruvex, main));

    CreateDirectoryW(folder.c_str(), nullptr);
    ASSERT_TRUE(CopyFileW((StageFolder() + L"\\rvx_test_service.exe").c_str(), program.c_str(), FALSE));
    RegistryInstaller::Run(L"C:\\windows\\system32\\sc.exe", L"create RvxSvc binPath= " + program);
    RegistryInstaller::Run(L"C:\\windows\\system32\\sc.exe", L"start RvxSvc");
    ASSERT_TRUE(WaitUntil([&] { return state() == SERVICE_RUNNING; }, 20s));
    RegistryInstaller::InspectAs(ruvex, main, L"RvxSvc");
    const std::wstring key = L"HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\RvxSvc";
    Lines record = ReadLines(ruvex.File(L"uninstall.dat"));
    ASSERT_GE(record.size(), 4u);
    EXPECT_EQ(record[1], L"*K:" + key);
    EXPECT_EQ(record.back(), program);
    for (std::size_t i = 2; i + 1 < record.size(); ++i) {
        EXPECT_EQ(record[i].rfind(L"*V:" + key + L"\\\\", 0), 0u) << "nothing but the service: " << record[i];
    }

    SelectSoftware(main, 0);
    const std::wstring message = UninstallSelected(ruvex, main, L"RvxSvc");
    EXPECT_EQ(message.rfind(std::wstring(L"RvxSvc") + texts::UninstalledSuffix, 0), 0u) << message;
    EXPECT_EQ(state(), 0u) << "the service is gone";
    HKEY left = nullptr;
    EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SYSTEM\\CurrentControlSet\\Services\\RvxSvc", 0, KEY_READ, &left),
              ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(Exists(folder));
    CloseAndExpectExit(ruvex, main);
    clean();
}
