#include "uninstaller/manage/registrydelete.h"

#include "base/path.h"
#include "base/text.h"
#include "resources/RuvexTexts.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>

namespace ruvex {

namespace {

constexpr const wchar_t* kServices = L"HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services";

// Shared by every program: never removed as keys, whatever a record says (their values may go).
constexpr const wchar_t* kSharedKeys[] = {
    L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft",
    L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes",
    L"HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node",
    L"HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\Microsoft",
    L"HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\Classes",
    L"HKEY_CURRENT_USER\\Software\\Microsoft",
    L"HKEY_CURRENT_USER\\Software\\Classes",
    L"HKEY_CURRENT_USER\\Software\\WOW6432Node",
};

// The service a key stands for: its name when the key lies right below the services key.
std::wstring ServiceName(const std::wstring& key) {
    const std::wstring services = kServices;
    if (key.size() <= services.size() + 1 || !IsKeyWithin(key, services)) {
        return {};
    }
    std::wstring name = key.substr(services.size() + 1);
    return name.find(L'\\') == std::wstring::npos ? name : std::wstring();
}

enum class ServiceRemoval { NotAService, Removed, Failed };

// Stopped (waiting up to 15 s for it) and deleted by the service control manager, which takes its key.
ServiceRemoval RemoveService(const std::wstring& name) {
    SC_HANDLE manager = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT);
    if (!manager) {
        return ServiceRemoval::Failed;
    }
    SC_HANDLE service = OpenServiceW(manager, name.c_str(), SERVICE_STOP | SERVICE_QUERY_STATUS | DELETE);
    if (!service) {
        DWORD error = GetLastError();
        CloseServiceHandle(manager);
        return error == ERROR_SERVICE_DOES_NOT_EXIST ? ServiceRemoval::NotAService : ServiceRemoval::Failed;
    }
    SERVICE_STATUS status{};
    bool stopped = QueryServiceStatus(service, &status) && status.dwCurrentState == SERVICE_STOPPED;
    if (!stopped && ControlService(service, SERVICE_CONTROL_STOP, &status)) {
        for (int i = 0; i < 150 && status.dwCurrentState != SERVICE_STOPPED; ++i) {
            Sleep(100);
            if (!QueryServiceStatus(service, &status)) {
                break;
            }
        }
        stopped = status.dwCurrentState == SERVICE_STOPPED;
    } else if (!stopped) {
        stopped = GetLastError() == ERROR_SERVICE_NOT_ACTIVE;
    }
    bool deleted = stopped && DeleteService(service);
    CloseServiceHandle(service);
    CloseServiceHandle(manager);
    return deleted ? ServiceRemoval::Removed : ServiceRemoval::Failed;
}

// Deletes the very key a handle stands for (opened as itself, never through a link).
bool DeleteOpenedKey(HKEY key) {
    using NtDeleteKeyFunction = LONG(WINAPI*)(HANDLE);
    static const auto ntDeleteKey = reinterpret_cast<NtDeleteKeyFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtDeleteKey")));
    return ntDeleteKey && ntDeleteKey(key) == 0;
}

std::wstring Escaped(const std::wstring& text) {
    std::wstring out;
    for (wchar_t c : text) {
        if (c == L'\\' || c == L'"') {
            out += L'\\';
        }
        out += c;
    }
    return out;
}

// A REG_SZ that a quoted string gives back exactly: one terminating zero, none inside, no line breaks.
std::optional<std::wstring> PlainString(const std::vector<BYTE>& data) {
    if (data.size() < 2 || data.size() % 2 != 0) {
        return std::nullopt;
    }
    std::wstring text(data.size() / 2, L'\0');
    std::memcpy(text.data(), data.data(), data.size());
    if (text.back() != L'\0') {
        return std::nullopt;
    }
    text.pop_back();
    if (text.find_first_of(std::wstring_view(L"\0\r\n", 3)) != std::wstring::npos) {
        return std::nullopt;
    }
    return text;
}

std::wstring HexBytes(const std::vector<BYTE>& data, const wchar_t* separator, std::size_t limit) {
    std::wstring out;
    wchar_t digits[4];
    for (std::size_t i = 0; i < data.size() && i < limit; ++i) {
        std::swprintf(digits, 4, L"%02x", data[i]);
        out += (i ? separator : L"") + std::wstring(digits);
    }
    return data.size() > limit ? out + L"..." : out;
}

std::wstring RegFileValue(const std::wstring& name, const RegistryValue& value) {
    std::wstring line = name.empty() ? L"@=" : L"\"" + Escaped(name) + L"\"=";
    if (value.type == REG_SZ) {
        if (auto text = PlainString(value.data)) {
            return line + L"\"" + Escaped(*text) + L"\"";
        }
    }
    if (value.type == REG_DWORD && value.data.size() == 4) {
        DWORD number = 0;
        std::memcpy(&number, value.data.data(), 4);
        wchar_t digits[16];
        std::swprintf(digits, 16, L"dword:%08lx", static_cast<unsigned long>(number));
        return line + digits;
    }
    wchar_t kind[16];
    std::swprintf(kind, 16, value.type == REG_BINARY ? L"hex:" : L"hex(%lx):", static_cast<unsigned long>(value.type));
    return line + kind + HexBytes(value.data, L",", value.data.size());
}

const wchar_t* TypeName(DWORD type) {
    switch (type) {
    case REG_SZ:
        return L"REG_SZ";
    case REG_EXPAND_SZ:
        return L"REG_EXPAND_SZ";
    case REG_MULTI_SZ:
        return L"REG_MULTI_SZ";
    case REG_DWORD:
        return L"REG_DWORD";
    case REG_QWORD:
        return L"REG_QWORD";
    case REG_BINARY:
        return L"REG_BINARY";
    case REG_NONE:
        return L"REG_NONE";
    default:
        return L"REG_UNKNOWN";
    }
}

std::wstring DataText(const RegistryValue& value) {
    if ((value.type == REG_SZ || value.type == REG_EXPAND_SZ || value.type == REG_MULTI_SZ) &&
        value.data.size() % 2 == 0) {
        std::wstring text(value.data.size() / 2, L'\0');
        std::memcpy(text.data(), value.data.data(), value.data.size());
        while (!text.empty() && text.back() == L'\0') {
            text.pop_back();
        }
        std::replace(text.begin(), text.end(), L'\0', L' ');
        return text;
    }
    if ((value.type == REG_DWORD && value.data.size() == 4) || (value.type == REG_QWORD && value.data.size() == 8)) {
        unsigned long long number = 0;
        std::memcpy(&number, value.data.data(), value.data.size());
        wchar_t digits[48];
        std::swprintf(digits, 48, L"0x%0*llx (%llu)", static_cast<int>(value.data.size() * 2), number, number);
        return digits;
    }
    return HexBytes(value.data, L" ", 64);
}

// A value of an open key, its data read whole (asked again while it grows meanwhile).
std::optional<RegistryValue> QueryValue(HKEY key, const std::wstring& name) {
    RegistryValue value;
    DWORD size = 0;
    for (int attempt = 0; attempt < 4; ++attempt) {
        value.data.resize(size);
        LONG got = RegQueryValueExW(key, name.c_str(), nullptr, &value.type,
                                    value.data.empty() ? nullptr : value.data.data(), &size);
        if (got == ERROR_SUCCESS && size <= value.data.size()) {
            value.data.resize(size);
            return value;
        }
        if (got != ERROR_SUCCESS && got != ERROR_MORE_DATA) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

struct KeyGroup {
    std::wstring key;
    bool recorded = false; // the key itself is a record line
    std::vector<std::wstring> values;
};

} // namespace

std::optional<RegistryValue> ReadRegistryValue(const RegistryEntry& entry) {
    KeyOpening opening = OpenRecordedKey(entry.key, KEY_QUERY_VALUE);
    return opening.key ? QueryValue(opening.key.get(), entry.value) : std::nullopt;
}
std::wstring DescribeRegistryLine(const std::wstring& line) {
    auto entry = ParseRegistryLine(line);
    if (!entry) {
        return line;
    }
    if (!entry->isValue) {
        return entry->key +
               (OpenRecordedKey(entry->key, KEY_QUERY_VALUE).key ? L"" : L"  " + std::wstring(texts::RegistryGone));
    }
    std::wstring text = entry->key + L"  " + (entry->value.empty() ? texts::RegistryDefaultValue : entry->value);
    auto value = ReadRegistryValue(*entry);
    if (!value) {
        return text + L"  " + texts::RegistryGone;
    }
    return text + L"  " + TypeName(value->type) + L"  " + DataText(*value);
}

std::string RegistryBackupText(const std::vector<RegistryEntry>& entries) {
    std::map<std::wstring, KeyGroup> groups; // by the key without case: parents come before their keys
    for (const auto& entry : entries) {
        KeyGroup& group = groups[ToUpper(entry.key)];
        group.key = entry.key;
        if (entry.isValue) {
            group.values.push_back(entry.value);
        } else {
            group.recorded = true;
        }
    }
    std::wstring text;
    for (const auto& [upper, group] : groups) {
        KeyOpening opening = OpenRecordedKey(group.key, KEY_QUERY_VALUE);
        if (!opening.key) {
            continue;
        }
        std::wstring block = L"[" + group.key + L"]\r\n";
        bool any = group.recorded;
        for (const auto& name : group.values) {
            if (auto value = QueryValue(opening.key.get(), name)) {
                block += RegFileValue(name, *value) + L"\r\n";
                any = true;
            }
        }
        if (any) {
            text += block + L"\r\n";
        }
    }
    if (text.empty()) {
        return {};
    }
    text = L"\xFEFFWindows Registry Editor Version 5.00\r\n\r\n" + text;
    return std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}

std::wstring RegistryBackupPath(const std::wstring& dataFolder, const std::wstring& name) {
    std::wstring safe = name;
    for (auto& c : safe) {
        if (c < L' ' || std::wstring_view(L"\\/:*?\"<>|").find(c) != std::wstring_view::npos) {
            c = L'_';
        }
    }
    SYSTEMTIME now{};
    GetLocalTime(&now);
    wchar_t stamp[32];
    std::swprintf(stamp, 32, L" %04u%02u%02u-%02u%02u%02u.reg", now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute,
                  now.wSecond);
    return dataFolder + L"\\" + safe + stamp;
}

bool IsDeletableKey(const std::wstring& key) {
    bool below = std::any_of(WatchedKeys().begin(), WatchedKeys().end(), [&](const WatchedKey& watched) {
        const std::wstring top = WatchedPath(watched);
        return key.size() > top.size() && IsKeyWithin(key, top);
    });
    return below && std::none_of(std::begin(kSharedKeys), std::end(kSharedKeys),
                                 [&](const wchar_t* shared) { return TextEquals(key, shared); });
}

RegistryRemoval RemoveRegistryEntries(const std::vector<RegistryEntry>& entries) {
    RegistryRemoval removal;
    // A service the manager could not remove keeps its key and everything of it in the record untouched:
    // nothing is deleted under a service that may run.
    std::vector<std::wstring> keptServices;
    for (const auto& entry : entries) {
        const std::wstring name = entry.isValue ? std::wstring() : ServiceName(entry.key);
        if (name.empty() || !OpenRecordedKey(entry.key, KEY_QUERY_VALUE).key) {
            continue;
        }
        switch (RemoveService(name)) {
        case ServiceRemoval::NotAService:
            break;
        case ServiceRemoval::Removed:
            if (!OpenRecordedKey(entry.key, KEY_QUERY_VALUE).key) {
                ++removal.removed;
            }
            break;
        case ServiceRemoval::Failed:
            keptServices.push_back(entry.key);
            break;
        }
    }
    auto underKeptService = [&](const std::wstring& key) {
        return std::any_of(keptServices.begin(), keptServices.end(),
                           [&](const std::wstring& service) { return IsKeyWithin(key, service); });
    };
    std::vector<std::wstring> keys;
    for (const auto& entry : entries) {
        if (!entry.isValue) {
            keys.push_back(entry.key);
            continue;
        }
        KeyOpening opening = OpenRecordedKey(entry.key, KEY_SET_VALUE);
        if (opening.error == ERROR_FILE_NOT_FOUND) {
            continue;
        }
        if (!opening.key || underKeptService(entry.key)) {
            ++removal.leftBehind;
            continue;
        }
        LONG deleted = RegDeleteValueW(opening.key.get(), entry.value.c_str());
        if (deleted == ERROR_SUCCESS) {
            ++removal.removed;
        } else if (deleted != ERROR_FILE_NOT_FOUND) {
            ++removal.leftBehind;
        }
    }
    std::stable_sort(keys.begin(), keys.end(), [](const std::wstring& a, const std::wstring& b) {
        return CountBackslashes(a) > CountBackslashes(b);
    });
    for (const auto& key : keys) {
        KeyOpening opening = OpenRecordedKey(key, DELETE);
        if (opening.error == ERROR_FILE_NOT_FOUND) {
            continue;
        }
        if (!opening.key || !IsDeletableKey(key) || underKeptService(key)) {
            ++removal.leftBehind;
            continue;
        }
        DWORD subkeys = 0, values = 0;
        if (RegQueryInfoKeyW(opening.key.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr,
                             nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
            ++removal.leftBehind;
        } else if (subkeys == 0 && values == 0) {
            // Only an empty key goes: what another program put into it since keeps it.
            if (DeleteOpenedKey(opening.key.get())) {
                ++removal.removed;
            } else {
                ++removal.leftBehind;
            }
        }
    }
    return removal;
}

} // namespace ruvex
