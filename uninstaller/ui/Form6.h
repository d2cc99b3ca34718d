// Form6, the file chooser of the related files: a drive list, a folder list and the files of the folder
// (several may be selected), with the clicked file's name, size, time stamps and first characters.
#pragma once

#include "base/win/ModalWindow.h"
#include "uninstaller/ui/CProgBar32.h"
#include "uninstaller/ui/FolderLists.h"

#include <functional>
#include <string>
#include <vector>

namespace ruvex::ui {

class Form6 final : public win::ModalWindow {
public:
    // Modal over owner until 戻る (or OK with nothing selected): each confirmed OK adds the selected files to
    // the records named name in uninstall.dat. Starts at the root of drive. ownerClosing tells when the
    // owner's window has been closed: the chooser's messages keep silent then, as every command's do.
    static void Choose(HWND owner, const std::wstring& name, wchar_t drive, std::function<bool()> ownerClosing);

private:
    void OnOK() override;
    bool OnCommand(int id, int code, HWND control) override;
    void Drive1_Change();
    void Dir1_Change(const std::wstring& folder);
    void OpenHighlightedFolder();
    // Dir1 key press: Enter opens the highlighted folder.
    static LRESULT CALLBACK Dir1Proc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR form);
    void File1_Click();
    void File1_DblClick();
    void Label_clear();
    // The selected files' full paths, in list order, the progress bar following the walk of the list.
    [[nodiscard]] std::vector<std::wstring> SelectedFiles();
    void ShowWorking(bool show);
    // The owner is closing: no message box may show.
    [[nodiscard]] bool Silent() const { return ownerClosing_ && ownerClosing_(); }
    [[nodiscard]] HWND Item(int id) const noexcept { return GetDlgItem(hwnd(), id); }

    std::function<bool()> ownerClosing_;
    std::wstring name_;
    wchar_t settingsDrive_ = L'C';
    bool SelectingAll = false; // the double click selects every file: the information follows the last only
    FolderLists lists_;
    CProgBar32 progress_;
};

} // namespace ruvex::ui
