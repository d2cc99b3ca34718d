// The input box as a user answers it: another thread plays the user while the box runs modal.
#include "resources/RuvexTexts.h"
#include "uninstaller/ui/ControlIds.h"
#include "uninstaller/ui/InputBox.h"

#include <gtest/gtest.h>

#include <thread>

using namespace ruvex;
using namespace ruvex::ui;

namespace {

HWND FindBox(const wchar_t* title) {
    for (int i = 0; i < 800; ++i) {
        HWND box = FindWindowW(L"RuvexInputBox", title);
        if (box && IsWindowVisible(box)) {
            return box;
        }
        Sleep(25);
    }
    return nullptr;
}

// Types text into the box titled title, then presses the button.
std::thread User(const wchar_t* title, std::wstring text, int button, std::wstring* seenPrompt) {
    return std::thread([=] {
        HWND box = FindBox(title);
        if (!box) {
            return;
        }
        *seenPrompt = [&] {
            wchar_t buffer[256] = {};
            GetWindowTextW(GetDlgItem(box, ids::InputPrompt), buffer, 256);
            return std::wstring(buffer);
        }();
        SendMessageW(GetDlgItem(box, ids::InputText), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
        // What the button tells its box when pressed (a posted BM_CLICK needs the mouse capture, which a
        // window behind another program's does not always get).
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
    });
}

} // namespace

TEST(InputBox, ReturnsTheTextOnOkAndEmptyTextOnCancelOrClose) {
    std::wstring prompt;
    auto user = User(L"Ruvex", L"ゼータ Editor", ids::InputOk, &prompt);
    EXPECT_EQ(InputBox::Ask(nullptr, L"ソフト名を入力してください。", L"Ruvex"), L"ゼータ Editor");
    user.join();
    EXPECT_EQ(prompt, L"ソフト名を入力してください。");

    user = User(L"Ruvex", L"typed, then cancelled", ids::InputCancel, &prompt);
    EXPECT_EQ(InputBox::Ask(nullptr, L"name?", L"Ruvex", L"old"), L"");
    user.join();

    // No title of its own: the application title.
    std::thread closer([] {
        HWND box = FindBox(texts::AppTitle);
        if (box) {
            PostMessageW(box, WM_CLOSE, 0, 0);
        }
    });
    EXPECT_EQ(InputBox::Ask(nullptr, L"name?", L"", L"kept?"), L"");
    closer.join();
}
