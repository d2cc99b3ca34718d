#include "uninstaller/monitor/database.h"

#include "ScriptedHost.h"
#include "base/codec.h"
#include "base/handles.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

using namespace ruvex;
using testsupport::ScriptedHost;
using testsupport::TempFolder;

namespace {
using Lines = std::vector<std::wstring>;

class Database : public ::testing::Test {
protected:
    TempFolder dir{L"db"};
    ScriptedHost host;
    const std::wstring& folder() const { return dir.path(); }
    void Write(const std::string& bytes) { ASSERT_TRUE(ReplaceFileContents(DatabasePath(folder()), bytes)); }
    std::string Bytes() const {
        std::string b;
        ReadFileBytes(DatabasePath(folder()), b);
        return b;
    }
};
} // namespace

TEST_F(Database, MissingOrEmptyFileListsNothing) {
    EXPECT_FALSE(DatabaseExists(folder()));
    EXPECT_TRUE(ListSoftwareNames(folder(), host).names.empty());
    EXPECT_TRUE(ListSoftwareNames(folder(), host).read);
    EXPECT_TRUE(ReadRecord(folder(), L"Foo").files.empty());
    EXPECT_TRUE(ReadAllLines(folder()).result.ok);
    EXPECT_TRUE(ReadAllLines(folder()).lines.empty());

    ASSERT_TRUE(CreateEmptyDatabase(folder()));
    EXPECT_TRUE(DatabaseExists(folder()));
    EXPECT_EQ(Bytes(), "");
    EXPECT_TRUE(ListSoftwareNames(folder(), host).names.empty());
    EXPECT_TRUE(host.maxima.empty()); // an empty file sets no progress maximum

    Write("[Foo]\r\n");
    ASSERT_TRUE(CreateEmptyDatabase(folder()));
    EXPECT_EQ(Bytes(), "[Foo]\r\n");
}

TEST_F(Database, ListsNamesInFileOrderAndSkipsLinesOutsideRecords) {
    Write("C:\\stray.txt\r\n[Foo]\r\nC:\\foo.exe\r\n[foo]\r\n-[Fonts]\r\n[]\r\n[\r\n[Bar\r\n" +
          WideToAnsi(L"[表計算]") + "\rC:\\x");
    EXPECT_EQ(ListSoftwareNames(folder(), host).names, (Lines{L"Foo", L"foo", L"", L"Ba", L"表計算"}));
}

TEST_F(Database, ReadRecordFindsTheFirstHeaderWithoutCaseAndStopsAtTheNextBracket) {
    Write(
        "[Foo]\r\nC:\\a.exe\r\n-[Fonts]\r\n\r\n-\r\nC:\\b.dll\r\n[Broken\r\nC:\\c.exe\r\n[FOO]\r\nC:\\second.exe\r\n");
    SoftwareRecord r = ReadRecord(folder(), L"foo");
    EXPECT_EQ(r.files, (Lines{L"C:\\a.exe", L"", L"C:\\b.dll"}));
    EXPECT_EQ(r.winIni, (Lines{L"[Fonts]", L""}));
    // "FOO" is found as the first record too: both list entries read the same record.
    EXPECT_EQ(ReadRecord(folder(), L"FOO").files, r.files);
    EXPECT_EQ(ReadRecord(folder(), L"Broken").files, Lines{}); // no header "[Broken]"
    EXPECT_TRUE(ReadRecord(folder(), L"Nothing").files.empty());
}

TEST_F(Database, OneHeaderAloneIsARecordWithAnEmptyBody) {
    Write("[Foo]");
    EXPECT_EQ(ListSoftwareNames(folder(), host).names, Lines{L"Foo"});
    SoftwareRecord r = ReadRecord(folder(), L"Foo");
    EXPECT_TRUE(r.files.empty());
    EXPECT_TRUE(r.winIni.empty());
}

TEST_F(Database, AppendWritesHeaderFilesThenSections) {
    ASSERT_TRUE(AppendRecord(folder(), L"表計算ｿﾌﾄ", {L"C:\\Program Files\\表\\a.exe"}, {L"[表]"}));
    ASSERT_TRUE(AppendRecord(folder(), L"Empty", {}, {}));
    ASSERT_TRUE(AppendRecordBody(folder(), {L"C:\\e.txt"}, {L"[Fonts]"}));
    EXPECT_EQ(Bytes(), WideToAnsi(L"[表計算ｿﾌﾄ]\r\nC:\\Program Files\\表\\a.exe\r\n-[表]\r\n") +
                           "[Empty]\r\nC:\\e.txt\r\n-[Fonts]\r\n");
    SoftwareRecord r = ReadRecord(folder(), L"表計算ｿﾌﾄ");
    EXPECT_EQ(r.files, Lines{L"C:\\Program Files\\表\\a.exe"});
    EXPECT_EQ(r.winIni, Lines{L"[表]"});
}

TEST_F(Database, WriteAllLinesDropsEmptyEntriesUnlessAskedToKeepThem) {
    ASSERT_TRUE(WriteAllLines(folder(), {L"[A]", L"", L"C:\\a", L""}));
    EXPECT_EQ(Bytes(), "[A]\r\nC:\\a\r\n");
    ASSERT_TRUE(WriteAllLines(folder(), {L"[A]", L"", L"C:\\a"}, EmptyLines::Keep));
    EXPECT_EQ(Bytes(), "[A]\r\n\r\nC:\\a\r\n");
    ASSERT_TRUE(WriteAllLines(folder(), {L"", L""}));
    EXPECT_EQ(Bytes(), "");
}

TEST_F(Database, ProgressFollowsTheBytesOnEveryTwentiethLine) {
    std::string text;
    for (int i = 0; i < 45; ++i) {
        // 7 bytes a line with its CR LF, 表 taking two of them (four characters read)
        text += "[\x95\x5C" + std::to_string(i % 10) + "]\r\n";
    }
    Write(text);
    EXPECT_EQ(ListSoftwareNames(folder(), host).names.size(), 45u);
    ASSERT_EQ(host.maxima, std::vector<double>{static_cast<double>(text.size())});
    ASSERT_EQ(host.positions.size(), 2u);
    EXPECT_EQ(host.positions[0].bar, ProgressBar::Wait);
    EXPECT_EQ(host.positions[0].pos, 140.0);
    EXPECT_EQ(host.positions[1].pos, 280.0);

    ScriptedHost readHost;
    EXPECT_EQ(ReadAllLines(folder(), &readHost).lines.size(), 45u);
    ASSERT_EQ(readHost.positions.size(), 2u);
    EXPECT_EQ(readHost.positions[1].pos, 280.0);
}

TEST_F(Database, AHundredThousandLinesAreReadAndRewrittenWhole) {
    Lines lines;
    lines.reserve(100000);
    for (int i = 0; i < 100000; ++i) {
        lines.push_back(i % 1000 == 0 ? L"[Soft" + std::to_wstring(i) + L"]"
                                      : L"C:\\Program Files\\ﾃｽﾄ\\file" + std::to_wstring(i) + L".dat");
    }
    ASSERT_TRUE(WriteAllLines(folder(), lines));
    FileLines read = ReadAllLines(folder());
    ASSERT_TRUE(read.result.ok);
    ASSERT_EQ(read.lines.size(), 100000u);
    EXPECT_EQ(read.lines, lines);
    read.lines[99999].clear();
    ASSERT_TRUE(WriteAllLines(folder(), read.lines));
    EXPECT_EQ(ReadAllLines(folder()).lines.size(), 99999u);
    EXPECT_EQ(ListSoftwareNames(folder(), host).names.size(), 100u);
}

TEST_F(Database, AFailedReadOrRewriteLeavesTheDatabaseAsItWas) {
    Write("[Foo]\r\nC:\\foo.exe\r\n");
    {
        // A database that exists but cannot be read is no empty database: a rewrite from it would lose it.
        FileHandle lock(
            CreateFileW(DatabasePath(folder()).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(lock.valid());
        EXPECT_FALSE(ReadAllLines(folder()).result.ok);
        // Nor is it an empty list or an empty record: each reader fails once the hold outlasts its patience.
        for (const FileResult& read : {ListSoftwareNames(folder(), host).read, ReadRecord(folder(), L"Foo").read}) {
            EXPECT_FALSE(read.ok);
            EXPECT_TRUE(read.reading);
            EXPECT_EQ(read.error, static_cast<DWORD>(ERROR_SHARING_VIOLATION));
        }
    }
    ASSERT_TRUE(SetFileAttributesW(DatabasePath(folder()).c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(WriteAllLines(folder(), {L"[Bar]"}).ok);
    SetFileAttributesW(DatabasePath(folder()).c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(Bytes(), "[Foo]\r\nC:\\foo.exe\r\n");
}
