#include "uninstaller/monitor/inspect.h"

#include "ScriptedHost.h"
#include "base/codec.h"
#include "base/safefile.h"
#include "base/text.h"
#include "support/MergeAsWritten.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <random>

using namespace ruvex;
using testsupport::ScriptedHost;
using testsupport::TempFolder;

namespace {
using Lines = std::vector<std::wstring>;

std::wstring CaseFlipped(std::wstring s, std::mt19937& rng) {
    for (auto& c : s) {
        if (rng() % 2) {
            c = static_cast<wchar_t>(iswupper(c) ? towlower(c) : towupper(c));
        }
    }
    return s;
}
} // namespace

TEST(FindAddedEntries, FollowsTheMergeOnTheTypicalCases) {
    EXPECT_EQ(FindAddedEntries({L"A", L"C"}, {L"A", L"B", L"X", L"C"}), (Lines{L"B", L"X"}));
    EXPECT_EQ(FindAddedEntries({L"A", L"B"}, {L"A", L"C"}), Lines{L"C"});
    EXPECT_EQ(FindAddedEntries({}, {L"A", L"B"}), (Lines{L"A", L"B"}));
    EXPECT_TRUE(FindAddedEntries({L"A", L"B"}, {}).empty());
    EXPECT_TRUE(FindAddedEntries({L"C:\\Windows\\A.DLL"}, {L"c:\\windows\\a.dll"}).empty());
    EXPECT_EQ(FindAddedEntries({L"C:\\表\\a"}, {L"C:\\表\\a", L"C:\\表\\ｱ"}), Lines{L"C:\\表\\ｱ"});
}

TEST(FindAddedEntries, AgreesWithTheMergeAsWrittenOnRandomLists) {
    std::mt19937 rng(20261208);
    const Lines alphabet{L"C:\\a",   L"C:\\B",  L"C:\\c\\d", L"C:\\ｿﾌﾄ",   L"C:\\表",
                         L"C:\\e-f", L"C:\\ef", L"",         L"C:\\G.TXT", L"C:\\h"};
    for (int round = 0; round < 3000; ++round) {
        Lines before;
        std::size_t n = rng() % 12;
        for (std::size_t i = 0; i < n; ++i) {
            before.push_back(alphabet[rng() % alphabet.size()]); // duplicates welcome
        }
        Lines after;
        for (const auto& e : before) {
            switch (rng() % 5) {
            case 0: // removed
                break;
            case 1: // something inserted before it
                after.push_back(alphabet[rng() % alphabet.size()]);
                after.push_back(e);
                break;
            case 2: // the same entry, another spelling
                after.push_back(CaseFlipped(e, rng));
                break;
            default:
                after.push_back(e);
            }
        }
        if (rng() % 3 == 0) {
            after.push_back(alphabet[rng() % alphabet.size()]);
        }
        ASSERT_EQ(FindAddedEntries(before, after), testsupport::MergeAsWritten(before, after)) << "round " << round;
    }
}

TEST(FindAddedEntries, ReplacesAWholeListAndReportsProgressEveryTwentiethEntry) {
    // Every before-entry is gone: the worst case of the merge as written (see bench/).
    Lines before, after;
    for (int i = 0; i < 30000; ++i) {
        before.push_back(L"C:\\old\\" + std::to_wstring(i));
        after.push_back(L"C:\\new\\" + std::to_wstring(i));
    }
    ScriptedHost host;
    EXPECT_EQ(FindAddedEntries(before, after, &host), after);
    EXPECT_EQ(host.positions.size(), 1500u);
    EXPECT_EQ(host.positions[1].pos, 20.0);
}

TEST(CompareWinIniSections, ReportsHeadersThatDoNotPairUp) {
    TempFolder dir;
    ASSERT_TRUE(ReplaceFileContents(dir / L"win.ini", "[windows]\r\nload=\r\n[Fonts]\r\n[New]\r\n[twice]\r\n[twice]\r\n"
                                                      "[three]\r\n[three]\r\n[three]\r\n"));
    ASSERT_TRUE(ReplaceFileContents(dir / L"copy.ini", "[WINDOWS]\r\n[fonts]\r\nx=[not a header]\r\n[Gone]\r\n"));
    EXPECT_EQ(CompareWinIniSections(dir / L"win.ini", dir / L"copy.ini"), (Lines{L"[Gone]", L"[New]", L"[three]"}));
    // A missing copy: every header of the current file is new.
    EXPECT_EQ(CompareWinIniSections(dir / L"copy.ini", dir / L"missing.ini"),
              (Lines{L"[fonts]", L"[Gone]", L"[WINDOWS]"}));
}

TEST(LoadListFromFile, LoadsLinesWithProgressAndStopsWhenAsked) {
    TempFolder dir;
    std::string text;
    for (int i = 0; i < 25; ++i) {
        text += "C:\\f" + std::to_string(i % 10) + "\r\n"; // 7 bytes a line
    }
    ASSERT_TRUE(ReplaceFileContents(dir / L"dir_bf.dat", text));
    ScriptedHost host;
    Lines list{L"kept"};
    ASSERT_EQ(LoadListFromFile(list, dir.path(), L"dir_bf.dat", host, LoadStyle::Inspection, L"準備しています、"),
              LoadResult::Completed);
    EXPECT_EQ(list.size(), 26u);
    EXPECT_EQ(list[1], L"C:\\f0");
    EXPECT_EQ(host.labels, Lines{L"準備しています、しばらくお待ちください。"});
    EXPECT_EQ(host.maxima, std::vector<double>{175.0});
    ASSERT_EQ(host.positions.size(), 1u);
    EXPECT_EQ(host.positions[0].pos, 140.0);
    EXPECT_EQ(host.stopPoints, 25);
    EXPECT_EQ(host.inHand, L"C:\\f4");
    EXPECT_EQ(host.fullBars, 1);

    ScriptedHost stopping;
    stopping.stopAfter = 2;
    Lines partial;
    EXPECT_EQ(LoadListFromFile(partial, dir.path(), L"dir_bf.dat", stopping, LoadStyle::Inspection),
              LoadResult::Stopped);
    EXPECT_EQ(partial.size(), 3u);

    ScriptedHost resume;
    resume.stopAfter = 0;
    Lines resumed;
    EXPECT_EQ(LoadListFromFile(resumed, dir.path(), L"dir_bf.dat", resume, LoadStyle::Resume), LoadResult::Completed);
    EXPECT_EQ(resumed.size(), 25u);
    EXPECT_EQ(resume.eventPumps, 26); // before every line, and before finding the end
    EXPECT_TRUE(resume.inHand.empty());

    Lines none;
    EXPECT_EQ(LoadListFromFile(none, dir.path(), L"missing.dat", host, LoadStyle::Resume), LoadResult::Missing);
}

TEST(FilesOfNewFolders, ListsEachFolderDirectlyAndSkipsVanishedOnes) {
    TempFolder dir;
    CreateDirectoryW((dir / L"New").c_str(), nullptr);
    CreateDirectoryW((dir / L"New\\Inner").c_str(), nullptr);
    ASSERT_TRUE(ReplaceFileContents(dir / L"New\\b.txt", "x"));
    ASSERT_TRUE(ReplaceFileContents(dir / L"New\\A.exe", "x"));
    ASSERT_TRUE(ReplaceFileContents(dir / L"New\\Inner\\c.dll", "x"));
    std::size_t skipped = 0;
    EXPECT_EQ(FilesOfNewFolders({dir / L"New", dir / L"Vanished", dir / L"New\\Inner"}, skipped),
              (Lines{dir / L"New\\A.exe", dir / L"New\\b.txt", dir / L"New\\Inner\\c.dll"}));
    EXPECT_EQ(skipped, 0u);
}

// win.ini as the preparation copies it and the inspection compares it, in every shape a system may have it.
TEST(WinIni, EveryShapeIsCopiedAndComparedAndOnlyAnAddedSectionIsReported) {
    const struct {
        const char* shape;
        const char* bytes; // nullptr: there is no win.ini
        bool readOnly;
    } cases[] = {
        {"missing", nullptr, false},
        {"empty", "", false},
        {"without sections", "key=value\r\n;[comment]\r\n", false},
        {"read-only", "[windows]\r\nload=\r\n[Fonts]\r\n", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shape);
        TempFolder windows, data;
        const std::wstring winIni = windows / L"win.ini";
        if (c.bytes) {
            ASSERT_TRUE(ReplaceFileContents(winIni, c.bytes));
            SetFileAttributesW(winIni.c_str(), c.readOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
        }
        if (c.readOnly) {
            // A copy that an older version left read-only (it copied the attribute along).
            ASSERT_TRUE(ReplaceFileContents(data / L"win.ini", "[old]\r\n"));
            SetFileAttributesW((data / L"win.ini").c_str(), FILE_ATTRIBUTE_READONLY);
        }
        // Twice: the second preparation replaces the first one's copy.
        for (int preparation = 0; preparation < 2; ++preparation) {
            ASSERT_TRUE(CopyWinIni(windows.path(), data.path()));
        }
        std::string copy;
        ASSERT_TRUE(ReadFileBytes(data / L"win.ini", copy));
        EXPECT_EQ(copy, c.bytes ? c.bytes : "");
        EXPECT_TRUE(CompareWinIniSections(winIni, data / L"win.ini").empty());

        SetFileAttributesW(winIni.c_str(), FILE_ATTRIBUTE_NORMAL);
        ASSERT_TRUE(ReplaceFileContents(winIni, std::string(c.bytes ? c.bytes : "") + "[Added]\r\nx=1\r\n"));
        EXPECT_EQ(CompareWinIniSections(winIni, data / L"win.ini"), Lines{L"[Added]"});
    }
}

// Snapshot files as the inspection finds them: a missing or cut-short before-snapshot makes no inspection
// (it would record what the lost part held as installed); an empty one is a walk that found nothing.
TEST(SnapshotFiles, MissingEmptyAndCutShortFilesAreToldApart) {
    const struct {
        const char* shape;
        const char* bytes; // nullptr: missing
        LoadResult load;
        std::size_t lines;
        bool complete;
    } cases[] = {
        {"missing", nullptr, LoadResult::Missing, 0, false},
        {"empty", "", LoadResult::Completed, 0, true},
        {"whole", "C:\\\r\nC:\\Windows\r\n", LoadResult::Completed, 2, true},
        {"cut in the middle of a line", "C:\\\r\nC:\\Win", LoadResult::Completed, 2, false},
        {"cut between CR and LF", "C:\\\r\nC:\\Windows\r", LoadResult::Completed, 2, false},
        {"one byte", "C", LoadResult::Completed, 1, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shape);
        TempFolder dir;
        if (c.bytes) {
            ASSERT_TRUE(ReplaceFileContents(dir / L"file_bf.dat", c.bytes));
        }
        ScriptedHost host;
        Lines list;
        EXPECT_EQ(LoadListFromFile(list, dir.path(), L"file_bf.dat", host, LoadStyle::Inspection), c.load);
        EXPECT_EQ(list.size(), c.lines);
        EXPECT_EQ(SnapshotComplete(dir / L"file_bf.dat"), c.complete);
    }
}
