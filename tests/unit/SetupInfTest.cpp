// SETUP.INF as the setup program reads it: ANSI INI text, defaults for what is missing, file order.
#include "setup/common/ShellFolders.h"
#include "setup/main/CommandLine.h"
#include "setup/main/SetupInf.h"
#include "setup/main/TextFile.h"
#include "support/TempFolder.h"

#include "base/codec.h"
#include "base/safefile.h"

#include "support/TestKeys.h"

#include <gtest/gtest.h>

using namespace setup;

namespace {

void WriteAnsi(const std::wstring& path, const std::vector<std::wstring>& lines) {
    ASSERT_TRUE(ruvex::ReplaceFileLines(path, lines));
}

} // namespace

TEST(SetupInf, ReadsValuesKeysAndSectionsInFileOrderWithDefaults) {
    testsupport::TempFolder folder;
    std::wstring path = folder / L"SETUP.INF";
    WriteAnsi(path, {L"[AboutSoftware]", L"Name=表示ソフト", L"[Files]", L"c=<Setup Folder>\\c.txt", L"a=a.txt",
                     L"b=b.txt", L"[Empty]", L"[ProgramGroup2]", L"Name=Tools\\Viewer"});
    SetupInf inf(path);
    EXPECT_EQ(inf.Value(L"AboutSoftware", L"Name"), L"表示ソフト");
    EXPECT_EQ(inf.Value(L"aboutsoftware", L"NAME"), L"表示ソフト"); // exact names match without case
    EXPECT_EQ(inf.Value(L"AboutSoftware", L"Version"), L"AboutSoftware - Version Error");
    EXPECT_EQ(inf.Value(L"Files", L"d"), L"Files - d Error");
    EXPECT_EQ(inf.Value(L"ProgramGroup2", L"File"), L"ProgramGroup2 - File Error");
    EXPECT_EQ(inf.Keys(L"Files"), (std::vector<std::wstring>{L"c", L"a", L"b"}));
    EXPECT_EQ(inf.Sections(), (std::vector<std::wstring>{L"AboutSoftware", L"Files", L"Empty", L"ProgramGroup2"}));
    EXPECT_TRUE(inf.HasSection(L"Files"));
    EXPECT_FALSE(inf.HasSection(L"Empty"));
    EXPECT_FALSE(inf.HasSection(L"AfterSetup"));

    // A missing file reads as defaults only.
    SetupInf none(folder / L"NONE.INF");
    EXPECT_EQ(none.Value(L"SetupFolder", L"Folder"), L"SetupFolder - Folder Error");
    EXPECT_TRUE(none.Sections().empty());
}

TEST(SetupInf, WritesValuesBackInTheAnsiCodePage) {
    testsupport::TempFolder folder;
    std::wstring path = folder / L"SETUP.INF";
    WriteAnsi(path, {L"[AboutSoftware]", L"Name=表示ソフト"});
    SetupInf inf(path);
    ASSERT_TRUE(inf.Write(L"Uninstall", L"File1", L"C:\\表\\a.txt"));
    ASSERT_TRUE(inf.Write(L"Uninstall", L"File1", L"C:\\表\\b.txt"));
    auto lines = ruvex::ReadFileLines(path).lines;
    EXPECT_NE(std::find(lines.begin(), lines.end(), L"File1=C:\\表\\b.txt"), lines.end());
    EXPECT_EQ(std::count(lines.begin(), lines.end(), L"[Uninstall]"), 1);
    EXPECT_EQ(inf.Value(L"AboutSoftware", L"Name"), L"表示ソフト");
}

TEST(SetupInf, KindsAreCaseSensitiveSubstringsAndRootKeysExactNames) {
    EXPECT_TRUE(IsKind(L"StartUp", kKindStartUp));
    EXPECT_TRUE(IsKind(L"MyStartUpMenu", kKindStartUp));
    EXPECT_FALSE(IsKind(L"Startup", kKindStartUp));
    EXPECT_TRUE(IsKind(L"ProgramGroup2", kKindProgramGroup));
    EXPECT_FALSE(IsKind(L"Desktop", kKindDeskTop));
    EXPECT_TRUE(IsKind(L"RegistryDeleteValue1", kKindRegistryDeleteValue));
    EXPECT_FALSE(IsKind(L"RegistryDeleteValue1", kKindRegistryDeleteKey));

    EXPECT_EQ(RootKeyFromName(L"HKEY_LOCAL_MACHINE"), HKEY_LOCAL_MACHINE);
    EXPECT_EQ(RootKeyFromName(L"HKEY_CLASSES_ROOT"), HKEY_CLASSES_ROOT);
    EXPECT_EQ(RootKeyFromName(L"HKEY_USERS"), HKEY_USERS);
    EXPECT_EQ(RootKeyFromName(L"HKEY_CURRENT_CONFIG"), HKEY_CURRENT_CONFIG);
    EXPECT_EQ(RootKeyFromName(L"hkey_local_machine"), HKEY_CURRENT_USER);
    EXPECT_EQ(RootKeyFromName(L"HKEY_LOCAL_MACHINE "), HKEY_CURRENT_USER);
    EXPECT_EQ(RootKeyFromName(L"RootKey Error"), HKEY_CURRENT_USER);
}

TEST(SetupTextFile, LoadsAnsiTextWithEveryLineEndAsCrLf) {
    testsupport::TempFolder folder;
    std::wstring path = folder / L"README.TXT";
    ASSERT_TRUE(ruvex::ReplaceFileContents(path, ruvex::WideToAnsi(L"一行目\n二行目\r三行目\r\n表")));
    EXPECT_EQ(LoadTextForDisplay(path), std::optional<std::wstring>(L"一行目\r\n二行目\r\n三行目\r\n表"));
    EXPECT_FALSE(LoadTextForDisplay(folder / L"NONE.TXT").has_value());
}

TEST(SetupShellFolders, RegistryStringsAreMissingWhenAbsentOrEmpty) {
    const std::wstring key = L"Software\\RuvexTest\\" + testsupport::UniqueName(L"shell");
    HKEY created = nullptr;
    ASSERT_EQ(
        RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &created, nullptr),
        ERROR_SUCCESS);
    auto set = [&](const wchar_t* name, const std::wstring& value) {
        RegSetValueExW(created, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    };
    set(L"Programs", L"C:\\Users\\表\\Programs\\");
    set(L"Empty", L"");
    RegCloseKey(created);
    EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, key, L"Programs"),
              std::optional<std::wstring>(L"C:\\Users\\表\\Programs\\"));
    EXPECT_FALSE(ReadRegistryString(HKEY_CURRENT_USER, key, L"Empty").has_value());
    EXPECT_FALSE(ReadRegistryString(HKEY_CURRENT_USER, key, L"Startup").has_value());
    EXPECT_FALSE(ReadRegistryString(HKEY_CURRENT_USER, key + L"\\none", L"Programs").has_value());
    testsupport::DeleteTestKey(HKEY_CURRENT_USER, key);
}

// Odd shapes of SETUP.INF: values missing or huge, section names empty, padded, unterminated or repeated.
TEST(SetupInf, OddShapesReadWholeOrAsTheirDefaults) {
    testsupport::TempFolder folder;
    std::wstring path = folder / L"SETUP.INF";
    const std::wstring huge(100000, L'v');
    WriteAnsi(path, {L"[AboutSoftware]", L"Name", L"Version=", L"[]", L"k=empty name", L"[ Padded ]", L"k=padded",
                     L"[Files]", L"a=first", L"[Unterminated", L"k=unterminated", L"[Files]", L"b=second", L"[Huge]",
                     L"k=" + huge, L"[" + std::wstring(5000, L's') + L"]", L"k=long name"});
    SetupInf inf(path);
    EXPECT_EQ(inf.Value(L"AboutSoftware", L"Name"), L"AboutSoftware - Name Error"); // a key without "="
    EXPECT_EQ(inf.Value(L"AboutSoftware", L"Version"), L"");
    EXPECT_EQ(inf.Value(L"Huge", L"k"), huge);
    EXPECT_EQ(inf.Value(std::wstring(5000, L's'), L"k"), L"long name");
    EXPECT_EQ(inf.Value(L"Padded", L"k"), L"padded");
    // A repeated section is found once, as its first part.
    EXPECT_EQ(inf.Value(L"Files", L"a"), L"first");
    auto sections = inf.Sections();
    EXPECT_EQ(std::count(sections.begin(), sections.end(), L"Padded"), 1);
    EXPECT_EQ(sections.back().size(), 5000u);
}

TEST(SetupCommandLine, SwitchesAreCaseBlindAndAnUnknownOneKeepsTheWizard) {
    const struct {
        std::vector<std::wstring> arguments;
        bool uninstall, silent;
        std::wstring folder, log;
    } rows[] = {
        {{L"SETUP.EXE", L"/S", L"/D=C:\\My App", L"/Log=x.log"}, false, true, L"C:\\My App", L"x.log"},
        {{L"SETUP.EXE", L"/s", L"/R"}, true, true, L"", L""},
        {{L"SETUP.EXE", L"/R"}, true, false, L"", L""},
        {{L"SETUP.EXE", L"/d=C:\\A", L"/r"}, false, false, L"C:\\A", L""}, // without /s only a first /r counts
        {{L"SETUP.EXE", L"/r", L"/s", L"/x"}, true, false, L"", L""},
        {{L"SETUP.EXE", L"/s", L"/d="}, false, false, L"", L""},
    };
    for (const auto& row : rows) {
        CommandLine line = ParseCommandLine(row.arguments);
        EXPECT_EQ(line.uninstall, row.uninstall) << row.arguments[1];
        EXPECT_EQ(line.silent, row.silent) << row.arguments[1];
        EXPECT_EQ(line.folder, row.folder) << row.arguments[1];
        EXPECT_EQ(line.log, row.log) << row.arguments[1];
    }
}
