// The program's own folder, and folder creation for the installation run.
#pragma once

#include <string>
#include <vector>

namespace setup {

// The folder of the running program, without a trailing backslash.
[[nodiscard]] std::wstring ProgramFolder();
// The path with . and .. resolved, relative to the current folder; empty when it can't be made.
[[nodiscard]] std::wstring FullPath(const std::wstring& path);

// Creates the folder and every missing parent; true when it exists afterwards. The folders it made are
// added to created (when given), the topmost first.
[[nodiscard]] bool CreateFolderWithParents(const std::wstring& folder, std::vector<std::wstring>* created = nullptr);

} // namespace setup
