#include "setup/common/Folders.h"

#include "base/safefile.h"
#include "setup/common/Paths.h"

#include <windows.h>

namespace setup {

bool CreateFolderWithParents(const std::wstring& folder) {
    std::wstring path = RemoveTrailingBackslash(folder);
    if (path.empty() || ruvex::FolderExists(path)) {
        return !path.empty();
    }
    std::size_t at = path.find_last_of(L'\\');
    // Stop at the drive ("C:") or a share root; the rest is created from the top down.
    if (at != std::wstring::npos && at > 0 && path[at - 1] != L':' && path[at - 1] != L'\\') {
        (void)CreateFolderWithParents(path.substr(0, at));
    }
    return CreateDirectoryW(path.c_str(), nullptr) || ruvex::FolderExists(path);
}

} // namespace setup
