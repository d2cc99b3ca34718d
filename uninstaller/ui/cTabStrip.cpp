#include "uninstaller/ui/cTabStrip.h"

#include "base/win/Window.h"
#include "uninstaller/ui/ControlIds.h"

#include <commctrl.h>

namespace ruvex::ui {

namespace {

// The host's window property that names the tab strip attached to it: the host handle in decimal.
std::wstring PropertyName(HWND host) {
    return std::to_wstring(reinterpret_cast<UINT_PTR>(host));
}

// The host's subclass (comctl32 6): the object comes as the subclass's reference data.
LRESULT CALLBACK TabWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR self) {
    try {
        return reinterpret_cast<cTabStrip*>(self)->CallBackWindowProc(hwnd, msg, wp, lp);
    } catch (...) {
        return 0;
    }
}

DWORD PlacementBits(cTabStrip::TabPlacement p) {
    switch (p) {
    case cTabStrip::TabPlacement::Bottom:
        return TCS_BOTTOM;
    case cTabStrip::TabPlacement::Left:
        return TCS_VERTICAL;
    case cTabStrip::TabPlacement::Right:
        return TCS_VERTICAL | TCS_RIGHT;
    default:
        return 0;
    }
}

// Twips of one pixel at the window's DPI.
double TwipsPerPixel(HWND hwnd) {
    return 1440.0 / win::DpiOf(hwnd);
}

} // namespace

cTabStrip::~cTabStrip() {
    Unsubclass();
    if (HasWindow()) {
        DestroyWindow(tab_);
    }
    tab_ = nullptr;
}

void cTabStrip::SetPictureBox(HWND host) {
    // The old host is given back first: a host subclassed still would keep the new one from ever
    // being subclassed, and so from raising events.
    Unsubclass();
    if (HasWindow()) {
        DestroyWindow(tab_);
    }
    tab_ = nullptr;
    host_ = host;
    // The host shows no border of its own: the tab control's frame is the border.
    LONG_PTR style = GetWindowLongPtrW(host, GWL_STYLE) & ~static_cast<LONG_PTR>(WS_BORDER);
    SetWindowLongPtrW(host, GWL_STYLE, style);
    SetWindowLongPtrW(host, GWL_EXSTYLE,
                      GetWindowLongPtrW(host, GWL_EXSTYLE) & ~static_cast<LONG_PTR>(WS_EX_CLIENTEDGE));
    Create();
}

void cTabStrip::Create() {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TAB_CLASSES};
    if (!InitCommonControlsEx(&icc)) {
        InitCommonControls();
        return;
    }
    DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | PlacementBits(placement_);
    if (style_ == TabStyle::Buttons) {
        style |= TCS_BUTTONS;
    } else if (style_ == TabStyle::FlatButtons) {
        style |= TCS_BUTTONS | TCS_FLATBUTTONS;
    }
    style |= (fixedWidth_ ? TCS_FIXEDWIDTH : 0) | (hotTracking_ ? TCS_HOTTRACK | TCS_FOCUSONBUTTONDOWN : 0) |
             (multiRow_ ? TCS_MULTILINE : 0) | (multiSelect_ ? TCS_MULTISELECT : 0);
    RECT inner{};
    GetClientRect(host_, &inner);
    tab_ = CreateWindowExW(0, WC_TABCONTROLW, L"", style, 0, 0, inner.right, inner.bottom, host_,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(ids::TabStrip)), GetModuleHandleW(nullptr),
                           nullptr);
    if (!tab_) {
        return;
    }
    SendMessageW(tab_, WM_SETFONT, SendMessageW(host_, WM_GETFONT, 0, 0), TRUE);
    if (separators_) {
        SendMessageW(tab_, TCM_SETEXTENDEDSTYLE, TCS_EX_FLATSEPARATORS, TCS_EX_FLATSEPARATORS);
    }
    ComputeClientArea();
    Subclass();
}

void cTabStrip::ComputeClientArea() {
    if (!HasWindow()) {
        return;
    }
    RECT margins{0, 0, 0, 0};
    SendMessageW(tab_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&margins));
    RECT host{};
    GetWindowRect(host_, &host);
    MapWindowPoints(HWND_DESKTOP, GetParent(host_), reinterpret_cast<POINT*>(&host), 2);
    double t = TwipsPerPixel(host_);
    auto twips = [t](LONG pixels) { return static_cast<int>(pixels * t + (pixels < 0 ? -0.5 : 0.5)); };
    clientLeft_ = twips(margins.left) + twips(host.left);
    clientTop_ = twips(margins.top) + twips(host.top);
    clientWidth_ = twips(margins.right - margins.left) + twips(host.right - host.left);
    clientHeight_ = twips(margins.bottom - margins.top) + twips(host.bottom - host.top);
}

void cTabStrip::Subclass() {
    if (subclassed_) {
        return;
    }
    if (!SetWindowSubclass(host_, &TabWindowProc, 0, reinterpret_cast<DWORD_PTR>(this))) {
        return;
    }
    SetPropW(host_, PropertyName(host_).c_str(), this);
    subclassed_ = host_;
}

void cTabStrip::Unsubclass() {
    if (!subclassed_) {
        return;
    }
    RemoveWindowSubclass(subclassed_, &TabWindowProc, 0);
    RemovePropW(subclassed_, PropertyName(subclassed_).c_str());
    subclassed_ = nullptr;
}

LRESULT cTabStrip::CallBackWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (busy_ == 0) {
        // Messages that arrive while an event handler runs are passed on unexamined.
        busy_ = 1;
        if (msg == WM_ACTIVATE && HasWindow()) {
            ::SetFocus(tab_);
        } else if (msg == WM_NOTIFY) {
            const auto* header = reinterpret_cast<const NMHDR*>(lp);
            if (header->code == static_cast<UINT>(TCN_SELCHANGING) && BeforeClick) {
                bool cancel = false;
                BeforeClick(cancel);
            } else if (header->code == static_cast<UINT>(TCN_SELCHANGE) && Click) {
                Click();
            }
        }
        busy_ = 0;
    }
    // The host's own events: the tab control follows the host's size and takes its focus.
    if (msg == WM_SIZE && HasWindow()) {
        MoveWindow(tab_, 0, 0, LOWORD(lp), HIWORD(lp), TRUE);
        ComputeClientArea();
    } else if (msg == WM_SETFOCUS && HasWindow()) {
        ::SetFocus(tab_);
    } else if (msg == WM_NCDESTROY) {
        // The host goes, and with it its subclass.
        Unsubclass();
    }
    return DefSubclassProc(hwnd, msg, wp, lp);
}

void cTabStrip::Move(int left, int top, int width, int height) {
    if (!host_) {
        return;
    }
    RECT r{};
    GetWindowRect(host_, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(host_), reinterpret_cast<POINT*>(&r), 2);
    double t = TwipsPerPixel(host_);
    auto pixels = [t](int twips) { return static_cast<int>(twips / t + 0.5); };
    int x = pixels(left);
    int y = top > 0 ? pixels(top) : r.top;
    int w = top > 0 && width > 0 ? pixels(width) : r.right - r.left;
    int h = top > 0 && width > 0 && height > 0 ? pixels(height) : r.bottom - r.top;
    MoveWindow(host_, x, y, w, h, TRUE);
}

bool cTabStrip::Visible() const noexcept {
    return host_ && IsWindowVisible(host_);
}
void cTabStrip::SetVisible(bool visible) noexcept {
    ShowWindow(host_, visible ? SW_SHOW : SW_HIDE);
}
bool cTabStrip::Enabled() const noexcept {
    return host_ && IsWindowEnabled(host_);
}
void cTabStrip::SetEnabled(bool enabled) noexcept {
    EnableWindow(host_, enabled);
}
void cTabStrip::SetFocus() noexcept {
    ::SetFocus(host_);
}

int cTabStrip::TabsAdd(int index, const std::wstring& caption) {
    if (!HasWindow()) {
        return -1;
    }
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    std::wstring text = caption;
    item.pszText = text.data();
    int added = static_cast<int>(SendMessageW(tab_, TCM_INSERTITEMW, index, reinterpret_cast<LPARAM>(&item)));
    ComputeClientArea();
    return added;
}

int cTabStrip::TabsCount() const noexcept {
    return HasWindow() ? static_cast<int>(SendMessageW(tab_, TCM_GETITEMCOUNT, 0, 0)) : 0;
}

void cTabStrip::TabsClear() noexcept {
    if (HasWindow()) {
        SendMessageW(tab_, TCM_DELETEALLITEMS, 0, 0);
    }
}

void cTabStrip::TabsRemove(int index) noexcept {
    if (HasWindow()) {
        SendMessageW(tab_, TCM_DELETEITEM, index, 0);
    }
}

void cTabStrip::DeselectAll() noexcept {
    if (HasWindow()) {
        SendMessageW(tab_, TCM_DESELECTALL, 0, 0);
    }
}

void cTabStrip::ChangeStyle(DWORD clear, DWORD set) {
    if (!HasWindow()) {
        return;
    }
    DWORD style = static_cast<DWORD>(GetWindowLongPtrW(tab_, GWL_STYLE));
    SetWindowLongPtrW(tab_, GWL_STYLE, static_cast<LONG_PTR>((style & ~clear) | set));
}

bool cTabStrip::StyleBit(DWORD bit, bool& stored) {
    if (HasWindow()) {
        stored = (GetWindowLongPtrW(tab_, GWL_STYLE) & bit) != 0;
    }
    return stored;
}

bool cTabStrip::MultiRow() {
    return StyleBit(TCS_MULTILINE, multiRow_);
}

void cTabStrip::SetMultiRow(bool on) {
    ChangeStyle(TCS_MULTILINE, on ? TCS_MULTILINE : 0);
    multiRow_ = on;
}

bool cTabStrip::MultiSelect() {
    return StyleBit(TCS_MULTISELECT, multiSelect_);
}

void cTabStrip::SetMultiSelect(bool on) {
    ChangeStyle(TCS_MULTISELECT, on ? TCS_MULTISELECT : 0);
    multiSelect_ = on;
}

cTabStrip::TabPlacement cTabStrip::Placement() {
    if (HasWindow()) {
        auto style = GetWindowLongPtrW(tab_, GWL_STYLE);
        bool vertical = style & TCS_VERTICAL;
        bool bottomOrRight = style & TCS_BOTTOM; // TCS_RIGHT is the same bit
        placement_ = vertical ? (bottomOrRight ? TabPlacement::Right : TabPlacement::Left)
                              : (bottomOrRight ? TabPlacement::Bottom : TabPlacement::Top);
    }
    return placement_;
}

void cTabStrip::SetPlacement(TabPlacement placement) {
    ChangeStyle(TCS_VERTICAL | TCS_BOTTOM | TCS_RIGHT, PlacementBits(placement));
    placement_ = placement;
}

int cTabStrip::SelectedItem() const noexcept {
    return HasWindow() ? static_cast<int>(SendMessageW(tab_, TCM_GETCURSEL, 0, 0)) + 1 : 0;
}

void cTabStrip::SetSelectedItem(int item) noexcept {
    if (HasWindow()) {
        SendMessageW(tab_, TCM_SETCURSEL, item - 1, 0);
    }
}

} // namespace ruvex::ui
