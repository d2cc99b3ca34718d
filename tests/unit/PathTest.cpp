#include "uninstaller/monitor/Module1.h"
#include "uninstaller/ui/cPath.h"

#include <gtest/gtest.h>

using namespace ruvex;

TEST(Module1, SplitsPathsAtTheLastBackslash) {
    EXPECT_EQ(FileNamePart(L"C:\\Program Files\\表\\a.exe"), L"a.exe");
    EXPECT_EQ(FileNamePart(L"a.exe"), L"a.exe");
    EXPECT_EQ(FolderPart(L"C:\\Program Files\\表\\a.exe"), L"C:\\Program Files\\表");
    EXPECT_EQ(FolderPart(L"C:\\a.exe"), L"C:");
    EXPECT_EQ(CountBackslashes(L"C:\\a\\b\\c.txt"), 3);
    EXPECT_EQ(CountBackslashes(L"C:"), 0);
    EXPECT_EQ(JoinPath(L"C:\\", L"a.txt"), L"C:\\a.txt");
    EXPECT_EQ(JoinPath(L"C:\\Data", L"a.txt"), L"C:\\Data\\a.txt");
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
