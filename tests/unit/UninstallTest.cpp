#include "uninstaller/manage/uninstall.h"

#include "ScriptedHost.h"
#include "base/codec.h"
#include "base/safefile.h"
#include "support/TempFolder.h"
#include "support/TestKeys.h"
#include "uninstaller/monitor/database.h"
#include "uninstaller/monitor/filepath.h"

#include <gtest/gtest.h>

using namespace ruvex;
using testsupport::ScriptedHost;
using testsupport::TempFolder;

namespace {
using Lines = std::vector<std::wstring>;

// A file that cannot be used: its bytes, its attributes and the start of the message that names it.
struct FileFault {
    const char* what;
    std::string bytes;
    DWORD attributes;
    const wchar_t* message;
};

const wchar_t* const kPartial = L" の一部を削除しました。\n\r\n\r『Windows がファイルを使っていた』 または "
                                L"『安全性を高める設定がされていた』 ため削除できないファイルがありました。";

// A Windows folder with its system folder and win.ini, a data folder with uninstall.dat, and room for the
// files of a software, all in one temporary folder.
class Uninstall : public ::testing::Test {
protected:
    TempFolder root{L"uninst"};
    std::wstring windows = root / L"WINDOWS";
    std::wstring system = windows + L"\\SYSTEM";
    std::wstring data = root / L"data";
    std::wstring winIni = windows + L"\\win.ini";
    ScriptedHost host;
    Lines winIniLines{L"[Keep]", L"a=1", L"[Soft]",  L"run=soft.exe", L"path=C:\\Soft", L"", L"after=1",
                      L"[SOFT]", L"x=2", L"[Fonts]", L"f=1"};

    void SetUp() override {
        for (const auto& folder : {windows, system, data}) {
            CreateDirectoryW(folder.c_str(), nullptr);
        }
        ASSERT_TRUE(ReplaceFileLines(winIni, winIniLines));
    }
    std::wstring File(const std::wstring& path, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
        for (auto slash = path.find(L'\\', root.path().size() + 1); slash != std::wstring::npos;
             slash = path.find(L'\\', slash + 1)) {
            CreateDirectoryW(path.substr(0, slash).c_str(), nullptr);
        }
        EXPECT_TRUE(ReplaceFileContents(path, "x"));
        SetFileAttributesW(path.c_str(), attributes);
        return path;
    }
    UninstallRequest Request(const std::wstring& name, const Lines& files, const Lines& sections = {},
                             bool protect = false) {
        return {name, files, sections, protect, windows, {system, windows + L"\\SysWOW64"}, data, {}, {}};
    }
    void WriteDatabase(const Lines& lines) { ASSERT_TRUE(WriteAllLines(data, lines, EmptyLines::Keep)); }
    Lines ReadDatabase() { return ReadAllLines(data).lines; }
    std::string Bytes(const std::wstring& path) {
        std::string bytes;
        ReadFileBytes(path, bytes);
        return bytes;
    }
};

} // namespace

TEST(FullFilePath, OnlyAPlainFullPathOfAFileCounts) {
    struct Case {
        const wchar_t* path;
        bool full;
    };
    const Case cases[] = {
        {L"C:\\Program Files\\Foo\\foo.exe", true},
        {L"d:\\表計算\\ﾃﾞｰﾀ.dat", true},
        {L"C:\\a", true},
        {L"\\\\server\\share\\file.txt", true},
        {L"C:\\COM10\\CONSOLE.txt", true},
        {L"C:\\x\\.hidden", true},
        {L"", false},
        {L"foo.txt", false},
        {L"Program Files\\foo.txt", false},
        {L"\\Windows\\win.ini", false},
        {L"C:", false},
        {L"C:\\", false},
        {L"C:foo.txt", false},
        {L"C:\\Foo\\", false},
        {L"C:\\Foo\\\\x.txt", false},
        {L"C:\\Foo\\*.txt", false},
        {L"C:\\Foo\\?.txt", false},
        {L"C:\\Foo\\<x", false},
        {L"C:\\Foo\\..\\Windows\\win.ini", false},
        {L"C:\\Foo\\.\\x.txt", false},
        {L"C:\\Foo\\x.txt.", false},
        {L"C:\\Foo\\x.txt ", false},
        {L"C:\\Foo\\NUL", false},
        {L"C:\\Foo\\nul.txt", false},
        {L"C:\\Foo\\CON", false},
        {L"C:\\Foo\\Com1.log", false},
        {L"C:\\Foo\\LPT1", false},
        {L"C:\\Foo\\AUX .c", false},
        {L"C:\\Foo\\PRN", false},
        {L"C:\\Foo\\CONOUT$", false},
        {L"C:\\Foo\\x.txt:stream", false},
        {L"C:/Foo/x.txt", false},
        {L"\\\\?\\C:\\x.txt", false},
        {L"\\\\.\\C:\\x.txt", false},
        {L"\\\\server\\share", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsFullFilePath(c.path), c.full) << testing::PrintToString(std::wstring(c.path));
    }
}

TEST(Protection, SystemFolderByPlainPrefixAndExesDirectlyInTheWindowsFolder) {
    struct Case {
        const wchar_t* path;
        bool kept;
    };
    const Case cases[] = {
        {L"C:\\WINDOWS\\SYSTEM\\x.dll", true},   {L"c:\\windows\\system\\sub\\y.txt", true},
        {L"C:\\WINDOWS\\SYSTEM32\\X.DLL", true}, // the prefix test
        {L"C:\\WINDOWS\\notepad.exe", true},     {L"c:\\Windows\\Tool.Exe", true},
        {L"C:\\WINDOWS\\x.dll", false},          {L"C:\\WINDOWS\\x.exe.txt", false},
        {L"C:\\WINDOWS\\Sub\\x.exe", false},     {L"C:\\WINDOWSX\\x.exe", false},
        {L"C:\\Program Files\\x.exe", false},    {L"C:\\Windows\\SysWOW64\\msvcr.dll", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsProtected(c.path, L"C:\\WINDOWS", {L"C:\\WINDOWS\\SYSTEM", L"C:\\WINDOWS\\SYSWOW64"}), c.kept)
            << testing::PrintToString(std::wstring(c.path));
    }
}

TEST(FolderTable, EachFolderOnceDeepestFirstAndBeyondTheOldCapacity) {
    FolderTable table;
    for (const auto* folder : {L"C:\\A", L"C:\\A\\B\\C", L"c:\\a", L"D:\\X", L"C:\\A\\B2", L"C:"}) {
        table.Add(folder);
    }
    EXPECT_EQ(table.DeepestFirst(), (Lines{L"C:\\A\\B\\C", L"C:\\A\\B2", L"C:\\A", L"D:\\X", L"C:"}));

    FolderTable many;
    for (int i = 0; i < 35002; ++i) {
        many.Add(L"C:\\F\\" + std::to_wstring(i));
        many.Add(L"c:\\f\\" + std::to_wstring(i));
    }
    many.Add(L"C:\\F\\0\\deep");
    Lines sorted = many.DeepestFirst();
    ASSERT_EQ(sorted.size(), 35003u);
    EXPECT_EQ(sorted.front(), L"C:\\F\\0\\deep");
    EXPECT_EQ(sorted.back(), L"C:\\F\\35001");
}

TEST(WinIniSection, DropsEachOccurrenceUpToTheNextEmptyOrBracketLine) {
    struct Case {
        Lines in;
        const wchar_t* header;
        Lines out;
    };
    const Case cases[] = {
        {{L"[A]", L"a=1", L"[Soft]", L"k=v", L"", L"after", L"[B]"},
         L"[Soft]",
         {L"[A]", L"a=1", L"", L"after", L"[B]"}},
        {{L"[soft]", L"k=v", L"[B]", L"[SOFT]", L"x"}, L"[Soft]", {L"[B]"}},
        {{L"[Soft]", L"[Soft]", L"k", L"[B]"}, L"[Soft]", {L"[B]"}},
        {{L"[A]", L"k=[Soft]", L"[Soft]x"}, L"[Soft]", {L"[A]", L"k=[Soft]", L"[Soft]x"}},
        {{L"[A]", L"[Soft]"}, L"[Soft]", {L"[A]"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WithoutWinIniSection(c.in, c.header), c.out);
    }
}

TEST_F(Uninstall, EverythingGoneRemovesFoldersDeepestFirstSectionsAndTheFirstRecordWhole) {
    std::wstring app = root / L"A";
    Lines files{File(app + L"\\B\\C\\1.txt"),
                File(app + L"\\2.txt"),
                File(app + L"\\ro.dll", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM),
                app + L"\\missing.txt",
                File(root / L"E\\only.txt"),
                File(windows + L"\\Sub\\tool.exe"),
                File(root / L"Desktop\\app.lnk")};
    File(root / L"E\\F\\other.txt");
    WriteDatabase({L"[Other]", L"C:\\x.txt", L"[Soft]", L"-[Soft]", L"-[Gone]", L"C:\\a.txt", L"[Last]", L"[soft]",
                   L"C:\\second.txt"});
    // The sections as the list shows them: header and lines; only headers count.
    UninstallRequest request = Request(L"Soft", files, {L"[Soft]", L"run=soft.exe", L"[Gone]"}, true);
    request.keptFolders = {root / L"desktop\\"};
    EXPECT_EQ(UninstallSoftware(request, host), UninstallOutcome::Uninstalled);

    for (const auto& file : files) {
        EXPECT_FALSE(FileExists(file)) << testing::PrintToString(file);
    }
    EXPECT_FALSE(FolderExists(app + L"\\B\\C"));
    // A keeps B, which held no file of the record; E keeps F.
    EXPECT_TRUE(FolderExists(app + L"\\B"));
    EXPECT_TRUE(FolderExists(root / L"E"));
    EXPECT_FALSE(FolderExists(windows + L"\\Sub"));
    EXPECT_TRUE(FolderExists(root / L"Desktop")); // the system's own, emptied but kept
    EXPECT_EQ(ReadFileLines(winIni).lines, (Lines{L"[Keep]", L"a=1", L"", L"after=1", L"[Fonts]", L"f=1"}));
    EXPECT_EQ(ReadFileLines(data + L"\\win.tmp").lines, ReadFileLines(winIni).lines);
    EXPECT_EQ(ReadDatabase(), (Lines{L"[Other]", L"C:\\x.txt", L"[Last]", L"[soft]", L"C:\\second.txt"}));
    EXPECT_EQ(host.labels, Lines{L"ファイルを削除しています、しばらくお待ちください。"});
    EXPECT_EQ(host.messages, Lines{L"Soft を削除しました。"});
    EXPECT_FALSE(host.waitWindowShown);
    EXPECT_EQ(host.maxima.front(), 6.0);
}

TEST_F(Uninstall, WhatIsLeftBehindKeepsTheRecordAndIsNeverTouched) {
    std::wstring app = root / L"App";
    std::wstring bait = File(app + L"\\bait.txt");
    std::wstring relative = File(data + L"\\rel.txt");
    Lines kept{File(system + L"\\sys.dll"),
               File(windows + L"\\setup.exe"),
               app + L"\\*.txt",
               L"rel.txt",
               app + L"\\sub\\..\\bait.txt",
               app + L"\\NUL",
               app + L"\\con.txt",
               app,
               root.path().substr(0, 2),
               root.path().substr(0, 3)};
    std::wstring deleted = File(app + L"\\gone.exe");
    Lines files = kept;
    files.push_back(deleted);
    WriteDatabase({L"[Soft]", L"-[Soft]", L"C:\\x"});
    std::string before = Bytes(DatabasePath(data));
    // A relative line would name a file of the current folder.
    wchar_t current[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, current);
    SetCurrentDirectoryW(data.c_str());
    EXPECT_EQ(UninstallSoftware(Request(L"Soft", files, {L"[Soft]"}, true), host), UninstallOutcome::LeftBehind);
    SetCurrentDirectoryW(current);

    EXPECT_FALSE(FileExists(deleted));
    for (const auto& file : {kept[0], kept[1], bait, relative}) {
        EXPECT_TRUE(FileExists(file)) << testing::PrintToString(file);
    }
    EXPECT_TRUE(FolderExists(app)); // tried, still holds bait.txt
    EXPECT_EQ(Bytes(DatabasePath(data)), before);
    // The sections go whatever was left behind.
    EXPECT_EQ(ReadFileLines(winIni).lines, (Lines{L"[Keep]", L"a=1", L"", L"after=1", L"[Fonts]", L"f=1"}));
    EXPECT_EQ(host.messages, Lines{std::wstring(L"Soft") + kPartial});
}

TEST_F(Uninstall, AFileThatCannotBeDeletedIsLeftBehindAndItsFolderStays) {
    std::wstring app = root / L"Busy";
    std::wstring busy = File(app + L"\\busy.dll");
    HANDLE held = CreateFileW(busy.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    WriteDatabase({L"[Soft]", busy});
    EXPECT_EQ(UninstallSoftware(Request(L"Soft", {busy}), host), UninstallOutcome::LeftBehind);
    CloseHandle(held);
    EXPECT_TRUE(FileExists(busy));
    EXPECT_EQ(ReadDatabase(), (Lines{L"[Soft]", busy}));
    EXPECT_EQ(host.messages, Lines{std::wstring(L"Soft") + kPartial});
}

TEST_F(Uninstall, ADatabaseThatCannotBeReadOrRewrittenIsNamedBeforeAnythingIsDeleted) {
    std::wstring file = File(root / L"P\\p.txt");
    const std::wstring path = DatabasePath(data);
    const FileFault cases[] = {
        {"read-only", "[Soft]\r\n", FILE_ATTRIBUTE_READONLY, L"次のファイルに書き込めませんでした。\r\n"},
        {"no ANSI text", "\xEF\xBB\xBF[Soft]\r\n", FILE_ATTRIBUTE_NORMAL, L"次のファイルを読み込めませんでした。\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(ReplaceFileContents(path, c.bytes));
        SetFileAttributesW(path.c_str(), c.attributes);
        host.messages.clear();
        EXPECT_EQ(UninstallSoftware(Request(L"Soft", {file}, {L"[Soft]"}), host), UninstallOutcome::NotStarted);
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_TRUE(FileExists(file));
        EXPECT_EQ(Bytes(path), c.bytes);
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0].find(c.message + path + L"\r\n"), 0u);
    }
}

// The registry's backup comes first: when it cannot be written (here its path is too long), nothing goes.
TEST_F(Uninstall, WithoutItsRegistryBackupNothingIsDeletedAndWithItTheRegistryEntriesGoToo) {
    const std::wstring file = File(root / L"P\\p.txt");
    const std::wstring key = L"Software\\RvxRegTest\\" + testsupport::UniqueName(L"u");
    HKEY made = nullptr;
    RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &made, nullptr);
    RegSetValueExW(made, L"v", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"1"), 4);
    RegCloseKey(made);
    const Lines registry{L"*V:HKEY_CURRENT_USER\\" + key + L"\\\\v"};
    auto valueExists = [&] {
        return RegGetValueW(HKEY_CURRENT_USER, key.c_str(), L"v", RRF_RT_ANY, nullptr, nullptr, nullptr) ==
               ERROR_SUCCESS;
    };
    const std::wstring longName(250, L'x');
    WriteDatabase({L"[" + longName + L"]", file, registry[0], L"[Soft]", file, registry[0]});
    UninstallRequest request = Request(longName, {file});
    request.registry = registry;
    EXPECT_EQ(UninstallSoftware(request, host), UninstallOutcome::NotStarted);
    EXPECT_TRUE(FileExists(file));
    EXPECT_TRUE(valueExists());
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].find(L"次のファイルに書き込めませんでした。\r\n" + data + L"\\" + longName), 0u);

    host.messages.clear();
    request.name = L"Soft";
    EXPECT_EQ(UninstallSoftware(request, host), UninstallOutcome::Uninstalled);
    EXPECT_FALSE(FileExists(file));
    EXPECT_FALSE(valueExists());
    ASSERT_EQ(host.messages.size(), 1u);
    const std::wstring done =
        L"Soft を削除しました。\n\r\n\rﾚｼﾞｽﾄﾘの項目を 1 個削除しました。\n\r削除前のﾚｼﾞｽﾄﾘの内容: ";
    EXPECT_EQ(host.messages[0].find(done + data + L"\\Soft "), 0u) << host.messages[0];
    EXPECT_TRUE(FileExists(host.messages[0].substr(done.size())));
    testsupport::DeleteTestKey(HKEY_CURRENT_USER, key);
}

TEST_F(Uninstall, AWinIniThatCannotBeRewrittenKeepsTheRecordAndGivesThePartialMessage) {
    std::wstring file = File(root / L"P\\p.txt");
    const std::string ini = Bytes(winIni);
    const FileFault cases[] = {
        {"read-only", ini, FILE_ATTRIBUTE_READONLY, L"次のファイルに書き込めませんでした。\r\n"},
        {"no ANSI text", "[Soft]\r\nk=\x81\x7F\r\n", FILE_ATTRIBUTE_NORMAL,
         L"次のファイルを読み込めませんでした。\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        File(file);
        WriteDatabase({L"[Soft]", L"-[Soft]", file});
        const std::string database = Bytes(DatabasePath(data));
        ASSERT_TRUE(ReplaceFileContents(winIni, c.bytes));
        SetFileAttributesW(winIni.c_str(), c.attributes);
        host.messages.clear();
        EXPECT_EQ(UninstallSoftware(Request(L"Soft", {file}, {L"[Soft]"}), host), UninstallOutcome::LeftBehind);
        SetFileAttributesW(winIni.c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_FALSE(FileExists(file));
        EXPECT_EQ(Bytes(winIni), c.bytes);
        EXPECT_EQ(Bytes(DatabasePath(data)), database);
        ASSERT_EQ(host.messages.size(), 2u);
        EXPECT_EQ(host.messages[0].find(c.message + winIni + L"\r\n"), 0u);
        EXPECT_EQ(host.messages[1], std::wstring(L"Soft") + kPartial);
    }

    // No win.ini: nothing to take out, and none is made.
    DeleteFileW(winIni.c_str());
    host.messages.clear();
    EXPECT_EQ(UninstallSoftware(Request(L"Soft", {}, {L"[Soft]"}), host), UninstallOutcome::Uninstalled);
    EXPECT_FALSE(FileExists(winIni));
    EXPECT_EQ(host.messages, Lines{L"Soft を削除しました。"});
}

TEST_F(Uninstall, AFolderLineIsNeitherDeletedNorLeftBehindAndAnAbsentDriveIsNotGone) {
    std::wstring app = root / L"App";
    std::wstring file = File(app + L"\\a.txt");
    std::wstring folder = File(root / L"Kept\\x.txt").substr(0, (root / L"Kept").size());
    WriteDatabase({L"[Soft]", file, folder});
    EXPECT_EQ(UninstallSoftware(Request(L"Soft", {file, folder}), host), UninstallOutcome::Uninstalled);
    EXPECT_TRUE(FolderExists(folder));
    EXPECT_EQ(ReadDatabase(), Lines{});
    EXPECT_EQ(host.messages, Lines{L"Soft を削除しました。"});

    // A drive letter that stands for nothing says "path not found" too: that is not "gone".
    const std::wstring away = testsupport::AbsentDrive() + L"\\App\\a.txt";
    WriteDatabase({L"[Soft]", away});
    host.messages.clear();
    EXPECT_EQ(UninstallSoftware(Request(L"Soft", {away}), host), UninstallOutcome::LeftBehind);
    EXPECT_EQ(ReadDatabase(), (Lines{L"[Soft]", away}));
    EXPECT_EQ(host.messages, Lines{std::wstring(L"Soft") + kPartial});
}

TEST_F(Uninstall, ARecordBeyondTheInitialTableIsRemovedAndTheRestStaysWhole) {
    Lines lines;
    for (int r = 0; r < 400; ++r) {
        lines.push_back(L"[Soft" + std::to_wstring(r) + L"]");
        for (int f = 0; f < 99; ++f) {
            lines.push_back(L"C:\\gone\\" + std::to_wstring(r) + L"\\" + std::to_wstring(f));
        }
    }
    WriteDatabase(lines);
    EXPECT_EQ(UninstallSoftware(Request(L"Soft399", {}), host), UninstallOutcome::Uninstalled);
    lines.resize(lines.size() - 100);
    EXPECT_EQ(ReadDatabase(), lines);
}
