// The commands of the menu bar without a button (backup and restore of uninstall.dat) and the shortcut keys,
// which act only while their button (or, for backup and restore, the idle state) allows it.
#include "ManageSteps.h"
#include "MonitorSteps.h"

#include "support/TempFolder.h"

#include <thread>

using namespace e2e;
namespace ids = ruvex::ids;
namespace texts = ruvex::texts;

namespace {

// A question or message box: its text, title, icon and default button checked, then answered.
void ExpectBox(const Program& ruvex, const std::wstring& text, LPCWSTR icon, int answer, int defaultButton = 0) {
    HWND box = ruvex.WaitMessageBox();
    ASSERT_NE(box, nullptr) << testing::PrintToString(text);
    EXPECT_EQ(MessageBoxText(box), text);
    EXPECT_EQ(WindowText(box), texts::AppTitle);
    // The icon is read off the screen: the box may still be painting.
    EXPECT_TRUE(WaitUntil([&] { return MessageBoxIcon(box) == icon; }, 3s)) << testing::PrintToString(text);
    if (defaultButton) {
        EXPECT_EQ(DefaultButton(box), defaultButton);
    }
    AnswerAndClose(box, answer);
}

void Backup(const Program& ruvex, HWND main, int answer) {
    PressCtrlKey(main, 'P');
    ExpectBox(ruvex, texts::BackupQuestion, IDI_QUESTION, answer, IDYES);
}

void Restore(const Program& ruvex, HWND main, int answer) {
    PressCtrlKey(main, 'Q');
    ExpectBox(ruvex, texts::RestoreQuestion, IDI_QUESTION, answer, IDYES);
}

} // namespace

TEST(RuvexBackup, BackupAndRestoreReplaceTheDatabaseWholeAndReportWhatFailed) {
    TempFolder app{L"bak"};
    const std::wstring kept = Lay(app / L"kept.txt");
    const std::wstring vanished = Lay(app / L"vanished.txt");
    const std::wstring older = Lay(app / L"older.txt");
    Program ruvex(L"Ruvex.exe", WithSafety(false, true, {}));
    HWND main = WaitMain(ruvex);
    ASSERT_NE(main, nullptr);
    const std::wstring database = ruvex.File(L"uninstall.dat");
    const std::wstring backup = ruvex.File(L"uninstall.bak");

    // No: nothing. Without a database: the failure.
    Backup(ruvex, main, IDNO);
    EXPECT_EQ(ruvex.WaitMessageBox(1s), nullptr);
    DeleteFileW(database.c_str());
    Backup(ruvex, main, IDYES);
    ExpectBox(ruvex, texts::BackupFailed, IDI_ERROR, IDOK);
    EXPECT_FALSE(Exists(backup));

    // Without a backup the restore warns and changes nothing.
    WriteLines(database, {L"[Soft]", vanished, older, kept});
    const std::string saved = ReadBytes(database);
    Restore(ruvex, main, IDYES);
    ExpectBox(ruvex, texts::BackupNotFound, IDI_WARNING, IDOK);
    EXPECT_EQ(ruvex.WaitMessageBox(1s), nullptr);
    EXPECT_EQ(ReadBytes(database), saved);

    Backup(ruvex, main, IDYES);
    ExpectBox(ruvex, texts::BackupDone, IDI_INFORMATION, IDOK);
    EXPECT_EQ(ReadBytes(backup), saved);

    // Changed since: the restore brings the backup back, tidied and without the files gone meanwhile.
    WriteLines(database, {L"[Other]"});
    DeleteFileW(vanished.c_str());
    Restore(ruvex, main, IDNO);
    EXPECT_EQ(ruvex.WaitMessageBox(1s), nullptr);
    EXPECT_EQ(ReadLines(database), Lines{L"[Other]"});
    Restore(ruvex, main, IDYES);
    ExpectBox(ruvex, texts::RestoreDone, IDI_INFORMATION, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return ListItems(Control(main, ids::List1)) == Lines{L"Soft"}; }));
    Settle(main);
    EXPECT_EQ(ReadLines(database), (Lines{L"[Soft]", kept, older}));
    EXPECT_EQ(ReadBytes(backup), saved);

    // A database that cannot be replaced is named, stays byte for byte, and no success follows.
    const std::string restored = ReadBytes(database);
    SetFileAttributesW(database.c_str(), FILE_ATTRIBUTE_READONLY);
    Restore(ruvex, main, IDYES);
    HWND failed = ruvex.WaitMessageBox();
    ASSERT_NE(failed, nullptr);
    EXPECT_EQ(MessageBoxText(failed).rfind(std::wstring(texts::CannotWrite) + L"\r\n" + database, 0), 0u);
    AnswerAndClose(failed, IDOK);
    EXPECT_EQ(ruvex.WaitMessageBox(1s), nullptr);
    SetFileAttributesW(database.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadBytes(database), restored);
    CloseAndExpectExit(ruvex, main);
}

TEST(RuvexMenu, ShortcutKeysActOnlyWhileTheirCommandIsAvailable) {
    // A preparation left waiting (as after a restart): backup and restore are off until the inspection.
    Program ruvex(L"Ruvex.exe", [](const std::wstring& folder) {
        WithSafety(false, true, {L"[Soft]"})(folder);
        WriteLines(folder + L"\\continue", {});
        WriteLines(folder + L"\\dir_bf.dat", {L"C:\\"});
        WriteLines(folder + L"\\file_bf.dat", {L"C:\\a.txt"});
    });
    HWND ask = ruvex.WaitMessageBox();
    ASSERT_NE(ask, nullptr);
    EXPECT_EQ(MessageBoxText(ask), texts::ResumeQuestion);
    AnswerAndClose(ask, IDYES);
    ExpectBox(ruvex, texts::ResumeDone, IDI_INFORMATION, IDOK);
    HWND main = WaitMain(ruvex);
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return Enabled(main, 2); }));
    PressCtrlKey(main, 'P');
    PostMessageW(main, WM_COMMAND, ids::mnuFukugen, 0);
    PressCtrlKey(main, 'A');
    EXPECT_EQ(ruvex.WaitMessageBox(2s), nullptr);
    EXPECT_FALSE(Exists(ruvex.File(L"uninstall.bak")));
    CloseAndExpectExit(ruvex, main);

    // Idle, nothing selected: Ctrl+C does nothing; once the software is selected it asks.
    Program idle(L"Ruvex.exe", WithSafety(false, true, {L"[Soft]"}));
    main = WaitMain(idle);
    ASSERT_NE(main, nullptr);
    PressCtrlKey(main, 'C');
    EXPECT_EQ(idle.WaitMessageBox(2s), nullptr);
    SelectSoftware(main, 0);
    PressCtrlKey(main, 'C');
    HWND uninstall = idle.WaitMessageBox();
    ASSERT_NE(uninstall, nullptr);
    EXPECT_EQ(MessageBoxText(uninstall), L"Soft" + std::wstring(texts::UninstallQuestionSuffix));
    AnswerAndClose(uninstall, IDNO);
    CloseAndExpectExit(idle, main);
}

// Menus cannot be read from another process under Wine: the exit entry is compared on the screen, the last
// row of the opened 自動処理 menu, when idle and during a scan (the entries above it change state too).
TEST(RuvexMonitor, TheExitEntryOfTheAutomaticMenuReadsStopSearchDuringAScan) {
    Program ruvex(L"Ruvex.exe", WithOptions(false));
    HWND main = WaitMain(ruvex);
    ASSERT_NE(main, nullptr);
    auto exitRow = [&] {
        // The menu bar's keyboard mode, then Down opens its first menu: both posted to the window's own queue,
        // where the menu loop reads them, so no click can be lost to a window that is not yet the foreground.
        PostMessageW(main, WM_SYSCOMMAND, SC_KEYMENU, 0);
        PostMessageW(main, WM_KEYDOWN, VK_DOWN, 0);
        HWND menu = ruvex.WaitWindowOfClass(L"#32768", 5s);
        std::vector<DWORD> row;
        if (!menu) {
            ADD_FAILURE() << "the menu did not open";
            return row;
        }
        std::this_thread::sleep_for(500ms);
        RECT r{};
        GetWindowRect(menu, &r);
        row = ScreenPixels({r.left + 3, r.bottom - 3 - GetSystemMetrics(SM_CYMENU), r.right - 3, r.bottom - 3});
        PostMessageW(main, WM_CANCELMODE, 0, 0);
        WaitUntil([&] { return !IsWindow(menu) || !IsVisible(menu); });
        return row;
    };
    const std::vector<DWORD> idle = exitRow();
    ASSERT_FALSE(idle.empty());
    EXPECT_TRUE(exitRow() == idle) << "the same menu reads the same";

    Click(main, ids::Command1);
    ASSERT_TRUE(WaitUntil([&] { return TextOf(main, ids::Command4) == texts::StopSearch; }));
    EXPECT_TRUE(exitRow() != idle) << "the exit entry reads otherwise";
    // The menu closed, the scan runs to its end.
    HWND done = ruvex.WaitMessageBox(120s);
    ASSERT_NE(done, nullptr);
    EXPECT_EQ(MessageBoxText(done), texts::PreparationDone);
    AnswerAndClose(done, IDOK);
    CloseAndExpectExit(ruvex, main);
}

TEST(RuvexMenu, TheControlPanelEntryStartsTheAddRemoveProgramsPanel) {
    Program ruvex(L"Ruvex.exe", WithSafety(false, true, {}));
    HWND main = WaitMain(ruvex);
    ASSERT_NE(main, nullptr);
    PostMessageW(main, WM_COMMAND, ids::mnuControl, 0);
    // The panel runs in a process of its own, which Ruvex does not wait for.
    DWORD panel = 0;
    ASSERT_TRUE(WaitUntil([&] { return (panel = ChildProcess(ruvex.pid(), L"rundll32.exe")) != 0; }));
    HWND window = nullptr;
    EXPECT_TRUE(WaitUntil([&] { return (window = VisibleWindowOf(panel)) != nullptr; }));
    EXPECT_EQ(ClassName(window), L"#32770");
    EXPECT_FALSE(WindowText(window).empty());
    ruvex::KernelHandle process(OpenProcess(PROCESS_TERMINATE, FALSE, panel));
    CloseAndExpectExit(ruvex, main);
    TerminateProcess(process.get(), 0);
}
