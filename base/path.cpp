#include "base/path.h"

#include <algorithm>

namespace ruvex {

namespace {

constexpr std::wstring_view kSeparators = L"\\:";

} // namespace

std::wstring FileNamePart(std::wstring_view path) {
    auto slash = path.rfind(L'\\');
    return std::wstring(slash == std::wstring_view::npos ? path : path.substr(slash + 1));
}

std::wstring FolderPart(std::wstring_view path) {
    auto slash = path.rfind(L'\\');
    return slash == std::wstring_view::npos ? std::wstring() : std::wstring(path.substr(0, slash));
}

int CountBackslashes(std::wstring_view path) noexcept {
    return static_cast<int>(std::count(path.begin(), path.end(), L'\\'));
}

std::wstring JoinPath(std::wstring_view folder, std::wstring_view name) {
    return WithTrailingBackslash(folder).append(name);
}

std::wstring RemoveTrailingBackslash(std::wstring_view path) {
    if (!path.empty() && path.back() == L'\\') {
        path.remove_suffix(1);
    }
    return std::wstring(path);
}

std::wstring WithTrailingBackslash(std::wstring_view path) {
    std::wstring out(path);
    if (out.empty() || out.back() != L'\\') {
        out += L'\\';
    }
    return out;
}

std::wstring FolderWithSeparator(std::wstring_view path) {
    auto at = path.find_last_of(kSeparators);
    return at == std::wstring_view::npos ? std::wstring() : std::wstring(path.substr(0, at + 1));
}

std::wstring NameAfterSeparator(std::wstring_view path) {
    auto at = path.find_last_of(kSeparators);
    return std::wstring(at == std::wstring_view::npos ? path : path.substr(at + 1));
}

std::wstring DriveRoot(std::wstring_view path) {
    if (path.size() >= 2 && path[1] == L':') {
        return std::wstring(path.substr(0, 2)) + L'\\';
    }
    if (path.starts_with(L"\\\\")) {
        // "\\server\share": the root ends at the fourth backslash, or with the path.
        auto server = path.find(L'\\', 2);
        if (server == std::wstring_view::npos) {
            return {};
        }
        auto share = path.find(L'\\', server + 1);
        return std::wstring(path.substr(0, share)) + L'\\';
    }
    return {};
}

} // namespace ruvex
