// The selected software: its files, its win.ini sections as they stand now, its size, and the three tabs.
#include "RuvexWindows.h"

using namespace e2e;
namespace ids = ruvex::ids;
namespace texts = ruvex::texts;

namespace {

// A record of three files in the program's folder (1536 bytes, 512 bytes, one deleted) and two sections:
// the first section of the prefix's win.ini and one that win.ini does not hold.
struct RecordFixture {
    std::vector<std::wstring> winIniSection; // the first section of C:\windows\win.ini, header first
    std::vector<std::wstring> files;
    std::unique_ptr<Program> ruvex;
    HWND main = nullptr;

    RecordFixture() {
        for (const auto& line : ReadLines(L"C:\\windows\\win.ini")) {
            if (!line.empty() && line[0] == L'[' && !winIniSection.empty()) {
                break;
            }
            if (!winIniSection.empty() || (!line.empty() && line[0] == L'[')) {
                winIniSection.push_back(line);
            }
        }
        ruvex = std::make_unique<Program>(L"Ruvex.exe", [this](const std::wstring& folder) {
            files = {folder + L"\\説明書.txt", folder + L"\\b.dat", folder + L"\\gone.dll"};
            WriteBytes(files[0], std::string(1536, 'a'));
            WriteBytes(files[1], std::string(512, 'b'));
            std::vector<std::wstring> db{L"[Other]", L"C:\\other.txt", L"[Sample App]"};
            db.insert(db.end(), files.begin(), files.end());
            db.push_back(L"-[NoSuchRuvexSection]");
            if (!winIniSection.empty()) {
                db.push_back(L"-" + winIniSection[0]);
            }
            WriteLines(folder + L"\\uninstall.dat", db);
            // No missing-file check at start-up: the deleted file stays listed.
            WriteLines(folder + L"\\option.dat",
                       {L"c:", L"NOTEPAD", L" 0 ", L" 1 ", L" 0 ", L" 1 ", L" 1 ", L" 0 ", L" 1 ", L" 0 "});
        });
        main = WaitMain(*ruvex);
    }

    void SelectSample() {
        ClickListItem(Control(main, ids::List1), 1);
        ASSERT_TRUE(WaitUntil([&] { return TextOf(main, ids::Label1) == L" 2KB"; }));
    }
    [[nodiscard]] HWND Tab() const { return Control(Control(main, ids::PicTabs), ids::TabStrip); }
    [[nodiscard]] HWND Frame() const { return Control(main, ids::frTab2); }
};

} // namespace

TEST(RuvexRecord, ClickingASoftwareShowsItsFilesItsCurrentSectionsAndItsSize) {
    RecordFixture f;
    ASSERT_NE(f.main, nullptr);
    ASSERT_FALSE(f.winIniSection.empty()) << "the prefix's win.ini has a section";
    f.SelectSample();

    EXPECT_EQ(ListItems(Control(f.main, ids::List2)), f.files);
    EXPECT_EQ(ListItems(Control(f.main, ids::List3)), f.winIniSection);
    // 1536 + 512 bytes; the deleted file counts nothing.
    EXPECT_EQ(TextOf(f.main, ids::Label1), L" 2KB");
    EXPECT_FALSE(IsVisible(Control(f.main, ids::Label15)));
    for (int n : {3, 9, 11, 12}) {
        EXPECT_TRUE(Enabled(f.main, n)) << "Command" << n;
    }
    for (int n : {10, 13, 15}) {
        EXPECT_FALSE(Enabled(f.main, n)) << "Command" << n;
    }

    // Picking a file enables the file commands.
    ClickListItem(Control(f.main, ids::List2), 0);
    EXPECT_TRUE(WaitUntil([&] { return Enabled(f.main, 10) && Enabled(f.main, 13) && Enabled(f.main, 15); }));

    // Another software replaces the lists.
    ClickListItem(Control(f.main, ids::List1), 0);
    EXPECT_TRUE(WaitUntil(
        [&] { return ListItems(Control(f.main, ids::List2)) == std::vector<std::wstring>{L"C:\\other.txt"}; }));
    EXPECT_TRUE(ListItems(Control(f.main, ids::List3)).empty());
    EXPECT_TRUE(WaitUntil([&] { return TextOf(f.main, ids::Label1) == L" 0 ﾊﾞｲﾄ"; }));
    CloseAndExpectExit(*f.ruvex, f.main);
}

TEST(RuvexTabs, TheThreeTabsShowTheFilesTheFileInformationAndWinIni) {
    RecordFixture f;
    ASSERT_NE(f.main, nullptr);
    HWND tab = f.Tab();
    ASSERT_NE(tab, nullptr);
    EXPECT_EQ(TabCaptions(tab), (std::vector<std::wstring>{texts::TabRelatedFiles, texts::TabFileInfo, texts::TabWinIni,
                                                           texts::TabRegistry}));
    EXPECT_EQ(SelectedTab(tab), 0);
    HWND list2 = Control(f.main, ids::List2);
    HWND list3 = Control(f.main, ids::List3);
    EXPECT_TRUE(IsVisible(list2));
    EXPECT_FALSE(IsVisible(list3));
    EXPECT_FALSE(IsVisible(f.Frame()));
    f.SelectSample();

    // The file information of the selected file.
    ClickListItem(list2, 0);
    ASSERT_TRUE(WaitUntil([&] { return SelectedIndexes(list2) == std::vector<int>{0}; }));
    ClickTab(tab, 1);
    ASSERT_TRUE(WaitUntil([&] { return IsVisible(f.Frame()); }));
    EXPECT_FALSE(IsVisible(list2));
    EXPECT_FALSE(IsVisible(list3));
    EXPECT_EQ(SelectedTab(tab), 1);
    EXPECT_EQ(TextOf(f.Frame(), ids::FileNameCaption), texts::FileName);
    EXPECT_EQ(TextOf(f.Frame(), ids::Label13), L" 説明書.txt");
    EXPECT_EQ(TextOf(f.Frame(), ids::Label11), L" 1.5KB");
    // " date" and " time" of the short regional formats: a date holds no blank, a time holds colons.
    std::wstring date = TextOf(f.Frame(), ids::Label7);
    std::wstring time = TextOf(f.Frame(), ids::Label9);
    ASSERT_GE(date.size(), 2u);
    EXPECT_EQ(date[0], L' ');
    EXPECT_EQ(date.find(L' ', 1), std::wstring::npos);
    EXPECT_EQ(time[0], L' ');
    EXPECT_NE(time.find(L':'), std::wstring::npos);

    // A deleted file says so three times.
    ClickTab(tab, 0);
    ASSERT_TRUE(WaitUntil([&] { return IsVisible(list2); }));
    ClickListItem(list2, 2);
    ASSERT_TRUE(WaitUntil([&] { return SelectedIndexes(list2) == std::vector<int>{2}; }));
    ClickTab(tab, 1);
    ASSERT_TRUE(WaitUntil([&] { return IsVisible(f.Frame()); }));
    EXPECT_EQ(TextOf(f.Frame(), ids::Label13), L" gone.dll");
    for (int id : {ids::Label11, ids::Label7, ids::Label9}) {
        EXPECT_EQ(TextOf(f.Frame(), id), texts::Deleted);
    }

    ClickTab(tab, 2);
    ASSERT_TRUE(WaitUntil([&] { return IsVisible(list3); }));
    EXPECT_FALSE(IsVisible(list2));
    EXPECT_FALSE(IsVisible(f.Frame()));
    EXPECT_EQ(ListItems(list3), f.winIniSection);
    CloseAndExpectExit(*f.ruvex, f.main);
}
