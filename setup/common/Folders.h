// Folder creation and removal for the installation and uninstall runs.
#pragma once

#include <string>

namespace setup {

// Creates the folder and every missing parent; true when it exists afterwards.
[[nodiscard]] bool CreateFolderWithParents(const std::wstring& folder);

} // namespace setup
