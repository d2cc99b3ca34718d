#include "uninstaller/monitor/tidy.h"

#include "ScriptedHost.h"
#include "base/codec.h"
#include "base/text.h"
#include "uninstaller/monitor/database.h"
#include "uninstaller/monitor/filepath.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace ruvex;
using testsupport::ScriptedHost;
using testsupport::TempFolder;

namespace {
using Lines = std::vector<std::wstring>;

class Tidy : public ::testing::Test {
protected:
    TempFolder dir{L"tidy"};
    ScriptedHost host;
    void Write(const Lines& lines) { ASSERT_TRUE(WriteAllLines(dir.path(), lines, EmptyLines::Keep)); }
    Lines Read() { return ReadAllLines(dir.path()).lines; }
    std::wstring File(const std::wstring& name, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
        std::wstring path = dir / name;
        EXPECT_TRUE(ReplaceFileContents(path, "x"));
        SetFileAttributesW(path.c_str(), attributes);
        return path;
    }
};

} // namespace

TEST_F(Tidy, SortsEachBodyDropsDuplicatesWithoutCaseAndLinesOutsideRecords) {
    Write({L"C:\\stray.txt", L"[Foo]", L"C:\\B\\y.exe", L"c:\\a\\X.DLL", L"", L"-[Foo]", L"C:\\A\\x.dll", L"[Bar]",
           L"C:\\z.txt", L"-[Fonts]", L"[Foo]", L"C:\\own.txt"});
    ASSERT_TRUE(Seiri(dir.path(), host));
    // The last spelling of a run stays; win.ini lines before the paths; records keep their places.
    EXPECT_EQ(Read(), (Lines{L"[Foo]", L"-[Foo]", L"C:\\A\\x.dll", L"C:\\B\\y.exe", L"[Bar]", L"-[Fonts]", L"C:\\z.txt",
                             L"[Foo]", L"C:\\own.txt"}));
    EXPECT_EQ(host.labels[0], L"アンインストールデーターを整理しています、しばらくお待ちください。");
    EXPECT_EQ(host.labels[1], L"データー [Foo] を整理しています、しばらくお待ちください。");
    EXPECT_FALSE(host.busy);
}

TEST_F(Tidy, RecordLabelNamesTheFirstTenCharactersAndHeadersAloneStayAsTheyAre) {
    Write({L"[ABCDEFGHIJKLMN]", L"[表計算ｿﾌﾄ]"});
    std::string before;
    ReadFileBytes(DatabasePath(dir.path()), before);
    ASSERT_TRUE(Seiri(dir.path(), host));
    EXPECT_EQ(host.labels[1], L"データー [ABCDEFGHIJ] を整理しています、しばらくお待ちください。");
    ASSERT_TRUE(Killed(dir.path(), host));
    std::string after;
    ReadFileBytes(DatabasePath(dir.path()), after);
    EXPECT_EQ(after, before);
}

TEST_F(Tidy, MissingFileCheckDropsDeletedFilesOnly) {
    std::wstring kept = File(L"kept.txt");
    std::wstring hidden = File(L"hidden.sys", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    std::wstring gone = File(L"gone.txt");
    DeleteFileW(gone.c_str());
    std::wstring absent = testsupport::AbsentDrive() + L"\\Program Files\\x.exe";
    // Lines that are no full file path cannot be judged: the uninstall leaves them alone, the record keeps them.
    Lines unjudged{L"gone.txt", dir / L"*.txt", dir / L"sub\\..\\gone.txt", dir / L"NUL"};
    // A folder is no file of a record: its line goes, the folder stays.
    // Registry lines go when their key or value is gone; one that cannot be judged stays.
    const std::wstring software = L"*K:HKEY_CURRENT_USER\\Software";
    Lines registry{software, L"*K:HKEY_CURRENT_USER\\Software\\RvxNoSuchKey",
                   L"*V:HKEY_CURRENT_USER\\Software\\\\RvxNoSuchValue", L"*K:HKEY_USERS\\.DEFAULT", L"*Q"};
    Lines lines{gone, kept, L"[Foo]", gone, L"-[Fonts]", hidden, L"", kept, absent, L"[Bar]", gone, dir.path()};
    lines.insert(lines.end(), unjudged.begin(), unjudged.end());
    lines.insert(lines.end(), registry.begin(), registry.end());
    Write(lines);
    ASSERT_TRUE(Killed(dir.path(), host));
    // A drive that is away keeps its lines; headers and win.ini lines always stay.
    Lines expected{kept, L"[Foo]", L"-[Fonts]", hidden, kept, absent, L"[Bar]"};
    unjudged.insert(unjudged.end(), {software, registry[3], registry[4]});
    expected.insert(expected.end(), unjudged.begin(), unjudged.end());
    EXPECT_EQ(Read(), expected);
    EXPECT_TRUE(FolderExists(dir.path()));
    EXPECT_EQ(host.labels, Lines{L"削除されたファイルがないか調べています、しばらくお待ちください。"});
}

// The check asks once per folder; its answers must be those of the per-path rule, whatever the path.
TEST_F(Tidy, AskingOncePerFolderAnswersWhatEachPathAnswers) {
    CreateDirectoryW((dir / L"sub").c_str(), nullptr);
    CreateDirectoryW((dir / L"表ﾃﾞｰﾀ").c_str(), nullptr);
    const std::wstring longName = File(L"long file name.text");
    wchar_t shortPath[MAX_PATH] = {};
    GetShortPathNameW(longName.c_str(), shortPath, MAX_PATH);
    Lines paths{File(L"Kept.TXT"),
                dir / L"kept.txt",
                dir / L"KEPT.txt",
                File(L"h.sys", FILE_ATTRIBUTE_HIDDEN),
                File(L"s.sys", FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN),
                dir / L"gone.txt",
                File(L"表ﾃﾞｰﾀ\\ｿﾌﾄ.dat"),
                dir / L"表ﾃﾞｰﾀ\\ｿﾌﾄ2.dat",
                File(L"ａＢ.txt"),
                dir / L"ＡＢ.txt",
                dir / L"sub",
                dir / L"sub\\x.txt",
                dir / L"gone\\deeper\\x.txt",
                dir / L"gone\\y.txt",
                shortPath,
                dir / L"LONGFI~9.TEX",
                L"C:\\rvx-nothing-here.txt",
                L"C:\\windows\\win.ini",
                testsupport::AbsentDrive() + L"\\x.exe",
                dir / (std::wstring(MAX_PATH, L'n') + L".txt"),
                L"[Foo]",
                L"-[Fonts]",
                L"",
                L"relative.txt"};
    paths.push_back(dir / L"gone\\z.txt");
    // Once: each folder asked line by line; a dozen times: each folder listed.
    for (int copies : {1, 12}) {
        Lines many;
        for (int c = 0; c < copies; ++c) {
            many.insert(many.end(), paths.begin(), paths.end());
        }
        PathProbe each;
        Lines differ;
        const std::vector<PathState> all = PathProbe().ProbeAll(many);
        for (std::size_t i = 0; i < many.size(); ++i) {
            if (all[i] != each.Probe(many[i])) {
                differ.push_back(many[i]);
            }
        }
        EXPECT_EQ(differ, Lines{}) << copies;
        EXPECT_GE(std::count(all.begin(), all.end(), PathState::Gone), 6 * copies);
        EXPECT_GE(std::count(all.begin(), all.end(), PathState::File), 7 * copies);
    }
}

TEST_F(Tidy, BothPassesDoNothingWithoutADatabase) {
    EXPECT_TRUE(Killed(dir.path(), host));
    EXPECT_FALSE(DatabaseExists(dir.path()));
    EXPECT_TRUE(host.labels.empty());
}

TEST(TidyBody, KeepsOneOfEachLineInSortedOrder) {
    EXPECT_EQ(TidyBody({L"b", L"", L"B", L"a", L"-[x]", L"", L"A"}), (Lines{L"-[x]", L"A", L"B"}));
    EXPECT_TRUE(TidyBody({L"", L""}).empty());
}

TEST_F(Tidy, ADatabaseBeyondTheInitialTableComesOutWhole) {
    // 40,000 lines, more than the table starts with: 400 records of 99 files each, written in reverse.
    // Every record names the same 49 existing files and 50 missing ones.
    Lines existing(99);
    for (int f = 0; f < 99; ++f) {
        existing[f] = f % 2 ? File(L"f" + std::to_wstring(f) + L".txt") : dir / (L"gone" + std::to_wstring(f));
    }
    Lines lines;
    for (int r = 0; r < 400; ++r) {
        lines.push_back(L"[Soft" + std::to_wstring(r) + L"]");
        for (int f = 98; f >= 0; --f) {
            lines.push_back(existing[f]);
        }
    }
    ASSERT_EQ(lines.size(), 40000u);
    Write(lines);
    ASSERT_TRUE(Seiri(dir.path(), host));
    Lines tidied = Read();
    ASSERT_EQ(tidied.size(), 40000u);
    // Each record in its place, its body sorted with no line twice.
    for (std::size_t i = 0; i < tidied.size(); ++i) {
        if (i % 100 == 0) {
            ASSERT_EQ(tidied[i], L"[Soft" + std::to_wstring(i / 100) + L"]");
        } else if (i % 100 > 1) {
            ASSERT_LT(TextCompare(tidied[i - 1], tidied[i]), 0) << i;
        }
    }
    ASSERT_TRUE(Killed(dir.path(), host));
    Lines checked = Read();
    EXPECT_EQ(checked.size(), 400u + 400u * 49u); // the headers and the files that exist
    EXPECT_EQ(checked.back().substr(checked.back().size() - 4), L".txt");
}

// A read that fails is no end of file: every reader reports it, and neither the tidy nor the missing-file
// check writes back what it read before. scripts/setup-env makes C:\ruvex-faults\unreadable\uninstall.dat a
// link to the memory of the process that reads it, whose first page is never mapped: every read fails.
TEST(TidyFaults, AReadThatFailsChangesNothingAndIsReported) {
    const std::wstring folder = L"C:\\ruvex-faults\\unreadable";
    const std::wstring path = DatabasePath(folder);
    if (!FileExists(path)) {
        GTEST_SKIP() << "no unreadable file here (scripts/setup-env makes it)";
    }
    std::string bytes;
    EXPECT_FALSE(ReadFileBytes(path, bytes));
    EXPECT_FALSE(ReadFileLines(path).result.ok);
    FileLines table = ReadAllLines(folder);
    EXPECT_FALSE(table.result.ok);
    EXPECT_NE(table.result.error, static_cast<DWORD>(ERROR_SUCCESS));
    ScriptedHost host;
    for (FileResult result : {Seiri(folder, host), Killed(folder, host)}) {
        EXPECT_FALSE(result.ok);
        EXPECT_TRUE(result.reading);
    }
    // Still the link: nothing was written in its place.
    EXPECT_FALSE(ReadFileBytes(path, bytes));
}

// Damaged and foreign databases: either every line comes back from the tidy and the missing-file check (in
// its record, CR LF ended), or both refuse, say why and leave every byte as it was.
TEST_F(Tidy, DamagedOrForeignDatabasesComeBackWholeOrAreLeftAlone) {
    const std::string q = WideToAnsi(testsupport::AbsentDrive()); // paths on a drive that is away survive the check
    std::string million;
    for (int i = 0; i < 1000000; ++i) {
        million += i % 10 ? q + "\\f" + std::to_string(i) + "\r\n" : "[S" + std::to_string(i) + "]\r\n";
    }
    const std::wstring utf16 = L"\xFEFF[A]\r\nQ:\\a\r\n";
    const struct {
        const char* shape;
        std::string bytes;
        bool rewritten;
        std::size_t names;
    } cases[] = {
        {"lone CRs", "[A]\r" + q + "\\a.txt\r" + q + "\\b.txt\r[B]\r" + q + "\\c", true, 2},
        {"a line of 100,000 characters", "[A]\r\n" + q + "\\" + std::string(100000, 'x') + "\r\n", true, 1},
        {"a lone [", "[\r\n" + q + "\\a\r\n[B]\r\n" + q + "\\b\r\n", true, 1},
        {"headers without bodies", "[A]\r\n[B]\r\n[]\r\n[C]", true, 4},
        {"1,000,000 lines", million, true, 100000},
        {"NUL bytes", std::string("[A]\r\n") + q + std::string("\\a\0b.txt\r\n", 10), false, 1},
        {"a lone lead byte", "[A]\r\n" + q + "\\\x82\r\n" + q + "\\b\r\n", false, 1},
        {"a lead byte before a space", "[A]\r\n" + q + "\\\x82 x\r\n", false, 1},
        {"UTF-8 with its byte-order mark", "\xEF\xBB\xBF[A]\r\n" + q + "\\\xE8\xA1\xA8\r\n", false, 0},
        {"UTF-16 with its byte-order mark",
         std::string(reinterpret_cast<const char*>(utf16.data()), utf16.size() * sizeof(wchar_t)), false, 0},
        {"LF line ends", "[A]\n" + q + "\\a\n[B]\n", false, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shape);
        const std::wstring path = DatabasePath(dir.path());
        ASSERT_TRUE(ReplaceFileContents(path, c.bytes));
        EXPECT_EQ(ListSoftwareNames(dir.path(), host).names.size(), c.names);
        Lines read = SplitLines(c.bytes);
        for (FileResult result : {Seiri(dir.path(), host), Killed(dir.path(), host)}) {
            std::string after;
            ASSERT_TRUE(ReadFileBytes(path, after));
            if (!c.rewritten) {
                EXPECT_FALSE(result.ok);
                EXPECT_TRUE(result.reading);
                EXPECT_EQ(result.error, static_cast<DWORD>(ERROR_NO_UNICODE_TRANSLATION));
                EXPECT_EQ(after, c.bytes);
                continue;
            }
            ASSERT_TRUE(result.ok);
            Lines written = SplitLines(after);
            EXPECT_EQ(after, JoinLines(written));
            // No line is lost; only their order within a record may change.
            Lines sortedRead = read, sortedWritten = written;
            std::erase(sortedRead, L"");
            std::sort(sortedRead.begin(), sortedRead.end());
            std::sort(sortedWritten.begin(), sortedWritten.end());
            ASSERT_EQ(sortedWritten, sortedRead);
        }
    }
}
