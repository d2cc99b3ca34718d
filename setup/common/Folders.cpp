#include "setup/common/Folders.h"

#include "base/safefile.h"
#include "setup/common/Paths.h"

#include <windows.h>

namespace setup {

std::wstring ProgramFolder() {
    std::wstring module(32768, L'\0');
    module.resize(GetModuleFileNameW(nullptr, module.data(), static_cast<DWORD>(module.size())));
    return RemoveTrailingBackslash(module.substr(0, module.rfind(L'\\') + 1));
}

std::wstring FullPath(const std::wstring& path) {
    DWORD n = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (n == 0) {
        return {};
    }
    std::wstring full(n, L'\0');
    n = GetFullPathNameW(path.c_str(), n, full.data(), nullptr);
    full.resize(n);
    return full;
}

bool CreateFolderWithParents(const std::wstring& folder, std::vector<std::wstring>* created) {
    std::wstring path = RemoveTrailingBackslash(folder);
    if (path.empty() || ruvex::FolderExists(path)) {
        return !path.empty();
    }
    std::size_t at = path.find_last_of(L'\\');
    // Stop at the drive ("C:") or a share root; the rest is created from the top down.
    if (at != std::wstring::npos && at > 0 && path[at - 1] != L':' && path[at - 1] != L'\\') {
        (void)CreateFolderWithParents(path.substr(0, at), created);
    }
    if (CreateDirectoryW(path.c_str(), nullptr)) {
        if (created) {
            created->push_back(path);
        }
        return true;
    }
    return ruvex::FolderExists(path);
}

} // namespace setup
