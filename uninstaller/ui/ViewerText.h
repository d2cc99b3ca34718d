// The text that the file viewer shows: the first lines of a file, marked "[END]" when it ends early.
#pragma once

#include "uninstaller/monitor/RunHost.h"

#include <string>

namespace ruvex {

inline constexpr int ViewerMaxLines = 400;

// At most 400 lines, each followed by CR LF, then "[END]" when the end came within the limit. A file
// that cannot be opened gives "[END]" alone. The Wait bar moves every 20 lines (maximum 400).
[[nodiscard]] std::wstring ReadViewerText(const std::wstring& path, RunHost& host);

} // namespace ruvex
