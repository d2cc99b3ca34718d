// The pieces of start-up that are text: the data folder, the system folders and the instance name.
#pragma once

#include <string>

namespace ruvex::ui {

// The name of the mutex that one running copy holds: the same for every spelling of its folder's case,
// different for a copy in another folder (each copy keeps its own database).
[[nodiscard]] std::wstring InstanceMutexName(const std::wstring& dataFolder);

// Fixes DataFolder, WindowsFolder, and SystemFolder; false when a folder is unknown.
[[nodiscard]] bool SetFolders();

} // namespace ruvex::ui
