// The installation run of page 6: folder, files, shortcuts, registry values, the uninstall entry and
// the copies of the setup program and its definition. Everything installed is recorded in the
// Uninstall section of the definition the run was started with.
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

enum class InstallOutcome {
    Completed,
    StepFailed,  // a warning was shown: the window closes
    CopyFailed,  // SETUP.EXE or SETUP.INF could not be copied: the program ends at once
    EntryFailed, // the uninstall entry could not be written: the finish button stays disabled
};

[[nodiscard]] InstallOutcome RunInstall(const InstallJob& job, SetupHost& host);

// "<name> Ver.<version>" and the command that the system's uninstall list starts. The program path is
// quoted: the folder usually holds a blank ("C:\Program Files\...").
[[nodiscard]] std::wstring UninstallDisplayName(const std::wstring& name, const std::wstring& version);
[[nodiscard]] std::wstring UninstallCommand(const std::wstring& installFolder);

} // namespace setup
