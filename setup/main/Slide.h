// The wizard window slides in from above the screen and out below it, in 400 ms.
#pragma once

#include <windows.h>

namespace setup {

inline constexpr DWORD kSlideMilliseconds = 400;

// Rounded to the nearest integer, halves to even (as the window's placement is computed).
[[nodiscard]] int RoundHalfEven(double value) noexcept;
// The top of the window elapsed milliseconds into a slide from start to target.
[[nodiscard]] int SlideTop(DWORD elapsed, int start, int target) noexcept;
// Moves the window's top from start to target, letting pending messages through between steps;
// the window ends exactly at target.
void Slide(HWND window, int start, int target);

} // namespace setup
