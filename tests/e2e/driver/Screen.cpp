// What a window shows, read off the screen: icons and bitmaps of another process cannot be inspected.
#include "driver/Driver.h"

#include <array>
#include <thread>

namespace e2e {

namespace {

HWND IconControl(HWND box) {
    HWND found = nullptr;
    EnumChildWindows(
        box,
        [](HWND child, LPARAM param) -> BOOL {
            if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON && IsWindowVisible(child)) {
                *reinterpret_cast<HWND*>(param) = child;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// 32-bit pixels of a w x h area drawn by draw into a memory bitmap.
std::vector<DWORD> Pixels(int w, int h, const std::function<void(HDC)>& draw) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    std::vector<DWORD> pixels;
    if (bitmap) {
        HGDIOBJ old = SelectObject(dc, bitmap);
        draw(dc);
        GdiFlush();
        const auto* p = static_cast<const DWORD*>(bits);
        pixels.assign(p, p + static_cast<std::size_t>(w) * h);
        for (auto& px : pixels) {
            px &= 0xFFFFFF;
        }
        SelectObject(dc, old);
        DeleteObject(bitmap);
    }
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return pixels;
}

} // namespace

std::vector<DWORD> ScreenPixels(const RECT& r) {
    const int w = r.right - r.left;
    const int h = r.bottom - r.top;
    if (w <= 0 || h <= 0) {
        return {};
    }
    return Pixels(w, h, [&](HDC dc) {
        HDC screen = GetDC(nullptr);
        BitBlt(dc, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
        ReleaseDC(nullptr, screen);
    });
}

LPCWSTR MessageBoxIcon(HWND box) {
    HWND icon = IconControl(box);
    if (!icon) {
        return nullptr;
    }
    RECT r{};
    GetWindowRect(icon, &r);
    const int w = r.right - r.left;
    const int h = r.bottom - r.top;
    if (w <= 0 || h <= 0) {
        return nullptr;
    }
    // Let the box finish painting before its pixels are read.
    SetForegroundWindow(box);
    RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    std::this_thread::sleep_for(300ms);
    std::vector<DWORD> shown = ScreenPixels(r);
    if (shown.empty()) {
        return nullptr;
    }
    // Each standard icon drawn the way the control draws it, on the control's own background (its corner).
    const DWORD background = shown[0];
    const COLORREF fill = RGB((background >> 16) & 0xFF, (background >> 8) & 0xFF, background & 0xFF);
    LPCWSTR best = nullptr;
    std::size_t bestDiffering = shown.size() / 10 + 1; // a match differs in at most a tenth of the pixels
    for (LPCWSTR candidate : std::array{IDI_ERROR, IDI_WARNING, IDI_INFORMATION, IDI_QUESTION}) {
        std::vector<DWORD> drawn = Pixels(w, h, [&](HDC dc) {
            HBRUSH brush = CreateSolidBrush(fill);
            RECT all{0, 0, w, h};
            FillRect(dc, &all, brush);
            DeleteObject(brush);
            DrawIconEx(dc, 0, 0, LoadIconW(nullptr, candidate), w, h, 0, nullptr, DI_NORMAL);
        });
        std::size_t differing = 0;
        for (std::size_t i = 0; i < shown.size() && i < drawn.size(); ++i) {
            differing += shown[i] != drawn[i];
        }
        if (differing < bestDiffering) {
            bestDiffering = differing;
            best = candidate;
        }
    }
    return best;
}

} // namespace e2e
