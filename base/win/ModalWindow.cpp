#include "base/win/ModalWindow.h"

#include <utility>

namespace ruvex::win {

bool ModalWindow::CreateModal(HWND owner, const ModalLayout& layout) {
    if (!CreateWindowOf(layout.className, layout.title, layout.style, layout.exStyle, owner)) {
        return false;
    }
    font_ = Font(kUiFace, 9, Dpi());
    SetClientSizeTwips(hwnd(), layout.width, layout.height);
    AddControls(hwnd(), layout.controls, font_);
    CenterOnScreen(hwnd());
    return true;
}

// The one modal loop of both programs. Only the modal window gets dialog keys: the other windows of the
// program are disabled meanwhile (the main window's accelerators apply only while it is enabled), and a
// modal window opened from this one runs a loop of its own. WM_QUIT ends the run (posted again, so that
// every loop outside ends too, the program's main loop last).
INT_PTR ModalWindow::RunModal(HWND focus) {
    HWND window = hwnd();
    if (!window || running_) {
        return IDCANCEL;
    }
    HWND owner = GetWindow(window, GW_OWNER);
    if (owner && IsWindowEnabled(owner)) {
        EnableWindow(owner, FALSE);
        disabledOwner_ = owner;
    }
    bool activateOwner = disabledOwner_ != nullptr;
    result_ = IDCANCEL;
    running_ = true;
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    if (focus) {
        SetFocus(focus);
    }
    MSG msg;
    while (running_) {
        BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) {
                PostQuitMessage(static_cast<int>(msg.wParam));
            }
            EndModal(IDCANCEL);
            break;
        }
        if (!hwnd() || !IsDialogMessageW(hwnd(), &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    if (activateOwner) {
        SetForegroundWindow(owner);
    }
    return result_;
}

void ModalWindow::EndModal(INT_PTR result) {
    result_ = result;
    running_ = false;
    // The owner first, as EndDialog does: hiding the window then activates the owner, not another program.
    if (HWND owner = std::exchange(disabledOwner_, nullptr)) {
        EnableWindow(owner, TRUE);
    }
    if (hwnd()) {
        ShowWindow(hwnd(), SW_HIDE);
    }
}

bool ModalWindow::OnCommand(int, int, HWND) {
    return false;
}

LRESULT ModalWindow::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_COMMAND:
        // Enter and Esc come as IDOK and IDCANCEL from IsDialogMessage, the buttons as their ids.
        if (HIWORD(wp) == BN_CLICKED && LOWORD(wp) == IDOK) {
            OnOK();
            return 0;
        }
        if (HIWORD(wp) == BN_CLICKED && LOWORD(wp) == IDCANCEL) {
            OnCancel();
            return 0;
        }
        if (OnCommand(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp))) {
            return 0;
        }
        break;
    case DM_GETDEFID:
        // The OK button is the default: Enter presses it only while it is enabled.
        if (GetDlgItem(hwnd(), IDOK)) {
            return MAKELRESULT(IDOK, DC_HASDEFID);
        }
        break;
    case WM_CLOSE:
        OnClose();
        return 0;
    case WM_DESTROY:
        if (running_) {
            EndModal(IDCANCEL);
        }
        break;
    default:
        break;
    }
    return OnMessage(msg, wp, lp);
}

} // namespace ruvex::win
