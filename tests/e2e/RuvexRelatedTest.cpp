// The related files of a software: adding them through the file chooser, releasing them, deleting them,
// each confirmed in the file list first.
#include "ManageSteps.h"
#include "MonitorSteps.h"

#include "support/TempFolder.h"

using namespace e2e;
namespace ids = ruvex::ids;
namespace texts = ruvex::texts;

namespace {

namespace f6 = ids::form6;
namespace f7 = ids::form7;

HWND WaitForm7(const Program& ruvex, Timeout timeout = kDefaultTimeout) {
    return ruvex.WaitWindowOfClass(L"RuvexForm7", timeout);
}

// The file list shown for a command: its label and its text; then OK, Cancel or the close box.
void AnswerForm7(const Program& ruvex, const std::wstring& label, const std::wstring& list, int how) {
    HWND form7 = WaitForm7(ruvex);
    ASSERT_NE(form7, nullptr);
    EXPECT_EQ(WindowText(form7), L"Ruvex -FILE INFORMATION-");
    EXPECT_EQ(TextOf(form7, f7::Label1), label);
    EXPECT_EQ(TextOf(form7, f7::Text1), list);
    if (how == WM_CLOSE) {
        PostMessageW(form7, WM_CLOSE, 0, 0);
    } else {
        Click(form7, how == IDOK ? f7::Command1 : f7::Command2);
    }
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(form7) || !IsVisible(form7); }));
}

std::wstring AnswerMessage(const Program& ruvex, int button = IDOK) {
    HWND box = ruvex.WaitMessageBox();
    if (!box) {
        return L"(no message)";
    }
    std::wstring text = MessageBoxText(box);
    AnswerAndClose(box, button);
    return text;
}

int IndexOf(HWND list, const std::wstring& text) {
    Lines items = ListItems(list);
    auto at = std::find(items.begin(), items.end(), text);
    return at == items.end() ? -1 : static_cast<int>(at - items.begin());
}

// Selects the entries of a multiple-selection list box: the first with a click (as a user does), the others
// added to the selection.
void SelectFiles(HWND list, const std::vector<int>& indexes) {
    ClickListItem(list, indexes.front());
    WaitUntil([&] { return SelectedIndexes(list) == std::vector<int>{indexes.front()}; });
    for (std::size_t i = 1; i < indexes.size(); ++i) {
        SendMessageW(list, LB_SETSEL, TRUE, indexes[i]);
    }
}

} // namespace

TEST(RuvexRelated, AddedFilesGoUnderTheExactHeadersAndTheChooserStaysOpenUntilBack) {
    const std::wstring id = testsupport::UniqueName(L"");
    const std::wstring a = L"C:\\rvx" + id + L"a.txt";
    const std::wstring b = L"C:\\rvx" + id + L"b.txt";
    const std::wstring folder = L"C:\\Rvx" + id;
    const std::wstring c = folder + L"\\c.txt";
    // The code page has no é: written down, its name would be that of the file beside it.
    const std::wstring accented = L"C:\\rvx" + id + L"é.txt";
    const std::wstring plainE = L"C:\\rvx" + id + L"e.txt";
    Cleanup cleanup{{a, b, accented, plainE, folder}};
    Lay(a, "line one\r\nline two");
    Lay(b);
    Lay(c);
    Lay(accented);
    Lay(plainE);
    Program ruvex(L"Ruvex.exe", WithSafety(false, true, {L"[Foo]", L"C:\\zz.txt", L"[foo]", L"[Foo]"}));
    HWND main = WaitMain(ruvex);
    ASSERT_NE(main, nullptr);
    SelectSoftware(main, 0);

    PostMessageW(main, WM_COMMAND, ids::Command9, 0);
    HWND chooser = ruvex.WaitWindowOfClass(L"RuvexForm6");
    ASSERT_NE(chooser, nullptr);
    EXPECT_EQ(WindowText(chooser), L"Ruvex -FILE CHOOSE-");
    EXPECT_EQ(TextOf(chooser, f6::Label1), L"Foo に関連付けるﾌｧｲﾙを選んでください。（複数選択可能）");
    EXPECT_EQ(TextOf(chooser, f6::Drive1).substr(0, 2), L"c:");
    EXPECT_EQ(ListItems(Control(chooser, f6::Dir1)).front(), L"C:\\");
    EXPECT_FALSE(IsVisible(Control(chooser, f6::Label10)));

    // The clicked file is described and previewed.
    HWND files = Control(chooser, f6::File1);
    const int ia = IndexOf(files, L"rvx" + id + L"a.txt");
    const int ib = IndexOf(files, L"rvx" + id + L"b.txt");
    ASSERT_GE(ia, 0);
    ASSERT_GE(ib, 0);
    SelectFiles(files, {ia});
    ASSERT_TRUE(WaitUntil([&] { return TextOf(chooser, f6::Text1) == L"line one\r\nline two\r\n[END]"; }));
    EXPECT_EQ(TextOf(chooser, f6::Label3), L" " + (L"RVX" + id + L"A.TXT").substr(0, 15));
    EXPECT_EQ(TextOf(chooser, f6::Label5), L" 18 ﾊﾞｲﾄ");
    EXPECT_FALSE(TextOf(chooser, f6::Label7).empty());
    SelectFiles(files, {ia, ib});

    // Cancel in the list keeps the chooser open with its selection; then OK adds both, root paths with one
    // backslash, to the two headers that match exactly.
    const std::wstring rootList = a + L"\r\n" + b + L"\r\n";
    Click(chooser, f6::Command1);
    AnswerForm7(ruvex, L"上記のﾌｧｲﾙを Foo に関連付けます。", rootList, IDCANCEL);
    EXPECT_TRUE(IsVisible(chooser));
    EXPECT_TRUE(WaitUntil([&] { return !IsVisible(Control(chooser, f6::Label10)); }));
    EXPECT_EQ(SelectedIndexes(files), (std::vector<int>{ia, ib}));
    EXPECT_EQ(ReadLines(ruvex.File(L"uninstall.dat")), (Lines{L"[Foo]", L"C:\\zz.txt", L"[foo]", L"[Foo]"}));
    Click(chooser, f6::Command1);
    AnswerForm7(ruvex, L"上記のﾌｧｲﾙを Foo に関連付けます。", rootList, IDOK);
    EXPECT_EQ(AnswerMessage(ruvex), L"Foo に 2 個のﾌｧｲﾙを関連付けました。");
    EXPECT_EQ(ReadLines(ruvex.File(L"uninstall.dat")),
              (Lines{L"[Foo]", a, b, L"C:\\zz.txt", L"[foo]", L"[Foo]", a, b}));

    // A name that uninstall.dat cannot hold is refused before the list, naming the file; nothing is written
    // and the chooser keeps the selection.
    const std::string added = ReadBytes(ruvex.File(L"uninstall.dat"));
    const int accentedIndex = IndexOf(files, L"rvx" + id + L"é.txt");
    ASSERT_GE(accentedIndex, 0);
    SelectFiles(files, {accentedIndex, ia});
    Click(chooser, f6::Command1);
    HWND refusal = ruvex.WaitMessageBox();
    ASSERT_NE(refusal, nullptr);
    EXPECT_EQ(WindowText(refusal), L"Ruvex");
    EXPECT_EQ(MessageBoxText(refusal), std::wstring(texts::UnrecordableFileName) + L"\r\n" + accented);
    AnswerAndClose(refusal, IDOK);
    EXPECT_EQ(WaitForm7(ruvex, 500ms), nullptr);
    EXPECT_EQ(ReadBytes(ruvex.File(L"uninstall.dat")), added);
    std::vector<int> kept{accentedIndex, ia};
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(SelectedIndexes(files), kept);

    // Enter opens the highlighted folder; a double click selects all its files. The close box of the list
    // is Cancel, even right after an earlier OK.
    HWND dirs = Control(chooser, f6::Dir1);
    const int folderIndex = IndexOf(dirs, L"  Rvx" + id);
    ASSERT_GE(folderIndex, 0);
    ClickListItem(dirs, folderIndex);
    ASSERT_TRUE(WaitUntil([&] { return SelectedIndexes(dirs) == std::vector<int>{folderIndex}; }));
    PressKey(dirs, VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return ListItems(files) == Lines{L"c.txt"}; }));
    EXPECT_TRUE(TextOf(chooser, f6::Text1).empty());
    PostMessageW(chooser, WM_COMMAND, MAKEWPARAM(f6::File1, LBN_DBLCLK), reinterpret_cast<LPARAM>(files));
    ASSERT_TRUE(WaitUntil([&] { return SelectedIndexes(files) == std::vector<int>{0}; }));
    Click(chooser, f6::Command1);
    AnswerForm7(ruvex, L"上記のﾌｧｲﾙを Foo に関連付けます。", c + L"\r\n", WM_CLOSE);
    EXPECT_EQ(ruvex.WaitMessageBox(1s), nullptr);
    Click(chooser, f6::Command1);
    AnswerForm7(ruvex, L"上記のﾌｧｲﾙを Foo に関連付けます。", c + L"\r\n", IDOK);
    EXPECT_EQ(AnswerMessage(ruvex), L"Foo に 1 個のﾌｧｲﾙを関連付けました。");

    // 戻る: the chooser closes and the database is tidied.
    Click(chooser, f6::Command2);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(chooser) || !IsVisible(chooser); }));
    Settle(main);
    // The tidy sorts each record in the locale's order.
    auto sorted = [](Lines lines) {
        std::sort(lines.begin(), lines.end(), [](const auto& x, const auto& y) {
            return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, x.c_str(), -1, y.c_str(), -1) == CSTR_LESS_THAN;
        });
        return lines;
    };
    Lines tidied{L"[Foo]"};
    for (const auto& line : sorted({a, b, c, L"C:\\zz.txt"})) {
        tidied.push_back(line);
    }
    tidied.insert(tidied.end(), {L"[foo]", L"[Foo]"});
    for (const auto& line : sorted({a, b, c})) {
        tidied.push_back(line);
    }
    EXPECT_EQ(ReadLines(ruvex.File(L"uninstall.dat")), tidied);
    EXPECT_EQ(ListItems(Control(main, ids::List1)), (Lines{L"Foo", L"foo", L"Foo"}));

    // OK with nothing selected closes the chooser without a question.
    SelectSoftware(main, 1);
    PostMessageW(main, WM_COMMAND, ids::Command9, 0);
    chooser = ruvex.WaitWindowOfClass(L"RuvexForm6");
    ASSERT_NE(chooser, nullptr);
    Click(chooser, f6::Command1);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(chooser) || !IsVisible(chooser); }));
    EXPECT_EQ(ruvex.WaitWindowOfClass(L"RuvexForm7", 500ms), nullptr);
    Settle(main);
    EXPECT_EQ(ReadLines(ruvex.File(L"uninstall.dat")), tidied);
    CloseAndExpectExit(ruvex, main);
}

// The main window closed while the chooser is open: what the chooser does still happens, but no message
// shows over a window that is going, and the program ends once the chooser is left.
TEST(RuvexRelated, AChooserOverAClosedWindowAddsSilentlyAndTheProgramEndsAfterBack) {
    const std::wstring name = L"rvx" + testsupport::UniqueName(L"") + L"a.txt";
    const std::wstring a = L"C:\\" + name;
    Cleanup cleanup{{a}};
    Lay(a);
    Program ruvex(L"Ruvex.exe", WithSafety(false, true, {L"[Foo]"}));
    HWND main = WaitMain(ruvex);
    ASSERT_NE(main, nullptr);
    SelectSoftware(main, 0);
    PostMessageW(main, WM_COMMAND, ids::Command9, 0);
    HWND chooser = ruvex.WaitWindowOfClass(L"RuvexForm6");
    ASSERT_NE(chooser, nullptr);
    PostMessageW(main, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsVisible(main); }));

    HWND files = Control(chooser, f6::File1);
    const int index = IndexOf(files, name);
    ASSERT_GE(index, 0);
    SelectFiles(files, {index});
    Click(chooser, f6::Command1);
    AnswerForm7(ruvex, L"上記のﾌｧｲﾙを Foo に関連付けます。", a + L"\r\n", IDOK);
    EXPECT_EQ(ruvex.WaitMessageBox(1s), nullptr);
    EXPECT_EQ(ReadLines(ruvex.File(L"uninstall.dat")), (Lines{L"[Foo]", a}));
    Click(chooser, f6::Command2);
    EXPECT_TRUE(ruvex.WaitExit());
}

TEST(RuvexRelated, ReleaseKeepsTheWinIniLinesEditsTheFirstRecordOnlyAndLeavesTheFiles) {
    TempFolder app{L"rel"};
    const std::wstring f1 = Lay(app / L"f1.txt");
    const std::wstring f2 = Lay(app / L"f2.txt");
    const std::wstring other = Lay(app / L"other.txt");
    const std::wstring second = Lay(app / L"second.txt");
    const Lines database{L"[Soft]", f1, L"-[Sect]", f2, L"[Other]", other, L"[SOFT]", second};
    Program ruvex(L"Ruvex.exe", WithSafety(false, true, database));
    HWND main = WaitMain(ruvex);
    ASSERT_NE(main, nullptr);
    HWND list2 = Control(main, ids::List2);
    const std::wstring label = L"上記のﾌｧｲﾙを Soft から解放します。";

    // Cancel: nothing changes, and the lists are reloaded.
    SelectSoftware(main, 0);
    SelectFiles(list2, {0, 1});
    ASSERT_TRUE(WaitUntil([&] { return Enabled(main, 10); }));
    PostMessageW(main, WM_COMMAND, ids::Command10, 0);
    AnswerForm7(ruvex, label, f1 + L"\r\n" + f2 + L"\r\n", IDCANCEL);
    ASSERT_TRUE(WaitUntil([&] { return ListItems(list2).empty() && !Enabled(main, 10); }));
    EXPECT_EQ(ReadLines(ruvex.File(L"uninstall.dat")), database);

    // Every file released: the header keeps its win.ini line; the later record of the name is not touched.
    SelectSoftware(main, 0);
    SelectFiles(list2, {0, 1});
    PostMessageW(main, WM_COMMAND, ids::Popup(10), 0);
    AnswerForm7(ruvex, label, f1 + L"\r\n" + f2 + L"\r\n", IDOK);
    EXPECT_EQ(AnswerMessage(ruvex), L"Soft から 2 個のﾌｧｲﾙを解放しました。");
    EXPECT_EQ(ReadLines(ruvex.File(L"uninstall.dat")),
              (Lines{L"[Soft]", L"-[Sect]", L"[Other]", other, L"[SOFT]", second}));
    for (const auto& file : {f1, f2, other, second}) {
        EXPECT_TRUE(Exists(file));
    }
    Settle(main);
    EXPECT_TRUE(ListItems(list2).empty());

    // A rewrite that cannot be made names the file, leaves it byte for byte and claims nothing.
    const std::wstring path = ruvex.File(L"uninstall.dat");
    const std::string released = ReadBytes(path);
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
    SelectSoftware(main, 1);
    SelectFiles(list2, {0});
    PostMessageW(main, WM_COMMAND, ids::Command10, 0);
    AnswerForm7(ruvex, L"上記のﾌｧｲﾙを Other から解放します。", other + L"\r\n", IDOK);
    EXPECT_EQ(AnswerMessage(ruvex).rfind(std::wstring(texts::CannotWrite) + L"\r\n" + path, 0), 0u);
    EXPECT_EQ(ruvex.WaitMessageBox(1s), nullptr);
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadBytes(path), released);
    CloseAndExpectExit(ruvex, main);
}

TEST(RuvexRelated, DeletingAFileInUseReportsNoneDeletedAndCancelAtEitherStepChangesNothing) {
    TempFolder app{L"del"};
    const std::wstring busy = Lay(app / L"busy.dll");
    const std::wstring plain = Lay(app / L"plain.txt");
    const Lines database{L"[Busy]", busy, plain};
    Program ruvex(L"Ruvex.exe", WithSafety(false, true, database));
    HWND main = WaitMain(ruvex);
    ASSERT_NE(main, nullptr);
    ruvex::FileHandle held(CreateFileW(busy.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    HWND list2 = Control(main, ids::List2);
    auto start = [&] {
        SelectSoftware(main, 0);
        SelectFiles(list2, {0});
        ASSERT_TRUE(WaitUntil([&] { return Enabled(main, 13); }));
        PostMessageW(main, WM_COMMAND, ids::Command13, 0);
    };

    start();
    AnswerForm7(ruvex, L"上記のﾌｧｲﾙを削除します。", busy + L"\r\n", IDCANCEL);
    EXPECT_EQ(ruvex.WaitMessageBox(1s), nullptr);
    start();
    AnswerForm7(ruvex, L"上記のﾌｧｲﾙを削除します。", busy + L"\r\n", IDOK);
    HWND sure = ruvex.WaitMessageBox();
    ASSERT_NE(sure, nullptr);
    EXPECT_EQ(MessageBoxText(sure), texts::CannotUndo);
    EXPECT_EQ(DefaultButton(sure), IDCANCEL);
    AnswerAndClose(sure, IDCANCEL);
    EXPECT_EQ(ruvex.WaitMessageBox(1s), nullptr);
    EXPECT_EQ(ReadLines(ruvex.File(L"uninstall.dat")), database);

    start();
    AnswerForm7(ruvex, L"上記のﾌｧｲﾙを削除します。", busy + L"\r\n", IDOK);
    AnswerAndClose(ruvex.WaitMessageBox(), IDOK);
    EXPECT_EQ(AnswerMessage(ruvex), L"0 個のﾌｧｲﾙを削除しました。（削除できないファイルがありました。)");
    Settle(main);
    EXPECT_TRUE(Exists(busy));
    EXPECT_TRUE(Exists(plain));
    EXPECT_EQ(ReadLines(ruvex.File(L"uninstall.dat")), database);
    CloseAndExpectExit(ruvex, main);
}
