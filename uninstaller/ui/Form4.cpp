#include "uninstaller/ui/Form4.h"

#include "resources/RuvexTexts.h"

#include <commctrl.h>
#include "uninstaller/ui/ControlIds.h"
#include "uninstaller/ui/Globals.h"
#include "uninstaller/ui/MessagePump.h"
#include "uninstaller/ui/ResourceIds.h"

namespace ruvex::ui {

bool Form4::Load(HWND owner) {
    ProgressBarMax = 100;
    if (!CreateWindowOf(L"RuvexForm4", texts::VersionCaption, WS_POPUP | WS_BORDER, WS_EX_TOOLWINDOW, owner)) {
        return false;
    }
    artwork_.reset(static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(res::VersionArtwork), IMAGE_BITMAP, 0, 0, 0)));
    BITMAP bm{};
    if (artwork_ && GetObjectW(artwork_.get(), sizeof bm, &bm)) {
        size_ = {bm.bmWidth, bm.bmHeight};
    } else {
        size_ = {360, 220};
    }
    // The artwork is drawn for 96 DPI; scale it with the window's DPI like every twips layout.
    UINT dpi = win::DpiOf(hwnd());
    int width = MulDiv(size_.cx, static_cast<int>(dpi), 96);
    int height = MulDiv(size_.cy, static_cast<int>(dpi), 96);
    RECT r{0, 0, width, height};
    AdjustWindowRectEx(&r, WS_POPUP | WS_BORDER, FALSE, WS_EX_TOOLWINDOW);
    SetWindowPos(hwnd(), nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER);
    font_ = win::Font(L"ＭＳ Ｐゴシック", 9, dpi);
    // The version label: a click on it closes the version window like a click on the picture.
    HWND label = CreateWindowExW(
        0, WC_STATICW, texts::VersionText, WS_CHILD | WS_VISIBLE | SS_RIGHT | SS_NOTIFY,
        width - MulDiv(150, static_cast<int>(dpi), 96), height - MulDiv(24, static_cast<int>(dpi), 96),
        MulDiv(140, static_cast<int>(dpi), 96), MulDiv(16, static_cast<int>(dpi), 96), hwnd(),
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(ids::VersionLabel)), GetModuleHandleW(nullptr), nullptr);
    SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    win::CenterOnScreen(hwnd());
    return true;
}

void Form4::ShowSplash() {
    ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
    UpdateWindow(hwnd());
}

void Form4::ShowModal(HWND owner) {
    MessageBeep(MB_OK);
    EnableWindow(owner, FALSE);
    ShowWindow(hwnd(), SW_SHOW);
    SetForegroundWindow(hwnd());
    SetFocus(hwnd());
    RunModalLoop(closed_);
    EnableWindow(owner, TRUE);
    SetForegroundWindow(owner);
}

void Form4::CloseIfVersionWindow() {
    if (VersionWindowMode == 1 && !closed_) {
        closed_ = true;
        ShowWindow(hwnd(), SW_HIDE);
    }
}

void Form4::Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd(), &ps);
    if (artwork_) {
        RECT client{};
        GetClientRect(hwnd(), &client);
        HDC memory = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(memory, artwork_.get());
        SetStretchBltMode(dc, HALFTONE);
        StretchBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, size_.cx, size_.cy, SRCCOPY);
        SelectObject(memory, old);
        DeleteDC(memory);
    }
    EndPaint(hwnd(), &ps);
}

LRESULT Form4::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_PAINT:
        Paint();
        return 0;
    case WM_ERASEBKGND:
        return artwork_ ? 1 : Default(msg, wp, lp);
    case WM_CTLCOLORSTATIC:
        // The label lies on the artwork.
        SetBkMode(reinterpret_cast<HDC>(wp), TRANSPARENT);
        SetTextColor(reinterpret_cast<HDC>(wp), RGB(255, 255, 255));
        return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    case WM_GETDLGCODE:
        return DLGC_WANTALLKEYS | DLGC_WANTCHARS;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        CloseIfVersionWindow();
        return 0;
    case WM_COMMAND:
        if (HIWORD(wp) == STN_CLICKED) {
            CloseIfVersionWindow();
        }
        return 0;
    case WM_CLOSE:
        CloseIfVersionWindow();
        return 0;
    default:
        return Default(msg, wp, lp);
    }
}

} // namespace ruvex::ui
