#include "setup/common/ShellFolders.h"

#include "base/handles.h"
#include "setup/common/Paths.h"

#include <vector>

namespace setup {

std::optional<std::wstring> ReadRegistryString(HKEY root, const std::wstring& subKey, const std::wstring& name) {
    ruvex::RegKey key;
    if (RegOpenKeyExW(root, subKey.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    DWORD type = 0;
    DWORD bytes = 0;
    if (RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return std::nullopt;
    }
    std::vector<wchar_t> buffer(bytes / sizeof(wchar_t) + 1, L'\0');
    if (RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &bytes) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    std::wstring value(buffer.data());
    if (value.empty()) {
        return std::nullopt;
    }
    return value;
}

namespace {

std::optional<std::wstring> ReadFolder(HKEY root, const wchar_t* subKey, const wchar_t* name) {
    auto value = ReadRegistryString(root, subKey, name);
    if (!value) {
        return std::nullopt;
    }
    return RemoveTrailingBackslash(*value);
}

constexpr const wchar_t* kShellFoldersKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

} // namespace

std::optional<std::wstring> GetProgramFilesDir() {
    return ReadFolder(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion", L"ProgramFilesDir");
}

std::optional<std::wstring> GetShellFolder(ShellFolder which) {
    switch (which) {
    case ShellFolder::Programs:
        return ReadFolder(HKEY_CURRENT_USER, kShellFoldersKey, L"Programs");
    case ShellFolder::Startup:
        return ReadFolder(HKEY_CURRENT_USER, kShellFoldersKey, L"Startup");
    case ShellFolder::Desktop:
        return ReadFolder(HKEY_CURRENT_USER, kShellFoldersKey, L"Desktop");
    case ShellFolder::SendTo:
        break;
    }
    return ReadFolder(HKEY_CURRENT_USER, kShellFoldersKey, L"SendTo");
}

} // namespace setup
