// What the installation and uninstall runs need from outside the files they work on: the folders
// they read from the registry and the boxes they show. Implemented by the wizard window
// (WindowHost) and by the unit tests' scripted host (tests/unit/SetupTestHost.h).
#pragma once

#include "setup/common/ShellFolders.h"

#include <string>

namespace setup {

class SetupHost {
public:
    virtual ~SetupHost() = default;
    // Read afresh at every call; the window's version ends the program when a value is missing.
    virtual std::wstring ProgramFilesDir() = 0;
    virtual std::wstring ShellFolderPath(ShellFolder which) = 0;
    // A step failed (warning icon, OK).
    virtual void Warning(const std::wstring& text) = 0;
    // A failure outside the run's own checks (error icon, OK).
    virtual void Error(const std::wstring& text) = 0;
    // The uninstall run closes the window at once when a registry key could not be deleted.
    virtual void CloseWindow() = 0;
};

} // namespace setup
