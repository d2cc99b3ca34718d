// Shortcut files (.lnk) through the shell link object.
#pragma once

#include <string>

namespace setup {

// Creates linkBase + ".lnk" pointing at target, its working folder the target's folder, creating the
// link's missing folders first (a name with subfolders makes a program group). True exactly on S_OK.
// COM must be initialised on the calling thread.
[[nodiscard]] bool CreateShortcut(const std::wstring& target, const std::wstring& linkBase);

} // namespace setup
