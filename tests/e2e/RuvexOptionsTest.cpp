// The options dialog and option.dat, the tool tips, the file viewer and the editor chooser.
#include "RuvexWindows.h"

#include "driver/RemoteText.h"
#include "support/TempFolder.h"

#include <commctrl.h>

using namespace e2e;
namespace ids = ruvex::ids;
namespace texts = ruvex::texts;

namespace {

using Lines = std::vector<std::wstring>;

const Lines kDefaultChecks{L" 0 ", L" 1 ", L" 0 ", L" 1 ", L" 1 ", L" 0 ", L" 0 ", L" 0 ", L" 1 "};

std::function<void(const std::wstring&)> WithOptionLines(Lines lines) {
    return [lines](const std::wstring& folder) { WriteLines(folder + L"\\option.dat", lines); };
}

HWND OpenOptions(Program& ruvex, HWND main) {
    Click(main, ids::Command7);
    return ruvex.WaitWindow([](HWND w) { return ClassName(w) == L"RuvexForm2"; });
}

bool Checked(HWND dialog, int id) {
    DWORD_PTR state = 0;
    SendMessageTimeoutW(Control(dialog, id), BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 5000, &state);
    return state == BST_CHECKED;
}

Lines CheckLines(const Lines& file) {
    return Lines(file.begin() + 2, file.end());
}

} // namespace

TEST(RuvexOptions, FirstStartWritesTheDefaultsAndOkWritesTheDialog) {
    Program ruvex(L"Ruvex.exe");
    HWND main = WaitMain(ruvex);
    ASSERT_NE(main, nullptr);
    Lines file = ReadLines(ruvex.File(L"option.dat"));
    ASSERT_EQ(file.size(), 11u);
    EXPECT_EQ(file[0].substr(0, 2), L"c:");
    EXPECT_EQ(file[1], L"NOTEPAD");
    EXPECT_EQ(CheckLines(file), kDefaultChecks);

    HWND dialog = OpenOptions(ruvex, main);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(WindowText(dialog), L"Ruvex -OPTION-");
    EXPECT_FALSE(IsEnabled(main)) << "the dialog is modal";
    Click(dialog, ids::form2::Check1);
    Click(dialog, ids::form2::Check5); // unticks Check2
    Click(dialog, ids::form2::Check10);
    ASSERT_TRUE(WaitUntil([&] {
        return Checked(dialog, ids::form2::Check5) && !Checked(dialog, ids::form2::Check2) &&
               !Checked(dialog, ids::form2::Check10);
    }));
    SetText(Control(dialog, ids::form2::Text1), L"C:\\Tools\\ed.exe");
    Click(dialog, ids::form2::Command1);
    ASSERT_TRUE(WaitUntil([&] { return !IsVisible(dialog) && IsEnabled(main); }));
    file = ReadLines(ruvex.File(L"option.dat"));
    ASSERT_EQ(file.size(), 11u);
    EXPECT_EQ(file[1], L"C:\\Tools\\ed.exe");
    EXPECT_EQ(CheckLines(file), (Lines{L" 1 ", L" 0 ", L" 1 ", L" 1 ", L" 1 ", L" 0 ", L" 0 ", L" 0 ", L" 0 "}));
    CloseAndExpectExit(ruvex, main);
}

TEST(RuvexOptions, CancelAfterDefaultsPutsTheOpeningValuesBackAndRewritesTheFile) {
    Program ruvex(L"Ruvex.exe", WithOptionLines({L"C:", L"vi", L"1", L"0", L"1", L"0", L"0", L"1", L"1", L"0"}));
    HWND main = WaitMain(ruvex);
    ASSERT_NE(main, nullptr);
    HWND dialog = OpenOptions(ruvex, main);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(TextOf(dialog, ids::form2::Text1), L"vi");
    EXPECT_TRUE(Checked(dialog, ids::form2::Check1));
    Click(dialog, ids::form2::Command2);
    ASSERT_TRUE(WaitUntil([&] { return TextOf(dialog, ids::form2::Text1) == L"NOTEPAD"; }));
    EXPECT_FALSE(Checked(dialog, ids::form2::Check1));
    EXPECT_TRUE(Checked(dialog, ids::form2::Check2));
    Click(dialog, ids::form2::Command4);
    ASSERT_TRUE(WaitUntil([&] { return !IsVisible(dialog); }));
    Lines file = ReadLines(ruvex.File(L"option.dat"));
    ASSERT_EQ(file.size(), 11u);
    // Rewritten: the drive now as the drive list shows it, the values as they were (a file of ten lines
    // records the registry).
    EXPECT_EQ(file[0].substr(0, 2), L"c:");
    EXPECT_EQ(file[1], L"vi");
    EXPECT_EQ(CheckLines(file), (Lines{L" 1 ", L" 0 ", L" 1 ", L" 0 ", L" 0 ", L" 1 ", L" 1 ", L" 0 ", L" 1 "}));
    CloseAndExpectExit(ruvex, main);
}

TEST(RuvexOptions, ANineLineFileIsReplacedByTheDefaults) {
    Program ruvex(L"Ruvex.exe",
                  WithOptionLines({L"c:", L"vi", L" 1 ", L" 1 ", L" 1 ", L" 1 ", L" 1 ", L" 1 ", L" 1 "}));
    HWND main = WaitMain(ruvex);
    ASSERT_NE(main, nullptr);
    Lines file = ReadLines(ruvex.File(L"option.dat"));
    ASSERT_EQ(file.size(), 11u);
    EXPECT_EQ(file[1], L"NOTEPAD");
    EXPECT_EQ(CheckLines(file), kDefaultChecks);
    CloseAndExpectExit(ruvex, main);
}

TEST(RuvexOptions, ToolTipsVanishAndComeBackWithTheirCheckBox) {
    Program ruvex(L"Ruvex.exe");
    HWND main = WaitMain(ruvex);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(ToolTipText(ruvex, Control(main, ids::Command1)), texts::TipCommand1);
    EXPECT_EQ(ToolTipText(ruvex, Control(main, ids::Command13)), texts::TipCommand13);
    HWND dialog = OpenOptions(ruvex, main);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ToolTipText(ruvex, Control(dialog, ids::form2::Check9)), texts::TipCheck9);
    EXPECT_EQ(ToolTipText(ruvex, Control(dialog, ids::form2::Drive2)), texts::TipDrive);

    Click(dialog, ids::form2::Check9);
    ASSERT_TRUE(WaitUntil([&] { return ToolTipText(ruvex, Control(main, ids::Command1)).empty(); }));
    EXPECT_EQ(ToolTipText(ruvex, Control(dialog, ids::form2::Check9)), L"");
    EXPECT_EQ(ToolTipText(ruvex, Control(dialog, ids::form2::Text1)), L"");
    EXPECT_EQ(ToolTipText(ruvex, Control(main, ids::Command4)), L"");

    Click(dialog, ids::form2::Check9);
    ASSERT_TRUE(WaitUntil([&] { return !ToolTipText(ruvex, Control(main, ids::Command1)).empty(); }));
    EXPECT_EQ(ToolTipText(ruvex, Control(dialog, ids::form2::Check4)), texts::TipCheck4);
    Click(dialog, ids::form2::Command1);
    CloseAndExpectExit(ruvex, main);
}

namespace {

struct ViewerFixture {
    std::unique_ptr<Program> ruvex;
    HWND main = nullptr;
    std::wstring small, big;

    explicit ViewerFixture(const std::wstring& editor = L"NOTEPAD") {
        ruvex = std::make_unique<Program>(L"Ruvex.exe", [&](const std::wstring& folder) {
            small = folder + L"\\three.txt";
            big = folder + L"\\big.txt";
            WriteLines(small, {L"一行目", L"second", L"third"});
            Lines lines;
            for (int i = 1; i <= 1000; ++i) {
                lines.push_back(L"line " + std::to_wstring(i));
            }
            WriteLines(big, lines);
            WriteLines(folder + L"\\uninstall.dat", {L"[Viewer Test]", big, small});
            WriteLines(folder + L"\\option.dat",
                       {L"c:", editor, L" 0 ", L" 1 ", L" 0 ", L" 1 ", L" 0 ", L" 0 ", L" 0 ", L" 0 "});
        });
        main = WaitMain(*ruvex);
    }
    // Shows List2's entry index in the viewer; the viewer window.
    HWND View(int index) {
        ClickListItem(Control(main, ids::List1), 0);
        if (!WaitUntil([&] { return ListItems(Control(main, ids::List2)).size() == 2; })) {
            return nullptr;
        }
        ClickListItem(Control(main, ids::List2), index);
        if (!WaitUntil([&] { return Enabled(main, 15); })) {
            return nullptr;
        }
        Click(main, ids::Command15);
        return ruvex->WaitWindow([](HWND w) { return ClassName(w) == L"RuvexForm9"; });
    }
};

} // namespace

TEST(RuvexViewer, ShowsAShortFileWithItsEndMarkAndALongOneCutAt400Lines) {
    ViewerFixture f;
    ASSERT_NE(f.main, nullptr);
    HWND viewer = f.View(1); // the record's files in file order: big.txt, three.txt
    ASSERT_NE(viewer, nullptr);
    EXPECT_EQ(WindowText(viewer), L"Ruvex -FILE INFORMATION-");
    EXPECT_EQ(TextOf(viewer, ids::form9::Text1), L"一行目\r\nsecond\r\nthird\r\n[END]");
    EXPECT_EQ(TextOf(viewer, ids::form9::Text2), L"表示中ﾌｧｲﾙ  [" + f.small + L"]");
    Click(viewer, ids::form9::Command1);
    ASSERT_TRUE(WaitUntil([&] { return !IsVisible(viewer); }));

    viewer = f.View(0);
    ASSERT_NE(viewer, nullptr);
    std::wstring shown = TextOf(viewer, ids::form9::Text1);
    EXPECT_EQ(std::count(shown.begin(), shown.end(), L'\n'), 400);
    EXPECT_EQ(shown.find(L"[END]"), std::wstring::npos);
    EXPECT_EQ(shown.substr(shown.size() - 10), L"line 400\r\n");
    Click(viewer, ids::form9::Command1);
    CloseAndExpectExit(*f.ruvex, f.main);
}

TEST(RuvexViewer, EditWithAMissingEditorWarnsAndKeepsTheViewerOpen) {
    ViewerFixture f(L"C:\\no such folder\\editor.exe");
    ASSERT_NE(f.main, nullptr);
    HWND viewer = f.View(1);
    ASSERT_NE(viewer, nullptr);
    Click(viewer, ids::form9::Command2);
    HWND box = f.ruvex->WaitMessageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), texts::EditorNotStarted);
    Answer(box, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return f.ruvex->WaitMessageBox(0ms) == nullptr; }));
    EXPECT_TRUE(IsVisible(viewer));
    Click(viewer, ids::form9::Command1);
    CloseAndExpectExit(*f.ruvex, f.main);
}

TEST(RuvexOptions, TheEditorChooserPutsARootProgramWithOneBackslash) {
    const std::wstring name = L"RVX" + testsupport::UniqueName(L"ED") + L".EXE";
    const std::wstring program = L"C:\\" + name;
    WriteBytes(program, "MZ");
    Program ruvex(L"Ruvex.exe");
    HWND main = WaitMain(ruvex);
    ASSERT_NE(main, nullptr);
    HWND dialog = OpenOptions(ruvex, main);
    ASSERT_NE(dialog, nullptr);
    Click(dialog, ids::form2::Command3);
    HWND chooser = ruvex.WaitWindow([](HWND w) { return ClassName(w) == L"RuvexForm5"; });
    ASSERT_NE(chooser, nullptr);
    EXPECT_EQ(WindowText(chooser), L"Ruvex -EDITOR CHOOSE-");
    HWND files = Control(chooser, ids::form5::File1);
    Lines programs = ListItems(files);
    auto at = std::find(programs.begin(), programs.end(), name);
    ASSERT_NE(at, programs.end());
    for (const auto& p : programs) {
        EXPECT_EQ(_wcsicmp(p.substr(p.size() - 4).c_str(), L".exe"), 0) << p;
    }
    SendMessageW(files, LB_SETCURSEL, static_cast<WPARAM>(at - programs.begin()), 0);
    PostMessageW(chooser, WM_COMMAND, MAKEWPARAM(ids::form5::File1, LBN_DBLCLK), reinterpret_cast<LPARAM>(files));
    ASSERT_TRUE(WaitUntil([&] { return TextOf(dialog, ids::form2::Text1) == program; }));
    EXPECT_FALSE(IsVisible(chooser));
    Click(dialog, ids::form2::Command4);
    CloseAndExpectExit(ruvex, main);
    DeleteFileW(program.c_str());
}
