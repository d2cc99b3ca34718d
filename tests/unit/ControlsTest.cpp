// The window-control wrappers on real windows of this process: tab strip, progress bar, working lists.
#include "base/win/Window.h"
#include "uninstaller/ui/CProgBar32.h"
#include "uninstaller/ui/WorkList.h"
#include "uninstaller/ui/cTabStrip.h"

#include <commctrl.h>

#include <gtest/gtest.h>

using namespace ruvex;
using namespace ruvex::ui;

namespace {

// A top-level window with one static child as the host control, destroyed with the object.
class HostWindow {
public:
    HostWindow() {
        top_ = CreateWindowExW(0, WC_STATICW, L"host test", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 600, 400,
                               nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        child_ = CreateWindowExW(0, WC_STATICW, L"", WS_CHILD | WS_VISIBLE | SS_NOTIFY | WS_BORDER, 10, 20, 300, 150,
                                 top_, nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    ~HostWindow() { DestroyWindow(top_); }
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;
    [[nodiscard]] HWND top() const { return top_; }
    [[nodiscard]] HWND host() const { return child_; }

private:
    HWND top_ = nullptr;
    HWND child_ = nullptr;
};

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// A user's click on the tab at index (0-based), and what follows from it.
void ClickTab(HWND tab, int index) {
    RECT r{};
    SendMessageW(tab, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
    LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    SendMessageW(tab, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(tab, WM_LBUTTONUP, 0, at);
    Pump();
}

int Position(HWND bar) {
    return static_cast<int>(SendMessageW(bar, PBM_GETPOS, 0, 0));
}

} // namespace

TEST(cTabStrip, AddsSelectsRemovesAndRenamesTabs) {
    HostWindow w;
    cTabStrip tabs;
    EXPECT_EQ(tabs.TabsCount(), 0) << "no tab window yet";
    EXPECT_EQ(tabs.TabsAdd(0, L"A"), -1);
    tabs.SetPictureBox(w.host());
    ASSERT_NE(tabs.hwnd(), nullptr);
    EXPECT_EQ(GetParent(tabs.hwnd()), w.host());
    EXPECT_EQ(tabs.TabsAdd(0, L"A"), 0);
    EXPECT_EQ(tabs.TabsAdd(1, L"B"), 1);
    EXPECT_EQ(tabs.TabsAdd(2, L"C"), 2);
    tabs.SetSelectedItem(1);
    EXPECT_EQ(tabs.SelectedItem(), 1);
    tabs.SetSelectedItem(3);
    EXPECT_EQ(tabs.SelectedItem(), 3);

    tabs.TabsRemove(0);
    EXPECT_EQ(tabs.TabsAdd(0, L"関連ﾌｧｲﾙ"), 0);
    EXPECT_EQ(tabs.TabsCount(), 3);
    wchar_t text[64] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = 64;
    SendMessageW(tabs.hwnd(), TCM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(text, L"関連ﾌｧｲﾙ");
    tabs.TabsClear();
    EXPECT_EQ(tabs.TabsCount(), 0);
}

TEST(cTabStrip, AUserClickRaisesBeforeClickThenClickButCodeRaisesNeither) {
    HostWindow w;
    cTabStrip tabs;
    std::vector<std::string> events;
    tabs.BeforeClick = [&](bool& cancel) {
        events.push_back("BeforeClick");
        cancel = true; // has no effect
    };
    tabs.Click = [&] { events.push_back("Click:" + std::to_string(tabs.SelectedItem())); };
    tabs.SetPictureBox(w.host());
    tabs.TabsAdd(0, L"One");
    tabs.TabsAdd(1, L"Two");
    tabs.SetSelectedItem(1);
    tabs.SetSelectedItem(2);
    tabs.SetSelectedItem(1);
    EXPECT_TRUE(events.empty());

    ClickTab(tabs.hwnd(), 1);
    EXPECT_EQ(events, (std::vector<std::string>{"BeforeClick", "Click:2"}));
    EXPECT_EQ(tabs.SelectedItem(), 2) << "Cancel does not stop the change";
}

TEST(cTabStrip, ASecondHostGetsTheEventsAndTheFirstIsGivenBack) {
    HostWindow first, second;
    WNDPROC original = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(first.host(), GWLP_WNDPROC));
    cTabStrip tabs;
    int clicks = 0;
    tabs.Click = [&] { ++clicks; };
    tabs.SetPictureBox(first.host());
    tabs.SetPictureBox(second.host());
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(first.host(), GWLP_WNDPROC)), original);
    ASSERT_EQ(GetParent(tabs.hwnd()), second.host());
    tabs.TabsAdd(0, L"One");
    tabs.TabsAdd(1, L"Two");
    ClickTab(tabs.hwnd(), 1);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(tabs.SelectedItem(), 2);
}

TEST(cTabStrip, FollowsTheHostsSizeAndReportsTheDisplayAreaInTwips) {
    HostWindow w;
    cTabStrip tabs;
    tabs.SetPictureBox(w.host());
    EXPECT_EQ(GetWindowLongPtrW(w.host(), GWL_STYLE) & WS_BORDER, 0) << "the host loses its border";
    tabs.TabsAdd(0, L"One");
    int width = tabs.ClientWidth();
    int height = tabs.ClientHeight();
    EXPECT_GT(tabs.ClientTop(), 0);
    EXPECT_GT(width, 0);
    // 300 twips wider (20 pixels at 96 DPI, more at a higher DPI).
    UINT dpi = win::DpiOf(w.host());
    RECT r{};
    GetWindowRect(w.host(), &r);
    MapWindowPoints(HWND_DESKTOP, w.top(), reinterpret_cast<POINT*>(&r), 2);
    MoveWindow(w.host(), r.left, r.top, r.right - r.left + win::TwipsToPixels(300, dpi), r.bottom - r.top, TRUE);
    EXPECT_NEAR(tabs.ClientWidth(), width + 300, 1440.0 / dpi);
    EXPECT_EQ(tabs.ClientHeight(), height);
    RECT tab{};
    GetClientRect(tabs.hwnd(), &tab);
    RECT host{};
    GetClientRect(w.host(), &host);
    EXPECT_EQ(tab.right, host.right) << "the tab control fills the host";
}

TEST(cTabStrip, ChangesTheStyleOfALiveWindow) {
    HostWindow w;
    cTabStrip tabs;
    tabs.SetPictureBox(w.host());
    tabs.SetMultiRow(false);
    EXPECT_FALSE(tabs.MultiRow());
    EXPECT_EQ(GetWindowLongPtrW(tabs.hwnd(), GWL_STYLE) & TCS_MULTILINE, 0);
    tabs.SetMultiRow(true);
    EXPECT_TRUE(tabs.MultiRow());
    tabs.SetPlacement(cTabStrip::TabPlacement::Right);
    EXPECT_EQ(tabs.Placement(), cTabStrip::TabPlacement::Right);
    tabs.SetPlacement(cTabStrip::TabPlacement::Bottom);
    EXPECT_EQ(tabs.Placement(), cTabStrip::TabPlacement::Bottom);
    EXPECT_EQ(GetWindowLongPtrW(tabs.hwnd(), GWL_STYLE) & TCS_VERTICAL, 0);
    tabs.SetPlacement(cTabStrip::TabPlacement::Top);
    EXPECT_EQ(tabs.Placement(), cTabStrip::TabPlacement::Top);
}

TEST(cTabStrip, EndingTheObjectRestoresTheHost) {
    HostWindow w;
    WNDPROC original = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(w.host(), GWLP_WNDPROC));
    HWND tab = nullptr;
    {
        cTabStrip tabs;
        tabs.SetPictureBox(w.host());
        tab = tabs.hwnd();
        EXPECT_NE(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(w.host(), GWLP_WNDPROC)), original);
    }
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(w.host(), GWLP_WNDPROC)), original);
    EXPECT_FALSE(IsWindow(tab));
}

TEST(CProgBar32, ShowsWholePercentagesOfTheSharedMaximum) {
    EXPECT_EQ(CProgBar32::Percent(125, 250), 50);
    EXPECT_EQ(CProgBar32::Percent(249, 250), 99) << "never rounded up to 100";
    EXPECT_EQ(CProgBar32::Percent(-1, 250), -1) << "floor, not truncation";
    EXPECT_EQ(CProgBar32::Percent(1, 0), std::nullopt) << "a maximum of 0 moves nothing";

    HostWindow w;
    CProgBar32 a, b;
    a.SetParent(w.host());
    b.SetSethWndParent(w.host());
    ASSERT_TRUE(a.Create());
    ASSERT_TRUE(b.Create(0, 0, 50, 10));
    CProgBar32::SetMax(250);
    a.SetProgBarPos(125);
    b.SetProgBarPos(249);
    EXPECT_EQ(Position(a.ProgBarHwnd()), 50);
    EXPECT_EQ(Position(b.ProgBarHwnd()), 99);
    CProgBar32::SetMax(0);
    a.SetProgBarPos(10);
    EXPECT_EQ(Position(a.ProgBarHwnd()), 50);
    a.ClearProgBar();
    EXPECT_EQ(Position(a.ProgBarHwnd()), 0);
    CProgBar32::SetMax(100);
}

TEST(CProgBar32, FillsItsHostAndNeedsOne) {
    CProgBar32 orphan;
    EXPECT_FALSE(orphan.Create());
    EXPECT_EQ(orphan.ProgBarHwnd(), nullptr);

    HostWindow w;
    CProgBar32 bar;
    bar.SetParent(w.host());
    ASSERT_TRUE(bar.Create());
    RECT host{}, own{};
    GetClientRect(w.host(), &host);
    GetWindowRect(bar.ProgBarHwnd(), &own);
    EXPECT_EQ(own.right - own.left, host.right);
    EXPECT_EQ(own.bottom - own.top, host.bottom);
    bar.SetProgVert(true);
    EXPECT_EQ(GetWindowLongPtrW(bar.ProgBarHwnd(), GWL_STYLE) & PBS_VERTICAL, 0) << "only the next Create";
    HWND old = bar.ProgBarHwnd();
    bar.DestroyProgBar();
    EXPECT_FALSE(IsWindow(old));
    ASSERT_TRUE(bar.Create());
    EXPECT_NE(GetWindowLongPtrW(bar.ProgBarHwnd(), GWL_STYLE) & PBS_VERTICAL, 0);
}

TEST(WorkList, IsDataWithTheListBoxAsItsView) {
    HostWindow w;
    HWND box = CreateWindowExW(0, WC_LISTBOXW, L"", WS_CHILD | WS_VISIBLE | LBS_NOTIFY, 0, 0, 200, 100, w.top(),
                               nullptr, GetModuleHandleW(nullptr), nullptr);
    WorkList list;
    list.Attach(box);
    EXPECT_EQ(list.Item(0), L"") << "past the end reads as empty text";
    list.Assign({L"b", L"a", L"b"});
    for (int i = 0; i < 100; ++i) {
        list.Add(L"entry " + std::to_wstring(i));
    }
    list.Flush();
    EXPECT_EQ(list.Count(), 103u);
    EXPECT_EQ(SendMessageW(box, LB_GETCOUNT, 0, 0), 103);
    wchar_t text[32] = {};
    SendMessageW(box, LB_GETTEXT, 2, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L"b") << "insertion order, duplicates kept";
    EXPECT_EQ(list.Item(102), L"entry 99");
    EXPECT_EQ(list.Item(103), L"");
    EXPECT_EQ(list.SelectedText(), L"");
    SendMessageW(box, LB_SETCURSEL, 1, 0);
    EXPECT_EQ(list.SelectedText(), L"a");
    list.Clear();
    EXPECT_EQ(SendMessageW(box, LB_GETCOUNT, 0, 0), 0);
}

// The list box that shows a list counted in 16 bits once: a walk of a modern drive fills it far beyond that.
TEST(WorkList, HoldsMoreEntriesThanA16BitCount) {
    HostWindow w;
    HWND box = CreateWindowExW(0, WC_LISTBOXW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 200, 100, w.top(), nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    WorkList list;
    list.Attach(box);
    std::vector<std::wstring> many(70000, L"x");
    many.back() = L"last";
    list.Extend(many);
    list.Flush();
    EXPECT_EQ(list.Count(), 70000u);
    EXPECT_EQ(SendMessageW(box, LB_GETCOUNT, 0, 0), 70000);
    EXPECT_EQ(SendMessageW(box, LB_GETCURSEL, 0, 0), 69999) << "the newest entry selected";
    EXPECT_EQ(list.SelectedText(), L"last");
}

namespace {

LRESULT CALLBACK CountPaints(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR counter) {
    if (msg == WM_PAINT) {
        ++*reinterpret_cast<int*>(counter);
    }
    return DefSubclassProc(hwnd, msg, wp, lp);
}

} // namespace

TEST(WorkList, PaintsAGrowingListAtMostEvery40Ms) {
    HostWindow w;
    ShowWindow(w.top(), SW_SHOWNOACTIVATE);
    HWND box = CreateWindowExW(0, WC_LISTBOXW, L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL, 0, 0, 300, 200, w.top(),
                               nullptr, GetModuleHandleW(nullptr), nullptr);
    int paints = 0;
    SetWindowSubclass(box, CountPaints, 1, reinterpret_cast<DWORD_PTR>(&paints));
    Pump();
    paints = 0;
    WorkList list;
    list.Attach(box);
    DWORD start = GetTickCount();
    for (int i = 0; i < 2000; ++i) {
        list.Add(L"C:\\folder\\entry " + std::to_wstring(i));
        list.FlushIfDue(); // as a run's stop point does, far more often than a screen shows
        Pump();
    }
    DWORD elapsed = GetTickCount() - start;
    EXPECT_LE(paints, static_cast<int>(elapsed / 40) + 2) << elapsed << " ms";
    EXPECT_EQ(SendMessageW(box, LB_GETCOUNT, 0, 0), 2000);
    RemoveWindowSubclass(box, CountPaints, 1);
}

TEST(CProgBar32, APacedBarPaintsAtMostEvery40MsAndShowsItsLastPosition) {
    HostWindow w;
    ShowWindow(w.top(), SW_SHOWNOACTIVATE);
    CProgBar32 bar;
    bar.SetParent(w.host());
    ASSERT_TRUE(bar.Create());
    int paints = 0;
    SetWindowSubclass(bar.ProgBarHwnd(), CountPaints, 1, reinterpret_cast<DWORD_PTR>(&paints));
    Pump();
    paints = 0;
    CProgBar32::SetMax(4);
    DWORD start = GetTickCount();
    {
        PacedPainting paced(bar);
        for (int i = 0; i < 2000; ++i) {
            bar.SetProgBarPos(1 + i % 4); // a walk's bar: a new maximum and position per folder
            Pump();
        }
        bar.SetProgBarPos(2); // within 40 ms of the last position given: held back until the pace ends
    }
    EXPECT_EQ(Position(bar.ProgBarHwnd()), 50);
    DWORD elapsed = GetTickCount() - start;
    EXPECT_LE(paints, static_cast<int>(elapsed / 40) + 3) << elapsed << " ms";
    // Leaving the pace leaves the bar shown and painting again.
    EXPECT_TRUE(IsWindowVisible(bar.ProgBarHwnd()));
    int before = paints;
    bar.SetProgBarPos(3);
    Pump();
    EXPECT_GT(paints, before);
    RemoveWindowSubclass(bar.ProgBarHwnd(), CountPaints, 1);
}

TEST(WorkList, FollowsAGrowingRunWithItsNewestEntrySelectedPaintingAtMostEvery40Ms) {
    HostWindow w;
    ShowWindow(w.top(), SW_SHOWNOACTIVATE);
    HWND box = CreateWindowExW(0, WC_LISTBOXW, L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY, 0, 0, 300, 200,
                               w.top(), nullptr, GetModuleHandleW(nullptr), nullptr);
    int paints = 0;
    SetWindowSubclass(box, CountPaints, 1, reinterpret_cast<DWORD_PTR>(&paints));
    Pump();
    paints = 0;
    WorkList list;
    list.Attach(box);
    std::vector<std::wstring> run;
    DWORD start = GetTickCount();
    for (int i = 0; i < 2000; ++i) {
        run.push_back(L"C:\\folder\\entry " + std::to_wstring(i));
        list.Extend(run); // a stop point: what the run added, the newest entry selected
        list.FlushIfDue();
        Pump();
    }
    DWORD elapsed = GetTickCount() - start;
    EXPECT_LE(paints, static_cast<int>(elapsed / 40) + 3) << elapsed << " ms";
    list.Flush();
    EXPECT_EQ(list.ListIndex(), 1999);
    RemoveWindowSubclass(box, CountPaints, 1);
}
