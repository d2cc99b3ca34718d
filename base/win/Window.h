// The window plumbing both programs build their windows on: a CRTP base that stores `this` on
// WM_NCCREATE and forwards messages, twips-based control tables and fonts that follow the DPI.
#pragma once

#include "base/win/Gdi.h"

#include <windows.h>

#include <span>
#include <string>
#include <vector>

namespace ruvex::win {

// 1440 twips to the inch, converted at the window's DPI (not at a fixed 15 twips a pixel).
[[nodiscard]] int TwipsToPixels(int twips, UINT dpi) noexcept;
[[nodiscard]] UINT DpiOf(HWND hwnd) noexcept;

// The UI face of both programs.
inline constexpr const wchar_t* kUiFace = L"ＭＳ Ｐゴシック";

// One control of a window's layout table; positions in twips, as the layouts are written.
struct ControlSpec {
    const wchar_t* className; // WC_BUTTON, WC_LISTBOX, ...
    int id;
    const wchar_t* caption;
    DWORD style; // WS_CHILD is added; WS_VISIBLE is up to the table
    int left, top, width, height;
    DWORD exStyle = 0;
};
// Creates one control of a table in the parent's client area at dpi, with the given font.
HWND CreateControl(HWND parent, const ControlSpec& c, HFONT font, UINT dpi);
// Moves an existing control to a twips rectangle.
void PlaceControl(HWND control, int left, int top, int width, int height);
// Sizes a top-level window so that its client area is width x height twips.
void SetClientSizeTwips(HWND hwnd, int width, int height);
void CenterOnScreen(HWND hwnd);

// A GDI font that knows its face, size and weight, so that it can be made again at another DPI.
class Font {
public:
    Font() = default;
    // face at points, scaled to dpi; Shift-JIS character set for the Japanese faces.
    Font(const wchar_t* face, int points, UINT dpi, int weight = FW_NORMAL);
    [[nodiscard]] HFONT get() const noexcept { return handle_.get(); }
    // The same font at another DPI.
    [[nodiscard]] Font At(UINT dpi) const { return Font(face_.c_str(), points_, dpi, weight_); }

private:
    FontHandle handle_;
    std::wstring face_;
    int points_ = 0;
    int weight_ = FW_NORMAL;
};

// What a window lays out again when its DPI changes: the controls it built from tables and the fonts it
// keeps. The fonts are the window object's members, so they outlive its window.
class DpiLayout {
public:
    [[nodiscard]] UINT dpi() const noexcept { return dpi_; }
    void Reset(UINT dpi);
    void AddControls(HWND parent, std::span<const ControlSpec> controls, Font& font);
    void Keep(Font& font);
    void Apply(HWND window, UINT dpi, const RECT& suggested);

private:
    struct Placed {
        HWND control;
        ControlSpec spec;
    };
    UINT dpi_ = 96;
    std::vector<Placed> placed_;
    std::vector<Font*> fonts_;
};

// Base of every window: the derived class implements
//   LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp)
// and calls Default() for what it does not handle. Exceptions never reach USER32.
// WM_DPICHANGED is handled here for every window (see DpiLayout::Apply), then passed on.
template <typename Derived> class BaseWindow {
public:
    BaseWindow() = default;
    BaseWindow(const BaseWindow&) = delete;
    BaseWindow& operator=(const BaseWindow&) = delete;
    virtual ~BaseWindow() {
        if (hwnd_) {
            SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
            DestroyWindow(hwnd_);
        }
    }

    [[nodiscard]] HWND hwnd() const noexcept { return hwnd_; }
    // The DPI the window is laid out at.
    [[nodiscard]] UINT Dpi() const noexcept { return layout_.dpi(); }

protected:
    // Registers the class once (per class name) and creates the window.
    bool CreateWindowOf(const wchar_t* className, const wchar_t* title, DWORD style, DWORD exStyle, HWND owner,
                        HBRUSH background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), HMENU menu = nullptr) {
        HINSTANCE instance = GetModuleHandleW(nullptr);
        WNDCLASSEXW wc{};
        if (!GetClassInfoExW(instance, className, &wc)) {
            wc.cbSize = sizeof wc;
            wc.lpfnWndProc = &BaseWindow::Proc;
            wc.hInstance = instance;
            wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
            wc.hbrBackground = background;
            wc.lpszClassName = className;
            wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
            if (!RegisterClassExW(&wc)) {
                return false;
            }
        }
        CreateWindowExW(exStyle, className, title, style, CW_USEDEFAULT, CW_USEDEFAULT, 100, 100, owner, menu, instance,
                        this);
        return hwnd_ != nullptr;
    }

    LRESULT Default(UINT msg, WPARAM wp, LPARAM lp) { return DefWindowProcW(hwnd_, msg, wp, lp); }

    // Creates the table's controls under parent (this window or a child of it) with font; the controls
    // and the font follow the window's DPI from then on.
    void AddControls(HWND parent, std::span<const ControlSpec> controls, Font& font) {
        layout_.AddControls(parent, controls, font);
    }
    // A font the window sets on controls itself: made again at a new DPI and given to them.
    void KeepScaled(Font& font) { layout_.Keep(font); }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
        Derived* self = nullptr;
        if (msg == WM_NCCREATE) {
            self = static_cast<Derived*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
            self->hwnd_ = hwnd;
            self->layout_.Reset(DpiOf(hwnd));
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        } else {
            self = reinterpret_cast<Derived*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        }
        if (!self) {
            return DefWindowProcW(hwnd, msg, wp, lp);
        }
        LRESULT result = 0;
        try {
            if (msg == WM_DPICHANGED) {
                self->layout_.Apply(hwnd, HIWORD(wp), *reinterpret_cast<const RECT*>(lp));
            }
            result = self->HandleMessage(msg, wp, lp);
        } catch (...) {
            result = DefWindowProcW(hwnd, msg, wp, lp);
        }
        if (msg == WM_NCDESTROY) {
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            self->hwnd_ = nullptr;
            self->layout_.Reset(self->layout_.dpi());
        }
        return result;
    }

    HWND hwnd_ = nullptr;
    DpiLayout layout_;
};

[[nodiscard]] std::wstring GetText(HWND hwnd);
void SetText(HWND hwnd, const std::wstring& text);
void Enable(HWND hwnd, bool enabled);

} // namespace ruvex::win
