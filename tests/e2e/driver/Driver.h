// A small driver for the programs' windows: start a program from a fresh copy, find its windows by its
// process id, press buttons, read lists and answer message boxes.
#pragma once

#include "base/handles.h"
#include "support/TempFolder.h"

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace e2e {

using namespace std::chrono_literals;
using Timeout = std::chrono::milliseconds;
inline constexpr Timeout kDefaultTimeout = 20s;

// Where the test fixture staged the built programs (C:\ruvex-e2e inside the prefix).
std::wstring StageFolder();

using testsupport::RemoveTree;
using testsupport::TempFolder;

// One started program, copied first into a folder of its own; ended (even with a box open) on destruction.
class Program {
public:
    // Copies StageFolder()\exeName (and the extra staged files) into a new folder and starts it there.
    Program(const std::wstring& exeName, const std::wstring& arguments = {},
            const std::vector<std::wstring>& extraFiles = {});
    // The same, with prepare(folder) run on the fresh folder before the program starts (to lay data files).
    Program(const std::wstring& exeName, const std::function<void(const std::wstring& folder)>& prepare,
            const std::wstring& arguments = {}, const std::vector<std::wstring>& extraFiles = {});
    // Starts a program that already lies in folder (the folder stays when the program ends).
    Program(const std::wstring& folder, const std::wstring& exeName, const std::wstring& arguments);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    [[nodiscard]] DWORD pid() const noexcept { return pid_; }
    [[nodiscard]] const std::wstring& folder() const noexcept { return folder_; }
    [[nodiscard]] std::wstring File(const std::wstring& name) const { return folder_ + L"\\" + name; }
    [[nodiscard]] bool Running() const;
    // Leaves the folder behind when the object goes (for a later start in the same folder).
    void KeepFolder() noexcept { ownsFolder_ = false; }
    // The process's exit code; STILL_ACTIVE while it runs.
    [[nodiscard]] DWORD ExitCode() const;
    // Waits for the process to end; false on time-out.
    bool WaitExit(Timeout timeout = kDefaultTimeout);
    void Kill();

    // The first visible top-level window of this process that matches; nullptr on time-out.
    HWND WaitWindow(const std::function<bool(HWND)>& match, Timeout timeout = kDefaultTimeout) const;
    HWND WaitWindowTitled(const std::wstring& title, Timeout timeout = kDefaultTimeout) const;
    // A message box (dialog class #32770) of this process.
    HWND WaitMessageBox(Timeout timeout = kDefaultTimeout) const;
    [[nodiscard]] std::vector<HWND> TopWindows() const;

    // The first visible top-level window of this process with that window class.
    HWND WaitWindowOfClass(const std::wstring& className, Timeout timeout = kDefaultTimeout) const;

private:
    void CopyIn(const std::vector<std::wstring>& files);
    void Start(const std::wstring& arguments);

    std::wstring folder_;
    std::wstring exe_;
    bool ownsFolder_ = false;
    ruvex::KernelHandle process_;
    DWORD pid_ = 0;
};

// A process that the parent started, by its program's file name (0: none).
[[nodiscard]] DWORD ChildProcess(DWORD parent, const std::wstring& exeName);
// A visible top-level window of the process (nullptr: none).
[[nodiscard]] HWND VisibleWindowOf(DWORD pid);

[[nodiscard]] std::wstring WindowText(HWND hwnd);
[[nodiscard]] std::wstring ClassName(HWND hwnd);
[[nodiscard]] HWND Control(HWND parent, int id);
// Presses a button without waiting for what it starts (it may open a modal box).
void Click(HWND button);
void Click(HWND parent, int id);
// Sets an edit control's text.
void SetText(HWND control, const std::wstring& text);
[[nodiscard]] bool IsEnabled(HWND hwnd);
[[nodiscard]] bool IsVisible(HWND hwnd);
// Entries of a list box, read with LB_GETCOUNT and LB_GETTEXT.
[[nodiscard]] std::vector<std::wstring> ListItems(HWND list);
// The text of a message box (its static text).
[[nodiscard]] std::wstring MessageBoxText(HWND box);
// The standard icon a message box shows (IDI_ERROR, IDI_WARNING, IDI_INFORMATION, IDI_QUESTION), told by
// its pixels on the screen; nullptr when it shows none of them.
[[nodiscard]] LPCWSTR MessageBoxIcon(HWND box);
// The pixels of a rectangle of the screen (0x00RRGGBB, row by row).
[[nodiscard]] std::vector<DWORD> ScreenPixels(const RECT& r);
// Presses the box's button (IDOK, IDYES, ...).
void Answer(HWND box, int buttonId);
// Waits until the predicate holds; false on time-out.
bool WaitUntil(const std::function<bool()>& condition, Timeout timeout = kDefaultTimeout);

// Clicks a list box entry with the mouse (it must be scrolled into view), as a user selects it.
void ClickListItem(HWND list, int index);
// The selected entries' indexes of a list box (LB_GETSEL per entry).
[[nodiscard]] std::vector<int> SelectedIndexes(HWND list);
// The tab captions of a tab control, read through memory in the control's process.
[[nodiscard]] std::vector<std::wstring> TabCaptions(HWND tab);
// The selected tab (0-based; -1 none).
[[nodiscard]] int SelectedTab(HWND tab);
// Clicks a tab with the mouse.
void ClickTab(HWND tab, int index);
// Posts a key press (down and up) to a window.
void PressKey(HWND target, UINT virtualKey);
// Ctrl + the key as real keyboard input to the window, made the foreground window first.
void PressCtrlKey(HWND window, UINT virtualKey);
// Posts a left click at a client position of a window.
void ClickAt(HWND target, int x, int y);
// A window's style bits.
[[nodiscard]] DWORD Style(HWND hwnd);

// File helpers for the assertions.
[[nodiscard]] bool Exists(const std::wstring& path);
[[nodiscard]] std::string ReadBytes(const std::wstring& path);
void WriteBytes(const std::wstring& path, const std::string& bytes);
// Lines of an ANSI file (CR LF), empty when missing.
[[nodiscard]] std::vector<std::wstring> ReadLines(const std::wstring& path);
void WriteLines(const std::wstring& path, const std::vector<std::wstring>& lines);

} // namespace e2e
