#include "uninstaller/monitor/snapshot.h"

#include "ScriptedHost.h"
#include "base/codec.h"
#include "base/handles.h"
#include "base/text.h"
#include "uninstaller/monitor/inspect.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace ruvex;
using testsupport::ScriptedHost;
using testsupport::TempFolder;

namespace {
using Lines = std::vector<std::wstring>;

void MakeFile(const std::wstring& path, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
    ASSERT_TRUE(ReplaceFileContents(path, "x"));
    SetFileAttributesW(path.c_str(), attributes);
}
void MakeFolder(const std::wstring& path) {
    ASSERT_TRUE(CreateDirectoryW(path.c_str(), nullptr));
}

std::ptrdiff_t IndexOf(const Lines& list, const std::wstring& entry) {
    auto it = std::find_if(list.begin(), list.end(), [&](const auto& e) { return TextEquals(e, entry); });
    return it == list.end() ? -1 : it - list.begin();
}

// The entries of a list that lie below a folder, in list order.
Lines Below(const Lines& list, const std::wstring& folder) {
    Lines out;
    for (const auto& e : list) {
        if (e.size() > folder.size() && TextEquals(std::wstring_view(e).substr(0, folder.size() + 1), folder + L"\\")) {
            out.push_back(e.substr(folder.size() + 1));
        }
    }
    return out;
}

// A small tree standing in for a system: a Windows folder with a system folder, a Start Menu, a program.
struct FakeSystem {
    TempFolder root{L"scan"};
    std::wstring win = root / L"Win";
    ScanSettings settings;
    FakeSystem() {
        MakeFolder(win);
        MakeFolder(win + L"\\System");
        MakeFolder(win + L"\\System\\Sub");
        MakeFolder(win + L"\\Start");
        MakeFolder(win + L"\\Start\\Programs");
        MakeFolder(win + L"\\Start\\Programs\\Deep");
        MakeFolder(root / L"App");
        MakeFile(win + L"\\win.ini");
        MakeFile(win + L"\\B.DLL", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
        MakeFile(win + L"\\a.exe");
        MakeFile(win + L"\\System\\k.dll");
        MakeFile(win + L"\\System\\Sub\\notme.dll");
        MakeFile(win + L"\\Start\\Programs\\Deep\\ｿﾌﾄ.lnk");
        MakeFile(root / L"App\\app.exe");
        settings.windowsFolder = win;
        settings.systemFolder = win + L"\\System";
        settings.secondDrive = L"c:";
        settings.startMenu = win + L"\\Start\\";
        settings.desktop = L"\\";
        settings.sendTo = L"\\";
    }
};
} // namespace

TEST(ListFolder, SortsNamesWithoutCaseAndSeparatesFoldersFromFiles) {
    TempFolder dir;
    MakeFile(dir / L"b.txt");
    MakeFile(dir / L"A.txt", FILE_ATTRIBUTE_HIDDEN);
    MakeFile(dir / L"c.txt", FILE_ATTRIBUTE_SYSTEM);
    MakeFolder(dir / L"Zeta");
    MakeFolder(dir / L"alpha");
    FolderListing l = ListFolder(dir.path(), true);
    ASSERT_TRUE(l.ok);
    EXPECT_EQ(l.Dir1, (Lines{L"alpha", L"Zeta"}));
    EXPECT_EQ(l.File1, (Lines{L"A.txt", L"b.txt", L"c.txt"}));
    EXPECT_TRUE(ListFolder(dir.path(), false).File1.empty());
    EXPECT_FALSE(ListFolder(dir / L"gone", true).ok);
}

TEST(ScanDrives, PartialModeRecordsOnlyTheSystemFoldersAndTheShellTrees) {
    FakeSystem sys;
    ScriptedHost host;
    WalkLists lists;
    ASSERT_EQ(ScanDrives(sys.settings, lists, host), ScanResult::Completed);

    // One root for a second drive equal to the Windows drive in another case.
    EXPECT_EQ(lists.List1[0], L"C:\\");
    EXPECT_EQ(IndexOf(lists.List1, L"c:\\"), 0);
    // Breadth-first: a level's folders in name order before the next level.
    EXPECT_EQ(Below(lists.List1, sys.win),
              (Lines{L"Start", L"System", L"Start\\Programs", L"System\\Sub", L"Start\\Programs\\Deep"}));
    EXPECT_GE(IndexOf(lists.List1, sys.root / L"App"), 0);
    // Files: the Windows and system folders exactly (hidden and system files too), all below the Start
    // Menu; nothing of a system subfolder or of other folders.
    EXPECT_EQ(Below(lists.List2, sys.win),
              (Lines{L"a.exe", L"B.DLL", L"win.ini", L"System\\k.dll", L"Start\\Programs\\Deep\\ｿﾌﾄ.lnk"}));
    EXPECT_TRUE(Below(lists.List2, sys.root / L"App").empty());
    EXPECT_FALSE(host.labels.empty());
    EXPECT_EQ(host.labels[0], L"フォルダ No.1 を検索しています、しばらくお待ちください。");
}

TEST(ScanDrives, AllFoldersModeRecordsEveryFileAndRootFilesHaveOneBackslash) {
    FakeSystem sys;
    sys.settings.mode = ScanMode::AllFolders;
    ScriptedHost host;
    WalkLists lists;
    ASSERT_EQ(ScanDrives(sys.settings, lists, host), ScanResult::Completed);
    EXPECT_EQ(Below(lists.List2, sys.root / L"App"), Lines{L"app.exe"});
    EXPECT_EQ(Below(lists.List2, sys.win + L"\\System\\Sub"), Lines{L"notme.dll"});
    for (const auto& f : lists.List2) {
        ASSERT_EQ(f.find(L"\\\\"), std::wstring::npos) << f;
    }
}

TEST(ScanDrives, LeavesTheUninstallersOwnRunFilesOut) {
    FakeSystem sys;
    sys.settings.mode = ScanMode::AllFolders;
    sys.settings.dataFolder = sys.root / L"App";
    MakeFile(sys.root / L"App\\dir_bf.dat");
    MakeFile(sys.root / L"App\\FILE_BF.DAT");
    MakeFile(sys.root / L"App\\uninstall.dat");
    // The file snapshot written as the walk goes: its temporary file lies in the data folder meanwhile.
    LineFileWriter written(sys.root / L"App\\FILE_BF.DAT");
    ScriptedHost host;
    WalkLists lists;
    lists.filesOut = &written;
    ASSERT_EQ(ScanDrives(sys.settings, lists, host), ScanResult::Completed);
    EXPECT_EQ(Below(lists.List2, sys.root / L"App"), (Lines{L"app.exe", L"uninstall.dat"}));
    ASSERT_TRUE(written.Commit());
    FileLines saved = ReadAnsiLines(sys.root / L"App\\FILE_BF.DAT");
    EXPECT_EQ(saved.lines, lists.List2);
}

TEST(ScanDrives, ShellFoldersAndTheDataFolderMatchWithoutRegardToCase) {
    FakeSystem sys;
    for (const wchar_t* folder : {L"Desk", L"Desk\\Ruvex", L"Send"}) {
        MakeFolder(sys.root / folder);
    }
    for (const wchar_t* file :
         {L"Desk\\d.lnk", L"Desk\\Ruvex\\Ruvex.exe", L"Desk\\Ruvex\\dir_bf.dat", L"Send\\s.lnk"}) {
        MakeFile(sys.root / file);
    }
    // The walk spells C:\users\... as the file system does; the settings may spell it otherwise.
    sys.settings.startMenu = ToUpper(sys.settings.startMenu);
    sys.settings.desktop = ToLower(sys.root / L"Desk\\");
    sys.settings.sendTo = ToUpper(sys.root / L"Send\\");
    sys.settings.dataFolder = ToUpper(sys.root / L"Desk\\Ruvex");
    ScriptedHost host;
    WalkLists lists;
    ASSERT_EQ(ScanDrives(sys.settings, lists, host), ScanResult::Completed);
    EXPECT_EQ(Below(lists.List2, sys.win + L"\\Start"), Lines{L"Programs\\Deep\\ｿﾌﾄ.lnk"});
    EXPECT_EQ(Below(lists.List2, sys.root / L"Desk"), (Lines{L"d.lnk", L"Ruvex\\Ruvex.exe"}));
    EXPECT_EQ(Below(lists.List2, sys.root / L"Send"), Lines{L"s.lnk"});
}

TEST(ScanDrives, StopsAtTheHundredthLevel) {
    TempFolder dir{L"deep"};
    // The temp folder lies some levels below C:\; build a chain that passes level 100.
    int depth = 0;
    for (wchar_t c : dir.path()) {
        depth += c == L'\\' ? 1 : 0;
    }
    std::wstring path = dir.path();
    std::vector<std::wstring> chain;
    for (int level = depth + 1; level <= 102; ++level) {
        path += L"\\d";
        MakeFolder(path);
        chain.push_back(path);
        MakeFile(path + L"\\f.txt");
    }
    ScanSettings s;
    s.mode = ScanMode::AllFolders;
    s.windowsFolder = L"C:\\windows";
    s.systemFolder = L"C:\\windows\\system32";
    ScriptedHost host;
    WalkLists lists;
    ASSERT_EQ(ScanDrives(s, lists, host), ScanResult::Completed);
    // chain[i] lies i + depth + 1 levels below C:\ and is read at level i + depth + 2.
    std::size_t last = static_cast<std::size_t>(100 - depth - 2); // read at level 100
    EXPECT_GE(IndexOf(lists.List1, chain[last + 1]), 0);          // found at level 100 ...
    EXPECT_GE(IndexOf(lists.List2, chain[last] + L"\\f.txt"), 0);
    EXPECT_LT(IndexOf(lists.List2, chain[last + 1] + L"\\f.txt"), 0); // ... but never read
    EXPECT_LT(IndexOf(lists.List1, chain[last + 2]), 0);
    EXPECT_EQ(host.labels.back(), L"フォルダ No.100 を検索しています、しばらくお待ちください。");
}

TEST(ScanDrives, EndsWhenTheFileListIsFullOrTheUserStops) {
    FakeSystem sys;
    sys.settings.mode = ScanMode::AllFolders;
    sys.settings.maxFiles = 5;
    ScriptedHost host;
    WalkLists lists;
    EXPECT_EQ(ScanDrives(sys.settings, lists, host), ScanResult::TooManyFiles);
    EXPECT_EQ(lists.List2.size(), 5u);

    ScriptedHost stopping;
    stopping.stopAfter = 3;
    WalkLists stopped;
    EXPECT_EQ(ScanDrives(sys.settings, stopped, stopping), ScanResult::Stopped);
    EXPECT_EQ(stopping.stopPoints, 4);
}

TEST(SaveListToFile, WritesOneLineAnEntryAndSetsNoMaximumForOneEntry) {
    TempFolder dir;
    ScriptedHost host;
    ASSERT_TRUE(SaveListToFile({L"C:\\表\\a.txt"}, dir.path(), L"file_bf.dat", host));
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(dir / L"file_bf.dat", bytes));
    EXPECT_EQ(bytes, WideToAnsi(L"C:\\表\\a.txt") + "\r\n");
    EXPECT_TRUE(host.maxima.empty());
    EXPECT_EQ(host.labels, Lines{L"ファイルに保存しています、しばらくお待ちください。"});
    EXPECT_TRUE(host.waitWindowShown);

    ASSERT_TRUE(SaveListToFile({}, dir.path(), L"dir_bf.dat", host));
    ASSERT_TRUE(ReadFileBytes(dir / L"dir_bf.dat", bytes));
    EXPECT_EQ(bytes, "");
}

// A tree that fights the walk. Nothing is recorded under a name that the snapshots would spell otherwise,
// nothing of a folder that cannot be listed, has vanished, is a link or lies too deep for MAX_PATH; what
// exists but was left out is counted for the user.
TEST(ScanDrives, HostileTreesEndTheWalkWithEveryPathRecordedAsItIs) {
    FakeSystem sys;
    const std::wstring tree = sys.root / L"Hostile";
    MakeFolder(tree);
    sys.settings.startMenu = tree + L"\\"; // files below it are recorded in partial mode
    // Names the code page lacks or would bend: é becomes e and ¥ a backslash without a word of warning.
    const Lines foreign = {L"caf\u00e9.txt", L"a\u00a5b.txt", L"\u0100.txt", L"\U0001F600.txt", L"\uD55C.txt"};
    for (const auto& name : foreign) {
        MakeFile(tree + L"\\" + name);
    }
    MakeFile(tree + L"\\表ｿﾌﾄ.txt");
    MakeFolder(tree + L"\\\uD55C\uAD6D");
    MakeFile(tree + L"\\\uD55C\uAD6D\\inside.txt");
    // A chain of folders past MAX_PATH, made through the long-path form: what is shorter is recorded, the
    // first file and the first folder that reach MAX_PATH are left out, and nothing below that folder is seen.
    Lines recorded{L"表ｿﾌﾄ.txt"};
    std::size_t tooLong = 0;
    std::wstring deep = tree + L"\\deep";
    MakeFolder(deep);
    for (std::wstring below = L"deep"; deep.size() < MAX_PATH;) {
        deep += L"\\" + std::wstring(40, L'd');
        below += L"\\" + std::wstring(40, L'd');
        ASSERT_TRUE(CreateDirectoryW((L"\\\\?\\" + deep).c_str(), nullptr));
        ASSERT_TRUE(FileHandle(CreateFileW((L"\\\\?\\" + deep + L"\\f.txt").c_str(), GENERIC_WRITE, 0, nullptr,
                                           CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr)));
        if (deep.size() >= MAX_PATH) {
            ++tooLong; // the folder
        } else if (deep.size() + 6 >= MAX_PATH) {
            ++tooLong; // its f.txt
        } else {
            recorded.push_back(below + L"\\f.txt");
        }
    }
    // Held open without sharing: listing it fails as access denied would.
    MakeFolder(tree + L"\\locked");
    MakeFile(tree + L"\\locked\\in.txt");
    FileHandle lock(CreateFileW((tree + L"\\locked").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    ASSERT_TRUE(lock);
    // Removed once it has been found, before its turn comes.
    MakeFolder(tree + L"\\vanishing");
    MakeFolder(tree + L"\\vanishing\\sub");
    MakeFile(tree + L"\\vanishing\\gone.txt");
    ScriptedHost host;
    WalkLists lists;
    host.atStopPoint = [&] {
        if (!lists.List1.empty() && lists.List1.back() == tree + L"\\vanishing") {
            testsupport::RemoveTree(tree + L"\\vanishing");
        }
    };
    ASSERT_EQ(ScanDrives(sys.settings, lists, host), ScanResult::Completed);

    EXPECT_EQ(Below(lists.List2, tree), recorded);
    for (const auto& entry : lists.List1) {
        ASSERT_TRUE(IsAnsiRepresentable(entry)) << entry.size();
        ASSERT_LT(entry.size(), static_cast<std::size_t>(MAX_PATH));
    }
    EXPECT_GE(IndexOf(lists.List1, tree + L"\\locked"), 0);
    EXPECT_GE(IndexOf(lists.List1, tree + L"\\vanishing"), 0);
    EXPECT_LT(IndexOf(lists.List1, tree + L"\\vanishing\\sub"), 0);
    // The foreign files and folder, what is too long, the locked folder (tests running beside this one may
    // add long paths of their own elsewhere on C:).
    EXPECT_GE(lists.skipped, foreign.size() + 1 + tooLong + 1);

    // A link (here one back to its own folder, made by scripts/setup-env) is listed, never entered.
    const std::wstring loop = L"C:\\ruvex-faults\\loop";
    // INVALID_FILE_ATTRIBUTES has every bit set: a missing link must not pass for one.
    if (DWORD attributes = GetFileAttributesW(loop.c_str());
        attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        EXPECT_GE(IndexOf(lists.List1, loop), 0);
        EXPECT_TRUE(Below(lists.List1, loop).empty());
    } else {
        ADD_FAILURE() << "no loop link here (scripts/setup-env makes it)";
    }

    // Files of new folders follow the same rule.
    std::size_t skipped = 0;
    EXPECT_EQ(FilesOfNewFolders({tree}, skipped), Lines{tree + L"\\表ｿﾌﾄ.txt"});
    EXPECT_EQ(skipped, foreign.size());
}
