// The program-files folder and the user's shell folders, read from the registry at every call.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace setup {

enum class ShellFolder { Programs, Startup, Desktop, SendTo };

// The string value, or nullopt when the key or value is missing or empty.
[[nodiscard]] std::optional<std::wstring> ReadRegistryString(HKEY root, const std::wstring& subKey,
                                                             const std::wstring& name);

// The folder without a trailing backslash, or nullopt when the value is missing or empty (the wizard
// then reports the damaged registry and ends).
[[nodiscard]] std::optional<std::wstring> GetProgramFilesDir();
[[nodiscard]] std::optional<std::wstring> GetShellFolder(ShellFolder which);

} // namespace setup
