// The pure parts of the software and file lists: size texts, the win.ini sections shown, sizes on disk.
#include "resources/RuvexTexts.h"
#include "support/TempFolder.h"
#include "uninstaller/ui/FileInfo.h"
#include "uninstaller/ui/FormatSize.h"
#include "uninstaller/ui/WinIniSections.h"

#include "base/safefile.h"

#include <gtest/gtest.h>

using namespace ruvex;
using namespace ruvex::ui;

TEST(FormatSize, WritesBytesKilobytesAndMegabytesAsTheTableSays) {
    EXPECT_EQ(FormatSize(0), L" 0 ﾊﾞｲﾄ");
    EXPECT_EQ(FormatSize(1023), L" 1023 ﾊﾞｲﾄ");
    EXPECT_EQ(FormatSize(1024), L" 1KB");
    EXPECT_EQ(FormatSize(1536), L" 1.5KB");
    EXPECT_EQ(FormatSize(123456), L" 120KB");   // 120.5625 cut to "120." and the point dropped
    EXPECT_EQ(FormatSize(5000000), L" 4.76MB"); // 4.768...
    EXPECT_EQ(FormatSize(2000000000), L" 2000000000 ﾊﾞｲﾄ");
    // The edges of the units: never "1024KB", never a rounded-up quotient.
    EXPECT_EQ(FormatSize(1048575), L" 1023KB");
    EXPECT_EQ(FormatSize(1048576), L" 1MB");
    EXPECT_EQ(FormatSize(1073741823), L" 1023MB");
    EXPECT_EQ(FormatSize(1073741824), L" 1073741824 ﾊﾞｲﾄ");
    EXPECT_EQ(FormatSize(10 * 1024 + 512), L" 10.5KB");
}

TEST(FormatSize, TheSoftwareSizeLabelKeepsTwelveCharacters) {
    EXPECT_EQ(SizeLabelText(2000000000), L" 2000000000 ");
    EXPECT_EQ(SizeLabelText(1536), L" 1.5KB");
}

namespace {

std::vector<std::wstring> Shown(const std::vector<std::wstring>& headers, const std::vector<std::wstring>& winIni) {
    std::size_t next = 0;
    return CurrentWinIniLines(headers, [&](std::wstring& line) {
        if (next >= winIni.size()) {
            return false;
        }
        line = winIni[next++];
        return true;
    });
}

} // namespace

TEST(WinIniSections, ShowsEachRecordedSectionThatStillStandsWithItsLines) {
    std::vector<std::wstring> winIni{L"[windows]", L"load=", L"[App]", L"a=1", L"b=2", L"[fonts]", L"x=y"};
    EXPECT_EQ(Shown({L"[App]"}, winIni), (std::vector<std::wstring>{L"[App]", L"a=1", L"b=2"}));
    // Without regard to case; a section at the end of the file runs to its end.
    EXPECT_EQ(Shown({L"[FONTS]"}, winIni), (std::vector<std::wstring>{L"[fonts]", L"x=y"}));
    // Two sections in file order that are also in sorted order, one right after the other.
    EXPECT_EQ(Shown({L"[fonts]", L"[App]"}, winIni),
              (std::vector<std::wstring>{L"[App]", L"a=1", L"b=2", L"[fonts]", L"x=y"}));
    // Sections that win.ini no longer holds show nothing.
    EXPECT_TRUE(Shown({L"[Gone]"}, winIni).empty());
    EXPECT_TRUE(Shown({}, winIni).empty());
}

TEST(WinIniSections, AHeaderEndingASectionIsComparedOnlyWithTheEntriesAfterTheMatch) {
    // Sorted A before B, but [A] directly follows [B] in win.ini: [A] is compared with nothing after [B].
    std::vector<std::wstring> winIni{L"[B]", L"b=1", L"[A]", L"a=1"};
    EXPECT_EQ(Shown({L"[A]", L"[B]"}, winIni), (std::vector<std::wstring>{L"[B]", L"b=1"}));
    // With something between them [A] is read as a line of its own and found.
    std::vector<std::wstring> apart{L"[B]", L"b=1", L"[C]", L"[A]", L"a=1"};
    EXPECT_EQ(Shown({L"[B]", L"[A]"}, apart), (std::vector<std::wstring>{L"[B]", L"b=1", L"[A]", L"a=1"}));
}

TEST(WinIniSections, AMissingWinIniShowsNothing) {
    testsupport::TempFolder folder;
    EXPECT_TRUE(CurrentWinIniLines({L"[mail]"}, folder / L"win.ini").empty());
    ASSERT_TRUE(ReplaceFileLines(folder / L"win.ini", {L"[mail]", L"mapi=1", L"[表]", L"値=1"}));
    EXPECT_EQ(CurrentWinIniLines({L"[表]"}, folder / L"win.ini"), (std::vector<std::wstring>{L"[表]", L"値=1"}));
}

TEST(FileSizes, TheTotalCountsExistingFilesOnlyAndReportsEveryTwentiethEntry) {
    testsupport::TempFolder folder;
    std::vector<std::wstring> files;
    for (int i = 0; i < 45; ++i) {
        files.push_back(folder / (L"f" + std::to_wstring(i) + L".txt"));
        if (i % 2 == 0) {
            ASSERT_TRUE(ReplaceFileContents(files.back(), std::string(static_cast<std::size_t>(i), 'x')));
        }
    }
    files.push_back(folder.path());     // a folder is not a file
    files.push_back(folder / L"*.txt"); // a pattern matches nothing
    std::vector<std::size_t> reported;
    std::uint64_t total = TotalFileSize(files, [&](std::size_t pos) { reported.push_back(pos); });
    std::uint64_t expected = 0;
    for (int i = 0; i < 45; i += 2) {
        expected += static_cast<std::uint64_t>(i);
    }
    EXPECT_EQ(total, expected);
    EXPECT_EQ(reported, (std::vector<std::size_t>{2, 22, 42}));
    EXPECT_EQ(TotalFileSize({}, nullptr), 0u);
}

TEST(FileSizes, TheInformationTabDescribesAFileOrSaysItIsDeleted) {
    testsupport::TempFolder folder;
    std::wstring path = folder / L"説明書.txt";
    ASSERT_TRUE(ReplaceFileContents(path, std::string(1536, 'a')));
    FileInfoTexts info = DescribeFile(path);
    EXPECT_EQ(info.name, L" 説明書.txt");
    EXPECT_EQ(info.size, L" 1.5KB");
    ASSERT_GE(info.date.size(), 2u);
    EXPECT_EQ(info.date[0], L' ');
    EXPECT_NE(info.time.find(L':'), std::wstring::npos);

    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(DescribeFile(path).size, L" 1.5KB") << "hidden and read-only files still count";
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);

    FileInfoTexts gone = DescribeFile(folder / L"gone.dll");
    EXPECT_EQ(gone.name, L" gone.dll");
    EXPECT_EQ(gone.size, texts::Deleted);
    EXPECT_EQ(gone.date, texts::Deleted);
    EXPECT_EQ(gone.time, texts::Deleted);

    FileInfoTexts none = DescribeFile(L"");
    EXPECT_EQ(none.name + none.size + none.date + none.time, L"");
}

TEST(FileSizes, DateAndTimeSplitAtTheFirstBlankOfTheLocalText) {
    SYSTEMTIME local{2024, 3, 0, 5, 14, 7, 9, 0};
    FILETIME localTime{}, utc{};
    SystemTimeToFileTime(&local, &localTime);
    LocalFileTimeToFileTime(&localTime, &utc);
    auto [date, time] = DateAndTimeTexts(utc);
    // The local time, not UTC: the day and the hour as given.
    EXPECT_EQ(date.rfind(L" 2024", 0), 0u) << std::string(date.begin(), date.end());
    EXPECT_EQ(date.back(), L'5');
    EXPECT_EQ(time.rfind(L" 14:07", 0), 0u);
}

TEST(FileSizes, TheChoosersPreviewEndsWithAMarkOnlyWhenTheFileEndsFirst) {
    testsupport::TempFolder folder{L"preview"};
    const std::string kana = "\x83\x74\x83\x40\x83\x43\x83\x8b"; // ファイル: four characters, eight bytes
    struct Case {
        const char* what;
        std::string bytes;
        std::wstring preview;
    };
    const Case cases[] = {
        {"short", "ab\r\ncd", L"ab\r\ncd\r\n[END]"},
        {"empty", "", L"\r\n[END]"},
        {"799 characters", std::string(799, 'x'), std::wstring(799, L'x') + L"\r\n[END]"},
        {"800 characters", std::string(800, 'x'), std::wstring(800, L'x')},
        {"200 double-byte characters and 700 more",
         [&] {
             std::string s;
             for (int i = 0; i < 50; ++i) {
                 s += kana;
             }
             return s + std::string(700, 'y');
         }(),
         [] {
             std::wstring s;
             for (int i = 0; i < 50; ++i) {
                 s += L"ファイル";
             }
             return s + std::wstring(600, L'y');
         }()},
    };
    for (const auto& c : cases) {
        const std::wstring path = folder / L"file.txt";
        ASSERT_TRUE(ruvex::ReplaceFileContents(path, c.bytes));
        EXPECT_EQ(ruvex::ui::FilePreview(path), c.preview) << c.what;
    }
    EXPECT_EQ(ruvex::ui::FilePreview(folder / L"missing.txt"), L"\r\n[END]");
    EXPECT_EQ(ruvex::ui::ShortUpperName(L"readme-first-please.txt"), L" README-FIRST-PL");
}
