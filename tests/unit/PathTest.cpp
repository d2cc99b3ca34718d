#include "base/codec.h"
#include "base/path.h"
#include "uninstaller/ui/cPath.h"

#include <gtest/gtest.h>

using namespace ruvex;

namespace {
struct Split {
    const wchar_t* path;
    const wchar_t* name;   // FileNamePart
    const wchar_t* folder; // FolderPart
    int depth;             // CountBackslashes
    const wchar_t* withSeparator;
    const wchar_t* afterSeparator;
    const wchar_t* root;    // DriveRoot
    const wchar_t* trimmed; // RemoveTrailingBackslash
};
const Split kSplits[] = {
    {L"C:\\Program Files\\表\\a.exe", L"a.exe", L"C:\\Program Files\\表", 3, L"C:\\Program Files\\表\\", L"a.exe",
     L"C:\\", L"C:\\Program Files\\表\\a.exe"},
    {L"C:\\Ruvex.exe", L"Ruvex.exe", L"C:", 1, L"C:\\", L"Ruvex.exe", L"C:\\", L"C:\\Ruvex.exe"},
    {L"a.exe", L"a.exe", L"", 0, L"", L"a.exe", L"", L"a.exe"},
    {L"D:Viewer.exe", L"D:Viewer.exe", L"", 0, L"D:", L"Viewer.exe", L"D:\\", L"D:Viewer.exe"},
    {L"C:\\", L"", L"C:", 1, L"C:\\", L"", L"C:\\", L"C:"},
    {L"C:\\Program Files\\", L"", L"C:\\Program Files", 2, L"C:\\Program Files\\", L"", L"C:\\", L"C:\\Program Files"},
    {L"C:\\Program Files\\\\", L"", L"C:\\Program Files\\", 3, L"C:\\Program Files\\\\", L"", L"C:\\",
     L"C:\\Program Files\\"},
    {L"", L"", L"", 0, L"", L"", L"", L""},
    // A share's root ends at its fourth backslash, whatever the length of the server and share names.
    {L"\\\\server\\share\\Ruvex\\Ruvex.exe", L"Ruvex.exe", L"\\\\server\\share\\Ruvex", 5,
     L"\\\\server\\share\\Ruvex\\", L"Ruvex.exe", L"\\\\server\\share\\", L"\\\\server\\share\\Ruvex\\Ruvex.exe"},
    {L"\\\\s\\t\\a", L"a", L"\\\\s\\t", 4, L"\\\\s\\t\\", L"a", L"\\\\s\\t\\", L"\\\\s\\t\\a"},
    {L"\\\\s\\\\a", L"a", L"\\\\s\\", 4, L"\\\\s\\\\", L"a", L"\\\\s\\\\", L"\\\\s\\\\a"},
    {L"\\\\\\t\\a", L"a", L"\\\\\\t", 4, L"\\\\\\t\\", L"a", L"\\\\\\t\\", L"\\\\\\t\\a"},
    {L"\\\\server\\share", L"share", L"\\\\server", 3, L"\\\\server\\", L"share", L"\\\\server\\share\\",
     L"\\\\server\\share"},
    {L"\\\\server", L"server", L"\\", 2, L"\\\\", L"server", L"", L"\\\\server"},
};
struct Join {
    const wchar_t* folder;
    const wchar_t* name;
    const wchar_t* joined;
};
const Join kJoins[] = {
    {L"C:\\", L"a.txt", L"C:\\a.txt"},   {L"C:\\Data", L"a.txt", L"C:\\Data\\a.txt"},
    {L"C:\\Data\\", L"", L"C:\\Data\\"}, {L"C:", L"a.txt", L"C:\\a.txt"},
    {L"", L"a.txt", L"\\a.txt"},         {L"\\\\server\\share", L"*", L"\\\\server\\share\\*"},
};
} // namespace

TEST(Path, SplitsJoinsAndTrimsPaths) {
    for (const Split& row : kSplits) {
        SCOPED_TRACE(row.path);
        EXPECT_EQ(FileNamePart(row.path), row.name);
        EXPECT_EQ(FolderPart(row.path), row.folder);
        EXPECT_EQ(CountBackslashes(row.path), row.depth);
        EXPECT_EQ(FolderWithSeparator(row.path), row.withSeparator);
        EXPECT_EQ(NameAfterSeparator(row.path), row.afterSeparator);
        EXPECT_EQ(DriveRoot(row.path), row.root);
        EXPECT_EQ(RemoveTrailingBackslash(row.path), row.trimmed);
    }
    for (const Join& row : kJoins) {
        EXPECT_EQ(JoinPath(row.folder, row.name), row.joined);
    }
    EXPECT_EQ(WithTrailingBackslash(L"C:\\Data"), L"C:\\Data\\");
    EXPECT_EQ(WithTrailingBackslash(L"C:\\"), L"C:\\");
    // 表 is 0x95 0x5C in Shift-JIS: read from an ANSI file it stays one character, never a backslash.
    const std::wstring folder = AnsiToWide("C:\\\x95\x5C");
    EXPECT_EQ(folder, L"C:\\表");
    EXPECT_EQ(RemoveTrailingBackslash(folder), folder);
    EXPECT_EQ(RemoveTrailingBackslash(folder + L"\\"), folder);
}

TEST(cPath, SplitsNameExtensionAndFolder) {
    cPath p(L"C:\\Tools\\ed.2\\readme");
    EXPECT_EQ(p.GetFileName(), L"readme");
    EXPECT_EQ(p.GetExt(), L"");
    EXPECT_EQ(p.GetPath(), L"C:\\Tools\\ed.2\\");
    EXPECT_EQ(p.GetFileNameOnly(), L"readme");

    p.New_FileName(L"archive.tar.gz");
    EXPECT_EQ(p.FileName(), L"archive.tar.gz");
    EXPECT_EQ(p.GetExt(), L"gz");
    EXPECT_EQ(p.GetFileNameOnly(), L"archive.tar");
    EXPECT_EQ(p.GetPath(), L"");

    p.New_FileName(L"file.");
    EXPECT_EQ(p.GetExt(), L"");
    EXPECT_EQ(p.GetFileNameOnly(), L"file");

    p.New_FileName(L"C:");
    EXPECT_EQ(p.GetPath(), L"C:\\");
    EXPECT_EQ(p.GetFileName(), L"");
    p.New_FileName(L"D:notes.txt");
    EXPECT_EQ(p.GetFileName(), L"notes.txt");
    EXPECT_EQ(p.GetPath(), L"D:\\");
}

TEST(cPath, JoinsQuotesAndTidiesNames) {
    EXPECT_EQ(cPath::GetFullPathName(L"C:\\Data\\", L"a.txt"), L"C:\\Data\\a.txt");
    EXPECT_EQ(cPath::GetFullPathName(L"C:\\Data", L"a.txt"), L"C:\\Data\\a.txt");
    EXPECT_EQ(cPath::GetFullPathName(L"", L"a.txt"), L"\\a.txt");
    EXPECT_EQ(cPath::GetFullPathName(L"C:\\"), L"C:\\");

    EXPECT_EQ(cPath(L"C:\\Program Files\\x.exe").AddDblQuot(), L"\"C:\\Program Files\\x.exe\"");
    EXPECT_EQ(cPath(L"a,b").AddDblQuot(), L"\"a,b\"");
    EXPECT_EQ(cPath(L"C:\\x.exe").AddDblQuot(), L"C:\\x.exe");
    EXPECT_EQ(cPath(L"\"C:\\Program Files\\x.exe\"").AddDblQuot(), L"\"C:\\Program Files\\x.exe\"");
    EXPECT_EQ(cPath(L"").AddDblQuot(true), L"\"");
    EXPECT_EQ(cPath(L"C:\\x.exe").AddDblQuot(true), L"\"C:\\x.exe\"");

    EXPECT_EQ(cPath(L"MANUAL.TXT").GetCleanFileName(), L"Manual.Txt");
    EXPECT_EQ(cPath(L"Read.Me").GetCleanFileName(), L"Read.Me");
    EXPECT_EQ(cPath(L"C:\\DOC\\README").GetCleanFileName(), L"Readme");
    EXPECT_EQ(cPath(L"ＡＢＣ.TXT").GetCleanFileName(), L"Ａｂｃ.Txt");
}

TEST(cPath, AsksTheSystemForItsFolders) {
    std::wstring windows = cPath::GetWindowsDirectory();
    std::wstring system = cPath::GetSystemDirectory();
    ASSERT_GE(windows.size(), 4u);
    EXPECT_EQ(windows.back(), L'\\');
    EXPECT_EQ(system.back(), L'\\');
    EXPECT_EQ(system.compare(0, windows.size(), windows), 0); // the system folder lies in the Windows folder

    std::wstring desktop = cPath::GetSpecialFolder(cPath::Desktop);
    EXPECT_GT(desktop.size(), 3u);
    EXPECT_EQ(desktop.back(), L'\\');
    EXPECT_NE(cPath::GetSpecialFolder(cPath::StartMenu), L"\\");
    EXPECT_EQ(cPath::GetSpecialFolder(0x7777), L"\\"); // unknown number

    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    cPath t(temp);
    std::wstring shortName = t.GetShortPathName();
    EXPECT_FALSE(shortName.empty());
    EXPECT_TRUE(cPath(L"C:\\no\\such\\file.txt").GetShortPathName().empty());
}
