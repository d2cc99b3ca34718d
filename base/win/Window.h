// The window plumbing both programs build their windows on: a CRTP base that stores `this` on
// WM_NCCREATE and forwards messages, twips-based control tables, fonts and GDI owners.
#pragma once

#include <windows.h>

#include <span>
#include <string>

namespace ruvex::win {

// 1440 twips to the inch, converted at the window's DPI (not at a fixed 15 twips a pixel).
[[nodiscard]] int TwipsToPixels(int twips, UINT dpi) noexcept;
[[nodiscard]] UINT DpiOf(HWND hwnd) noexcept;

// One control of a window's layout table; positions in twips, as the layouts are written.
struct ControlSpec {
    const wchar_t* className; // WC_BUTTON, WC_LISTBOX, ...
    int id;
    const wchar_t* caption;
    DWORD style; // WS_CHILD is added; WS_VISIBLE is up to the table
    int left, top, width, height;
    DWORD exStyle = 0;
};
// Creates every control of the table in the parent's client area, with the given font.
void CreateControls(HWND parent, std::span<const ControlSpec> controls, HFONT font);
// Moves an existing control to a twips rectangle.
void PlaceControl(HWND control, int left, int top, int width, int height);
// Sizes a top-level window so that its client area is width x height twips.
void SetClientSizeTwips(HWND hwnd, int width, int height);
void CenterOnScreen(HWND hwnd);

// A GDI font, deleted with the object.
class Font {
public:
    Font() = default;
    // face at points, scaled to dpi; Shift-JIS character set for the Japanese faces.
    Font(const wchar_t* face, int points, UINT dpi, int weight = FW_NORMAL);
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;
    Font(Font&& other) noexcept;
    Font& operator=(Font&& other) noexcept;
    [[nodiscard]] HFONT get() const noexcept { return font_; }

private:
    HFONT font_ = nullptr;
};

// Base of every window: the derived class implements
//   LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp)
// and calls Default() for what it does not handle. Exceptions never reach USER32.
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

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
        Derived* self = nullptr;
        if (msg == WM_NCCREATE) {
            self = static_cast<Derived*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
            self->hwnd_ = hwnd;
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        } else {
            self = reinterpret_cast<Derived*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        }
        if (!self) {
            return DefWindowProcW(hwnd, msg, wp, lp);
        }
        LRESULT result = 0;
        try {
            result = self->HandleMessage(msg, wp, lp);
        } catch (...) {
            result = DefWindowProcW(hwnd, msg, wp, lp);
        }
        if (msg == WM_NCDESTROY) {
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            self->hwnd_ = nullptr;
        }
        return result;
    }

    HWND hwnd_ = nullptr;
};

[[nodiscard]] std::wstring GetText(HWND hwnd);
void SetText(HWND hwnd, const std::wstring& text);
void Enable(HWND hwnd, bool enabled);

} // namespace ruvex::win
