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

// The progress control repaints itself at once on every new position. A walk in all-folders mode moves
// the bar twice per folder, and those repaints took three quarters of its time under Wine: a screen shows
// no more than this anyway.
constexpr DWORD kPaintInterval = 40;

} // namespace

void CProgBar32::SetProgBarPos(double pos) noexcept {
    auto percent = Percent(pos, Max());
    if (!hwnd_ || !percent) {
        return;
    }
    if (paced_ && !held_ && GetTickCount() - lastPaint_ < kPaintInterval) {
        // Without redraw the control keeps its position but does not paint; the screen keeps the last one.
        SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
        held_ = true;
    }
    SendMessageW(hwnd_, PBM_SETPOS, static_cast<WPARAM>(*percent), 0);
    if (!held_) {
        lastPaint_ = GetTickCount();
    }
    FlushIfDue();
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
        SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(hwnd_, nullptr, TRUE);
        UpdateWindow(hwnd_);
    }
}

void CProgBar32::DelayProgBar(unsigned short milliseconds) {
    PumpMessages();
    Sleep(milliseconds);
    PumpMessages();
}

} // namespace ruvex::ui
