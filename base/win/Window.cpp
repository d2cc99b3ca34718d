#include "base/win/Window.h"

#include <algorithm>
#include <utility>

namespace ruvex::win {

int TwipsToPixels(int twips, UINT dpi) noexcept {
    return MulDiv(twips, static_cast<int>(dpi), 1440);
}

UINT DpiOf(HWND hwnd) noexcept {
    // GetDpiForWindow exists from Windows 10 on; look it up so the program still starts on older systems.
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static auto getDpi = reinterpret_cast<GetDpiForWindowFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    UINT dpi = (getDpi && hwnd) ? getDpi(hwnd) : 0;
    if (dpi == 0) {
        ScopedGetDC screen(nullptr);
        dpi = static_cast<UINT>(GetDeviceCaps(screen.get(), LOGPIXELSX));
    }
    return dpi ? dpi : 96;
}

HWND CreateControl(HWND parent, const ControlSpec& c, HFONT font, UINT dpi) {
    HWND hwnd = CreateWindowExW(
        c.exStyle, c.className, c.caption ? c.caption : L"", WS_CHILD | c.style, TwipsToPixels(c.left, dpi),
        TwipsToPixels(c.top, dpi), TwipsToPixels(c.width, dpi), TwipsToPixels(c.height, dpi), parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), GetModuleHandleW(nullptr), nullptr);
    if (hwnd && font) {
        SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    return hwnd;
}

void PlaceControl(HWND control, int left, int top, int width, int height) {
    UINT dpi = DpiOf(GetParent(control));
    MoveWindow(control, TwipsToPixels(left, dpi), TwipsToPixels(top, dpi), TwipsToPixels(width, dpi),
               TwipsToPixels(height, dpi), TRUE);
}

void SetClientSizeTwips(HWND hwnd, int width, int height) {
    UINT dpi = DpiOf(hwnd);
    RECT r{0, 0, TwipsToPixels(width, dpi), TwipsToPixels(height, dpi)};
    DWORD style = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE));
    DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_EXSTYLE));
    AdjustWindowRectEx(&r, style, GetMenu(hwnd) != nullptr, exStyle);
    SetWindowPos(hwnd, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CenterOnScreen(HWND hwnd) {
    RECT r;
    GetWindowRect(hwnd, &r);
    int width = r.right - r.left;
    int height = r.bottom - r.top;
    int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    SetWindowPos(hwnd, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

Font::Font(const wchar_t* face, int points, UINT dpi, int weight) : face_(face), points_(points), weight_(weight) {
    LOGFONTW lf{};
    lf.lfHeight = -MulDiv(points, static_cast<int>(dpi), 72);
    lf.lfWeight = weight;
    lf.lfCharSet = SHIFTJIS_CHARSET;
    lf.lfQuality = DEFAULT_QUALITY;
    lstrcpynW(lf.lfFaceName, face, LF_FACESIZE);
    handle_.reset(CreateFontIndirectW(&lf));
}

void DpiLayout::Reset(UINT dpi) {
    dpi_ = dpi;
    placed_.clear();
    fonts_.clear();
}

void DpiLayout::AddControls(HWND parent, std::span<const ControlSpec> controls, Font& font) {
    Keep(font);
    for (const ControlSpec& c : controls) {
        // The table is copied: some are made on the fly (a page's frame, the version label).
        if (HWND control = CreateControl(parent, c, font.get(), dpi_)) {
            placed_.push_back({control, c});
        }
    }
}

void DpiLayout::Keep(Font& font) {
    if (std::find(fonts_.begin(), fonts_.end(), &font) == fonts_.end()) {
        fonts_.push_back(&font);
    }
}

// As Windows Terminal's base window does: the new DPI is taken from the message (the window's own DPI
// may not have changed yet when the message is sent), every control of the tables is moved to its twips
// rectangle at that DPI, every kept font is made again and handed to the controls that showed the old
// one, and the window takes the rectangle Windows suggests. The window's WM_SIZE follows from that.
void DpiLayout::Apply(HWND window, UINT dpi, const RECT& suggested) {
    if (dpi == 0) {
        return;
    }
    dpi_ = dpi;
    for (const Placed& p : placed_) {
        if (IsWindow(p.control)) {
            MoveWindow(p.control, TwipsToPixels(p.spec.left, dpi), TwipsToPixels(p.spec.top, dpi),
                       TwipsToPixels(p.spec.width, dpi), TwipsToPixels(p.spec.height, dpi), FALSE);
        }
    }
    for (Font* font : fonts_) {
        Font old = std::exchange(*font, font->At(dpi));
        struct Swap {
            HFONT from, to;
        } swap{old.get(), font->get()};
        EnumChildWindows(
            window,
            [](HWND child, LPARAM lp) -> BOOL {
                const auto& s = *reinterpret_cast<const Swap*>(lp);
                if (reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0)) == s.from) {
                    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(s.to), FALSE);
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&swap));
    }
    SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

std::wstring GetText(HWND hwnd) {
    int n = GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
    n = GetWindowTextW(hwnd, text.data(), n + 1);
    text.resize(static_cast<std::size_t>(n > 0 ? n : 0));
    return text;
}

void SetText(HWND hwnd, const std::wstring& text) {
    SetWindowTextW(hwnd, text.c_str());
}

void Enable(HWND hwnd, bool enabled) {
    EnableWindow(hwnd, enabled ? TRUE : FALSE);
}

} // namespace ruvex::win
