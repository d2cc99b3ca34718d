// The uninstall run of page 7: removes what the Uninstall section of the installed SETUP.INF names,
// the registry keys and values the definition lists and the uninstall entry, deletes SETUP.INF, and
// leaves the removal of SETUP.EXE and its folder to the next start (RunOnce).
#pragma once

#include "setup/main/SetupHost.h"
#include "setup/main/SetupInf.h"

#include <string>
#include <vector>

namespace setup {

struct UninstallJob {
    const SetupInf* inf = nullptr;          // SourceFolder\SETUP.INF, the installed copy
    std::wstring sourceFolder;              // the installation folder the program runs from
    std::wstring setupFolder;               // the expanded SetupFolder value, for "<Setup Folder>"
    std::vector<std::wstring> sectionNames; // as read at start-up
    bool windows95Family = false;           // Command.com instead of Cmd.exe
};

enum class UninstallOutcome {
    Completed,
    RunOnceFailed, // the self-removal could not be left for the next start: the run stopped there
};

[[nodiscard]] UninstallOutcome RunUninstall(const UninstallJob& job, SetupHost& host);

struct SelfRemoval {
    std::wstring deleteProgram; // Uninstall_1
    std::wstring removeFolder;  // Uninstall_2
};
// The two commands that remove SETUP.EXE and then its folder. Uninstall_2 deletes the program too,
// so the folder goes whichever value the system runs first (Wine runs RunOnce last value first).
[[nodiscard]] SelfRemoval SelfRemovalCommands(const std::wstring& sourceFolder, bool windows95Family);

// True on the Windows 95 family (platform id VER_PLATFORM_WIN32_WINDOWS).
[[nodiscard]] bool IsWindows95Family();

} // namespace setup
