// The modal base as it ends: by a key, a button or the close box, or because the program is asked to quit.
#include "base/win/ModalWindow.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

using namespace ruvex::win;

namespace {

constexpr int kEdit = 10;
constexpr UINT kProbe = WM_APP + 7; // posted before the run: notes the owner's state during it

const ControlSpec kControls[] = {
    {WC_EDITW, kEdit, L"", WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 120, 120, 2535, 315},
    {WC_BUTTONW, IDOK, L"OK", WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 120, 600, 1215, 375},
    {WC_BUTTONW, IDCANCEL, L"Cancel", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 1440, 600, 1215, 375},
};

class Probe final : public ModalWindow {
public:
    bool Create(HWND owner) { return CreateModal(owner, {L"RuvexModalProbe", L"probe", 2775, 1095, kControls}); }
    std::string calls;
    bool ownerEnabledDuring = true;

private:
    void OnOK() override {
        calls += "OnOK ";
        ModalWindow::OnOK();
    }
    void OnCancel() override {
        calls += "OnCancel ";
        ModalWindow::OnCancel();
    }
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override {
        if (msg == kProbe) {
            ownerEnabledDuring = IsWindowEnabled(GetWindow(hwnd(), GW_OWNER)) != FALSE;
            return 0;
        }
        return ModalWindow::OnMessage(msg, wp, lp);
    }
};

void Post(HWND window, UINT msg, WPARAM wp, LPARAM lp = 0) {
    PostMessageW(window, msg, wp, lp);
}

struct Case {
    const char* name;
    void (*act)(HWND window, HWND edit);
    INT_PTR result;
    const char* calls;
    bool quits;
};

const Case kCases[] = {
    {"Esc", [](HWND, HWND edit) { Post(edit, WM_KEYDOWN, VK_ESCAPE); }, IDCANCEL, "OnCancel ", false},
    {"Enter", [](HWND, HWND edit) { Post(edit, WM_KEYDOWN, VK_RETURN); }, IDOK, "OnOK ", false},
    {"OK button", [](HWND w, HWND) { Post(w, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED)); }, IDOK, "OnOK ", false},
    {"Cancel button", [](HWND w, HWND) { Post(w, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED)); }, IDCANCEL,
     "OnCancel ", false},
    {"close box", [](HWND w, HWND) { Post(w, WM_SYSCOMMAND, SC_CLOSE); }, IDCANCEL, "OnCancel ", false},
    {"quit", [](HWND, HWND) { PostQuitMessage(7); }, IDCANCEL, "", true},
};

} // namespace

TEST(ModalWindow, EndsByEscEnterItsButtonsTheCloseBoxOrAQuitWithTheOwnerDisabledMeanwhile) {
    HWND owner = CreateWindowExW(0, WC_STATICW, L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(owner, nullptr);
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        Probe probe;
        ASSERT_TRUE(probe.Create(owner));
        HWND edit = GetDlgItem(probe.hwnd(), kEdit);
        Post(probe.hwnd(), kProbe, 0);
        c.act(probe.hwnd(), edit);
        EXPECT_EQ(probe.RunModal(edit), c.result);
        EXPECT_EQ(probe.calls, c.calls);
        EXPECT_FALSE(probe.ownerEnabledDuring) << "the owner is disabled during the run";
        EXPECT_TRUE(IsWindowEnabled(owner)) << "and enabled again after it";
        EXPECT_FALSE(IsWindowVisible(probe.hwnd()));
        EXPECT_FALSE(probe.Running());
        MSG quit{};
        EXPECT_EQ(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE, c.quits)
            << "WM_QUIT is posted again for the loop outside";
        if (c.quits) {
            EXPECT_EQ(quit.wParam, 7u);
        }
    }
    DestroyWindow(owner);
}
