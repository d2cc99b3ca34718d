#include "base/win/Window.h"

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
        HDC dc = GetDC(nullptr);
        dpi = static_cast<UINT>(GetDeviceCaps(dc, LOGPIXELSX));
        ReleaseDC(nullptr, dc);
    }
    return dpi ? dpi : 96;
}

void CreateControls(HWND parent, std::span<const ControlSpec> controls, HFONT font) {
    UINT dpi = DpiOf(parent);
    HINSTANCE instance = GetModuleHandleW(nullptr);
    for (const auto& c : controls) {
        HWND hwnd = CreateWindowExW(c.exStyle, c.className, c.caption ? c.caption : L"", WS_CHILD | c.style,
                                    TwipsToPixels(c.left, dpi), TwipsToPixels(c.top, dpi), TwipsToPixels(c.width, dpi),
                                    TwipsToPixels(c.height, dpi), parent,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), instance, nullptr);
        if (hwnd && font) {
            SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        }
    }
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

Font::Font(const wchar_t* face, int points, UINT dpi, int weight) {
    LOGFONTW lf{};
    lf.lfHeight = -MulDiv(points, static_cast<int>(dpi), 72);
    lf.lfWeight = weight;
    lf.lfCharSet = SHIFTJIS_CHARSET;
    lf.lfQuality = DEFAULT_QUALITY;
    lstrcpynW(lf.lfFaceName, face, LF_FACESIZE);
    font_ = CreateFontIndirectW(&lf);
}

Font::~Font() {
    if (font_) {
        DeleteObject(font_);
    }
}

Font::Font(Font&& other) noexcept : font_(std::exchange(other.font_, nullptr)) {}

Font& Font::operator=(Font&& other) noexcept {
    if (this != &other) {
        if (font_) {
            DeleteObject(font_);
        }
        font_ = std::exchange(other.font_, nullptr);
    }
    return *this;
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
