// Registry writes and deletions of the runs, on paths as SETUP.INF writes them.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace setup {

inline constexpr const wchar_t* kUninstallKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
inline constexpr const wchar_t* kRunOnceKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";

// Opens (creating what is missing) and writes one string value; false on any failure.
[[nodiscard]] bool WriteRegistryString(HKEY root, const std::wstring& key, const std::wstring& name,
                                       const std::wstring& value);
[[nodiscard]] bool WriteRegistryDword(HKEY root, const std::wstring& key, const std::wstring& name, DWORD value);
// Deletes the key with every subkey; false when it could not be deleted (a missing key too).
[[nodiscard]] bool DeleteRegistryKey(HKEY root, const std::wstring& key);
// Deletes one value of an existing key; false on failure.
bool DeleteRegistryValue(HKEY root, const std::wstring& key, const std::wstring& name);

// What a value was before a run changed it, so that a rollback can put it back.
struct SavedValue {
    bool existed = false;
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};
[[nodiscard]] SavedValue SaveRegistryValue(HKEY root, const std::wstring& key, const std::wstring& name);
// Writes the saved value back, or deletes the value when there was none; false when it could not.
[[nodiscard]] bool RestoreRegistryValue(HKEY root, const std::wstring& key, const std::wstring& name,
                                        const SavedValue& saved);
// The keys of the path that do not exist yet, the topmost first (what a write would create).
[[nodiscard]] std::vector<std::wstring> MissingRegistryKeys(HKEY root, const std::wstring& key);
// Deletes a key that has no subkeys; false otherwise.
bool DeleteLeafRegistryKey(HKEY root, const std::wstring& key);

} // namespace setup
