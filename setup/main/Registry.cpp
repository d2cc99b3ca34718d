#include "setup/main/Registry.h"

#include "base/handles.h"

namespace setup {

namespace {

// Definition files may write keys from the root ("\Software\..."); the registry calls want them relative.
std::wstring Relative(const std::wstring& key) {
    std::size_t start = key.find_first_not_of(L'\\');
    return start == std::wstring::npos ? std::wstring() : key.substr(start);
}

} // namespace

bool WriteRegistryString(HKEY root, const std::wstring& key, const std::wstring& name, const std::wstring& value) {
    ruvex::RegKey opened;
    if (RegCreateKeyExW(root, Relative(key).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, opened.put(), nullptr) !=
        ERROR_SUCCESS) {
        return false;
    }
    return RegSetValueExW(opened.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

bool DeleteRegistryKey(HKEY root, const std::wstring& key) {
    std::wstring relative = Relative(key);
    // An empty path would name the root itself: never clear a whole root key.
    return !relative.empty() && RegDeleteTreeW(root, relative.c_str()) == ERROR_SUCCESS;
}

bool DeleteRegistryValue(HKEY root, const std::wstring& key, const std::wstring& name) {
    ruvex::RegKey opened;
    if (RegOpenKeyExW(root, Relative(key).c_str(), 0, KEY_SET_VALUE, opened.put()) != ERROR_SUCCESS) {
        return false;
    }
    return RegDeleteValueW(opened.get(), name.c_str()) == ERROR_SUCCESS;
}

} // namespace setup
