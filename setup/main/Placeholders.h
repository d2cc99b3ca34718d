// The two folder placeholders of SETUP.INF values.
#pragma once

#include <string>

namespace setup {

// Replaces every "<Program Folder>" (any case) by programFiles, then every "<Setup Folder>" by installFolder.
[[nodiscard]] std::wstring ExpandPlaceholders(const std::wstring& value, const std::wstring& programFiles,
                                              const std::wstring& installFolder);

} // namespace setup
