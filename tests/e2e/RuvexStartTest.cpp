// The uninstaller starts from a fresh copy and keeps its database beside itself.
#include "driver/Driver.h"

#include <gtest/gtest.h>

using namespace e2e;

TEST(RuvexStart, CreatesTheDatabaseBesideItselfAndOpensItsWindow) {
    Program ruvex(L"Ruvex.exe");
    HWND main = ruvex.WaitWindowTitled(L"Ruvex");
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(Exists(ruvex.File(L"uninstall.dat")));
    EXPECT_EQ(ReadBytes(ruvex.File(L"uninstall.dat")), "");
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(ruvex.WaitExit());
}
