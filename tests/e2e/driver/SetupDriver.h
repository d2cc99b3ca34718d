// Driving SETUP.EXE: a package folder of its own per test, and the wizard's pages and controls.
#pragma once

#include "driver/Driver.h"
#include "setup/main/SetupIds.h"

#include <memory>
#include <string>
#include <vector>

namespace e2e {

// A fresh folder holding SETUP.EXE and the staged sample package (SETUP.INF, texts, files).
class SetupPackage {
public:
    SetupPackage();
    [[nodiscard]] const std::wstring& folder() const noexcept { return folder_.path(); }
    [[nodiscard]] std::wstring File(const std::wstring& name) const { return folder_ / name; }
    [[nodiscard]] std::wstring Inf() const { return File(L"SETUP.INF"); }
    // Replaces SETUP.INF by these lines (ANSI, CR LF).
    void WriteInf(const std::vector<std::wstring>& lines) const;
    // One value of SETUP.INF (an empty value deletes the key, nullptr a whole section).
    void SetValue(const wchar_t* section, const wchar_t* key, const wchar_t* value) const;
    [[nodiscard]] std::wstring Value(const std::wstring& path, const wchar_t* section, const wchar_t* key) const;

private:
    TempFolder folder_{L"setup"};
};

// The wizard window of one started SETUP.EXE.
class Wizard {
public:
    Wizard(const std::wstring& folder, const std::wstring& arguments = {});
    [[nodiscard]] HWND form() const noexcept { return form_; }
    [[nodiscard]] Program& program() noexcept { return *program_; }
    // A control of any page, by id.
    [[nodiscard]] HWND Item(int id) const;
    [[nodiscard]] std::wstring Text(int id) const { return WindowText(Item(id)); }
    // The page in view (0 to 7), -1 when none is.
    [[nodiscard]] int Page() const;
    bool WaitPage(int page) const;
    // Presses a button of the page in view and waits for the page that should follow.
    bool Press(int buttonId, int expectedPage);
    // Goes forward from page 0 to the page given; on page 3 it puts destination (when given) into the
    // edit box and answers the question about a missing folder with Yes.
    bool GoTo(int page, const std::wstring& destination = {});
    [[nodiscard]] bool Checked(int id) const;
    // A message box of the wizard with its text; nullptr on time-out.
    [[nodiscard]] HWND WaitBox(std::wstring* text = nullptr, Timeout timeout = kDefaultTimeout) const;
    // Waits for the process to end (the slide-out takes 400 ms).
    bool WaitClosed();

private:
    std::unique_ptr<Program> program_;
    HWND form_ = nullptr;
};

// Runs SETUP.EXE of the folder with the switches given, to its end; the exit code (a failure is added
// when the program shows a window meanwhile or does not end).
DWORD RunSilently(const std::wstring& folder, const std::wstring& arguments);
// Whether the ANSI text file holds the line.
[[nodiscard]] bool HasLine(const std::wstring& path, const std::wstring& line);

// Registry helpers for the assertions and the clean-up.
[[nodiscard]] bool RegistryValue(HKEY root, const std::wstring& key, const std::wstring& name, std::wstring* value);
[[nodiscard]] bool RegistryKeyExists(HKEY root, const std::wstring& key);
void DeleteRegistryTree(HKEY root, const std::wstring& key);
// A folder of HKCU\...\Explorer\Shell Folders ("Programs", "Startup", "Desktop", "SendTo").
[[nodiscard]] std::wstring ShellFolder(const wchar_t* name);
// Runs a command line as the system runs a RunOnce value and waits for it; false when it can't start.
bool RunCommandLine(const std::wstring& command);
[[nodiscard]] std::wstring ShortPath(const std::wstring& path);

} // namespace e2e
