// Path pieces used all over the uninstaller.
#pragma once

#include <string>
#include <string_view>

namespace ruvex {

// The text after the last backslash; the whole path when it has none.
[[nodiscard]] std::wstring FileNamePart(std::wstring_view path);
// The text before the last backslash, without it; empty when there is none.
[[nodiscard]] std::wstring FolderPart(std::wstring_view path);
// The number of backslashes: a path's folder depth.
[[nodiscard]] int CountBackslashes(std::wstring_view path) noexcept;
// Folder + "\" + name, with no doubled backslash at a root such as "C:\".
[[nodiscard]] std::wstring JoinPath(std::wstring_view folder, std::wstring_view name);

} // namespace ruvex
