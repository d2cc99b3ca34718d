// The uninstall run on real files, a real SETUP.INF and the registry (unique keys, removed again).
#include "SetupTestHost.h"

#include "base/safefile.h"
#include "setup/common/ShellFolders.h"
#include "setup/main/Registry.h"
#include "setup/main/UninstallRun.h"
#include "support/RunOnceLock.h"

#include "support/TestKeys.h"

#include <gtest/gtest.h>

using namespace setup;

namespace {

void Touch(const std::wstring& path) {
    EXPECT_TRUE(ruvex::CreateEmptyFileIfMissing(path));
}

struct Installed {
    explicit Installed(std::vector<std::wstring> inf) {
        Touch(folder / L"SETUP.EXE");
        inf.insert(inf.begin(), {L"[AboutSoftware]", L"Name=" + name});
        EXPECT_TRUE(ruvex::ReplaceFileLines(folder / L"SETUP.INF", inf));
        EXPECT_TRUE(WriteRegistryString(HKEY_LOCAL_MACHINE, kUninstallKey + name, L"DisplayName", name));
    }
    ~Installed() {
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, (kUninstallKey + name).c_str());
        testsupport::DeleteRunOnceValues();
    }
    UninstallOutcome Run(SetupHost& host) {
        SetupInf inf(folder / L"SETUP.INF");
        return RunUninstall({&inf, folder.path(), L"C:\\Proposed", inf.Sections(), false}, host);
    }

    testsupport::RunOnceLock lock;
    std::wstring name = testsupport::UniqueName(L"RuvexUninstallTest");
    testsupport::TempFolder folder{L"inst"};
};

std::wstring RunOnce(const wchar_t* name) {
    return ReadRegistryString(HKEY_LOCAL_MACHINE, kRunOnceKey, name).value_or(L"(none)");
}

} // namespace

TEST(SetupUninstallRun, RemovesTheRecordedFilesHelpIndexesAndEmptiedGroupFolders) {
    SetupTestHost host;
    std::wstring group = host.root / L"Programs\\Group";
    ASSERT_TRUE(CreateDirectoryW(group.c_str(), nullptr));
    Installed installed({L"[Uninstall]", L"File1=" + host.root / L"Viewer.HLP", L"File2=" + host.root / L"Old.hlp.bak",
                         L"File3=" + group + L"\\One.lnk", L"Missing=" + host.root / L"gone.txt",
                         L"FileP9=" + group + L"\\Two.lnk"});
    for (const wchar_t* name : {L"Viewer.HLP", L"Viewer.gid", L"Old.hlp.bak", L"Old.hlp.gid", L"Old.gid"}) {
        Touch(host.root / name);
    }
    Touch(group + L"\\One.lnk");
    Touch(group + L"\\Two.lnk");

    ASSERT_EQ(installed.Run(host), UninstallOutcome::Completed);
    EXPECT_FALSE(ruvex::FileExists(host.root / L"Viewer.HLP"));
    EXPECT_FALSE(ruvex::FileExists(host.root / L"Viewer.gid"));
    EXPECT_FALSE(ruvex::FileExists(host.root / L"Old.hlp.bak"));
    EXPECT_TRUE(ruvex::FileExists(host.root / L"Old.hlp.gid")); // .bak is not a help file
    EXPECT_TRUE(ruvex::FileExists(host.root / L"Old.gid"));
    EXPECT_FALSE(ruvex::FolderExists(group)); // removed with its last shortcut
    EXPECT_TRUE(ruvex::FolderExists(host.root / L"Programs"));
    // The missing file is reported and the run goes on.
    EXPECT_EQ(host.warnings, std::vector<std::wstring>{host.root / L"gone.txt" + L" を削除できません。"});

    EXPECT_FALSE(ruvex::FileExists(installed.folder / L"SETUP.INF"));
    EXPECT_TRUE(ruvex::FileExists(installed.folder / L"SETUP.EXE"));
    EXPECT_FALSE(ReadRegistryString(HKEY_LOCAL_MACHINE, kUninstallKey + installed.name, L"DisplayName"));
    SelfRemoval expected = SelfRemovalCommands(installed.folder.path(), false);
    EXPECT_EQ(RunOnce(L"Uninstall_1"), expected.deleteProgram);
    EXPECT_EQ(RunOnce(L"Uninstall_2"), expected.removeFolder);
}

TEST(SetupUninstallRun, DeletesRegistryKeysAndValuesAndReportsAKeyThatCannotGo) {
    SetupTestHost host;
    std::wstring base = L"Software\\RuvexTest\\" + testsupport::UniqueName(L"uninstall");
    ASSERT_TRUE(WriteRegistryString(HKEY_CURRENT_USER, base + L"\\Tree\\Deep\\Deeper", L"v", L"1"));
    // The value is named by "<Setup Folder>", which the uninstall expands to the proposed folder.
    ASSERT_TRUE(WriteRegistryString(HKEY_CURRENT_USER, base + L"\\Values", L"C:\\Proposed", L"1"));
    ASSERT_TRUE(WriteRegistryString(HKEY_CURRENT_USER, base + L"\\Values", L"Other", L"1"));
    Installed installed({L"[RegistryDeleteKey]", L"RootKey=hkey_local_machine", L"DeleteKey=\\" + base + L"\\Tree",
                         L"[RegistryDeleteKey2]", L"RootKey=HKEY_CURRENT_USER", L"DeleteKey=" + base + L"\\Missing",
                         L"[RegistryDeleteValue]", L"RootKey=HKEY_CURRENT_USER", L"OpenKey=" + base + L"\\Values",
                         L"Name=<Setup Folder>"});

    ASSERT_EQ(installed.Run(host), UninstallOutcome::Completed);
    EXPECT_FALSE(ReadRegistryString(HKEY_CURRENT_USER, base + L"\\Tree\\Deep\\Deeper", L"v"));
    HKEY tree = nullptr;
    EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, (base + L"\\Tree").c_str(), 0, KEY_READ, &tree), ERROR_SUCCESS);
    EXPECT_FALSE(ReadRegistryString(HKEY_CURRENT_USER, base + L"\\Values", L"C:\\Proposed"));
    EXPECT_TRUE(ReadRegistryString(HKEY_CURRENT_USER, base + L"\\Values", L"Other"));
    EXPECT_EQ(host.warnings, std::vector<std::wstring>{base + L"\\Missing をﾚｼﾞｽﾄﾘから削除できません。"});
    EXPECT_EQ(host.closeRequests, 1);
    // The rest of the run still took place.
    EXPECT_FALSE(ruvex::FileExists(installed.folder / L"SETUP.INF"));
    EXPECT_NE(RunOnce(L"Uninstall_2"), L"(none)");
    testsupport::DeleteTestKey(HKEY_CURRENT_USER, base);
}

TEST(SetupUninstallRun, SelfRemovalUsesTheFamilysShellAndRemovesTheFolderAfterTheProgram) {
    testsupport::TempFolder parent;
    std::wstring folder = parent / L"Program Files\\My Viewer";
    ASSERT_TRUE(CreateDirectoryW((parent / L"Program Files").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    Touch(folder + L"\\SETUP.EXE");
    wchar_t shortFolder[MAX_PATH] = {};
    ASSERT_GT(GetShortPathNameW(folder.c_str(), shortFolder, MAX_PATH), 0u);
    std::wstring shortPath = shortFolder;

    SelfRemoval nt = SelfRemovalCommands(folder, false);
    EXPECT_EQ(nt.deleteProgram, L"Cmd.exe /C Del " + shortPath + L"\\SETUP.EXE");
    EXPECT_EQ(nt.removeFolder, L"Cmd.exe /C Del " + shortPath + L"\\SETUP.EXE & Rd " + shortPath);
    SelfRemoval old = SelfRemovalCommands(folder, true);
    EXPECT_EQ(old.deleteProgram, L"Command.com /C Del " + shortPath + L"\\SETUP.EXE");
    EXPECT_EQ(old.removeFolder, L"Command.com /C Del " + shortPath + L"\\SETUP.EXE & Rd " + shortPath);
    // The commands run at the next start: the shell of the family found here must be on this system.
    wchar_t shell[MAX_PATH] = {};
    EXPECT_GT(
        SearchPathW(nullptr, IsWindows95Family() ? L"Command.com" : L"Cmd.exe", nullptr, MAX_PATH, shell, nullptr), 0u);
}
