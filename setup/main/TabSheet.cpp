#include "setup/main/TabSheet.h"

namespace setup {

namespace {

constexpr const wchar_t* kClassName = L"TTabSheet";

LRESULT CALLBACK TabSheetProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_COMMAND:
    case WM_DRAWITEM:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        return SendMessageW(GetParent(hwnd), msg, wp, lp);
    default:
        return DefWindowProcW(hwnd, msg, wp, lp);
    }
}

} // namespace

ruvex::win::ControlSpec TabSheetSpec(int id, int width, int height) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    if (!GetClassInfoExW(instance, kClassName, &wc)) {
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = TabSheetProc;
        wc.hInstance = instance;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = kClassName;
        RegisterClassExW(&wc);
    }
    // WS_EX_CONTROLPARENT lets the dialog keys of the form's message loop reach the page's controls.
    return {kClassName, id, nullptr, WS_CLIPSIBLINGS, 0, 0, width, height, WS_EX_CONTROLPARENT};
}

void PaintGradient(HDC dc, const RECT& rect, COLORREF top, COLORREF bottom) {
    int height = rect.bottom - rect.top;
    for (int y = 0; y < height; ++y) {
        auto mix = [&](int a, int b) { return height > 1 ? a + (b - a) * y / (height - 1) : a; };
        COLORREF colour = RGB(mix(GetRValue(top), GetRValue(bottom)), mix(GetGValue(top), GetGValue(bottom)),
                              mix(GetBValue(top), GetBValue(bottom)));
        ruvex::win::Brush brush(CreateSolidBrush(colour));
        RECT row{rect.left, rect.top + y, rect.right, rect.top + y + 1};
        FillRect(dc, &row, brush.get());
    }
}

} // namespace setup
