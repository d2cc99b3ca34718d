// Start-up: the database beside the program, the software list in file order, one running copy per folder.
#include "RuvexWindows.h"

using namespace e2e;
namespace ids = ruvex::ids;
namespace texts = ruvex::texts;

TEST(RuvexStart, WithoutADatabaseCreatesAnEmptyOneAndShowsAnEmptyList) {
    // A rewrite's temporary file that an ended copy left behind goes; other files stay.
    Program ruvex(L"Ruvex.exe", [](const std::wstring& folder) {
        WriteBytes(folder + L"\\rvx1A2B.tmp", "half");
        WriteBytes(folder + L"\\keep.tmp", "mine");
    });
    HWND main = WaitMain(ruvex);
    ASSERT_NE(main, nullptr);
    EXPECT_FALSE(Exists(ruvex.File(L"rvx1A2B.tmp")));
    EXPECT_TRUE(Exists(ruvex.File(L"keep.tmp")));
    EXPECT_EQ(WindowText(main), L"Ruvex");
    EXPECT_TRUE(Exists(ruvex.File(L"uninstall.dat")));
    EXPECT_EQ(ReadBytes(ruvex.File(L"uninstall.dat")), "");
    EXPECT_TRUE(ListItems(Control(main, ids::List1)).empty());
    EXPECT_EQ(TextOf(main, ids::Label2), texts::InstalledSoftware);
    EXPECT_EQ(TextOf(main, ids::Label4), texts::SoftwareSize);
    EXPECT_EQ(TextOf(main, ids::Label1), L"");
    // The please-wait window of the list loading is gone again.
    EXPECT_EQ(ruvex.WaitWindowOfClass(L"RuvexForm10", 0ms), nullptr);

    const std::vector<std::pair<int, const wchar_t*>> captions{
        {1, texts::InstallPreparation}, {2, texts::InstallInspection},
        {3, texts::Uninstall},          {4, texts::Exit},
        {5, texts::ShowHelp},           {6, texts::VersionInfo},
        {7, texts::Settings},           {8, texts::RegisterByHand},
        {9, texts::AddRelatedFiles},    {10, texts::ReleaseRelatedFiles},
        {11, texts::RenameSoftware},    {12, texts::ReleaseSoftware},
        {13, texts::DeleteFiles},       {14, texts::Refresh},
        {15, texts::ShowFile}};
    for (const auto& [n, caption] : captions) {
        EXPECT_EQ(TextOf(main, ids::Command(n)), caption) << "Command" << n;
        bool enabledAtStart = n == 1 || n == 4 || n == 5 || n == 6 || n == 7 || n == 8 || n == 14;
        EXPECT_EQ(Enabled(main, n), enabledAtStart) << "Command" << n;
    }
    CloseAndExpectExit(ruvex, main);
}

TEST(RuvexStart, ListsTheRecordedSoftwareInFileOrderKeepingDuplicates) {
    Program ruvex(L"Ruvex.exe",
                  WithDatabase({L"[ゼータ Editor]", L"C:\\Program Files\\Zeta\\z.exe", L"-[Zeta]", L"[Alpha Tools]",
                                L"C:\\Alpha\\a.dll", L"[ゼータ Editor]", L"C:\\Zeta2\\z.exe"}));
    HWND main = WaitMain(ruvex);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(ListItems(Control(main, ids::List1)),
              (std::vector<std::wstring>{L"ゼータ Editor", L"Alpha Tools", L"ゼータ Editor"}));
    // Nothing is selected, so the record commands wait for a choice.
    EXPECT_TRUE(SelectedIndexes(Control(main, ids::List1)).empty());
    EXPECT_FALSE(Enabled(main, 3));
    EXPECT_FALSE(Enabled(main, 12));
    CloseAndExpectExit(ruvex, main);
}

TEST(RuvexStart, RefusesASecondCopyInTheSameFolderButNotInAnother) {
    Program first(L"Ruvex.exe");
    HWND main = WaitMain(first);
    ASSERT_NE(main, nullptr);

    Program second(first.folder(), L"Ruvex.exe", L"");
    HWND box = second.WaitMessageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), texts::AlreadyRunning);
    EXPECT_EQ(WindowText(box), texts::AppTitle);
    EXPECT_EQ(WaitMain(second, 1s), nullptr) << "the refused copy shows no main window";
    Answer(box, IDOK);
    EXPECT_TRUE(second.WaitExit());
    EXPECT_TRUE(first.Running());

    // A copy elsewhere keeps its own database and runs beside the first.
    Program elsewhere(L"Ruvex.exe");
    EXPECT_NE(WaitMain(elsewhere), nullptr);
    CloseAndExpectExit(first, main);
}

// A database in UTF-16 (another program's doing) would be destroyed by a rewrite in the ANSI code page: the
// missing-file check of the start-up says so and leaves every byte.
TEST(RuvexStart, ADatabaseThatIsNoAnsiTextIsReportedAndLeftAsItIs) {
    const std::wstring text = L"\xFEFF[ゼータ]\r\nC:\\gone.exe\r\n";
    const std::string bytes(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
    Program ruvex(L"Ruvex.exe", [&](const std::wstring& folder) { WriteBytes(folder + L"\\uninstall.dat", bytes); });
    HWND box = ruvex.WaitMessageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box),
              std::wstring(texts::CannotRead) + L"\r\n" + ruvex.File(L"uninstall.dat") + L"\r\n" + texts::NotAnsiText);
    Answer(box, IDOK);
    HWND main = WaitMain(ruvex);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(ReadBytes(ruvex.File(L"uninstall.dat")), bytes);
    CloseAndExpectExit(ruvex, main);
}
