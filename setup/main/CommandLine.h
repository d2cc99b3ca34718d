// SETUP.EXE's switches, in any case: /r (uninstall), /s (silent), /d=FOLDER (the silent destination),
// /log=FILE (the silent run's log).
#pragma once

#include <string>
#include <vector>

namespace setup {

struct CommandLine {
    bool uninstall = false; // the uninstall page, or with /s the silent uninstall
    bool silent = false;    // no window: the run, its log and an exit code
    std::wstring folder;    // /d=
    std::wstring log;       // /log=
};

// arguments[0] is the program. Without /s, or with any argument that is no known switch, only a first
// argument /r counts, as it always has: it opens the uninstall page, anything else the wizard.
[[nodiscard]] CommandLine ParseCommandLine(const std::vector<std::wstring>& arguments);

} // namespace setup
