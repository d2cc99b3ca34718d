// Start-up's folders and the name by which one running copy is recognised.
#include "uninstaller/ui/Globals.h"
#include "uninstaller/ui/Startup.h"

#include <gtest/gtest.h>

using namespace ruvex::ui;

TEST(Startup, SetFoldersFindsTheSystemFoldersWithoutTrailingBackslashes) {
    ASSERT_TRUE(SetFolders());
    EXPECT_EQ(SystemFolder.rfind(WindowsFolder, 0), 0u) << SystemFolder;
    EXPECT_NE(WindowsFolder.back(), L'\\');
    EXPECT_NE(SystemFolder.back(), L'\\');
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
