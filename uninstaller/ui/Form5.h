// Form5, the editor chooser: a drive list, a folder tree and the programs (*.exe) of the chosen folder.
#pragma once

#include "base/win/ModalWindow.h"

#include <string>
#include <vector>

namespace ruvex::ui {

class Form5 final : public win::ModalWindow {
public:
    // Modal over owner, starting at the root of drive; true with the chosen program's path on OK.
    static bool Choose(HWND owner, wchar_t drive, std::wstring& chosen);

private:
    // OK takes the selected program; without one the chooser stays open.
    void OnOK() override;
    bool OnCommand(int id, int code, HWND control) override;
    void SetDir1(const std::wstring& folder);
    void Drive1_Change();
    void Dir1_DblClick();
    [[nodiscard]] wchar_t SelectedDrive() const;

    wchar_t settingsDrive_ = L'C';
    std::wstring folder_;                // Dir1's path
    std::vector<std::wstring> dirPaths_; // the folder of each Dir1 entry
    std::wstring result_;
};

// Folder + "\" + name, without doubling the backslash of a root.
[[nodiscard]] std::wstring ChosenPath(const std::wstring& folder, const std::wstring& name);

} // namespace ruvex::ui
