#include "uninstaller/ui/CProgBar32.h"

#include "uninstaller/ui/ControlIds.h"
#include "uninstaller/ui/Globals.h"
#include "uninstaller/ui/MessagePump.h"

#include <commctrl.h>

#include <cmath>

namespace ruvex::ui {

CProgBar32::CProgBar32() {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&icc);
}

CProgBar32::~CProgBar32() {
    DestroyProgBar();
}

double CProgBar32::Max() noexcept {
    return ProgressBarMax;
}
void CProgBar32::SetMax(double max) noexcept {
    ProgressBarMax = max;
}

void CProgBar32::SetProgVert(bool vertical) noexcept {
    vertical_ = vertical;
    orientation_ = vertical ? PBS_VERTICAL : 0;
}

bool CProgBar32::Create(std::optional<int> left, std::optional<int> top, std::optional<int> width,
                        std::optional<int> height, bool smooth) {
    HWND host = hwndParent_ ? hwndParent_ : parent_;
    if (!host) {
        return false;
    }
    RECT inner{};
    GetClientRect(host, &inner);
    int x = left.value_or(0);
    int y = top.value_or(0);
    int w = width.value_or(inner.right);
    int h = height.value_or(inner.bottom);
    DWORD style = WS_CHILD | WS_VISIBLE | orientation_ | (smooth ? PBS_SMOOTH : 0);
    hwnd_ = CreateWindowExW(0, PROGRESS_CLASSW, L"", style, 0, 0, 0, 0, host,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(ids::ProgressBar)), GetModuleHandleW(nullptr),
                            nullptr);
    if (!hwnd_) {
        return false;
    }
    MoveWindow(hwnd_, x, y, w, h, TRUE);
    ShowWindow(hwnd_, SW_SHOWNORMAL);
    return true;
}

void CProgBar32::DestroyProgBar() noexcept {
    held_ = false;
    if (hwnd_ && IsWindow(hwnd_)) {
        DestroyWindow(hwnd_);
    }
    hwnd_ = nullptr;
}

void CProgBar32::ClearProgBar() noexcept {
    held_ = false;
    if (hwnd_) {
        SendMessageW(hwnd_, PBM_SETPOS, 0, 0);
    }
}

std::optional<int> CProgBar32::Percent(double pos, double max) noexcept {
    // A maximum of 0 would divide by zero: a run that has not set its maximum yet moves nothing.
    if (!(max > 0) || std::isnan(pos)) {
        return std::nullopt;
    }
    double percent = std::floor(pos / max * 100.0);
    // The native bar clamps; keep the value inside what a WPARAM of int carries.
    if (percent > 1e9) {
        percent = 1e9;
    } else if (percent < -1e9) {
        percent = -1e9;
    }
    return static_cast<int>(percent);
}

namespace {

// The progress control repaints itself at once on every new position, and even with its redraw off each
// new position cost a round of invalidation and theme queries under Wine: a walk in all-folders mode moves
// the bar three times per folder, and that took two fifths of its time. While paced, a position that comes
// within this interval of the last one painted is held back and given to the control (which then paints it)
// once the interval has passed: a screen shows no more than this anyway.
constexpr DWORD kPaintInterval = 40;

} // namespace

void CProgBar32::SetProgBarPos(double pos) noexcept {
    auto percent = Percent(pos, Max());
    if (!hwnd_ || !percent) {
        return;
    }
    if (paced_ && GetTickCount() - lastPaint_ < kPaintInterval) {
        held_ = true;
        pending_ = *percent;
        return;
    }
    held_ = false;
    SendMessageW(hwnd_, PBM_SETPOS, static_cast<WPARAM>(*percent), 0);
    lastPaint_ = GetTickCount();
}

void CProgBar32::SetPaced(bool paced) noexcept {
    paced_ = paced;
    if (!paced) {
        Flush();
    }
}

void CProgBar32::FlushIfDue() noexcept {
    if (held_ && GetTickCount() - lastPaint_ >= kPaintInterval) {
        Flush();
    }
}

void CProgBar32::Flush() noexcept {
    if (!held_) {
        return;
    }
    held_ = false;
    lastPaint_ = GetTickCount();
    if (hwnd_ && IsWindow(hwnd_)) {
        SendMessageW(hwnd_, PBM_SETPOS, static_cast<WPARAM>(pending_), 0);
        UpdateWindow(hwnd_);
    }
}

void CProgBar32::DelayProgBar(unsigned short milliseconds) {
    PumpMessages();
    Sleep(milliseconds);
    PumpMessages();
}

} // namespace ruvex::ui
