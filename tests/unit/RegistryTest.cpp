#include "uninstaller/manage/registrydelete.h"
#include "uninstaller/monitor/registry.h"

#include "support/TempFolder.h"
#include <algorithm>
#include <cstring>
#include "support/TestKeys.h"
#include "uninstaller/monitor/database.h"
#include "uninstaller/monitor/filepath.h"

#include <gtest/gtest.h>
#include <sddl.h>

using namespace ruvex;

namespace {
using Lines = std::vector<std::wstring>;

TEST(RegistryLine, RoundTripsEveryNameAndIsNeverAFilePath) {
    const RegistryEntry entries[] = {
        {L"HKEY_CURRENT_USER\\Software\\Vendor", L"", false},
        {L"HKEY_CURRENT_USER\\Software\\Vendor", L"", true},            // the default value
        {L"HKEY_CURRENT_USER\\Software\\Vendor", L"a\\b", true},        // backslashes in a name
        {L"HKEY_CURRENT_USER\\Software\\Vendor", L"\\\\x\\", true},     // two in a row, at both ends
        {L"HKEY_CURRENT_USER\\Software\\*\\C:", L"*K:C:\\x.dll", true}, // what looks like a line or a path
        {L"HKEY_LOCAL_MACHINE\\SOFTWARE\\ﾃｽﾄ [1]", L"-[section]", true},
    };
    for (const auto& entry : entries) {
        const std::wstring line = RegistryLine(entry);
        auto back = ParseRegistryLine(line);
        ASSERT_TRUE(back.has_value()) << line;
        EXPECT_EQ(back->key, entry.key);
        EXPECT_EQ(back->value, entry.value);
        EXPECT_EQ(back->isValue, entry.isValue);
        EXPECT_TRUE(IsRegistryLine(line));
        EXPECT_FALSE(IsHeaderLine(line) || IsWinIniLine(line) || IsFullFilePath(line)) << line;
    }
    // Hand-edited lines that are not of the form are never acted on.
    for (const wchar_t* line : {L"*K:", L"*K:HKEY_CURRENT_USER\\\\Software", L"*V:HKEY_CURRENT_USER\\Software",
                                L"*V:\\\\name", L"*K:\\Software", L"*K:HKEY_CURRENT_USER\\", L"*X:abc", L"K:x"}) {
        EXPECT_FALSE(ParseRegistryLine(line).has_value()) << line;
    }
}

TEST(RegistryComparison, RecordsAddedKeysAndValuesOnlyAndCountsWhatARecordCannotHold) {
    const Lines before{L"*K:HKEY_CURRENT_USER\\Software\\Old", L"*V:HKEY_CURRENT_USER\\Software\\Old\\\\changed",
                       L"*X:HKEY_CURRENT_USER\\Software\\&#256;"};
    const Lines after{
        L"*K:HKEY_CURRENT_USER\\Software\\OLD",            // the same key in other case
        L"*V:HKEY_CURRENT_USER\\Software\\Old\\\\changed", // changed data: the same line
        L"*V:HKEY_CURRENT_USER\\Software\\Old\\\\added",   // added to a key that was there
        L"*X:HKEY_CURRENT_USER\\Software\\&#256;",         // there before: not counted
        L"*K:HKEY_CURRENT_USER\\Software\\New",
        L"*V:HKEY_CURRENT_USER\\Software\\New\\\\",
        L"*K:HKEY_CURRENT_USER\\Software\\New\\Deep",
        L"*X:HKEY_CURRENT_USER\\Software\\New\\&#257;",
    };
    RegistryChanges changes = CompareRegistry(before, after);
    EXPECT_EQ(changes.lines, (Lines{after[2], after[4], after[5], after[6]}));
    EXPECT_EQ(changes.unrecordable, 1u);
}

TEST(RegistryComparison, TheChurningKeysAreLeftOutWithAllBelowThem) {
    const std::pair<const wchar_t*, bool> cases[] = {
        {L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Cryptography\\RNG", true},
        {L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Cryptography\\RNG\\Seed", true},
        {L"hkey_current_user\\software\\wine\\X11 Driver", true},
        {L"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RecentDocs\\.txt", true},
        {L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Cryptography", false},
        {L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Wine2", false},
        {L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor\\Wine", false},
    };
    for (auto [key, churning] : cases) {
        EXPECT_EQ(IsChurningKey(key), churning) << key;
    }
}

// A key of the test's own below HKEY_CURRENT_USER\Software, watched alone.
class RegistryKeys : public ::testing::Test {
protected:
    std::wstring name = L"Software\\RvxRegTest\\" + testsupport::UniqueName(L"k");
    std::wstring full = L"HKEY_CURRENT_USER\\" + name;
    std::vector<WatchedKey> watched{{HKEY_CURRENT_USER, L"HKEY_CURRENT_USER", name.c_str()}};

    ~RegistryKeys() override { testsupport::DeleteTestKey(HKEY_CURRENT_USER, name); }

    void Set(const std::wstring& sub, const std::wstring& value, DWORD type, const void* data, DWORD size) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, (name + sub).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                                  nullptr),
                  ERROR_SUCCESS);
        if (data) {
            RegSetValueExW(key, value.c_str(), 0, type, static_cast<const BYTE*>(data), size);
        }
        RegCloseKey(key);
    }
    void SetText(const std::wstring& sub, const std::wstring& value, const std::wstring& text) {
        Set(sub, value, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }
    [[nodiscard]] bool KeyExists(const std::wstring& sub) const {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, (name + sub).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
            return false;
        }
        RegCloseKey(key);
        return true;
    }
    [[nodiscard]] bool ValueExists(const std::wstring& sub, const std::wstring& value) const {
        return RegGetValueW(HKEY_CURRENT_USER, (name + sub).c_str(), value.c_str(), RRF_RT_ANY, nullptr, nullptr,
                            nullptr) == ERROR_SUCCESS;
    }
    [[nodiscard]] std::vector<RegistryEntry> Entries(const Lines& lines) const {
        std::vector<RegistryEntry> entries;
        for (const auto& line : lines) {
            entries.push_back(*ParseRegistryLine(line));
        }
        return entries;
    }
};

TEST_F(RegistryKeys, TheSnapshotListsKeysAndValuesAndLeavesOutWhatARecordCannotHold) {
    SetText(L"\\App", L"", L"default");
    SetText(L"\\App", L"a\\b", L"x");
    SetText(L"\\App\\Sub", L"\u0100", L"y");
    SetText(L"\\\u0101", L"v", L"z"); // a key a record cannot name: not entered
    RegistrySnapshot snapshot = SnapshotRegistry(watched, nullptr);
    Lines expected{L"*K:" + full + L"\\App",
                   L"*V:" + full + L"\\App\\\\",
                   L"*V:" + full + L"\\App\\\\a\\b",
                   L"*K:" + full + L"\\App\\Sub",
                   L"*X:" + full + L"\\App\\Sub\\\\&#256;",
                   L"*X:" + full + L"\\&#257;"};
    std::sort(snapshot.lines.begin(), snapshot.lines.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(snapshot.lines, expected);
}

TEST_F(RegistryKeys, RemovalTakesOnlyRecordedValuesAndEmptyKeysDeepestFirst) {
    SetText(L"\\App", L"mine", L"1");
    SetText(L"\\App", L"theirs", L"2"); // added by another program after the install
    SetText(L"\\App\\Sub", L"deep", L"3");
    SetText(L"\\Gone", L"", L"4");
    Set(L"\\Empty", L"", REG_NONE, nullptr, 0);
    const Lines record{
        L"*K:" + full + L"\\App",      L"*V:" + full + L"\\App\\\\mine",      L"*K:" + full + L"\\Empty",
        L"*K:" + full + L"\\App\\Sub", L"*V:" + full + L"\\App\\Sub\\\\deep", L"*V:" + full + L"\\Missing\\\\x"};
    RegistryRemoval removal = RemoveRegistryEntries(Entries(record));
    EXPECT_FALSE(ValueExists(L"\\App", L"mine"));
    EXPECT_TRUE(ValueExists(L"\\App", L"theirs"));
    EXPECT_TRUE(KeyExists(L"\\App"));
    EXPECT_FALSE(KeyExists(L"\\App\\Sub"));
    EXPECT_FALSE(KeyExists(L"\\Empty"));
    EXPECT_TRUE(KeyExists(L"\\Gone")); // not named by the record
    EXPECT_EQ(removal.removed, 4u);    // two values, two keys
    EXPECT_EQ(removal.leftBehind, 0u);
}

// A link below a recorded key, pointing at a key of victims: listed, never entered, never deleted through.
TEST_F(RegistryKeys, ALinkIsNeitherFollowedByTheSnapshotNorByADeletion) {
    SetText(L"\\Victim", L"v", L"precious");
    SetText(L"\\Victim\\Inner", L"", L"precious");
    HANDLE token = nullptr;
    ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token));
    BYTE buffer[256];
    DWORD size = 0;
    ASSERT_TRUE(GetTokenInformation(token, TokenUser, buffer, sizeof buffer, &size));
    CloseHandle(token);
    wchar_t* sid = nullptr;
    ASSERT_TRUE(ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer)->User.Sid, &sid));
    const std::wstring target = L"\\Registry\\User\\" + std::wstring(sid) + L"\\" + name + L"\\Victim";
    LocalFree(sid);
    Set(L"\\App", L"", REG_NONE, nullptr, 0);
    HKEY link = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, (name + L"\\App\\Link").c_str(), 0, nullptr, REG_OPTION_CREATE_LINK,
                              KEY_ALL_ACCESS | KEY_CREATE_LINK, nullptr, &link, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(link, L"SymbolicLinkValue", 0, REG_LINK, reinterpret_cast<const BYTE*>(target.data()),
                   static_cast<DWORD>(target.size() * sizeof(wchar_t)));
    RegCloseKey(link);
    ASSERT_TRUE(ValueExists(L"\\App\\Link", L"v")) << "the link leads to the victims";

    Lines lines = SnapshotRegistry(watched, nullptr).lines;
    EXPECT_NE(std::find(lines.begin(), lines.end(), L"*K:" + full + L"\\App\\Link"), lines.end());
    EXPECT_EQ(std::find(lines.begin(), lines.end(), L"*V:" + full + L"\\App\\Link\\\\v"), lines.end());
    EXPECT_EQ(std::find(lines.begin(), lines.end(), L"*K:" + full + L"\\App\\Link\\Inner"), lines.end());

    RegistryRemoval removal = RemoveRegistryEntries(Entries(
        {L"*V:" + full + L"\\App\\Link\\\\v", L"*K:" + full + L"\\App\\Link\\Inner", L"*K:" + full + L"\\App\\Link"}));
    EXPECT_TRUE(ValueExists(L"\\Victim", L"v"));
    EXPECT_TRUE(KeyExists(L"\\Victim\\Inner"));
    EXPECT_EQ(removal.removed, 0u);
    EXPECT_EQ(removal.leftBehind, 3u);
    // The link is removed as itself by the test, not through it.
    HKEY opened = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, (name + L"\\App\\Link").c_str(), REG_OPTION_OPEN_LINK,
                            DELETE | KEY_QUERY_VALUE, &opened),
              ERROR_SUCCESS);
    using NtDeleteKeyFunction = LONG(WINAPI*)(HANDLE);
    reinterpret_cast<NtDeleteKeyFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtDeleteKey")))(opened);
    RegCloseKey(opened);
}

TEST_F(RegistryKeys, SharedKeysAndWatchedKeysAreNeverDeletedAsKeys) {
    for (const wchar_t* key :
         {L"HKEY_LOCAL_MACHINE\\SOFTWARE", L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft", L"HKEY_CURRENT_USER\\Software",
          L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes", L"HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node",
          L"HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services", L"HKEY_LOCAL_MACHINE\\SYSTEM\\Setup",
          L"HKEY_LOCAL_MACHINE", L"HKEY_USERS\\.DEFAULT\\Software\\X"}) {
        EXPECT_FALSE(IsDeletableKey(key)) << key;
    }
    EXPECT_TRUE(IsDeletableKey(L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\.rvx"));
    EXPECT_TRUE(IsDeletableKey(full));
}

TEST_F(RegistryKeys, TheBackupHoldsWhatStillExistsInRegistryEditorForm) {
    SetText(L"\\App", L"", L"C:\\Program Files\\\"App\"");
    const DWORD number = 10;
    Set(L"\\App", L"n", REG_DWORD, &number, sizeof number);
    const BYTE bytes[] = {1, 0xAB};
    Set(L"\\App", L"b\"q", REG_BINARY, bytes, sizeof bytes);
    Set(L"\\App", L"e", REG_EXPAND_SZ, L"%X%", 8);
    const Lines record{L"*K:" + full + L"\\App",      L"*V:" + full + L"\\App\\\\",
                       L"*V:" + full + L"\\App\\\\n", L"*V:" + full + L"\\App\\\\b\"q",
                       L"*V:" + full + L"\\App\\\\e", L"*V:" + full + L"\\App\\\\gone",
                       L"*K:" + full + L"\\Gone"};
    std::string text = RegistryBackupText(Entries(record));
    std::wstring wide(text.size() / 2, L'\0');
    std::memcpy(wide.data(), text.data(), text.size());
    EXPECT_EQ(wide, L"\xFEFFWindows Registry Editor Version 5.00\r\n\r\n[" + full +
                        L"\\App]\r\n@=\"C:\\\\Program Files\\\\\\\"App\\\"\"\r\n\"n\"=dword:0000000a\r\n"
                        L"\"b\\\"q\"=hex:01,ab\r\n\"e\"=hex(2):25,00,58,00,25,00,00,00\r\n\r\n");
    EXPECT_TRUE(RegistryBackupText(Entries({L"*K:" + full + L"\\Gone"})).empty());
}

} // namespace
