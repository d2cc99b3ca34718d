// Form2, the options dialog: the watched drive, the editor and the eight settings, mirrored in option.dat.
// Loaded at start-up and kept: until it is first shown the settings are held as read from option.dat and its
// window is made only then (made at start-up, it cost 20-27 ms of about 300); once made, its controls are the
// live settings. A load happens only without a window: at start-up, and after the close box destroyed it.
#pragma once

#include "base/win/ModalWindow.h"
#include "uninstaller/ui/OptionFile.h"
#include "uninstaller/ui/ToolTips.h"

#include <functional>
#include <string>

namespace ruvex::ui {

class Form2 final : public win::ModalWindow {
public:
    // Called after OK or ｷｬﾝｾﾙ closed the dialog (the main window reloads its lists).
    std::function<void()> Closed;
    // Called when the tool tips must be set again (ToolClips), with whether they are switched off.
    std::function<void(bool off)> ToolTipsChanged;

    // Reads option.dat (writing the defaults when it is missing or unusable); the window is made when needed.
    bool Load(HWND owner);
    [[nodiscard]] bool Loaded() const noexcept { return loaded_; }
    // Shows the dialog modal over its owner; loads it again first if its close box unloaded it.
    void ShowModal();

    // The settings as the controls hold them now (loading the dialog again when it was unloaded).
    [[nodiscard]] Options Settings();
    [[nodiscard]] bool IsChecked(Check c);
    // The editor of the last load or closing of the dialog.
    std::wstring EditorPath;
    // A run disables the drive and the search mode while it has not finished.
    void EnableDriveAndMode(bool enabled);
    // Sets the dialog's own tool tips (ToolClips).
    void SetToolTips(bool off);
    [[nodiscard]] ToolTips& Tips() noexcept { return tips_; }

private:
    // OK (Command1), ｷｬﾝｾﾙ (Command4) and the close box.
    bool CreateWindowNow();
    void OnOK() override;
    void OnCancel() override;
    void OnClose() override;
    bool OnCommand(int id, int code, HWND control) override;
    void Apply(const Options& options);
    void SelectDrive(wchar_t letter);
    [[nodiscard]] wchar_t SelectedDrive() const;
    void SetCheck(int id, bool on);
    void Command2_Click();
    void Command3_Click();
    void Drive2_Change();
    void Capture();

    HWND owner_ = nullptr;
    win::Font smallFont_;
    ToolTips tips_;
    wchar_t d2_ = L'C';
    bool loaded_ = false;
    Options read_; // as read at the load, while the window is not made
    bool driveAndModeEnabled_ = true;
    Options backup_; // BkD2, BkT1, BkC1..BkC9
};

} // namespace ruvex::ui
