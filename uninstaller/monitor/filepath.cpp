#include "uninstaller/monitor/filepath.h"

#include <array>

namespace ruvex {

namespace {

bool IsAsciiLetter(wchar_t c) noexcept {
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

wchar_t AsciiUpper(wchar_t c) noexcept {
    return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c;
}

bool EqualsAscii(std::wstring_view text, std::wstring_view upper) noexcept {
    if (text.size() != upper.size()) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (AsciiUpper(text[i]) != upper[i]) {
            return false;
        }
    }
    return true;
}

// Windows opens the device, not a file, for these names in any folder and with any extension.
bool IsDeviceName(std::wstring_view part) noexcept {
    std::wstring_view base = part.substr(0, part.find(L'.'));
    while (!base.empty() && base.back() == L' ') {
        base.remove_suffix(1);
    }
    static constexpr std::array<std::wstring_view, 6> kNames{L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"};
    for (auto name : kNames) {
        if (EqualsAscii(base, name)) {
            return true;
        }
    }
    if (base.size() == 4 && (EqualsAscii(base.substr(0, 3), L"COM") || EqualsAscii(base.substr(0, 3), L"LPT"))) {
        wchar_t n = base[3];
        return (n >= L'0' && n <= L'9') || n == L'\u00B9' || n == L'\u00B2' || n == L'\u00B3';
    }
    return false;
}

bool IsPlainName(std::wstring_view part) noexcept {
    if (part.empty() || part.back() == L'.' || part.back() == L' ') {
        return false;
    }
    for (wchar_t c : part) {
        if (c < 32 || c == L'<' || c == L'>' || c == L':' || c == L'"' || c == L'/' || c == L'|' || c == L'?' ||
            c == L'*') {
            return false;
        }
    }
    return !IsDeviceName(part);
}

} // namespace

bool IsFullFilePath(std::wstring_view path) noexcept {
    std::size_t minimumParts = 1;
    if (path.size() >= 3 && IsAsciiLetter(path[0]) && path[1] == L':' && path[2] == L'\\') {
        path.remove_prefix(3);
    } else if (path.size() >= 2 && path[0] == L'\\' && path[1] == L'\\') {
        path.remove_prefix(2);
        minimumParts = 3; // server, share, name
    } else {
        return false;
    }
    std::size_t parts = 0;
    for (;;) {
        auto slash = path.find(L'\\');
        if (!IsPlainName(path.substr(0, slash))) {
            return false;
        }
        ++parts;
        if (slash == std::wstring_view::npos) {
            break;
        }
        path.remove_prefix(slash + 1);
    }
    return parts >= minimumParts;
}

} // namespace ruvex
