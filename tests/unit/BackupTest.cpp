#include "uninstaller/manage/backup.h"

#include "base/codec.h"
#include "support/TempFolder.h"
#include "uninstaller/monitor/database.h"

#include <gtest/gtest.h>

using namespace ruvex;
using testsupport::TempFolder;

namespace {

class Backup : public ::testing::Test {
protected:
    TempFolder data{L"backup"};
    std::string Bytes(const wchar_t* name) {
        std::string bytes;
        ReadFileBytes(data / name, bytes);
        return bytes;
    }
};

TEST_F(Backup, CopiesByteForByteAndAMissingBackupChangesNothing) {
    EXPECT_FALSE(TakeBackup(data.path()));
    EXPECT_FALSE(FileExists(BackupPath(data.path())));

    const std::string database = "[Foo]\r\nC:\\\x83\x74\x83\x40\x83\x43\x83\x8b\r\n[Bar]"; // no last line end
    ASSERT_TRUE(ReplaceFileContents(DatabasePath(data.path()), database));
    FileResult noBackup = RestoreBackup(data.path());
    EXPECT_FALSE(noBackup);
    EXPECT_TRUE(noBackup.reading);
    EXPECT_EQ(Bytes(L"uninstall.dat"), database);

    ASSERT_TRUE(TakeBackup(data.path()));
    EXPECT_EQ(Bytes(L"uninstall.bak"), database);
    ASSERT_TRUE(ReplaceFileContents(DatabasePath(data.path()), "[Changed]\r\n"));
    ASSERT_TRUE(RestoreBackup(data.path()));
    EXPECT_EQ(Bytes(L"uninstall.dat"), database);
    EXPECT_EQ(Bytes(L"uninstall.bak"), database);

    // A database that cannot be replaced stays as it was, and the failure is a write.
    ASSERT_TRUE(ReplaceFileContents(DatabasePath(data.path()), "[Changed]\r\n"));
    SetFileAttributesW(DatabasePath(data.path()).c_str(), FILE_ATTRIBUTE_READONLY);
    FileResult locked = RestoreBackup(data.path());
    SetFileAttributesW(DatabasePath(data.path()).c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_FALSE(locked);
    EXPECT_FALSE(locked.reading);
    EXPECT_EQ(Bytes(L"uninstall.dat"), "[Changed]\r\n");
}

} // namespace
