// The main window's keys and the version window.
#include "RuvexWindows.h"

using namespace e2e;
namespace ids = ruvex::ids;

TEST(RuvexKeys, EnterMeansInstallPreparationAndEscExits) {
    Program ruvex(L"Ruvex.exe");
    HWND main = WaitMain(ruvex);
    ASSERT_NE(main, nullptr);
    // Enter presses the default button: Command1, drawn as the default.
    DWORD_PTR defId = 0;
    SendMessageTimeoutW(main, DM_GETDEFID, 0, 0, SMTO_ABORTIFHUNG, 5000, &defId);
    EXPECT_EQ(HIWORD(defId), DC_HASDEFID);
    EXPECT_EQ(LOWORD(defId), ids::Command1);
    EXPECT_EQ(Style(Control(main, ids::Command1)) & BS_TYPEMASK, static_cast<DWORD>(BS_DEFPUSHBUTTON));
    PressKey(Control(main, ids::List1), VK_RETURN);
    HWND done = ruvex.WaitMessageBox(120s);
    ASSERT_NE(done, nullptr) << "Enter starts the install preparation";
    EXPECT_EQ(MessageBoxText(done), ruvex::texts::PreparationDone);
    Answer(done, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return IsEnabled(Control(main, ids::Command2)); }));
    EXPECT_TRUE(ruvex.Running()) << "Enter is not the exit key";

    // Esc is the exit button's key, wherever the focus is.
    PressKey(Control(main, ids::List1), VK_ESCAPE);
    EXPECT_TRUE(ruvex.WaitExit());
}

TEST(RuvexVersion, TheVersionWindowClosesOnAnyKeyOrAClick) {
    Program ruvex(L"Ruvex.exe");
    HWND main = WaitMain(ruvex);
    ASSERT_NE(main, nullptr);

    Click(main, ids::Command6);
    HWND version = ruvex.WaitWindowOfClass(L"RuvexForm4");
    ASSERT_NE(version, nullptr);
    EXPECT_FALSE(IsEnabled(main)) << "the version window is modal";
    PressKey(version, 'X');
    EXPECT_TRUE(WaitUntil([&] { return !IsVisible(version) || !IsWindow(version); }));
    EXPECT_TRUE(WaitUntil([&] { return IsEnabled(main); }));

    Click(main, ids::Command6);
    version = ruvex.WaitWindowOfClass(L"RuvexForm4");
    ASSERT_NE(version, nullptr);
    ClickAt(version, 20, 20);
    EXPECT_TRUE(WaitUntil([&] { return !IsVisible(version) || !IsWindow(version); }));
    EXPECT_TRUE(WaitUntil([&] { return IsEnabled(main); }));
    EXPECT_TRUE(ruvex.Running());
    CloseAndExpectExit(ruvex, main);
}
