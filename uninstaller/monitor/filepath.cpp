#include "uninstaller/monitor/filepath.h"

#include "base/path.h"
#include "base/text.h"

#include <windows.h>

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

PathState PathProbe::Probe(const std::wstring& path) {
    if (!IsFullFilePath(path)) {
        return PathState::Unknown;
    }
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? PathState::Folder : PathState::File;
    }
    const DWORD error = GetLastError();
    if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) {
        return PathState::Unknown;
    }
    // A drive letter that is mapped to nothing says "path not found" as well: only a drive whose root can
    // be read says that the file is not there.
    return DriveAnswers(path) ? PathState::Gone : PathState::Unknown;
}

bool PathProbe::DriveAnswers(const std::wstring& path) {
    const std::wstring root = DriveRoot(path);
    auto known = drives_.find(ToUpper(root));
    if (known == drives_.end()) {
        known = drives_.emplace(ToUpper(root), GetFileAttributesW(root.c_str()) != INVALID_FILE_ATTRIBUTES).first;
    }
    return known->second;
}

bool PassesThroughLink(const std::wstring& path, bool includeLast) {
    const std::wstring root = DriveRoot(path);
    if (root.empty()) {
        return true;
    }
    const std::size_t end = includeLast ? path.size() : path.rfind(L'\\');
    for (std::size_t slash = root.size() - 1; slash != std::wstring::npos && slash < end;) {
        const std::size_t next = path.find(L'\\', slash + 1);
        const std::wstring folder = path.substr(0, std::min(next, end));
        const DWORD attributes = GetFileAttributesW(folder.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            // Nothing below a folder that is not there can be reached through a link; a folder that cannot
            // be looked at might be one.
            const DWORD error = GetLastError();
            return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND;
        }
        if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
            return true;
        }
        slash = next;
    }
    return false;
}

} // namespace ruvex
