// The whole life of a package: installed by the wizard, removed by the installed copy started with /r,
// its last traces removed by the RunOnce commands as the system runs them at the next start.
#include "driver/SetupDriver.h"
#include "support/RunOnceLock.h"

#include "base/codec.h"

#include "support/TestKeys.h"

#include <gtest/gtest.h>

#include <shlobj.h>

using namespace e2e;
namespace ids = setup::ids;

namespace {

const std::wstring kStartAgain = L"\r\n\r\nｾｯﾄｱｯﾌﾟをはじめからやり直してください。";
const std::wstring kRunOnce = L"Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
const std::wstring kUninstallList = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

// The sample package with names of its own, so that tests side by side never share a shortcut or key;
// whatever a failed test leaves in the shell folders and the registry goes with the object.
struct SamplePackage {
    SamplePackage() {
        package.SetValue(L"AboutSoftware", L"Name", name.c_str());
        package.SetValue(L"ProgramGroup", L"Name", (unique + L"\\サンプル ビューア").c_str());
        package.SetValue(L"ProgramGroup2", L"Name", (unique + L"\\ヘルプ").c_str());
        for (const wchar_t* section : {L"StartUp", L"DeskTop", L"SendTo"}) {
            package.SetValue(section, L"Name", unique.c_str());
        }
        package.SetValue(L"RegistryWrite", L"OpenKey", (registryKey + L"\\SampleViewer").c_str());
        package.SetValue(L"RegistryDeleteKey", L"DeleteKey", registryKey.c_str());
    }
    ~SamplePackage() {
        RemoveTree(ShellFolder(L"Programs") + L"\\" + unique);
        for (const wchar_t* folder : {L"Startup", L"Desktop", L"SendTo"}) {
            DeleteFileW((ShellFolder(folder) + L"\\" + unique + L".lnk").c_str());
        }
        testsupport::DeleteTestKey(HKEY_CURRENT_USER, registryKey);
        testsupport::DeleteTestKey(HKEY_CURRENT_USER, valuesKey);
        DeleteRegistryTree(HKEY_LOCAL_MACHINE, kUninstallList + name);
    }
    [[nodiscard]] std::wstring Recorded(const std::wstring& inf, const wchar_t* key) const {
        return package.Value(inf, L"Uninstall", key);
    }

    SetupPackage package;
    std::wstring unique = testsupport::UniqueName(L"rvx");
    std::wstring name = L"サンプル ビューア " + unique;
    std::wstring registryKey = L"Software\\RuvexTest\\" + unique;
    std::wstring valuesKey = L"Software\\RuvexTestValues\\" + unique;
};

std::wstring Registry(HKEY root, const std::wstring& key, const wchar_t* name) {
    std::wstring value = L"(none)";
    (void)RegistryValue(root, key, name, &value);
    return value;
}

// The width of a text in "ＭＳ Ｐゴシック" 12 pixels, the wizard's font (at 96 dpi, as the tests run).
int CaptionWidth(const std::wstring& text) {
    HFONT font = CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, 0, 0, DEFAULT_QUALITY, 0,
                             L"ＭＳ Ｐゴシック");
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    DeleteObject(font);
    return size.cx;
}

// Installs up to the finished page 6; the destination is created by the run.
void InstallToFinishPage(Wizard& wizard, const std::wstring& destination, bool desktop) {
    ASSERT_TRUE(wizard.GoTo(4, destination));
    if (!desktop) {
        Click(wizard.Item(ids::kDesktopBox));
        ASSERT_TRUE(WaitUntil([&] { return !wizard.Checked(ids::kDesktopBox); }));
    }
    ASSERT_TRUE(wizard.GoTo(6));
    ASSERT_TRUE(WaitUntil([&] { return IsEnabled(wizard.Item(ids::kFinish)); }, 60s));
}

// Wine turns an empty user folder of the sandboxed prefix back into a link into the Linux home when a
// program asks for it; the setup program's shortcuts would then land there. Wine shows such links as
// reparse points.
void ExpectNoUserFolderIsALink() {
    // Asked for as a program asks (Ruvex for the Desktop at every walk): this is when Wine makes the link.
    for (int csidl :
         {CSIDL_DESKTOPDIRECTORY, CSIDL_PERSONAL, CSIDL_MYPICTURES, CSIDL_MYMUSIC, CSIDL_MYVIDEO, CSIDL_TEMPLATES}) {
        wchar_t path[MAX_PATH] = {};
        EXPECT_EQ(SHGetFolderPathW(nullptr, csidl | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, path), S_OK);
    }
    wchar_t profile[MAX_PATH] = {};
    ASSERT_NE(GetEnvironmentVariableW(L"USERPROFILE", profile, MAX_PATH), 0u);
    std::vector<std::wstring> folders{std::wstring(profile) + L"\\AppData\\Roaming\\Microsoft\\Windows\\Templates"};
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((std::wstring(profile) + L"\\*").c_str(), &data);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    do {
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && data.cFileName[0] != L'.') {
            folders.push_back(std::wstring(profile) + L"\\" + data.cFileName);
        }
    } while (FindNextFileW(find, &data));
    FindClose(find);
    EXPECT_GE(folders.size(), 7u);
    for (const auto& folder : folders) {
        DWORD attributes = GetFileAttributesW(folder.c_str());
        EXPECT_NE(attributes, INVALID_FILE_ATTRIBUTES) << folder;
        EXPECT_EQ(attributes & FILE_ATTRIBUTE_REPARSE_POINT, 0u) << folder;
    }
}

// What an installation may touch, as text: the files and folders below root and the user folders whose
// paths name the package (each file with its bytes), and its registry keys with their values.
std::vector<std::wstring> MachineState(const SamplePackage& sample, const std::wstring& root) {
    std::vector<std::wstring> state;
    std::function<void(const std::wstring&, bool)> walk = [&](const std::wstring& folder, bool all) {
        WIN32_FIND_DATAW data;
        ruvex::FindHandle find(FindFirstFileW((folder + L"\\*").c_str(), &data));
        for (bool more = find.valid(); more; more = FindNextFileW(find.get(), &data) != FALSE) {
            std::wstring path = folder + L"\\" + data.cFileName;
            bool ours = all || path.find(sample.unique) != std::wstring::npos;
            if (data.cFileName[0] == L'.' || !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
                if (ours && data.cFileName[0] != L'.') {
                    state.push_back(path + L"=" + ruvex::AnsiToWide(ReadBytes(path)));
                }
            } else {
                if (ours) {
                    state.push_back(path + L"\\");
                }
                walk(path, ours);
            }
        }
    };
    walk(root, true);
    for (const wchar_t* folder : {L"Programs", L"Startup", L"Desktop", L"SendTo"}) {
        walk(ShellFolder(folder), false);
    }
    std::function<void(HKEY, const std::wstring&)> dump = [&](HKEY root, const std::wstring& key) {
        ruvex::RegKey k;
        if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, k.put()) != ERROR_SUCCESS) {
            return;
        }
        state.push_back(key);
        wchar_t name[512];
        BYTE data[4096];
        for (DWORD i = 0, n = 512, size = sizeof data, type = 0;
             RegEnumValueW(k.get(), i, name, &n, nullptr, &type, data, &size) == ERROR_SUCCESS;
             ++i, n = 512, size = sizeof data) {
            state.push_back(key + L":" + name + L"=" + std::wstring(reinterpret_cast<wchar_t*>(data), size / 2));
        }
        for (DWORD i = 0, n = 512;
             RegEnumKeyExW(k.get(), i, name, &n, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS; ++i, n = 512) {
            dump(root, key + L"\\" + name);
        }
    };
    dump(HKEY_CURRENT_USER, sample.registryKey);
    dump(HKEY_LOCAL_MACHINE, kUninstallList + sample.name);
    return state;
}

} // namespace

TEST(SetupInstall, InstallsTheSampleThenTheInstalledCopyRemovesItAndTheNextStartRemovesTheRest) {
    testsupport::RunOnceLock lock;
    SamplePackage sample;
    SetupPackage& package = sample.package;
    // The finish page opens this command when its box is ticked.
    package.SetValue(L"Files", L"Launcher", L"<Setup Folder>\\MARK.CMD");
    package.SetValue(L"AfterSetup", L"Command", L"<Setup Folder>\\MARK.CMD");
    WriteBytes(package.File(L"MARK.CMD"),
               ruvex::WideToAnsi(L"echo launched> \"" + package.File(L"launched.txt") + L"\"\r\n"));
    package.SetValue(L"RegistryDeleteValue", L"RootKey", L"HKEY_CURRENT_USER");
    package.SetValue(L"RegistryDeleteValue", L"OpenKey", sample.valuesKey.c_str());
    package.SetValue(L"RegistryDeleteValue", L"Name", L"Setting");
    TempFolder destinationRoot;
    const std::wstring folder = destinationRoot / L"Program Files\\サンプル ビューア";

    {
        Wizard wizard(package.folder());
        InstallToFinishPage(wizard, folder, false);
        EXPECT_EQ(wizard.Text(ids::Label(6)), L"ｲﾝｽﾄｰﾙが正常に終了しました。");
        HWND launch = wizard.Item(ids::kLaunchBox);
        EXPECT_TRUE(IsVisible(launch));
        EXPECT_EQ(WindowText(launch), L"サンプル ビューアの説明を読む");
        EXPECT_TRUE(wizard.Checked(ids::kLaunchBox));
        // As wide as its caption in the window's font, plus the check mark's 18 pixels.
        RECT box;
        GetWindowRect(launch, &box);
        EXPECT_EQ(box.right - box.left, CaptionWidth(L"サンプル ビューアの説明を読む") + 18);

        for (const wchar_t* file : {L"SAMPLE.TXT", L"VIEWER.HLP", L"MARK.CMD", L"SETUP.EXE", L"SETUP.INF"}) {
            EXPECT_TRUE(Exists(folder + L"\\" + file)) << file;
        }
        const std::wstring programs = ShellFolder(L"Programs") + L"\\" + sample.unique;
        const std::wstring links[] = {programs + L"\\サンプル ビューア.lnk", programs + L"\\ヘルプ.lnk",
                                      ShellFolder(L"Startup") + L"\\" + sample.unique + L".lnk",
                                      ShellFolder(L"SendTo") + L"\\" + sample.unique + L".lnk"};
        for (const auto& link : links) {
            EXPECT_TRUE(Exists(link));
        }
        EXPECT_FALSE(Exists(ShellFolder(L"Desktop") + L"\\" + sample.unique + L".lnk")); // unticked
        EXPECT_EQ(Registry(HKEY_CURRENT_USER, sample.registryKey + L"\\SampleViewer", L"InstallFolder"), folder);
        EXPECT_EQ(Registry(HKEY_LOCAL_MACHINE, kUninstallList + sample.name, L"DisplayName"),
                  sample.name + L" Ver.1.0");
        EXPECT_EQ(Registry(HKEY_LOCAL_MACHINE, kUninstallList + sample.name, L"UninstallString"),
                  L"\"" + folder + L"\\SETUP.EXE\" /r");
        // Sections: AboutSoftware 1, LICENSE 2, README 3, SetupFolder 4, Files 5, ProgramGroup 6,
        // ProgramGroup2 7, StartUp 8, DeskTop 9, SendTo 10.
        for (const std::wstring& inf : {package.Inf(), folder + L"\\SETUP.INF"}) {
            SCOPED_TRACE(inf);
            EXPECT_EQ(sample.Recorded(inf, L"File1"), folder + L"\\SAMPLE.TXT");
            EXPECT_EQ(sample.Recorded(inf, L"File2"), folder + L"\\VIEWER.HLP");
            EXPECT_EQ(sample.Recorded(inf, L"File3"), folder + L"\\MARK.CMD");
            EXPECT_EQ(sample.Recorded(inf, L"FileP6"), links[0]);
            EXPECT_EQ(sample.Recorded(inf, L"FileP7"), links[1]);
            EXPECT_EQ(sample.Recorded(inf, L"FileP8"), links[2]);
            EXPECT_EQ(sample.Recorded(inf, L"FileD9"), L"");
            EXPECT_EQ(sample.Recorded(inf, L"FileS10"), links[3]);
        }

        Click(wizard.Item(ids::kFinish));
        EXPECT_TRUE(wizard.WaitClosed());
        EXPECT_TRUE(WaitUntil([&] { return Exists(package.File(L"launched.txt")); }));
    }

    // The value the uninstall deletes by name, beside one it keeps.
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, sample.valuesKey.c_str(), L"Setting", REG_SZ, L"1", 4), ERROR_SUCCESS);
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, sample.valuesKey.c_str(), L"Other", REG_SZ, L"1", 4), ERROR_SUCCESS);
    const std::wstring shortFolder = ShortPath(folder);
    ASSERT_FALSE(shortFolder.empty());
    {
        // Started as the uninstall list starts it: the quoted program path, then /r.
        Wizard wizard(folder, L"/r");
        ASSERT_TRUE(wizard.WaitPage(7));
        EXPECT_EQ(wizard.Text(ids::Label(7)).substr(0, sample.name.size()), sample.name);
        Click(wizard.Item(ids::kUninstall));
        std::wstring text;
        HWND box = wizard.WaitBox(&text);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(
            text,
            L"ｱﾝｲﾝｽﾄｰﾙが終了しました。いくつかのﾌｧｲﾙは再ログオン後に削除されます。\r\n\r\nここでログオフしますか？");
        Answer(box, IDNO); // never Yes: it would end every program of the prefix
        EXPECT_TRUE(wizard.WaitClosed());
    }
    for (const wchar_t* file : {L"SAMPLE.TXT", L"VIEWER.HLP", L"MARK.CMD", L"SETUP.INF"}) {
        EXPECT_FALSE(Exists(folder + L"\\" + file)) << file;
    }
    EXPECT_TRUE(Exists(folder + L"\\SETUP.EXE"));
    EXPECT_FALSE(Exists(ShellFolder(L"Programs") + L"\\" + sample.unique)); // the emptied group folder
    EXPECT_FALSE(Exists(ShellFolder(L"Startup") + L"\\" + sample.unique + L".lnk"));
    EXPECT_FALSE(Exists(ShellFolder(L"SendTo") + L"\\" + sample.unique + L".lnk"));
    EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, sample.registryKey));
    EXPECT_EQ(Registry(HKEY_CURRENT_USER, sample.valuesKey, L"Setting"), L"(none)");
    EXPECT_EQ(Registry(HKEY_CURRENT_USER, sample.valuesKey, L"Other"), L"1");
    EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, kUninstallList + sample.name));

    const std::wstring first = Registry(HKEY_LOCAL_MACHINE, kRunOnce, L"Uninstall_1");
    const std::wstring second = Registry(HKEY_LOCAL_MACHINE, kRunOnce, L"Uninstall_2");
    EXPECT_EQ(first, L"Cmd.exe /C Del " + shortFolder + L"\\SETUP.EXE");
    EXPECT_EQ(second, L"Cmd.exe /C Del " + shortFolder + L"\\SETUP.EXE & Rd " + shortFolder);
    // The next start runs them last value first.
    EXPECT_TRUE(RunCommandLine(second));
    EXPECT_TRUE(RunCommandLine(first));
    testsupport::DeleteRunOnceValues();
    EXPECT_FALSE(Exists(folder + L"\\SETUP.EXE"));
    EXPECT_FALSE(Exists(folder));
    EXPECT_TRUE(Exists(destinationRoot / L"Program Files"));
    ExpectNoUserFolderIsALink();
}

// Whatever step fails, the machine is left as it was before the run: a replaced file has its old bytes back.
TEST(SetupInstall, EachFailingStepShowsItsWarningAndLeavesTheMachineAsItWas) {
    struct Case {
        const wchar_t* what;
        std::function<std::wstring(SamplePackage&, const TempFolder&)> prepare; // returns the destination
        std::wstring warning;
    };
    TempFolder root;
    const std::vector<Case> cases = {
        {L"folder",
         [](SamplePackage&, const TempFolder& r) {
             WriteBytes(r / L"blocked", "");
             return r / L"blocked\\Viewer";
         },
         L""},
        {L"copy",
         [](SamplePackage& s, const TempFolder& r) {
             s.package.SetValue(L"Files", L"Broken", L"<Setup Folder>\\missing\\SAMPLE.TXT");
             return r / (s.unique + L"-copy");
         },
         L"ﾌｧｲﾙのｺﾋﾟｰに失敗しました。" + kStartAgain},
        {L"shortcut",
         [](SamplePackage& s, const TempFolder& r) {
             WriteBytes(ShellFolder(L"Programs") + L"\\" + s.unique, ""); // where the group folder would go
             return r / (s.unique + L"-link");
         },
         L"ﾌﾟﾛｸﾞﾗﾑｸﾞﾙｰﾌﾟに登録できませんでした。" + kStartAgain},
        {L"registry",
         [](SamplePackage& s, const TempFolder& r) {
             s.package.SetValue(L"RegistryWrite", L"OpenKey",
                                (s.registryKey + L"\\" + std::wstring(300, L'k')).c_str());
             std::wstring folder = r / (s.unique + L"-reg");
             CreateDirectoryW(folder.c_str(), nullptr);
             WriteBytes(folder + L"\\SAMPLE.TXT", "old");
             return folder;
         },
         L"ﾚｼﾞｽﾄﾘに書き込みできませんでした。" + kStartAgain},
        {L"setup copy",
         [](SamplePackage& s, const TempFolder& r) {
             // A folder where SETUP.EXE would go: the program can't be copied.
             std::wstring folder = r / (s.unique + L"-self");
             CreateDirectoryW(folder.c_str(), nullptr);
             CreateDirectoryW((folder + L"\\SETUP.EXE").c_str(), nullptr);
             return folder;
         },
         L"ﾌｧｲﾙのｺﾋﾟｰに失敗しました。" + kStartAgain},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SamplePackage sample;
        std::wstring destination = c.prepare(sample, root);
        const auto before = MachineState(sample, root.path());
        std::wstring expected =
            c.warning.empty() ? destination + L" を作成できませんでした。" + kStartAgain : c.warning;
        Wizard wizard(sample.package.folder());
        ASSERT_TRUE(wizard.GoTo(6, destination));
        std::wstring text;
        HWND box = wizard.WaitBox(&text, 60s);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(WindowText(box), L"Setup");
        EXPECT_EQ(text, expected);
        Answer(box, IDOK);
        EXPECT_TRUE(wizard.WaitClosed());
        EXPECT_EQ(MachineState(sample, root.path()), before);
        DeleteFileW((ShellFolder(L"Programs") + L"\\" + sample.unique).c_str());
    }
}

TEST(SetupInstall, WithoutAfterSetupTheFinishPageOffersNothingToStart) {
    SamplePackage sample;
    sample.package.SetValue(L"AfterSetup", nullptr, nullptr);
    TempFolder root;
    Wizard wizard(sample.package.folder());
    InstallToFinishPage(wizard, root / L"Viewer", true);
    EXPECT_FALSE(IsVisible(wizard.Item(ids::kLaunchBox)));
    EXPECT_EQ(wizard.Text(ids::kLaunchBox), L"今すぐ起動する"); // the design caption, never shown
    Click(wizard.Item(ids::kFinish));
    EXPECT_TRUE(wizard.WaitClosed());
    EXPECT_TRUE(Exists(root / L"Viewer\\SETUP.INF"));
}

TEST(SetupInstall, TheUninstallReportsWhatItCannotRemoveAndStillFinishes) {
    testsupport::RunOnceLock lock;
    SamplePackage sample;
    TempFolder root;
    const std::wstring folder = root / L"Viewer";
    {
        Wizard wizard(sample.package.folder());
        InstallToFinishPage(wizard, folder, true);
        SendMessageW(wizard.Item(ids::kLaunchBox), BM_SETCHECK, BST_UNCHECKED, 0);
        Click(wizard.Item(ids::kFinish));
        ASSERT_TRUE(wizard.WaitClosed());
    }
    // A recorded file the user already deleted, and a key to delete that is not there.
    ASSERT_TRUE(DeleteFileW((folder + L"\\SAMPLE.TXT").c_str()));
    WritePrivateProfileStringW(L"RegistryDeleteKey2", L"DeleteKey", (sample.registryKey + L"\\Missing").c_str(),
                               (folder + L"\\SETUP.INF").c_str());
    Wizard wizard(folder, L"/r");
    ASSERT_TRUE(wizard.WaitPage(7));
    Click(wizard.Item(ids::kUninstall));
    std::wstring text;
    HWND box = wizard.WaitBox(&text);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(text, folder + L"\\SAMPLE.TXT を削除できません。");
    Answer(box, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
    box = wizard.WaitBox(&text);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(text, sample.registryKey + L"\\Missing をﾚｼﾞｽﾄﾘから削除できません。");
    Answer(box, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
    // The window has slid out of sight, and the run went on to its end.
    EXPECT_TRUE(WaitUntil([&] {
        RECT r;
        GetWindowRect(wizard.form(), &r);
        return r.top >= GetSystemMetrics(SM_CYSCREEN);
    }));
    box = wizard.WaitBox(&text);
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(text.starts_with(L"ｱﾝｲﾝｽﾄｰﾙが終了しました。"));
    Answer(box, IDNO);
    EXPECT_TRUE(wizard.WaitClosed());
    EXPECT_FALSE(Exists(folder + L"\\VIEWER.HLP"));
    EXPECT_FALSE(Exists(folder + L"\\SETUP.INF"));
    EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, sample.registryKey));
    EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, kUninstallList + sample.name));
    testsupport::DeleteRunOnceValues();
    // The desktop shortcut was made and removed again: the Desktop is asked for with nothing of ours in it.
    ExpectNoUserFolderIsALink();
}

// From a read-only source (as from a CD-ROM): SETUP.EXE /s installs without a window and with every shortcut,
// the installed definition holds the record that the source could not take, and the installed copy's /r /s
// removes every installed file. A failure ends with its exit code; the logs list the steps.
TEST(SetupInstall, SilentRunsFromAReadOnlySourceInstallAndUninstallWithoutAWindow) {
    testsupport::RunOnceLock lock;
    SamplePackage sample;
    SetupPackage& package = sample.package;
    package.SetValue(L"AboutSoftware", L"Publisher", L"ｻﾝﾌﾟﾙ 工房");
    const std::string definition = ReadBytes(package.Inf());
    const std::wstring files[] = {L"SETUP.EXE", L"SETUP.INF", L"SAMPLE.TXT", L"VIEWER.HLP"};
    for (const auto& name : files) {
        SetFileAttributesW(package.File(name).c_str(), FILE_ATTRIBUTE_READONLY);
    }
    TempFolder root;
    const std::wstring folder = root / L"Sample Viewer";
    EXPECT_EQ(RunSilently(package.folder(), L"/S \"/D=" + folder + L"\""), 0u);
    EXPECT_EQ(ReadBytes(package.Inf()), definition);
    EXPECT_TRUE(HasLine(package.File(L"SETUP.LOG"), L"File\t" + folder + L"\\SAMPLE.TXT\tOK"));
    EXPECT_TRUE(HasLine(package.File(L"SETUP.LOG"), L"Exit\t\t0"));
    EXPECT_TRUE(Exists(ShellFolder(L"Desktop") + L"\\" + sample.unique + L".lnk"));

    const std::wstring entry = kUninstallList + sample.name;
    SYSTEMTIME now;
    GetLocalTime(&now);
    wchar_t today[16];
    swprintf(today, 16, L"%04u%02u%02u", now.wYear, now.wMonth, now.wDay);
    const std::pair<const wchar_t*, std::wstring> strings[] = {
        {L"DisplayName", sample.name + L" Ver.1.0"},
        {L"UninstallString", L"\"" + folder + L"\\SETUP.EXE\" /r"},
        {L"QuietUninstallString", L"\"" + folder + L"\\SETUP.EXE\" /r /s"},
        {L"DisplayVersion", L"1.0"},
        {L"Publisher", L"ｻﾝﾌﾟﾙ 工房"},
        {L"InstallLocation", folder},
        {L"DisplayIcon", folder + L"\\SETUP.EXE"},
        {L"InstallDate", today},
    };
    for (const auto& [name, value] : strings) {
        EXPECT_EQ(Registry(HKEY_LOCAL_MACHINE, entry, name), value) << name;
    }
    const DWORD kilobytes = static_cast<DWORD>(
        (ReadBytes(package.File(L"SAMPLE.TXT")).size() + ReadBytes(package.File(L"VIEWER.HLP")).size() + 1023) / 1024);
    for (const auto& [name, value] : {std::pair{L"EstimatedSize", kilobytes}, {L"NoModify", 1ul}, {L"NoRepair", 1ul}}) {
        DWORD number = 0;
        DWORD size = sizeof number;
        EXPECT_EQ(RegGetValueW(HKEY_LOCAL_MACHINE, entry.c_str(), name, RRF_RT_REG_DWORD, nullptr, &number, &size),
                  ERROR_SUCCESS);
        EXPECT_EQ(number, value) << name;
    }

    const std::wstring log = package.File(L"uninstall.log");
    EXPECT_EQ(RunSilently(folder, L"/r /S /LOG=" + log), 0u);
    testsupport::DeleteRunOnceValues();
    for (const auto& name : files) {
        EXPECT_EQ(Exists(folder + L"\\" + name), name == L"SETUP.EXE") << name; // SETUP.EXE goes at the next start
    }
    DeleteFileW((folder + L"\\SETUP.EXE").c_str());
    EXPECT_EQ(MachineState(sample, root.path()), std::vector<std::wstring>{folder + L"\\"});
    EXPECT_TRUE(HasLine(log, L"Delete\t" + folder + L"\\SAMPLE.TXT\tOK"));
    EXPECT_TRUE(HasLine(log, L"Exit\t\t0"));

    SamplePackage broken;
    broken.package.SetValue(L"RegistryWrite", L"OpenKey",
                            (broken.registryKey + L"\\" + std::wstring(300, L'k')).c_str());
    EXPECT_EQ(RunSilently(broken.package.folder(), L"/s /d=" + root / L"broken"), 4u);
    EXPECT_TRUE(HasLine(broken.package.File(L"SETUP.LOG"), L"Exit\t\t4"));
    EXPECT_FALSE(Exists(root / L"broken"));
    for (const auto& name : files) {
        SetFileAttributesW(package.File(name).c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}
