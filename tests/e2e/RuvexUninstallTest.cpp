// Uninstalling a recorded software, and the commands on the records: register, rename, release, refresh.
// RuvexUninstall tests change C:\windows\win.ini (and put it back): they run alone (RUN_SERIAL).
#include "ManageSteps.h"
#include "MonitorSteps.h"

#include "support/TempFolder.h"

using namespace e2e;
namespace ids = ruvex::ids;
namespace texts = ruvex::texts;

namespace {

using Lines = std::vector<std::wstring>;
const std::wstring kWinIni = L"C:\\windows\\win.ini";

// Puts win.ini back byte for byte, however the test ends.
struct WinIniRestore {
    std::string bytes = ReadBytes(kWinIni);
    ~WinIniRestore() { WriteBytes(kWinIni, bytes); }
};

HWND List(HWND main, int id) {
    return Control(main, id);
}

// Types into the input box that the command opens and presses OK (or Cancel for an empty answer).
HWND AnswerInputBox(Program& ruvex, const std::wstring& prompt, const std::wstring& answer,
                    const std::wstring& initial = {}) {
    HWND box = ruvex.WaitWindowOfClass(L"RuvexInputBox");
    if (!box) {
        ADD_FAILURE() << "no input box";
        return nullptr;
    }
    EXPECT_EQ(WindowText(box), L"Ruvex");
    EXPECT_EQ(TextOf(box, ids::InputPrompt), prompt);
    EXPECT_EQ(TextOf(box, ids::InputText), initial);
    if (answer.empty()) {
        Click(box, ids::InputCancel);
    } else {
        SetText(Control(box, ids::InputText), answer);
        Click(box, ids::InputOk);
    }
    WaitUntil([&] { return !IsWindow(box) || !IsVisible(box); });
    return box;
}

} // namespace

TEST(RuvexUninstall, NoOrCancelChangeNothingThenTheFirstOfTwoRecordsGoesWithItsSection) {
    WinIniRestore restore;
    const std::wstring section = L"[RvxDup" + testsupport::UniqueName(L"") + L"]";
    Lines ini = ReadLines(kWinIni);
    Lines withSection = ini;
    withSection.insert(withSection.begin(), {section, L"key=1", L""});
    WriteLines(kWinIni, withSection);
    TempFolder files{L"dup"};
    const std::wstring first = Lay(files / L"first.txt");
    const std::wstring second = Lay(files / L"second.txt");
    const std::wstring other = Lay(files / L"other.txt");
    Program ruvex(L"Ruvex.exe",
                  WithSafety(false, true, {L"[Dup]", L"-" + section, first, L"[Other]", other, L"[Dup]", second}));
    HWND main = WaitMain(ruvex);
    ASSERT_NE(main, nullptr);
    const std::string database = ReadBytes(ruvex.File(L"uninstall.dat"));
    SelectSoftware(main, 0);
    EXPECT_EQ(ListItems(List(main, ids::List3)), (Lines{section, L"key=1", L""}));

    // No to the first question (from the pop-up menu): nothing happens, no window opens.
    PostMessageW(main, WM_COMMAND, ids::Popup(3), 0);
    HWND ask = ruvex.WaitMessageBox();
    ASSERT_NE(ask, nullptr);
    EXPECT_EQ(MessageBoxText(ask), L"Dup を削除しますよろしいですか？");
    AnswerAndClose(ask, IDNO);
    EXPECT_EQ(ruvex.WaitMessageBox(1s), nullptr);
    EXPECT_EQ(ruvex.WaitWindowOfClass(L"RuvexForm10", 100ms), nullptr);

    // Esc on the second (from the menu entry): nothing happens either.
    PostMessageW(main, WM_COMMAND, ids::Command3, 0);
    ask = ruvex.WaitMessageBox();
    ASSERT_NE(ask, nullptr);
    AnswerAndClose(ask, IDYES);
    HWND sure = ruvex.WaitMessageBox();
    ASSERT_NE(sure, nullptr);
    EXPECT_EQ(MessageBoxText(sure), texts::CannotUndo);
    PressKey(Control(sure, IDCANCEL), VK_ESCAPE);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(sure); }));
    EXPECT_EQ(ruvex.WaitMessageBox(1s), nullptr);
    EXPECT_EQ(ruvex.WaitWindowOfClass(L"RuvexForm10", 100ms), nullptr);
    EXPECT_EQ(ReadBytes(ruvex.File(L"uninstall.dat")), database);
    EXPECT_TRUE(Exists(first));
    EXPECT_EQ(ReadLines(kWinIni), withSection);
    EXPECT_TRUE(Enabled(main, 3));

    // Yes and OK (the button): the first record goes, header and body; the second of the name stays.
    EXPECT_EQ(UninstallSelected(ruvex, main, L"Dup"), L"Dup を削除しました。");
    EXPECT_FALSE(Exists(first));
    EXPECT_TRUE(Exists(second));
    EXPECT_EQ(ReadLines(ruvex.File(L"uninstall.dat")), (Lines{L"[Other]", other, L"[Dup]", second}));
    EXPECT_EQ(ListItems(List(main, ids::List1)), (Lines{L"Other", L"Dup"}));
    Lines emptyLineKept = ini;
    emptyLineKept.insert(emptyLineKept.begin(), L"");
    EXPECT_EQ(ReadLines(kWinIni), emptyLineKept);
    EXPECT_EQ(ReadLines(ruvex.File(L"win.tmp")), emptyLineKept);
    EXPECT_FALSE(Enabled(main, 3));
    CloseAndExpectExit(ruvex, main);
}

TEST(RuvexUninstallFiles, ProtectedAndBusyFilesStayAndTheRecordListsExactlyThem) {
    const std::wstring id = testsupport::UniqueName(L"");
    Cleanup cleanup;
    const std::wstring inSystem = Lay(L"C:\\windows\\system32\\rvx" + id + L".dll");
    const std::wstring inWindows = Lay(L"C:\\windows\\rvx" + id + L".exe");
    const std::wstring subFolder = L"C:\\windows\\rvx" + id;
    const std::wstring inSubfolder = Lay(subFolder + L"\\tool.exe");
    cleanup.paths = {inSystem, inWindows, subFolder};
    TempFolder app{L"busy"};
    const std::wstring busy = Lay(app / L"busy.dll");
    const std::wstring plain = Lay(app / L"plain.txt");
    Program ruvex(L"Ruvex.exe", WithSafety(true, false, {L"[Safe]", inSystem, inWindows, inSubfolder, busy, plain}));
    HWND main = WaitMain(ruvex);
    ASSERT_NE(main, nullptr);
    ruvex::FileHandle held(CreateFileW(busy.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    SelectSoftware(main, 0);

    EXPECT_EQ(UninstallSelected(ruvex, main, L"Safe", ids::Popup(3)), PartlyUninstalled(L"Safe"));
    EXPECT_TRUE(Exists(inSystem));
    EXPECT_TRUE(Exists(inWindows));
    EXPECT_TRUE(Exists(busy));
    EXPECT_FALSE(Exists(inSubfolder));
    EXPECT_FALSE(Exists(subFolder));
    EXPECT_FALSE(Exists(plain));
    EXPECT_TRUE(Exists(app.path())); // tried, and still holds the busy file
    EXPECT_EQ(ListItems(List(main, ids::List1)), Lines{L"Safe"});
    EXPECT_EQ(ReadLines(ruvex.File(L"uninstall.dat")), (Lines{L"[Safe]", inSystem, inWindows, busy}));
    SelectSoftware(main, 0);
    EXPECT_EQ(ListItems(List(main, ids::List2)), (Lines{inSystem, inWindows, busy}));
    CloseAndExpectExit(ruvex, main);
}

TEST(RuvexUninstallFiles, EmptiedFoldersGoDeepestFirstAndARecordOfMissingFilesGoesWhole) {
    const std::wstring root = L"C:\\RvxA" + testsupport::UniqueName(L"");
    Cleanup cleanup{{root}};
    const std::wstring deep = Lay(root + L"\\B\\C\\1.txt");
    const std::wstring shallow = Lay(root + L"\\2.txt");
    const std::wstring missing = root + L"Gone\\x.txt";
    Program ruvex(L"Ruvex.exe", WithSafety(false, true, {L"[Tree]", deep, shallow, L"[Gone]", missing}));
    HWND main = WaitMain(ruvex);
    ASSERT_NE(main, nullptr);

    // The record whose files are gone already (listed: no start-up check) goes whole, with the full message.
    SelectSoftware(main, 1);
    EXPECT_EQ(ListItems(List(main, ids::List2)), Lines{missing});
    EXPECT_EQ(UninstallSelected(ruvex, main, L"Gone"), L"Gone を削除しました。");
    EXPECT_EQ(ListItems(List(main, ids::List1)), Lines{L"Tree"});

    SelectSoftware(main, 0);
    EXPECT_EQ(UninstallSelected(ruvex, main, L"Tree"), L"Tree を削除しました。");
    EXPECT_FALSE(Exists(deep));
    EXPECT_FALSE(Exists(shallow));
    EXPECT_FALSE(Exists(root + L"\\B\\C"));
    // B held no recorded file and is not tried; the root still holds it.
    EXPECT_TRUE(Exists(root + L"\\B"));
    EXPECT_TRUE(Exists(root));
    EXPECT_TRUE(ListItems(List(main, ids::List1)).empty());
    EXPECT_TRUE(ReadLines(ruvex.File(L"uninstall.dat")).empty());
    CloseAndExpectExit(ruvex, main);
}

// A record edited by hand, or folders swapped for links after the install (the stage lays the links: a
// Windows program cannot make them under Wine): only the plain line goes, every victim stays, and the
// message says what happened. The database's own faults stop the uninstall before anything is deleted.
TEST(RuvexUninstallFiles, HostileRecordsDeleteOnlyThePlainLineAndEveryVictimStays) {
    const std::wstring id = testsupport::UniqueName(L"");
    const std::wstring root = L"C:\\RvxU" + id;
    const std::wstring links = StageFolder() + L"\\links";
    const std::wstring system = L"C:\\windows\\system32\\rvx" + id + L".dll";
    // A 32-bit installer's shared file, under the safety option; and a file in a folder of the user's own.
    const std::wstring wow64 = L"C:\\windows\\syswow64\\rvx" + id + L".dll";
    const std::wstring music = L"C:\\users\\Public\\Music";
    const std::wstring inMusic = music + L"\\rvx" + id + L".txt";
    Cleanup cleanup{{root, system, wow64, inMusic}};
    const Lines victims{Lay(root + L"\\a.txt"),
                        Lay(root + L"\\b.txt"),
                        Lay(root + L"\\folder\\inner.txt"),
                        Lay(links + L"\\victims\\victim.dll"),
                        Lay(system),
                        Lay(wow64)};
    CreateDirectoryW((root + L"\\sub").c_str(), nullptr);
    const std::wstring plain = root + L"\\plain.txt";
    const std::wstring away = testsupport::AbsentDrive() + L"\\App\\a.txt";
    // Lines that stay in the record (left behind) and lines that go with the uninstall's missing-file check.
    const Lines kept{L"rvx-relative.txt",
                     root + L"\\*.txt",
                     root + L"\\?.txt",
                     root + L"\\sub\\..\\b.txt",
                     root + L"\\a.txt.",
                     root + L"\\a.txt ",
                     root + L"\\a.txt::$DATA",
                     root + L"\\NUL",
                     root + L"\\con.txt",
                     root + L"\\COM1",
                     root + L"\\LPT1.log",
                     L"\\\\?\\" + root + L"\\a.txt",
                     L"\\\\.\\" + root + L"\\a.txt",
                     L"\\??\\" + root + L"\\a.txt",
                     L"C:\\windows.\\system32\\rvx" + id + L".dll", // past the safety option's prefix test
                     links + L"\\app\\lib\\victim.dll",
                     wow64,
                     away,
                     L"C:",
                     L"C:\\"};
    const Lines dropped{root + L"\\folder", links + L"\\app\\empty\\gone.txt"};
    Lines record{L"[Hostile]"};
    record.insert(record.end(), kept.begin(), kept.end());
    record.insert(record.end(), dropped.begin(), dropped.end());
    record.push_back(plain);
    record.push_back(inMusic);

    struct Case {
        const char* what;
        std::function<void(const std::wstring& database)> fault; // on uninstall.dat once the record is shown
        std::function<std::wstring(const std::wstring& database)> message;
        Lines after; // uninstall.dat afterwards
    };
    auto partly = [](const std::wstring&) { return PartlyUninstalled(L"Hostile"); };
    auto named = [](const wchar_t* prefix) {
        return [prefix](const std::wstring& database) { return prefix + (L"\r\n" + database + L"\r\n"); };
    };
    Lines afterHostile{L"[Hostile]"};
    afterHostile.insert(afterHostile.end(), kept.begin(), kept.end());
    ruvex::FileHandle held;
    const Case cases[] = {
        {"hostile lines", [](const std::wstring&) {}, partly, afterHostile},
        {"read-only database", [](const std::wstring& d) { SetFileAttributesW(d.c_str(), FILE_ATTRIBUTE_READONLY); },
         named(texts::CannotWrite), record},
        {"database held open",
         [&](const std::wstring& d) {
             held.reset(CreateFileW(d.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
         },
         named(texts::CannotRead), record},
        {"database no ANSI text",
         [](const std::wstring& d) { WriteBytes(d, "\xEF\xBB\xBF" + ReadBytes(d)); },
         named(texts::CannotRead),
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Lay(plain);
        Lay(inMusic);
        // The relative line names a file of the program's own (current) folder.
        auto prepare = WithSafety(true, true, record);
        Program ruvex(L"Ruvex.exe", [&](const std::wstring& folder) {
            prepare(folder);
            WriteBytes(folder + L"\\rvx-relative.txt", "bait");
        });
        HWND main = WaitMain(ruvex);
        ASSERT_NE(main, nullptr);
        SelectSoftware(main, 0);
        const std::wstring database = ruvex.File(L"uninstall.dat");
        const std::string bytes = (c.fault(database), ReadBytes(database));

        // The message in full, or the start of a file's failure (the system's reason follows).
        const std::wstring expected = c.message(database);
        EXPECT_EQ(UninstallSelected(ruvex, main, L"Hostile").substr(0, expected.size()), expected);
        EXPECT_EQ(ruvex.WaitMessageBox(500ms), nullptr) << "no other message";
        if (!c.after.empty()) { // (a byte-order mark hides the first header from the list)
            EXPECT_EQ(ListItems(List(main, ids::List1)), Lines{L"Hostile"}) << "held open: the list stays";
        }
        held.reset();
        SetFileAttributesW(database.c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(Exists(plain), c.after != afterHostile);
        EXPECT_EQ(Exists(inMusic), c.after != afterHostile);
        EXPECT_TRUE(Exists(music)); // emptied, never removed
        for (const auto& file : victims) {
            EXPECT_TRUE(Exists(file)) << testing::PrintToString(file);
        }
        EXPECT_TRUE(Exists(root + L"\\sub"));
        EXPECT_TRUE(Exists(links + L"\\empty-target"));
        EXPECT_TRUE(Exists(ruvex.File(L"rvx-relative.txt")));
        if (c.after.empty()) {
            EXPECT_EQ(ReadBytes(database), bytes);
        } else {
            EXPECT_EQ(ReadLines(database), c.after);
        }
        CloseAndExpectExit(ruvex, main);
    }
}

TEST(RuvexRecords, RegisterAddsARecordEvenOfAKnownNameAndRenameChangesTheFirstOnly) {
    Program ruvex(L"Ruvex.exe", WithSafety(false, true, {L"[Foo]", L"[Bar]"}));
    HWND main = WaitMain(ruvex);
    ASSERT_NE(main, nullptr);
    const std::string database = ReadBytes(ruvex.File(L"uninstall.dat"));

    Click(main, ids::Command8);
    AnswerInputBox(ruvex, texts::RegisterPrompt, L"");
    Settle(main);
    EXPECT_EQ(ReadBytes(ruvex.File(L"uninstall.dat")), database);
    Click(main, ids::Command8);
    AnswerInputBox(ruvex, texts::RegisterPrompt, L"Foo");
    ASSERT_TRUE(WaitUntil([&] { return ListItems(List(main, ids::List1)) == Lines{L"Foo", L"Bar", L"Foo"}; }));
    EXPECT_EQ(ReadLines(ruvex.File(L"uninstall.dat")), (Lines{L"[Foo]", L"[Bar]", L"[Foo]"}));

    // A change of case alone does nothing and says nothing.
    SelectSoftware(main, 0);
    Click(main, ids::Command11);
    AnswerInputBox(ruvex, texts::RenamePrompt, L"foo", L"Foo");
    EXPECT_EQ(ruvex.WaitMessageBox(1s), nullptr);
    EXPECT_EQ(ReadLines(ruvex.File(L"uninstall.dat")), (Lines{L"[Foo]", L"[Bar]", L"[Foo]"}));

    Click(main, ids::Command11);
    AnswerInputBox(ruvex, texts::RenamePrompt, L"バー", L"Foo");
    HWND done = ruvex.WaitMessageBox();
    ASSERT_NE(done, nullptr);
    EXPECT_EQ(MessageBoxText(done), L"ｿﾌﾄ名 Foo を バー に変更しました。");
    EXPECT_EQ(WindowText(done), L"Ruvex");
    AnswerAndClose(done, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return ListItems(List(main, ids::List1)) == Lines{L"バー", L"Bar", L"Foo"}; }));
    EXPECT_EQ(ReadLines(ruvex.File(L"uninstall.dat")), (Lines{L"[バー]", L"[Bar]", L"[Foo]"}));
    EXPECT_FALSE(Enabled(main, 11));

    // A rewrite that cannot be made says so, names the file, and leaves it as it was; no success is claimed.
    const std::string renamed = ReadBytes(ruvex.File(L"uninstall.dat"));
    SetFileAttributesW(ruvex.File(L"uninstall.dat").c_str(), FILE_ATTRIBUTE_READONLY);
    SelectSoftware(main, 1);
    Click(main, ids::Command11);
    AnswerInputBox(ruvex, texts::RenamePrompt, L"Baz", L"Bar");
    HWND failed = ruvex.WaitMessageBox();
    ASSERT_NE(failed, nullptr);
    EXPECT_EQ(
        MessageBoxText(failed).rfind(std::wstring(texts::CannotWrite) + L"\r\n" + ruvex.File(L"uninstall.dat"), 0), 0u);
    AnswerAndClose(failed, IDOK);
    EXPECT_EQ(ruvex.WaitMessageBox(1s), nullptr);
    SetFileAttributesW(ruvex.File(L"uninstall.dat").c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadBytes(ruvex.File(L"uninstall.dat")), renamed);
    CloseAndExpectExit(ruvex, main);
}

TEST(RuvexRecords, ReleaseForgetsEveryRecordOfTheNameAndRefreshDropsFilesDeletedByHand) {
    TempFolder files{L"release"};
    const std::wstring f1 = Lay(files / L"f1.txt");
    const std::wstring f2 = Lay(files / L"f2.txt");
    const std::wstring b1 = Lay(files / L"b1.txt");
    const std::wstring b2 = Lay(files / L"b2.txt");
    Program ruvex(L"Ruvex.exe",
                  WithSafety(false, true, {L"C:\\stray.txt", L"", L"[Foo]", f1, L"[Bar]", b2, b1, L"", L"[foo]", f2}));
    HWND main = WaitMain(ruvex);
    ASSERT_NE(main, nullptr);
    const std::string database = ReadBytes(ruvex.File(L"uninstall.dat"));
    SelectSoftware(main, 0);

    Click(main, ids::Command12);
    HWND ask = ruvex.WaitMessageBox();
    ASSERT_NE(ask, nullptr);
    EXPECT_EQ(MessageBoxText(ask), L"Foo を Ruvex でｱﾝｲﾝｽﾄｰﾙできなくなりますがよろしいですか？");
    EXPECT_EQ(DefaultButton(ask), IDYES);
    AnswerAndClose(ask, IDNO);
    EXPECT_EQ(ruvex.WaitMessageBox(1s), nullptr);
    EXPECT_EQ(ReadBytes(ruvex.File(L"uninstall.dat")), database);

    Click(main, ids::Command12);
    ask = ruvex.WaitMessageBox();
    ASSERT_NE(ask, nullptr);
    AnswerAndClose(ask, IDYES);
    HWND done = ruvex.WaitMessageBox();
    ASSERT_NE(done, nullptr);
    EXPECT_EQ(MessageBoxText(done), L"Foo を解放しました。");
    AnswerAndClose(done, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return ListItems(List(main, ids::List1)) == Lines{L"Bar"}; }));
    EXPECT_EQ(ReadLines(ruvex.File(L"uninstall.dat")), (Lines{L"C:\\stray.txt", L"", L"[Bar]", b2, b1, L""}));
    EXPECT_TRUE(Exists(f1));
    EXPECT_TRUE(Exists(f2));

    DeleteFileW(b1.c_str());
    Click(main, ids::Command14);
    ASSERT_TRUE(WaitUntil([&] { return ReadLines(ruvex.File(L"uninstall.dat")) == Lines{L"[Bar]", b2}; }));
    Settle(main);
    EXPECT_EQ(ListItems(List(main, ids::List1)), Lines{L"Bar"});
    CloseAndExpectExit(ruvex, main);
}
