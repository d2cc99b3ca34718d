#include "base/codec.h"
#include "base/handles.h"
#include "base/path.h"
#include "base/safefile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <thread>

using namespace ruvex;
using testsupport::TempFolder;

namespace {
std::string Bytes(const std::wstring& path) {
    std::string b;
    ReadFileBytes(path, b);
    return b;
}
int FilesIn(const std::wstring& folder) {
    WIN32_FIND_DATAW d;
    FindHandle f(FindFirstFileW((folder + L"\\*").c_str(), &d));
    int n = 0;
    if (f) {
        do {
            n += (d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? 0 : 1;
        } while (FindNextFileW(f.get(), &d));
    }
    return n;
}
} // namespace

TEST(SafeFile, ReplaceWritesWholeFileAndLeavesNoTemporaryFile) {
    TempFolder dir;
    ASSERT_TRUE(ReplaceFileContents(dir / L"x.dat", "old"));
    ASSERT_TRUE(ReplaceFileContents(dir / L"x.dat", "new\r\n"));
    EXPECT_EQ(Bytes(dir / L"x.dat"), "new\r\n");
    EXPECT_EQ(FilesIn(dir.path()), 1);
}

TEST(SafeFile, ARewriteWaitsOutAReaderThatHoldsTheTargetForAMoment) {
    // A scanner reading the file, sharing everything: Wine refuses to replace a file that is open at all.
    TempFolder dir;
    const std::wstring path = dir / L"uninstall.dat";
    ASSERT_TRUE(ReplaceFileContents(path, "old"));
    FileHandle reader(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(reader);
    std::thread release([&] {
        Sleep(500);
        reader.reset();
    });
    EXPECT_TRUE(ReplaceFileContents(path, "new"));
    release.join();
    EXPECT_EQ(Bytes(path), "new");
}

TEST(SafeFile, FailedRewriteKeepsTheOldFileByteForByte) {
    TempFolder dir;
    const std::wstring path = dir / L"uninstall.dat";
    const std::string old = "[Foo]\r\nC:\\foo.exe\r\n";
    ASSERT_TRUE(ReplaceFileContents(path, old));

    {
        // Another program holds the file open without sharing it.
        FileHandle lock(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(lock.valid());
        FileResult r = ReplaceFileContents(path, "[Bar]\r\n");
        EXPECT_FALSE(r.ok);
        EXPECT_NE(r.error, static_cast<DWORD>(ERROR_SUCCESS));
    }
    EXPECT_EQ(Bytes(path), old);
    EXPECT_EQ(FilesIn(dir.path()), 1);

    ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
    FileResult r = ReplaceFileContents(path, "[Bar]\r\n");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, static_cast<DWORD>(ERROR_ACCESS_DENIED));
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(Bytes(path), old);
    EXPECT_EQ(FilesIn(dir.path()), 1);

    // A folder that does not exist: nothing is created anywhere.
    EXPECT_FALSE(ReplaceFileContents(dir / L"missing\\x.dat", "x").ok);
    // A folder too long for a temporary file's name (made through the long-path form): refused, no buffer
    // overrun.
    const std::wstring deep = dir / (std::wstring(200, L'x') + L"\\" + std::wstring(100, L'y'));
    ASSERT_TRUE(CreateDirectoryW((L"\\\\?\\" + FolderWithSeparator(deep)).c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW((L"\\\\?\\" + deep).c_str(), nullptr));
    EXPECT_EQ(ReplaceFileContents(deep + L"\\x.dat", "x").error, static_cast<DWORD>(ERROR_FILENAME_EXCED_RANGE));
}

TEST(SafeFile, AppendCreatesOrExtendsAndAFailedAppendChangesNothing) {
    TempFolder dir;
    const std::wstring path = dir / L"a.dat";
    ASSERT_TRUE(AppendLines(path, {L"one"}));
    ASSERT_TRUE(AppendLines(path, {L"two", L"三"}));
    EXPECT_EQ(Bytes(path), "one\r\ntwo\r\n" + WideToAnsi(L"三") + "\r\n");

    FileHandle lock(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_FALSE(AppendLines(path, {L"four"}).ok);
    lock.reset();
    EXPECT_EQ(Bytes(path), "one\r\ntwo\r\n" + WideToAnsi(L"三") + "\r\n");
}

TEST(SafeFile, AnAppendThatFailsPartWayIsCutBackToTheOldLength) {
    TempFolder dir;
    const std::wstring path = dir / L"uninstall.dat";
    const std::string old = "[Foo]\r\nC:\\foo.exe\r\n";
    ASSERT_TRUE(ReplaceFileContents(path, old));
    // The disk fills up after half of the record.
    auto halfThenFull = [](HANDLE file, std::string_view bytes) {
        DWORD written = 0;
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size() / 2), &written, nullptr);
        SetLastError(ERROR_DISK_FULL);
        return false;
    };
    FileResult r = AppendToFile(path, "[Bar]\r\nC:\\bar.exe\r\n", halfThenFull);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, static_cast<DWORD>(ERROR_DISK_FULL));
    EXPECT_EQ(Bytes(path), old);
}

TEST(SafeFile, CreateEmptyFileKeepsAnExistingOne) {
    TempFolder dir;
    ASSERT_TRUE(CreateEmptyFileIfMissing(dir / L"e.dat"));
    EXPECT_TRUE(FileExists(dir / L"e.dat"));
    EXPECT_EQ(Bytes(dir / L"e.dat"), "");
    ASSERT_TRUE(ReplaceFileContents(dir / L"e.dat", "keep"));
    ASSERT_TRUE(CreateEmptyFileIfMissing(dir / L"e.dat"));
    EXPECT_EQ(Bytes(dir / L"e.dat"), "keep");
    EXPECT_FALSE(FileExists(dir.path()));
    EXPECT_TRUE(FolderExists(dir.path()));
}
