// The one message loop of the program: the main window's accelerators and dialog keys apply wherever
// messages are dispatched, in the main loop and at the stop points of a run.
#pragma once

#include <windows.h>

namespace ruvex::ui {

// The window whose dialog keys (Enter, Esc, Tab) and accelerators the loop applies.
void SetKeyboardWindow(HWND window, HACCEL accelerators) noexcept;
// Translates and dispatches one message.
void DispatchOne(MSG& msg);
// Dispatches everything pending; false when WM_QUIT was seen (it is posted again for the main loop).
bool PumpMessages();
// Runs until WM_QUIT; returns its exit code.
int RunMessageLoop();
// Runs until done() holds or WM_QUIT arrives (a modal window's loop).
void RunModalLoop(const bool& done);
// Shows window modal over owner (disabled meanwhile), focus on focus, until done holds.
void ShowModal(HWND window, HWND owner, HWND focus, const bool& done);

} // namespace ruvex::ui
