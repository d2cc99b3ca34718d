#include "uninstaller/manage/records.h"

#include "base/codec.h"
#include "support/TempFolder.h"
#include "uninstaller/manage/related.h"
#include "uninstaller/monitor/database.h"
#include "uninstaller/monitor/failure.h"

#include <gtest/gtest.h>

using namespace ruvex;
using testsupport::TempFolder;

namespace {
using Lines = std::vector<std::wstring>;
} // namespace

TEST(Records, RegisterRenameAndReleaseOnTheFile) {
    TempFolder dir{L"records"};
    ASSERT_TRUE(RegisterSoftware(dir.path(), L"Foo"));
    ASSERT_TRUE(RegisterSoftware(dir.path(), L"Foo"));
    EXPECT_EQ(ReadAllLines(dir.path()).lines, (Lines{L"[Foo]", L"[Foo]"}));

    ASSERT_TRUE(WriteAllLines(dir.path(),
                              {L"C:\\stray.txt", L"", L"[Foo]", L"C:\\foo.exe", L"", L"[Bar]", L"-[Bar]", L"[foo]",
                               L"C:\\foo2.exe", L"[Baz]", L"C:\\baz.exe"},
                              EmptyLines::Keep));
    // The first header only, found without case; empty lines stay.
    ASSERT_TRUE(RenameSoftware(dir.path(), L"FOO", L"バー"));
    EXPECT_EQ(ReadAllLines(dir.path()).lines, (Lines{L"C:\\stray.txt", L"", L"[バー]", L"C:\\foo.exe", L"", L"[Bar]",
                                                     L"-[Bar]", L"[foo]", L"C:\\foo2.exe", L"[Baz]", L"C:\\baz.exe"}));
    ASSERT_TRUE(RenameSoftware(dir.path(), L"バー", L"Foo"));
    // Every record of the name, header and body; the lines before the first header and empty lines stay.
    ASSERT_TRUE(ReleaseSoftware(dir.path(), L"foo"));
    EXPECT_EQ(ReadAllLines(dir.path()).lines,
              (Lines{L"C:\\stray.txt", L"", L"[Bar]", L"-[Bar]", L"[Baz]", L"C:\\baz.exe"}));
    // A name that no header holds: the file is written back as it was.
    ASSERT_TRUE(RenameSoftware(dir.path(), L"None", L"X"));
    ASSERT_TRUE(ReleaseSoftware(dir.path(), L"None"));
    EXPECT_EQ(ReadAllLines(dir.path()).lines.size(), 6u);
}

TEST(Records, ARewriteThatFailsLeavesTheFileByteForByte) {
    TempFolder dir{L"records"};
    ASSERT_TRUE(WriteAllLines(dir.path(), {L"[Foo]", L"C:\\foo.exe"}));
    std::string before;
    ReadFileBytes(DatabasePath(dir.path()), before);
    SetFileAttributesW(DatabasePath(dir.path()).c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(RenameSoftware(dir.path(), L"Foo", L"Bar"));
    EXPECT_FALSE(ReleaseSoftware(dir.path(), L"Foo"));
    SetFileAttributesW(DatabasePath(dir.path()).c_str(), FILE_ATTRIBUTE_NORMAL);
    std::string after;
    ReadFileBytes(DatabasePath(dir.path()), after);
    EXPECT_EQ(after, before);
}

TEST(Records, ADatabaseThatIsNoAnsiTextIsAReadFailureNamingItForEveryRewrite) {
    TempFolder dir{L"records"};
    const std::wstring path = DatabasePath(dir.path());
    const char bytes[] = "\xFF\xFE[\0F\0o\0o\0]\0"; // UTF-16
    const std::function<FileResult()> rewrites[] = {
        [&] { return RenameSoftware(dir.path(), L"Foo", L"Bar"); },
        [&] { return ReleaseSoftware(dir.path(), L"Foo"); },
        [&] { return AddRelatedFiles(dir.path(), L"Foo", {L"C:\\x.txt"}); },
        [&] { return ReleaseRelatedFiles(dir.path(), L"Foo", {}); },
    };
    for (const auto& rewrite : rewrites) {
        ASSERT_TRUE(ReplaceFileContents(path, std::string_view(bytes, sizeof bytes - 1)));
        FileResult result = rewrite();
        EXPECT_FALSE(result);
        EXPECT_TRUE(result.reading);
        EXPECT_EQ(result.path, path);
        EXPECT_EQ(FileFailureText(result).find(L"次のファイルを読み込めませんでした。\r\n" + path + L"\r\n"), 0u);
    }
}
