// Path text helpers of the setup program.
#pragma once

#include <string>

namespace setup {

// Drops one trailing backslash. Paths are UTF-16 here, so the second byte of a Shift-JIS
// character such as 表 (0x95 0x5C) can never be mistaken for one.
[[nodiscard]] std::wstring RemoveTrailingBackslash(const std::wstring& path);
// Everything up to and including the last backslash or colon; empty when there is neither.
[[nodiscard]] std::wstring FolderWithSeparator(const std::wstring& path);
// The text after the last backslash or colon.
[[nodiscard]] std::wstring NameAfterSeparator(const std::wstring& path);

} // namespace setup
