#include "uninstaller/ui/Form4.h"

#include "resources/RuvexTexts.h"

#include <commctrl.h>
#include "uninstaller/ui/ControlIds.h"
#include "uninstaller/ui/Globals.h"
#include "uninstaller/ui/ResourceIds.h"

namespace ruvex::ui {

bool Form4::Load(HWND owner) {
    ProgressBarMax = 100;
    artwork_.reset(static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(res::VersionArtwork), IMAGE_BITMAP, 0, 0, 0)));
    BITMAP bm{};
    if (artwork_ && GetObjectW(artwork_.get(), sizeof bm, &bm)) {
        size_ = {bm.bmWidth, bm.bmHeight};
    } else {
        size_ = {360, 220};
    }
    // The artwork is drawn for 96 DPI (15 twips a pixel) and scales with the window's DPI like every
    // twips layout. The version label at its lower right: a click on it closes the version window like a
    // click on the picture.
    auto twips = [](LONG pixels) { return static_cast<int>(pixels) * 15; };
    const win::ControlSpec label[] = {{WC_STATICW, ids::VersionLabel, texts::VersionText,
                                       WS_VISIBLE | SS_RIGHT | SS_NOTIFY, twips(size_.cx - 150), twips(size_.cy - 24),
                                       twips(140), twips(16)}};
    return CreateModal(owner, {L"RuvexForm4", texts::VersionCaption, twips(size_.cx), twips(size_.cy), label,
                               WS_POPUP | WS_BORDER, WS_EX_TOOLWINDOW});
}

void Form4::ShowSplash() {
    ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
    UpdateWindow(hwnd());
}

void Form4::ShowModal() {
    MessageBeep(MB_OK);
    RunModal(hwnd());
}

void Form4::CloseIfVersionWindow() {
    if (VersionWindowMode && Running()) {
        EndModal(IDOK);
    }
}

void Form4::Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd(), &ps);
    if (artwork_) {
        RECT client{};
        GetClientRect(hwnd(), &client);
        win::MemoryDC memory(CreateCompatibleDC(dc));
        win::ScopedSelectObject picture(memory.get(), artwork_.get());
        SetStretchBltMode(dc, HALFTONE);
        StretchBlt(dc, 0, 0, client.right, client.bottom, memory.get(), 0, 0, size_.cx, size_.cy, SRCCOPY);
    }
    EndPaint(hwnd(), &ps);
}

bool Form4::OnCommand(int, int code, HWND) {
    if (code == STN_CLICKED) {
        CloseIfVersionWindow();
    }
    return true;
}

LRESULT Form4::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
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
    default:
        return Default(msg, wp, lp);
    }
}

} // namespace ruvex::ui
