// The first half of the next-start check (tests/e2e/next-start.sh): installs the sample into a folder
// with a blank in its name, uninstalls it, and leaves the RunOnce commands for the system to run.
// Disabled in the ordinary run: the script starts it, then ends the Wine session and starts a new one.
#include "driver/SetupDriver.h"

#include <gtest/gtest.h>

using namespace e2e;
namespace ids = setup::ids;

TEST(SetupNextStart, DISABLED_UninstallLeavesTheSelfRemovalForTheNextStart) {
    const std::wstring root = L"C:\\ruvex-e2e-nextstart";
    const std::wstring folder = root + L"\\Sample Viewer";
    RemoveTree(root);
    SetupPackage package;
    const std::wstring unique = testsupport::UniqueName(L"next");
    package.SetValue(L"AboutSoftware", L"Name", unique.c_str());
    // Only the files: no shortcuts, no registry values.
    for (const wchar_t* section : {L"ProgramGroup", L"ProgramGroup2", L"StartUp", L"DeskTop", L"SendTo",
                                   L"RegistryWrite", L"RegistryDeleteKey", L"AfterSetup"}) {
        package.SetValue(section, nullptr, nullptr);
    }
    {
        Wizard wizard(package.folder());
        ASSERT_TRUE(wizard.GoTo(6, folder));
        ASSERT_TRUE(WaitUntil([&] { return IsEnabled(wizard.Item(ids::kFinish)); }, 60s));
        Click(wizard.Item(ids::kFinish));
        ASSERT_TRUE(wizard.WaitClosed());
    }
    Wizard wizard(folder, L"/r");
    ASSERT_TRUE(wizard.WaitPage(7));
    Click(wizard.Item(ids::kUninstall));
    HWND box = wizard.WaitBox();
    ASSERT_NE(box, nullptr);
    Answer(box, IDNO);
    ASSERT_TRUE(wizard.WaitClosed());
    EXPECT_FALSE(Exists(folder + L"\\SAMPLE.TXT"));
    EXPECT_TRUE(Exists(folder + L"\\SETUP.EXE"));
    std::wstring value;
    EXPECT_TRUE(RegistryValue(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce",
                              L"Uninstall_2", &value));
}
