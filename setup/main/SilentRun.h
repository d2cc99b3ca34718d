// SETUP.EXE /s and /r /s: the installation and the uninstall without a window or a question. Every step
// and its result go to a log; the exit code tells the kind of failure (README.md lists them).
#pragma once

#include "setup/main/CommandLine.h"

namespace setup {

// Exit codes beyond the installation's own (InstallOutcome, 0 to 7).
inline constexpr int kExitNoDefinition = 8;   // no SETUP.INF beside the program
inline constexpr int kExitNoFolder = 9;       // the program-files or a shell folder is missing from the registry
inline constexpr int kExitNoLog = 10;         // the log file given by /log= can't be written
inline constexpr int kExitLeftBehind = 11;    // the uninstall could not remove something
inline constexpr int kExitRunOnceFailed = 12; // the uninstall could not leave its self-removal for the next start

// Runs the silent installation or uninstall of the package in the program's folder; the exit code.
[[nodiscard]] int RunSilent(const CommandLine& line);

} // namespace setup
