// The drive selectors of the options dialog and the choosers: a drop-down list of the drives present, and the
// check that a chosen drive can be read.
#pragma once

#include <windows.h>

#include <string>

namespace ruvex::ui {

// Fills the combo box with every drive present, as the drive list shows it ("c: [LABEL]").
void FillDriveList(HWND combo);
// Selects the drive's entry (the first entry when the drive is not listed).
void SelectDriveInList(HWND combo, wchar_t letter);
// What the list shows selected for the drive once filled and SelectDriveInList(letter) ran: the drive's entry,
// or the first drive's when it is not present.
[[nodiscard]] std::wstring DriveShownSelected(wchar_t letter);
// The selected drive's letter in upper case; fallback when nothing is selected.
[[nodiscard]] wchar_t SelectedDriveInList(HWND combo, wchar_t fallback);
// The drive can be read: a device that is not ready asks Retry or Cancel (false: the caller puts back
// its known drive); any other failure shows the unexpected-error message and ends the program.
[[nodiscard]] bool DriveReady(HWND owner, wchar_t letter);

} // namespace ruvex::ui
