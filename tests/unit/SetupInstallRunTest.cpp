// The installation run on real folders, a real SETUP.INF and the registry (unique keys, removed again).
#include "SetupTestHost.h"

#include "base/codec.h"
#include "base/safefile.h"
#include "setup/common/ComPtr.h"
#include "setup/common/ShellFolders.h"
#include "setup/main/InstallRun.h"
#include "setup/main/Registry.h"

#include "support/TestKeys.h"

#include <gtest/gtest.h>

using namespace setup;

namespace {

const std::wstring kStartAgain = L"\r\n\r\nｾｯﾄｱｯﾌﾟをはじめからやり直してください。";

// A package folder with SETUP.EXE, SETUP.INF and the files to install.
struct Package {
    explicit Package(const std::vector<std::wstring>& inf) {
        for (const wchar_t* name : {L"SETUP.EXE", L"a.txt", L"b.txt", L"c.hlp"}) {
            EXPECT_TRUE(ruvex::ReplaceFileContents(source / name, ruvex::WideToAnsi(name)));
        }
        EXPECT_TRUE(ruvex::ReplaceFileLines(source / L"SETUP.INF", inf));
    }
    ~Package() { RegDeleteTreeW(HKEY_LOCAL_MACHINE, (kUninstallKey + name).c_str()); }

    void Set(const std::wstring& section, const std::wstring& key, const std::wstring& value) const {
        EXPECT_TRUE(definition.Write(section, key, value));
    }
    InstallJob Job(const std::wstring& installFolder) {
        return {&definition, source.path(), installFolder, definition.Sections(), true, true, true, true};
    }
    [[nodiscard]] std::wstring Uninstall(const std::wstring& inf, const std::wstring& key) const {
        return SetupInf(inf).Read(L"Uninstall", key, L"(none)");
    }

    std::wstring name = testsupport::UniqueName(L"RuvexInstallTest");
    testsupport::TempFolder source{L"pkg"};
    SetupInf definition{source / L"SETUP.INF"};
};

std::wstring RegistryText(HKEY root, const std::wstring& key, const std::wstring& name) {
    return ReadRegistryString(root, key, name).value_or(L"(none)");
}

} // namespace

TEST(SetupInstallRun, InstallsFilesShortcutsValuesAndTheEntryAndRecordsThemBySectionPosition) {
    ComScope com;
    SetupTestHost host;
    std::wstring regKey = L"Software\\RuvexTest\\" + testsupport::UniqueName(L"install");
    Package package({});
    package.Set(L"AboutSoftware", L"Name", package.name);
    package.Set(L"AboutSoftware", L"Version", L"1.2");
    // Keys named anything, numbered by position; sections in the order Files, ProgramGroup, StartUp, DeskTop.
    package.Set(L"Files", L"z", L"<Setup Folder>\\a.txt");
    package.Set(L"Files", L"y", L"<setup folder>\\b.txt");
    package.Set(L"Files", L"x", L"<Setup Folder>\\sub\\..\\c.hlp");
    package.Set(L"ProgramGroup", L"Name", L"Tools\\Viewer");
    package.Set(L"ProgramGroup", L"File", L"<Setup Folder>\\a.txt");
    package.Set(L"StartUp", L"Name", L"Viewer");
    package.Set(L"StartUp", L"File", L"<Setup Folder>\\a.txt");
    package.Set(L"DeskTop", L"Name", L"Viewer");
    package.Set(L"DeskTop", L"File", L"<Setup Folder>\\a.txt");
    package.Set(L"SendToMenu", L"Name", L"Viewer");
    package.Set(L"SendToMenu", L"File", L"<Setup Folder>\\a.txt");
    package.Set(L"RegistryWrite", L"RootKey", L"HKEY_CURRENT_USER");
    package.Set(L"RegistryWrite", L"OpenKey", L"\\" + regKey + L"\\<Setup Folder>");
    package.Set(L"RegistryWrite", L"Name", L"Folder");
    package.Set(L"RegistryWrite", L"Value", L"<Setup Folder>");
    package.Set(L"RegistryWrite2", L"RootKey", L"hkey_local_machine"); // selects HKEY_CURRENT_USER
    package.Set(L"RegistryWrite2", L"OpenKey", regKey);
    package.Set(L"RegistryWrite2", L"Name", L"NoValue");

    std::wstring folder = host.root / L"Program Files\\表 Viewer\\1";
    InstallJob job = package.Job(folder);
    job.desktop = false;
    ASSERT_EQ(RunInstall(job, host), InstallOutcome::Completed);
    EXPECT_TRUE(host.warnings.empty());

    EXPECT_EQ(ruvex::ReadFileLines(folder + L"\\a.txt").lines, std::vector<std::wstring>{L"a.txt"});
    EXPECT_TRUE(ruvex::FileExists(folder + L"\\b.txt"));
    EXPECT_TRUE(ruvex::FileExists(folder + L"\\c.hlp"));
    EXPECT_TRUE(ruvex::FileExists(host.root / L"Programs\\Tools\\Viewer.lnk"));
    EXPECT_TRUE(ruvex::FileExists(host.root / L"Startup\\Viewer.lnk"));
    EXPECT_FALSE(ruvex::FileExists(host.root / L"Desktop\\Viewer.lnk")); // unticked
    EXPECT_TRUE(ruvex::FileExists(host.root / L"SendTo\\Viewer.lnk"));

    EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, regKey + L"\\" + folder, L"Folder"), folder);
    EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, regKey, L"NoValue"), L"RegistryWrite2 - Value Error");
    std::wstring entry = kUninstallKey + package.name;
    EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, entry, L"DisplayName"), package.name + L" Ver.1.2");
    EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, entry, L"UninstallString"), L"\"" + folder + L"\\SETUP.EXE\" /r");
    // No Publisher key, no .exe among the files: no publisher, the setup program's icon.
    EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, entry, L"Publisher"), L"(none)");
    EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, entry, L"DisplayIcon"), folder + L"\\SETUP.EXE");

    // Both copies hold the record; sections: AboutSoftware 1, Files 2, ProgramGroup 3, StartUp 4, DeskTop 5,
    // SendToMenu 6.
    EXPECT_TRUE(ruvex::FileExists(folder + L"\\SETUP.EXE"));
    for (const std::wstring& inf : {package.source / L"SETUP.INF", folder + L"\\SETUP.INF"}) {
        SCOPED_TRACE(inf);
        EXPECT_EQ(package.Uninstall(inf, L"File1"), folder + L"\\a.txt");
        EXPECT_EQ(package.Uninstall(inf, L"File2"), folder + L"\\b.txt");
        EXPECT_EQ(package.Uninstall(inf, L"File3"), folder + L"\\sub\\..\\c.hlp");
        EXPECT_EQ(package.Uninstall(inf, L"FileP3"), host.root / L"Programs\\Tools\\Viewer.lnk");
        EXPECT_EQ(package.Uninstall(inf, L"FileP4"), host.root / L"Startup\\Viewer.lnk");
        EXPECT_EQ(package.Uninstall(inf, L"FileD5"), L"(none)");
        EXPECT_EQ(package.Uninstall(inf, L"FileS6"), host.root / L"SendTo\\Viewer.lnk");
        EXPECT_EQ(SetupInf(inf).Keys(L"Uninstall").size(), 6u);
    }
    testsupport::DeleteTestKey(HKEY_CURRENT_USER, regKey);
}

// The folder, copy and registry failures are driven end to end (SetupInstallTest); here the four
// shortcut passes, each with its own text.
TEST(SetupInstallRun, EachShortcutPassWarnsWithItsOwnTextAndStopsTheRun) {
    ComScope com;
    SetupTestHost host;
    const struct {
        const wchar_t* section;
        const wchar_t* warning;
        const wchar_t* key;
    } shortcuts[] = {{L"ProgramGroup", L"ﾌﾟﾛｸﾞﾗﾑｸﾞﾙｰﾌﾟに登録できませんでした。", L"FileP1"},
                     {L"StartUp", L"ｽﾀｰﾄｱｯﾌﾟに登録できませんでした。", L"FileP1"},
                     {L"DeskTop", L"ﾃﾞｽｸﾄｯﾌﾟに登録できませんでした。", L"FileD1"},
                     {L"SendTo", L"「送る」に登録できませんでした。", L"FileS1"}};
    for (const auto& s : shortcuts) {
        SCOPED_TRACE(s.section);
        host.warnings.clear();
        // The shortcut's group folder can't be made: a file of that name is there.
        std::wstring group = testsupport::UniqueName(L"group");
        Package package({std::wstring(L"[") + s.section + L"]", L"Name=" + group + L"\\Viewer", L"File=a.txt",
                         L"[RegistryWrite]", L"OpenKey=Software\\RuvexTest\\" + group, L"Name=a"});
        for (auto which : {ShellFolder::Programs, ShellFolder::Startup, ShellFolder::Desktop, ShellFolder::SendTo}) {
            ASSERT_TRUE(ruvex::CreateEmptyFileIfMissing(host.ShellFolderPath(which) + L"\\" + group));
        }
        EXPECT_EQ(RunInstall(package.Job(host.root / group), host), InstallOutcome::ShortcutFailed);
        EXPECT_EQ(host.warnings, std::vector<std::wstring>{s.warning + kStartAgain});
        EXPECT_NE(package.Uninstall(package.source / L"SETUP.INF", s.key), L"(none)");
        EXPECT_FALSE(ReadRegistryString(HKEY_CURRENT_USER, L"Software\\RuvexTest\\" + group, L"a").has_value());
    }
}

// A Files entry is a full destination path: one that leads out of the destination folder (..\\, another
// folder, a relative path, nothing at all) is neither copied nor recorded for the uninstall, and the run
// stops there. A huge value stays inside and fails as a copy.
TEST(SetupInstallRun, FilesOutsideTheDestinationFolderAreRefused) {
    SetupTestHost host;
    const std::wstring outside = host.root / L"Program Files\\a.txt";
    const std::wstring huge = L"<Setup Folder>\\" + std::wstring(100000, L'x');
    for (const std::wstring& line :
         {std::wstring(L"Bad=<Setup Folder>\\..\\a.txt"), std::wstring(L"Bad=<setup folder>\\x\\..\\..\\a.txt"),
          L"Bad=" + outside, std::wstring(L"Bad=<Program Folder>\\a.txt"), std::wstring(L"Bad=a.txt"),
          std::wstring(L"Bad=<Setup Folder>"), std::wstring(L"Bad=<Setup Folder>\\"), std::wstring(L"Bad="),
          L"Bad=" + huge}) {
        SCOPED_TRACE(line.substr(0, 60));
        host.warnings.clear();
        Package package({L"[Files]", L"Good=<Setup Folder>\\b.txt", line, L"Later=<Setup Folder>\\c.hlp"});
        std::wstring folder = host.root / testsupport::UniqueName(L"dest");
        EXPECT_EQ(RunInstall(package.Job(folder), host), InstallOutcome::FileFailed);
        EXPECT_EQ(host.warnings, std::vector<std::wstring>{L"ﾌｧｲﾙのｺﾋﾟｰに失敗しました。" + kStartAgain});
        EXPECT_FALSE(ruvex::FolderExists(folder)); // the good file and the folder went again
        EXPECT_FALSE(ruvex::FileExists(outside));
        EXPECT_FALSE(ruvex::FileExists(host.root / L"a.txt"));
        EXPECT_FALSE(ruvex::FileExists(folder + L"\\c.hlp"));
        EXPECT_EQ(package.Uninstall(package.source / L"SETUP.INF", L"File1"), folder + L"\\b.txt");
        std::wstring second = package.Uninstall(package.source / L"SETUP.INF", L"File2");
        EXPECT_TRUE(second == L"(none)" || second == folder + L"\\" + std::wstring(100000, L'x')) << second.size();
    }
}

// The user's Programs folder has a name that code page 932 can't hold (a user called José): the shortcut is
// made, but its record can't be, so the run fails at its last step. Meanwhile the first installed file is
// held open by another program. Everything else is undone; the held file is named.
TEST(SetupInstallRun, AFailedRunIsUndoneAndNamesTheFileItCouldNotPutBack) {
    struct HoldingHost : SetupTestHost {
        std::wstring ShellFolderPath(ShellFolder) override {
            if (!held.valid()) {
                held.reset(
                    CreateFileW(hold.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
            }
            CreateDirectoryW((root / L"Jos\u00e9").c_str(), nullptr);
            return root / L"Jos\u00e9";
        }
        std::wstring hold;
        ruvex::FileHandle held;
    };
    ComScope com;
    HoldingHost host;
    std::wstring regKey = L"Software\\RuvexTest\\" + testsupport::UniqueName(L"rollback");
    ASSERT_TRUE(WriteRegistryString(HKEY_CURRENT_USER, regKey, L"Old", L"before"));
    Package package({L"[Files]", L"a=<Setup Folder>\\a.txt", L"b=<Setup Folder>\\b.txt", L"[ProgramGroup]",
                     L"Name=Group\\Viewer", L"File=<Setup Folder>\\a.txt", L"[RegistryWrite]", L"OpenKey=" + regKey,
                     L"Name=Old", L"Value=after", L"[RegistryWrite2]", L"OpenKey=" + regKey + L"\\New", L"Name=v"});
    package.Set(L"AboutSoftware", L"Name", package.name);
    std::wstring folder = host.root / L"dest";
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    ASSERT_TRUE(ruvex::ReplaceFileContents(folder + L"\\b.txt", "old"));
    host.hold = folder + L"\\a.txt";

    EXPECT_EQ(RunInstall(package.Job(folder), host), InstallOutcome::RecordFailed);
    EXPECT_EQ(host.warnings,
              std::vector<std::wstring>{L"ｱﾝｲﾝｽﾄｰﾙ情報を書き込めませんでした。" + kStartAgain +
                                        L"\r\n\r\n次のﾌｧｲﾙを元に戻せませんでした。\r\n" + folder + L"\\a.txt"});
    host.held.reset();
    std::string old;
    EXPECT_TRUE(ruvex::ReadFileBytes(folder + L"\\b.txt", old));
    EXPECT_EQ(old, "old");
    EXPECT_FALSE(ruvex::FileExists(folder + L"\\SETUP.EXE"));
    EXPECT_FALSE(ruvex::FileExists(folder + L"\\SETUP.INF"));
    EXPECT_FALSE(ruvex::FolderExists(host.root / L"Jos\u00e9\\Group"));
    EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, regKey, L"Old"), L"before");
    HKEY created = nullptr;
    EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, (regKey + L"\\New").c_str(), 0, KEY_READ, &created), ERROR_SUCCESS);
    EXPECT_NE(RegOpenKeyExW(HKEY_LOCAL_MACHINE, (kUninstallKey + package.name).c_str(), 0, KEY_READ, &created),
              ERROR_SUCCESS);
    testsupport::DeleteTestKey(HKEY_CURRENT_USER, regKey);
}
