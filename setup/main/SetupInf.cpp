#include "setup/main/SetupInf.h"

namespace setup {

namespace {

// The private-profile calls truncate silently; they return size - 1 (size - 2 for lists) when the
// buffer was too small, so grow until the answer fits.
template <typename Call> std::vector<wchar_t> ReadGrowing(Call call, DWORD slack) {
    std::vector<wchar_t> buffer(1024);
    for (;;) {
        DWORD n = call(buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n + slack < buffer.size() || buffer.size() >= (1u << 24)) {
            buffer.resize(n + 2, L'\0');
            return buffer;
        }
        buffer.assign(buffer.size() * 4, L'\0');
    }
}

std::vector<std::wstring> SplitNullList(const std::vector<wchar_t>& buffer) {
    std::vector<std::wstring> names;
    const wchar_t* p = buffer.data();
    while (*p) {
        std::wstring name(p);
        p += name.size() + 1;
        names.push_back(std::move(name));
    }
    return names;
}

} // namespace

std::wstring SetupInf::Value(const std::wstring& section, const std::wstring& key) const {
    return Read(section, key, section + L" - " + key + L" Error");
}

std::wstring SetupInf::Read(const std::wstring& section, const std::wstring& key, const std::wstring& fallback) const {
    auto buffer = ReadGrowing(
        [&](wchar_t* out, DWORD size) {
            return GetPrivateProfileStringW(section.c_str(), key.c_str(), fallback.c_str(), out, size, path_.c_str());
        },
        1);
    return std::wstring(buffer.data());
}

bool SetupInf::Write(const std::wstring& section, const std::wstring& key, const std::wstring& value) const {
    return WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), path_.c_str()) != FALSE;
}

std::vector<std::wstring> SetupInf::Keys(const std::wstring& section) const {
    return SplitNullList(ReadGrowing(
        [&](wchar_t* out, DWORD size) {
            return GetPrivateProfileStringW(section.c_str(), nullptr, L"", out, size, path_.c_str());
        },
        2));
}

std::vector<std::wstring> SetupInf::Sections() const {
    return SplitNullList(ReadGrowing(
        [&](wchar_t* out, DWORD size) { return GetPrivateProfileSectionNamesW(out, size, path_.c_str()); }, 2));
}

HKEY RootKeyFromName(const std::wstring& name) {
    static const struct {
        const wchar_t* name;
        HKEY key;
    } roots[] = {
        {L"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
        {L"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
        {L"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
        {L"HKEY_USERS", HKEY_USERS},
        {L"HKEY_PERFORMANCE_DATA", HKEY_PERFORMANCE_DATA},
        {L"HKEY_CURRENT_CONFIG", HKEY_CURRENT_CONFIG},
        {L"HKEY_DYN_DATA", HKEY_DYN_DATA},
    };
    for (const auto& root : roots) {
        if (name == root.name) {
            return root.key;
        }
    }
    return HKEY_CURRENT_USER;
}

} // namespace setup
