#include "uninstaller/ui/MessagePump.h"

namespace ruvex::ui {

namespace {

HWND keyboardWindow = nullptr;
HACCEL keyboardAccelerators = nullptr;

} // namespace

void SetKeyboardWindow(HWND window, HACCEL accelerators) noexcept {
    keyboardWindow = window;
    keyboardAccelerators = accelerators;
}

void DispatchOne(MSG& msg) {
    // Keys go by the window they are meant for: the main window's (while it is not disabled by a modal
    // window) take its accelerators and dialog keys; another of our windows gets its own dialog keys.
    HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    if (root && root == keyboardWindow) {
        if (IsWindowEnabled(keyboardWindow) &&
            ((keyboardAccelerators && TranslateAcceleratorW(keyboardWindow, keyboardAccelerators, &msg)) ||
             IsDialogMessageW(keyboardWindow, &msg))) {
            return;
        }
    } else if (root && IsDialogMessageW(root, &msg)) {
        return;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

bool PumpMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        DispatchOne(msg);
    }
    return true;
}

int RunMessageLoop() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        DispatchOne(msg);
    }
    return static_cast<int>(msg.wParam);
}

// The run does not return to the message loop, and under Wine a new window reaches the screen only when its
// thread takes the paint messages that the window system sends it: those are taken for a moment, input is not.
void PaintPending() {
    const DWORD start = GetTickCount();
    MSG msg;
    do {
        while (PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE | PM_QS_PAINT)) {
            DispatchMessageW(&msg);
        }
    } while (MsgWaitForMultipleObjectsEx(0, nullptr, 10, QS_PAINT, 0) != WAIT_TIMEOUT || GetTickCount() - start < 50);
}

} // namespace ruvex::ui
