// What the uninstaller's e2e tests share: starting Ruvex.exe on a prepared database and reading its main window.
#pragma once

#include "driver/Driver.h"
#include "resources/RuvexTexts.h"
#include "uninstaller/ui/ControlIds.h"

#include <gtest/gtest.h>

namespace e2e {

// The main window once it is shown (after start-up has filled the lists) and answers messages: until its
// message loop runs, Wine counts the busy start-up as hung and every SendMessageTimeout fails at once.
inline HWND WaitMain(const Program& ruvex, Timeout timeout = kDefaultTimeout) {
    HWND main = ruvex.WaitWindowOfClass(L"RuvexForm1", timeout);
    if (main) {
        WaitUntil([&] { return SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr) != 0; });
    }
    return main;
}

// Starts a fresh copy whose uninstall.dat holds these lines (ANSI, CR LF).
inline std::function<void(const std::wstring&)> WithDatabase(std::vector<std::wstring> lines) {
    return [lines](const std::wstring& folder) { WriteLines(folder + L"\\uninstall.dat", lines); };
}

inline std::wstring TextOf(HWND parent, int id) {
    return WindowText(Control(parent, id));
}
inline bool Enabled(HWND main, int command) {
    return IsEnabled(Control(main, ruvex::ids::Command(command)));
}

// Closes the main window and expects the program to end.
inline void CloseAndExpectExit(Program& ruvex, HWND main) {
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(ruvex.WaitExit());
}

} // namespace e2e
