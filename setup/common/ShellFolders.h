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

// These end the program with an error box when the value can't be read: nothing sensible can be
// installed without them. The result has no trailing backslash.
[[nodiscard]] std::wstring GetProgramFilesDir();
[[nodiscard]] std::wstring GetShellFolder(ShellFolder which);

} // namespace setup
