#include "setup/common/Shortcut.h"

#include "setup/common/ComPtr.h"
#include "setup/common/Folders.h"
#include "setup/common/Paths.h"

#include <objbase.h>
#include <shlobj.h>

namespace setup {

bool CreateShortcut(const std::wstring& target, const std::wstring& linkBase) {
    ComPtr<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(link.put())))) {
        return false;
    }
    ComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.put())))) {
        return false;
    }
    link->SetPath(target.c_str());
    link->SetWorkingDirectory(RemoveTrailingBackslash(FolderWithSeparator(target)).c_str());
    std::wstring path = linkBase + L".lnk";
    (void)CreateFolderWithParents(FolderWithSeparator(path));
    return file->Save(path.c_str(), FALSE) == S_OK;
}

} // namespace setup
