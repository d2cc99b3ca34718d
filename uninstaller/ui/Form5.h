// Form5, the editor chooser: a drive list, a folder tree and the programs (*.exe) of the chosen folder.
#pragma once

#include "base/win/ModalWindow.h"
#include "uninstaller/ui/FolderLists.h"

#include <string>

namespace ruvex::ui {

class Form5 final : public win::ModalWindow {
public:
    // Modal over owner, starting at the root of drive; true with the chosen program's path on OK.
    static bool Choose(HWND owner, wchar_t drive, std::wstring& chosen);

private:
    // OK takes the selected program; without one the chooser stays open.
    void OnOK() override;
    bool OnCommand(int id, int code, HWND control) override;
    void Drive1_Change();
    void Dir1_DblClick();
    [[nodiscard]] wchar_t SelectedDrive() const;

    wchar_t settingsDrive_ = L'C';
    FolderLists lists_;
    std::wstring result_;
};

} // namespace ruvex::ui
