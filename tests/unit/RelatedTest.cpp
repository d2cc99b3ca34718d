#include "uninstaller/manage/related.h"

#include "base/codec.h"
#include "base/handles.h"
#include "base/safefile.h"
#include "support/TempFolder.h"
#include "uninstaller/monitor/database.h"

#include <gtest/gtest.h>

using namespace ruvex;
using testsupport::TempFolder;

namespace {

using Lines = std::vector<std::wstring>;

TEST(RelatedEdit, AddingAndReleasingRewriteTheRightRecords) {
    struct Case {
        const char* what;
        bool add;
        std::wstring name;
        Lines files; // added, or kept
        Lines before, after;
    };
    const Case cases[] = {
        {"added after every exact header, in order",
         true,
         L"Foo",
         {L"C:\\n1", L"C:\\n2"},
         {L"", L"[Foo]", L"C:\\a", L"[foo]", L"C:\\b", L"[Foo]"},
         {L"", L"[Foo]", L"C:\\n1", L"C:\\n2", L"C:\\a", L"[foo]", L"C:\\b", L"[Foo]", L"C:\\n1", L"C:\\n2"}},
        {"no exact header: nothing added", true, L"FOO", {L"C:\\n"}, {L"[Foo]", L"C:\\a"}, {L"[Foo]", L"C:\\a"}},
        {"released: win.ini lines first, then the kept files; only the first record",
         false,
         L"foo",
         {L"C:\\k"},
         {L"[Bar]", L"C:\\x", L"[Foo]", L"C:\\a", L"-[S1]", L"C:\\k", L"", L"-[S2]", L"[Foo]", L"C:\\b", L"[Baz]"},
         {L"[Bar]", L"C:\\x", L"[Foo]", L"-[S1]", L"-[S2]", L"C:\\k", L"[Foo]", L"C:\\b", L"[Baz]"}},
        {"everything released: the header, its win.ini and its registry lines stay",
         false,
         L"Foo",
         {},
         {L"[Foo]", L"C:\\a", L"-[S]", L"*K:HKEY_CURRENT_USER\\Software\\Foo", L"C:\\b"},
         {L"[Foo]", L"-[S]", L"*K:HKEY_CURRENT_USER\\Software\\Foo"}},
        {"a last record released to the end of the table",
         false,
         L"Foo",
         {L"C:\\b"},
         {L"[Foo]", L"C:\\a", L"C:\\b"},
         {L"[Foo]", L"C:\\b"}},
    };
    for (const auto& c : cases) {
        Lines result = c.add ? WithFilesAdded(c.before, c.name, c.files) : WithFilesReleased(c.before, c.name, c.files);
        EXPECT_EQ(result, c.after) << c.what;
    }
}

class RelatedFiles : public ::testing::Test {
protected:
    TempFolder data{L"related"};
    std::string Bytes(const wchar_t* name) {
        std::string bytes;
        ReadFileBytes(data / name, bytes);
        return bytes;
    }
};

TEST_F(RelatedFiles, RewritesKeepEmptyLinesAndAFailedOrRefusedOneLeavesTheDatabase) {
    ASSERT_TRUE(ReplaceFileLines(DatabasePath(data.path()), {L"[Foo]", L"", L"C:\\a"}));
    ASSERT_TRUE(AddRelatedFiles(data.path(), L"Foo", {L"C:\\n"}));
    EXPECT_EQ(ReadFileLines(DatabasePath(data.path())).lines, (Lines{L"[Foo]", L"C:\\n", L"", L"C:\\a"}));

    const std::string before = Bytes(L"uninstall.dat");
    // A name that the code page would write as another (é as e, ¥ as a backslash, € as ?) refuses the
    // whole list; Japanese names are recorded as they are.
    const Lines chosen{L"C:\\表計算ｿﾌﾄ.txt", L"C:\\café.txt", L"C:\\¥.txt", L"C:\\€.txt", L"C:\\a.txt"};
    EXPECT_EQ(UnrecordableFiles(chosen), (Lines{L"C:\\café.txt", L"C:\\¥.txt", L"C:\\€.txt"}));
    FileResult refused = AddRelatedFiles(data.path(), L"Foo", chosen);
    EXPECT_FALSE(refused);
    EXPECT_EQ(refused.error, static_cast<DWORD>(ERROR_NO_UNICODE_TRANSLATION));
    EXPECT_EQ(Bytes(L"uninstall.dat"), before);

    SetFileAttributesW(DatabasePath(data.path()).c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(ReleaseRelatedFiles(data.path(), L"Foo", {}));
    SetFileAttributesW(DatabasePath(data.path()).c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(Bytes(L"uninstall.dat"), before);
}

TEST_F(RelatedFiles, DeletionCountsWhatWentAndLeavesBusyFilesAndNonPaths) {
    const std::wstring plain = data / L"plain.txt";
    const std::wstring readOnly = data / L"readonly.txt";
    const std::wstring busy = data / L"busy.txt";
    for (const auto& path : {plain, readOnly, busy}) {
        ASSERT_TRUE(ReplaceFileContents(path, "x"));
    }
    SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
    const std::wstring missing = data / L"missing.txt";

    // A database that could not drop the lines afterwards: nothing is deleted.
    ASSERT_TRUE(ReplaceFileLines(DatabasePath(data.path()), {L"[Foo]", plain}));
    SetFileAttributesW(DatabasePath(data.path()).c_str(), FILE_ATTRIBUTE_READONLY);
    DeleteOutcome refused = DeleteRecordedFiles(data.path(), {plain});
    SetFileAttributesW(DatabasePath(data.path()).c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_FALSE(refused.database);
    EXPECT_EQ(refused.database.path, DatabasePath(data.path()));
    EXPECT_TRUE(FileExists(plain));

    DeleteOutcome gone = DeleteRecordedFiles(data.path(), {plain, readOnly, missing});
    EXPECT_EQ(gone.count, 3);
    EXPECT_FALSE(gone.failed);
    EXPECT_FALSE(FileExists(plain));
    EXPECT_FALSE(FileExists(readOnly));
    EXPECT_EQ(DeletedMessage(gone), L"3 個のﾌｧｲﾙを削除しました。");

    FileHandle held(CreateFileW(busy.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    const std::wstring folder = data / L"folder";
    CreateDirectoryW(folder.c_str(), nullptr);
    SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_HIDDEN);
    DeleteOutcome kept = DeleteRecordedFiles(data.path(), {busy, data / L"*.txt", folder});
    EXPECT_EQ(kept.count, 0);
    EXPECT_TRUE(kept.failed);
    EXPECT_TRUE(FileExists(busy));
    EXPECT_EQ(GetFileAttributesW(folder.c_str()), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(DeletedMessage(kept), L"0 個のﾌｧｲﾙを削除しました。（削除できないファイルがありました。)");
}

} // namespace
