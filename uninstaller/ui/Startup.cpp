#include "uninstaller/ui/Startup.h"

#include "base/text.h"
#include "base/path.h"
#include "uninstaller/ui/Globals.h"
#include "uninstaller/ui/cPath.h"

#include <windows.h>

#include <cstdint>
#include <cwchar>
#include <vector>

namespace ruvex::ui {

std::wstring InstanceMutexName(const std::wstring& dataFolder) {
    // A mutex name may not hold a backslash and has a length limit: name the folder by a hash (FNV-1a).
    std::uint64_t hash = 14695981039346656037ull;
    for (wchar_t c : ToUpper(dataFolder)) {
        hash = (hash ^ static_cast<std::uint16_t>(c)) * 1099511628211ull;
    }
    wchar_t name[64] = {};
    std::swprintf(name, 64, L"Local\\Ruvex.Uninstaller.%016llx", static_cast<unsigned long long>(hash));
    return name;
}

bool SetFolders() {
    std::vector<wchar_t> module(32768, L'\0');
    DWORD n = GetModuleFileNameW(nullptr, module.data(), static_cast<DWORD>(module.size()));
    // The program's folder, or the bare drive ("C:") at a root.
    DataFolder = FolderPart(std::wstring_view(module.data(), n));
    WindowsFolder = RemoveTrailingBackslash(cPath::GetWindowsDirectory());
    SystemFolder = RemoveTrailingBackslash(cPath::GetSystemDirectory());
    return !DataFolder.empty() && !WindowsFolder.empty() && !SystemFolder.empty();
}

} // namespace ruvex::ui
