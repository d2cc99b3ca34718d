// What the installation and uninstall runs need from outside the files they work on: the folders
// they read from the registry, the boxes they show and the log of a silent run. Implemented by the
// wizard window (TForm1), the silent run (SilentRun.cpp) and the unit tests' scripted host
// (tests/unit/SetupTestHost.h).
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
    // One step of a run and its result ("OK" or what failed); only a silent run keeps them, in its log.
    virtual void Log(const std::wstring& step, const std::wstring& object, const std::wstring& result) {
        (void)step, (void)object, (void)result;
    }
};

// The result of a step as the log writes it.
[[nodiscard]] inline const wchar_t* LogResult(bool ok) {
    return ok ? L"OK" : L"NG";
}

} // namespace setup
