// Start-up's folders and the name by which one running copy is recognised.
#include "uninstaller/ui/Globals.h"
#include "uninstaller/ui/Startup.h"

#include <gtest/gtest.h>

#include <windows.h>

using namespace ruvex::ui;

TEST(Startup, SetFoldersFindsTheSystemFoldersWithoutTrailingBackslashes) {
    ASSERT_TRUE(SetFolders());
    wchar_t windows[MAX_PATH] = {};
    ASSERT_GT(GetWindowsDirectoryW(windows, MAX_PATH), 0u);
    EXPECT_EQ(WindowsFolder, windows);
    EXPECT_EQ(SystemFolder.rfind(WindowsFolder, 0), 0u) << SystemFolder;
    EXPECT_NE(SystemFolder.back(), L'\\');
    EXPECT_EQ(SystemFolderLength, static_cast<int>(SystemFolder.size()));
    EXPECT_NE(DataFolder.back(), L'\\');
}

TEST(Startup, OneRunningCopyPerFolderWhateverTheCaseOfItsPath) {
    std::wstring a = InstanceMutexName(L"C:\\Program Files\\Ruvex");
    EXPECT_EQ(a, InstanceMutexName(L"c:\\PROGRAM FILES\\ruvex"));
    EXPECT_NE(a, InstanceMutexName(L"C:\\Program Files\\Ruvex2"));
    EXPECT_NE(a, InstanceMutexName(L"D:\\Program Files\\Ruvex"));
    EXPECT_EQ(a.find(L'\\', 6), std::wstring::npos) << "only the namespace prefix holds a backslash";
    EXPECT_LT(a.size(), 64u);
}
