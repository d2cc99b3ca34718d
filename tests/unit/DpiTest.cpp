// A window built from a control table moved to a monitor of another DPI (WM_DPICHANGED).
#include "base/win/Window.h"

#include <commctrl.h>

#include <gtest/gtest.h>

using namespace ruvex::win;

namespace {

constexpr int kEdit = 10, kButton = 11;

// Positions in twips that give whole pixels at 96 and at 144 dpi.
const ControlSpec kControls[] = {
    {WC_EDITW, kEdit, L"", WS_VISIBLE | WS_BORDER, 1440, 720, 2880, 480},
    {WC_BUTTONW, kButton, L"button", WS_VISIBLE | BS_PUSHBUTTON, 1440, 1440, 1440, 480},
};

class TableWindow final : public BaseWindow<TableWindow> {
public:
    bool Create() {
        if (!CreateWindowOf(L"RuvexDpiProbe", L"dpi", WS_OVERLAPPEDWINDOW, 0, nullptr)) {
            return false;
        }
        font_ = Font(kUiFace, 9, Dpi());
        AddControls(hwnd(), kControls, font_);
        // A font set by hand on one control.
        bigFont_ = Font(kUiFace, 12, Dpi());
        KeepScaled(bigFont_);
        SendMessageW(GetDlgItem(hwnd(), kButton), WM_SETFONT, reinterpret_cast<WPARAM>(bigFont_.get()), FALSE);
        return true;
    }
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
        if (msg == WM_DPICHANGED) {
            seenDpi = HIWORD(wp);
        }
        return Default(msg, wp, lp);
    }
    UINT seenDpi = 0;

private:
    Font font_;
    Font bigFont_;
};

RECT ClientRectOf(HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

LONG FontHeight(HWND control) {
    LOGFONTW lf{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof lf, &lf);
    return lf.lfHeight;
}

} // namespace

TEST(BaseWindow, LaysTheTablesAndFontsOutAgainAtTheNewDpiAndTakesTheSuggestedRectangle) {
    TableWindow window;
    ASSERT_TRUE(window.Create());
    ASSERT_EQ(window.Dpi(), 96u) << "the tests run at 96 dpi";
    HWND edit = GetDlgItem(window.hwnd(), kEdit);
    HWND button = GetDlgItem(window.hwnd(), kButton);
    RECT before = ClientRectOf(edit);
    EXPECT_EQ(before.left, 96);
    EXPECT_EQ(before.right - before.left, 192);
    EXPECT_EQ(FontHeight(edit), -12);
    EXPECT_EQ(FontHeight(button), -16);

    RECT suggested{50, 60, 650, 510};
    SendMessageW(window.hwnd(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(window.Dpi(), 144u);
    EXPECT_EQ(window.seenDpi, 144u) << "the window still gets the message";
    RECT after = ClientRectOf(edit);
    EXPECT_EQ(after.left, before.left * 3 / 2);
    EXPECT_EQ(after.top, before.top * 3 / 2);
    EXPECT_EQ(after.right - after.left, (before.right - before.left) * 3 / 2);
    EXPECT_EQ(after.bottom - after.top, (before.bottom - before.top) * 3 / 2);
    EXPECT_EQ(FontHeight(edit), -18) << "9 points at 144 dpi";
    EXPECT_EQ(FontHeight(button), -24) << "a font set by hand scales too";
    RECT taken{};
    GetWindowRect(window.hwnd(), &taken);
    EXPECT_TRUE(EqualRect(&taken, &suggested));
}
