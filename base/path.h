// Path text: splitting, joining and trailing backslashes. Paths are UTF-16 here, so the second byte of a
// Shift-JIS character such as 表 (0x95 0x5C) is never taken for a backslash.
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

// Drops one trailing backslash, no more.
[[nodiscard]] std::wstring RemoveTrailingBackslash(std::wstring_view path);
// Adds a backslash unless the path ends in one.
[[nodiscard]] std::wstring WithTrailingBackslash(std::wstring_view path);

// Everything up to and including the last backslash or colon; empty when there is neither.
[[nodiscard]] std::wstring FolderWithSeparator(std::wstring_view path);
// The text after the last backslash or colon.
[[nodiscard]] std::wstring NameAfterSeparator(std::wstring_view path);

// The root of a path's drive with its backslash ("D:\", "\\server\share\"); empty for a relative path.
[[nodiscard]] std::wstring DriveRoot(std::wstring_view path);

} // namespace ruvex
