// The main message loop of the program: the main window's accelerators and dialog keys apply wherever
// messages are dispatched, in the main loop and at the stop points of a run. The modal windows run
// their own loop (win::ModalWindow).
#pragma once

#include <windows.h>

namespace ruvex::ui {

// The window whose dialog keys (Enter, Esc, Tab) and accelerators the loop applies.
void SetKeyboardWindow(HWND window, HACCEL accelerators) noexcept;
// Translates and dispatches one message.
void DispatchOne(MSG& msg);
// Dispatches everything pending; false when WM_QUIT was seen (it is posted again for the main loop).
bool PumpMessages();
// Takes only the pending paint messages for a moment, so that a window just shown reaches the screen
// while a command runs on (input waits).
void PaintPending();
// Runs until WM_QUIT; returns its exit code.
int RunMessageLoop();

} // namespace ruvex::ui
