#include "setup/main/Slide.h"

#include <cmath>

namespace setup {

int RoundHalfEven(double value) noexcept {
    // nearbyint follows the current rounding mode, which is round-to-nearest-even by default.
    return static_cast<int>(std::nearbyint(value));
}

int SlideTop(DWORD elapsed, int start, int target) noexcept {
    return RoundHalfEven(static_cast<double>(elapsed) * (target - start) / kSlideMilliseconds + start);
}

void Slide(HWND window, int start, int target) {
    RECT r;
    GetWindowRect(window, &r);
    auto moveTo = [&](int top) {
        SetWindowPos(window, nullptr, r.left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    };
    DWORD t0 = GetTickCount();
    // Unsigned arithmetic keeps the comparison right across the tick counter's wrap.
    for (DWORD now = GetTickCount(); now - t0 <= kSlideMilliseconds; now = GetTickCount()) {
        moveTo(SlideTop(now - t0, start, target));
        UpdateWindow(window);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(msg.wParam));
                break;
            }
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(1);
    }
    moveTo(target);
}

} // namespace setup
