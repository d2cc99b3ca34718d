// Placeholders and the slide arithmetic of the setup program.
#include "setup/main/Placeholders.h"
#include "setup/main/Slide.h"

#include <gtest/gtest.h>

using namespace setup;

TEST(SetupPlaceholders, ProgramFolderThenSetupFolderInAnyCaseEveryTime) {
    const std::wstring pf = L"C:\\Program Files";
    EXPECT_EQ(ExpandPlaceholders(L"<Program Folder>\\Viewer", pf, L""), L"C:\\Program Files\\Viewer");
    EXPECT_EQ(ExpandPlaceholders(L"<program folder>\\a;<PROGRAM FOLDER>\\b", pf, L""),
              L"C:\\Program Files\\a;C:\\Program Files\\b");
    EXPECT_EQ(ExpandPlaceholders(L"<setup folder>\\表.exe", pf, L"D:\\表"), L"D:\\表\\表.exe");
    // While SetupFolder itself is expanded, InstallFolder is still empty.
    EXPECT_EQ(ExpandPlaceholders(L"<Setup Folder>\\Viewer", pf, L""), L"\\Viewer");
    // The second replacement runs over the result of the first.
    EXPECT_EQ(ExpandPlaceholders(L"<Program Folder>", L"<Setup Folder>", L"X"), L"X");
    EXPECT_EQ(ExpandPlaceholders(L"<Program Folder", pf, L"X"), L"<Program Folder");
    EXPECT_EQ(ExpandPlaceholders(L"", pf, L"X"), L"");
}

TEST(SetupSlide, PositionsRoundHalvesToEvenAndEndAtTheTarget) {
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(3.5), 4);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(SlideTop(0, -300, 362), -300);
    EXPECT_EQ(SlideTop(200, -300, 362), 31);
    EXPECT_EQ(SlideTop(400, -300, 362), 362);
    EXPECT_EQ(SlideTop(100, 0, 10), 2); // 2.5 rounds to 2
    EXPECT_EQ(SlideTop(300, 0, 10), 8); // 7.5 rounds to 8
}
