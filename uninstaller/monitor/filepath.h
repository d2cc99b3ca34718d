// Whether a recorded line names one file by its full path: the only lines that the uninstaller may delete
// or judge missing.
#pragma once

#include <string_view>

namespace ruvex {

// "X:\folder\name" or "\\server\share\folder\name", every part a plain name. Not: relative paths, a bare
// drive or root, wildcards, "." and ".." parts (or any part that Windows would trim: a trailing dot or
// blank), device names (NUL, CON, COM1, ... with or without an extension), stream names, "\\?\" and "\\.\"
// paths, and paths that end with a backslash.
[[nodiscard]] bool IsFullFilePath(std::wstring_view path) noexcept;

} // namespace ruvex
