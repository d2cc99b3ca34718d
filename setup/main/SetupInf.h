// SETUP.INF: an INI file in the ANSI code page, read and written through the private-profile calls.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace setup {

class SetupInf {
public:
    explicit SetupInf(std::wstring path) : path_(std::move(path)) {}

    [[nodiscard]] const std::wstring& path() const noexcept { return path_; }
    // The value, or section + " - " + key + " Error" when it is missing: a missing key never fails,
    // its default text flows on as if it were the value.
    [[nodiscard]] std::wstring Value(const std::wstring& section, const std::wstring& key) const;
    [[nodiscard]] std::wstring Read(const std::wstring& section, const std::wstring& key,
                                    const std::wstring& fallback) const;
    [[nodiscard]] bool Write(const std::wstring& section, const std::wstring& key, const std::wstring& value) const;
    // Key names of one section, in file order.
    [[nodiscard]] std::vector<std::wstring> Keys(const std::wstring& section) const;
    // All section names, in file order.
    [[nodiscard]] std::vector<std::wstring> Sections() const;
    // A section exists when it has at least one key.
    [[nodiscard]] bool HasSection(const std::wstring& section) const { return !Keys(section).empty(); }

private:
    std::wstring path_;
};

// Section kinds are recognised by a case-sensitive substring: "ProgramGroup2" is a program group,
// "Startup" is not a "StartUp".
[[nodiscard]] inline bool IsKind(const std::wstring& sectionName, const wchar_t* kind) {
    return sectionName.find(kind) != std::wstring::npos;
}
inline constexpr const wchar_t* kKindProgramGroup = L"ProgramGroup";
inline constexpr const wchar_t* kKindStartUp = L"StartUp";
inline constexpr const wchar_t* kKindDeskTop = L"DeskTop";
inline constexpr const wchar_t* kKindSendTo = L"SendTo";
inline constexpr const wchar_t* kKindRegistryWrite = L"RegistryWrite";
inline constexpr const wchar_t* kKindRegistryDeleteKey = L"RegistryDeleteKey";
inline constexpr const wchar_t* kKindRegistryDeleteValue = L"RegistryDeleteValue";

// One of the seven root key names, compared exactly; anything else is HKEY_CURRENT_USER.
[[nodiscard]] HKEY RootKeyFromName(const std::wstring& name);

} // namespace setup
