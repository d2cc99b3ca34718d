#include "setup/main/Registry.h"

#include "base/handles.h"

namespace setup {

namespace {

// Definition files may write keys from the root ("\Software\..."); the registry calls want them relative.
std::wstring Relative(const std::wstring& key) {
    std::size_t start = key.find_first_not_of(L'\\');
    return start == std::wstring::npos ? std::wstring() : key.substr(start);
}

bool WriteValue(HKEY root, const std::wstring& key, const std::wstring& name, DWORD type, const BYTE* data,
                DWORD size) {
    ruvex::RegKey opened;
    if (RegCreateKeyExW(root, Relative(key).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, opened.put(), nullptr) !=
        ERROR_SUCCESS) {
        return false;
    }
    return RegSetValueExW(opened.get(), name.c_str(), 0, type, data, size) == ERROR_SUCCESS;
}

} // namespace

bool WriteRegistryString(HKEY root, const std::wstring& key, const std::wstring& name, const std::wstring& value) {
    return WriteValue(root, key, name, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                      static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

bool WriteRegistryDword(HKEY root, const std::wstring& key, const std::wstring& name, DWORD value) {
    return WriteValue(root, key, name, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

SavedValue SaveRegistryValue(HKEY root, const std::wstring& key, const std::wstring& name) {
    SavedValue saved;
    ruvex::RegKey opened;
    DWORD size = 0;
    if (RegOpenKeyExW(root, Relative(key).c_str(), 0, KEY_QUERY_VALUE, opened.put()) != ERROR_SUCCESS ||
        RegQueryValueExW(opened.get(), name.c_str(), nullptr, &saved.type, nullptr, &size) != ERROR_SUCCESS) {
        return saved;
    }
    saved.data.resize(size);
    saved.existed =
        RegQueryValueExW(opened.get(), name.c_str(), nullptr, &saved.type, saved.data.data(), &size) == ERROR_SUCCESS;
    saved.data.resize(size);
    return saved;
}

bool RestoreRegistryValue(HKEY root, const std::wstring& key, const std::wstring& name, const SavedValue& saved) {
    if (saved.existed) {
        return WriteValue(root, key, name, saved.type, saved.data.data(), static_cast<DWORD>(saved.data.size()));
    }
    ruvex::RegKey opened;
    LONG status = RegOpenKeyExW(root, Relative(key).c_str(), 0, KEY_SET_VALUE, opened.put());
    if (status == ERROR_SUCCESS) {
        status = RegDeleteValueW(opened.get(), name.c_str());
    }
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

std::vector<std::wstring> MissingRegistryKeys(HKEY root, const std::wstring& key) {
    std::vector<std::wstring> missing;
    std::wstring path = Relative(key);
    while (!path.empty()) {
        ruvex::RegKey opened;
        if (RegOpenKeyExW(root, path.c_str(), 0, KEY_QUERY_VALUE, opened.put()) == ERROR_SUCCESS) {
            break;
        }
        missing.insert(missing.begin(), path);
        std::size_t at = path.find_last_of(L'\\');
        path = at == std::wstring::npos ? std::wstring() : path.substr(0, at);
    }
    return missing;
}

bool DeleteLeafRegistryKey(HKEY root, const std::wstring& key) {
    std::wstring relative = Relative(key);
    return !relative.empty() && RegDeleteKeyW(root, relative.c_str()) == ERROR_SUCCESS;
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
