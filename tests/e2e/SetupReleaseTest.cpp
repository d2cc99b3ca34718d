// Ruvex shipped by its own setup: the release package installs it into Program Files, where it
// starts and keeps its data, and the installed setup removes it again.
#include "driver/SetupDriver.h"
#include "support/RunOnceLock.h"

#include <tlhelp32.h>

#include <gtest/gtest.h>

using namespace e2e;
namespace ids = setup::ids;

namespace {

const std::wstring kFolder = L"C:\\Program Files\\Ruvex";
const std::wstring kEntry = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\ｱﾝｲﾝｽﾄｰﾗｰ Ruvex";

// What an installation leaves, removed before and after the test whatever its outcome.
struct ReleaseTraces {
    ReleaseTraces() { Remove(); }
    ~ReleaseTraces() { Remove(); }
    static void Remove() {
        RemoveTree(kFolder);
        RemoveTree(ShellFolder(L"Programs") + L"\\Ruvex");
        DeleteRegistryTree(HKEY_LOCAL_MACHINE, kEntry);
    }
};

// Ends every process running the program file given (the Ruvex that the finish page opened).
int EndProcessesOf(const std::wstring& exe) {
    int ended = 0;
    ruvex::KernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more; more = Process32NextW(snapshot.get(), &entry)) {
        ruvex::KernelHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE | SYNCHRONIZE,
                                                FALSE, entry.th32ProcessID));
        wchar_t path[MAX_PATH] = {};
        DWORD size = MAX_PATH;
        if (process && QueryFullProcessImageNameW(process.get(), 0, path, &size) && _wcsicmp(path, exe.c_str()) == 0) {
            TerminateProcess(process.get(), 0);
            WaitForSingleObject(process.get(), 10000);
            ++ended;
        }
    }
    return ended;
}

std::vector<std::wstring> FileNames(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    ruvex::FindHandle find(FindFirstFileW((folder + L"\\*").c_str(), &data));
    for (bool more = find.valid(); more; more = FindNextFileW(find.get(), &data) != FALSE) {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            names.emplace_back(data.cFileName);
        }
    }
    return names;
}

} // namespace

TEST(SetupRelease, RuvexInstalledByItsOwnSetupStartsFromProgramFilesAndIsRemovedAgain) {
    testsupport::RunOnceLock lock;
    ReleaseTraces traces;
    TempFolder package(L"dist");
    for (const wchar_t* name :
         {L"SETUP.EXE", L"SETUP.INF", L"LICENSE.TXT", L"README.TXT", L"Ruvex.exe", L"ruvex.htm"}) {
        CopyFileW((StageFolder() + L"\\dist\\" + name).c_str(), (package / name).c_str(), FALSE);
    }
    ASSERT_TRUE(Exists(package / L"SETUP.INF")) << "the release package was not staged";
    const bool withHelp = Exists(package / L"ruvex.htm");

    {
        Wizard wizard(package.path());
        ASSERT_TRUE(wizard.GoTo(3));
        EXPECT_EQ(wizard.Text(ids::kDestination), kFolder);
        ASSERT_TRUE(wizard.GoTo(6));
        ASSERT_TRUE(WaitUntil([&] { return IsEnabled(wizard.Item(ids::kFinish)); }, 60s));
        EXPECT_EQ(wizard.Text(ids::Label(6)), L"ｲﾝｽﾄｰﾙが正常に終了しました。");
        EXPECT_EQ(wizard.Text(ids::kLaunchBox), L"Ruvex を起動する");
        EXPECT_TRUE(Exists(kFolder + L"\\Ruvex.exe"));
        EXPECT_EQ(Exists(kFolder + L"\\ruvex.htm"), withHelp);
        EXPECT_TRUE(Exists(ShellFolder(L"Programs") + L"\\Ruvex\\ｱﾝｲﾝｽﾄｰﾗｰ Ruvex.lnk"));
        std::wstring command;
        ASSERT_TRUE(RegistryValue(HKEY_LOCAL_MACHINE, kEntry, L"UninstallString", &command));
        EXPECT_EQ(command, L"\"" + kFolder + L"\\SETUP.EXE\" /r");
        // Finishing with the box ticked starts the installed Ruvex, which keeps its data beside itself.
        Click(wizard.Item(ids::kFinish));
        EXPECT_TRUE(wizard.WaitClosed());
    }
    EXPECT_TRUE(WaitUntil([&] { return Exists(kFolder + L"\\uninstall.dat"); }, 30s));
    EXPECT_EQ(EndProcessesOf(kFolder + L"\\Ruvex.exe"), 1);

    {
        Wizard wizard(kFolder, L"/r");
        ASSERT_TRUE(wizard.WaitPage(7));
        Click(wizard.Item(ids::kUninstall));
        HWND box = wizard.WaitBox();
        ASSERT_NE(box, nullptr);
        Answer(box, IDNO); // never log off in a test
        EXPECT_TRUE(wizard.WaitClosed());
    }
    EXPECT_FALSE(Exists(kFolder + L"\\Ruvex.exe"));
    EXPECT_FALSE(Exists(kFolder + L"\\ruvex.htm"));
    EXPECT_FALSE(Exists(kFolder + L"\\SETUP.INF"));
    EXPECT_FALSE(Exists(ShellFolder(L"Programs") + L"\\Ruvex"));
    EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, kEntry));
    // Ruvex's own data was never part of the package: it stays until the user removes it.
    EXPECT_TRUE(Exists(kFolder + L"\\uninstall.dat"));

    std::wstring first;
    std::wstring second;
    ASSERT_TRUE(RegistryValue(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce",
                              L"Uninstall_1", &first));
    ASSERT_TRUE(RegistryValue(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce",
                              L"Uninstall_2", &second));
    // The user removes the data files, as the read-me says.
    for (const auto& name : FileNames(kFolder)) {
        if (name != L"SETUP.EXE") {
            DeleteFileW((kFolder + L"\\" + name).c_str());
        }
    }
    // The system's order at the next start: last value first.
    EXPECT_TRUE(RunCommandLine(second));
    EXPECT_TRUE(RunCommandLine(first));
    testsupport::DeleteRunOnceValues();
    EXPECT_FALSE(Exists(kFolder));

    // The same package as an administrator deploys it: no window, no Ruvex started, nothing left but SETUP.EXE.
    EXPECT_EQ(RunSilently(package.path(), L"/s"), 0u);
    EXPECT_TRUE(Exists(ShellFolder(L"Programs") + L"\\Ruvex\\ｱﾝｲﾝｽﾄｰﾗｰ Ruvex.lnk"));
    std::wstring icon;
    EXPECT_TRUE(RegistryValue(HKEY_LOCAL_MACHINE, kEntry, L"DisplayIcon", &icon));
    EXPECT_EQ(icon, kFolder + L"\\Ruvex.exe");
    std::wstring quiet;
    ASSERT_TRUE(RegistryValue(HKEY_LOCAL_MACHINE, kEntry, L"QuietUninstallString", &quiet));
    EXPECT_EQ(quiet, L"\"" + kFolder + L"\\SETUP.EXE\" /r /s");
    EXPECT_EQ(RunSilently(kFolder, L"/r /s"), 0u);
    testsupport::DeleteRunOnceValues();
    EXPECT_FALSE(Exists(kFolder + L"\\uninstall.dat")); // Ruvex was not started
    EXPECT_EQ(FileNames(kFolder), std::vector<std::wstring>{L"SETUP.EXE"});
    EXPECT_FALSE(Exists(ShellFolder(L"Programs") + L"\\Ruvex"));
    EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, kEntry));
}
