#include "uninstaller/monitor/Module1.h"

#include <algorithm>

namespace ruvex {

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
    std::wstring out(folder);
    if (out.empty() || out.back() != L'\\') {
        out += L'\\';
    }
    out += name;
    return out;
}

} // namespace ruvex
