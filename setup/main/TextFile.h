// The agreement and read-me texts: files in the ANSI code page, shown in an edit control.
#pragma once

#include <optional>
#include <string>

namespace setup {

// The file's text with every line end made CR LF (what a multi-line edit control needs);
// nullopt when the file can't be opened.
[[nodiscard]] std::optional<std::wstring> LoadTextForDisplay(const std::wstring& path);

} // namespace setup
