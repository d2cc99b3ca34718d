// Reading texts that other processes keep behind pointer messages (not marshalled across processes):
// the driver lends the target process a buffer in its own memory.
#pragma once

#include "driver/Driver.h"

namespace e2e {

// The tool tip that the program shows for a control; empty when it has none (or an empty one).
[[nodiscard]] std::wstring ToolTipText(const Program& program, HWND control);

} // namespace e2e
