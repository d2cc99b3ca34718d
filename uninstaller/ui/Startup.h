// The pieces of start-up that are text: the data folder, the system folders and the instance name.
#pragma once

#include <string>

namespace ruvex::ui {

// The folder of the program file without a trailing backslash: "C:\Ruvex", or "C:" at a root.
[[nodiscard]] std::wstring DataFolderOf(const std::wstring& modulePath);
// A folder as cPath gives it (with a trailing backslash) without its last character.
[[nodiscard]] std::wstring WithoutLastCharacter(const std::wstring& folder);
// The name of the mutex that one running copy holds: the same for every spelling of its folder's case,
// different for a copy in another folder (each copy keeps its own database).
[[nodiscard]] std::wstring InstanceMutexName(const std::wstring& dataFolder);

// Fixes DataFolder, WindowsFolder, SystemFolder and SystemFolderLength; false when a folder is unknown.
[[nodiscard]] bool SetFolders();

} // namespace ruvex::ui
