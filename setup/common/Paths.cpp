#include "setup/common/Paths.h"

namespace setup {

std::wstring RemoveTrailingBackslash(const std::wstring& path) {
    if (!path.empty() && path.back() == L'\\') {
        return path.substr(0, path.size() - 1);
    }
    return path;
}

std::wstring FolderWithSeparator(const std::wstring& path) {
    std::size_t at = path.find_last_of(L"\\:");
    return at == std::wstring::npos ? std::wstring() : path.substr(0, at + 1);
}

std::wstring NameAfterSeparator(const std::wstring& path) {
    std::size_t at = path.find_last_of(L"\\:");
    return at == std::wstring::npos ? path : path.substr(at + 1);
}

} // namespace setup
