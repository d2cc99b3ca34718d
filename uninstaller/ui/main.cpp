// Entry point of Ruvex.exe: one running copy per folder, the splash, the main window, the message loop.
#include "base/handles.h"
#include "base/safefile.h"
#include "resources/RuvexTexts.h"
#include "uninstaller/ui/Form1.h"
#include "uninstaller/ui/Form4.h"
#include "uninstaller/ui/Globals.h"
#include "uninstaller/ui/MessagePump.h"
#include "uninstaller/ui/Startup.h"

#include <windows.h>

using namespace ruvex;
using namespace ruvex::ui;

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&icc);
    bool foldersKnown = SetFolders();

    KernelHandle instance(CreateMutexW(nullptr, FALSE, InstanceMutexName(DataFolder).c_str()));
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        MessageBoxW(nullptr, texts::AlreadyRunning, texts::AppTitle, MB_OK | MB_ICONINFORMATION);
        return 0;
    }
    if (!foldersKnown) {
        MessageBoxW(nullptr, texts::StartupFailed, texts::AppTitle, MB_OK | MB_ICONERROR);
        return 1;
    }
    // This copy alone rewrites files in its folder: what an ended copy left half-way goes.
    RemoveLeftoverTemporaryFiles(DataFolder);

    ProgressBarMax = 100;
    Form4 splash;
    if (splash.Load(nullptr)) {
        splash.ShowSplash();
    }
    Form1 form1;
    StartingUp = true;
    bool loaded = form1.Load(splash.hwnd());
    StartingUp = false;
    if (!loaded) {
        return 1;
    }
    DestroyWindow(splash.hwnd());
    FirstActivation = true;
    SetKeyboardWindow(form1.hwnd(), form1.accelerators());
    form1.Show();
    return RunMessageLoop();
}
