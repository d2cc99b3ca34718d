// Registry writes and deletions of the runs, on paths as SETUP.INF writes them.
#pragma once

#include <windows.h>

#include <string>

namespace setup {

inline constexpr const wchar_t* kUninstallKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
inline constexpr const wchar_t* kRunOnceKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";

// Opens (creating what is missing) and writes one string value; false on any failure.
[[nodiscard]] bool WriteRegistryString(HKEY root, const std::wstring& key, const std::wstring& name,
                                       const std::wstring& value);
// Deletes the key with every subkey; false when it could not be deleted (a missing key too).
[[nodiscard]] bool DeleteRegistryKey(HKEY root, const std::wstring& key);
// Deletes one value of an existing key; false on failure.
bool DeleteRegistryValue(HKEY root, const std::wstring& key, const std::wstring& name);

} // namespace setup
