// The installation run of page 6 (and of SETUP.EXE /s): folder, files, shortcuts, registry values, the
// uninstall entry and the copies of the setup program and its definition. Everything installed is
// recorded in the Uninstall section of the installed definition (and of the one the run was started
// with, where that can be written). A run that fails is undone before its message is shown.
#pragma once

#include "setup/main/SetupHost.h"
#include "setup/main/SetupInf.h"

#include <string>
#include <vector>

namespace setup {

struct InstallJob {
    const SetupInf* inf = nullptr; // SourceFolder\SETUP.INF
    std::wstring sourceFolder;
    std::wstring installFolder;
    std::vector<std::wstring> sectionNames; // as read at start-up
    // The shortcut boxes of page 4.
    bool programGroup = false;
    bool startup = false;
    bool desktop = false;
    bool sendTo = false;
};

// The values are the exit codes of a silent run (README.md lists them).
enum class InstallOutcome {
    Completed = 0,
    FolderFailed = 1,   // a warning was shown: the window closes
    FileFailed = 2,     // a file could not be copied: as above
    ShortcutFailed = 3, // as above
    RegistryFailed = 4, // as above
    EntryFailed = 5,    // the uninstall entry could not be written: the finish button stays disabled
    CopyFailed = 6,     // SETUP.EXE or SETUP.INF could not be copied: the program ends at once
    RecordFailed = 7,   // the Uninstall section could not be written into the installed copy: the window closes
};

[[nodiscard]] InstallOutcome RunInstall(const InstallJob& job, SetupHost& host);

// "<name> Ver.<version>" and the command that the system's uninstall list starts. The program path is
// quoted: the folder usually holds a blank ("C:\Program Files\...").
[[nodiscard]] std::wstring UninstallDisplayName(const std::wstring& name, const std::wstring& version);
[[nodiscard]] std::wstring UninstallCommand(const std::wstring& installFolder);
[[nodiscard]] std::wstring QuietUninstallCommand(const std::wstring& installFolder);

} // namespace setup
