// Entry point of SETUP.EXE.
#include "setup/common/ComPtr.h"
#include "setup/main/CommandLine.h"
#include "setup/main/SilentRun.h"
#include "setup/main/TForm1.h"

#include <commctrl.h>
#include <shellapi.h>

namespace {

std::vector<std::wstring> Arguments() {
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::wstring> arguments;
    for (int i = 0; argv && i < count; ++i) {
        arguments.emplace_back(argv[i]);
    }
    LocalFree(argv);
    return arguments;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    setup::ComScope com; // the shell link object and the folder browser need it
    setup::CommandLine line = setup::ParseCommandLine(Arguments());
    if (line.silent) {
        return setup::RunSilent(line);
    }
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    setup::TForm1 form;
    if (!form.Create(line.uninstall)) {
        return 1;
    }
    // The program's message loop: Tab, Enter and Esc work as in a dialog; it ends with the window.
    form.RunModal();
    return 0;
}
