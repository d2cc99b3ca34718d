#include "uninstaller/ui/Form5.h"

#include "base/text.h"
#include "resources/RuvexTexts.h"
#include "uninstaller/ui/ControlIds.h"
#include "uninstaller/ui/DriveList.h"
#include "uninstaller/ui/OptionFile.h"

#include <commctrl.h>

#include <array>
#include <cwctype>

namespace ruvex::ui {

namespace {

namespace id = ids::form5;

const std::array<win::ControlSpec, 6> kControls{{
    {WC_STATICW, id::Label1, texts::ChooserLabel, WS_VISIBLE | SS_NOPREFIX, 120, 120, 4695, 195},
    {WC_COMBOBOXW, id::Drive1, L"", WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 120, 360, 2295, 2400},
    {WC_LISTBOXW, id::Dir1, L"", WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
     120, 720, 2295, 2895},
    {WC_LISTBOXW, id::File1, L"", WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
     2520, 360, 2295, 3255},
    {WC_BUTTONW, id::Command1, texts::OptionOk, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 2520, 3720, 1095, 375},
    {WC_BUTTONW, id::Command2, texts::OptionCancel, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 3720, 3720, 1095, 375},
}};

bool IsProgram(const std::wstring& name) {
    return name.size() > 4 && TextEquals(std::wstring_view(name).substr(name.size() - 4), L".exe");
}

} // namespace

bool Form5::Choose(HWND owner, wchar_t drive, std::wstring& chosen) {
    Form5 form;
    if (!form.CreateModal(owner, {L"RuvexForm5", texts::ChooserCaption, 4935, 4215, kControls})) {
        return false;
    }
    form.settingsDrive_ = static_cast<wchar_t>(std::towupper(drive));
    HWND drives = GetDlgItem(form.hwnd(), id::Drive1);
    FillDriveList(drives);
    SelectDriveInList(drives, drive);
    form.lists_.Attach(GetDlgItem(form.hwnd(), id::Dir1), GetDlgItem(form.hwnd(), id::File1), IsProgram);
    form.lists_.SetPath(std::wstring{form.SelectedDrive(), L':', L'\\'});

    if (form.RunModal() != IDOK) {
        return false;
    }
    chosen = form.result_;
    return true;
}

wchar_t Form5::SelectedDrive() const {
    return SelectedDriveInList(GetDlgItem(hwnd(), id::Drive1), settingsDrive_);
}

void Form5::Drive1_Change() {
    wchar_t letter = SelectedDrive();
    if (!DriveReady(hwnd(), letter)) {
        letter = settingsDrive_;
        SelectDriveInList(GetDlgItem(hwnd(), id::Drive1), letter);
    }
    lists_.SetPath(std::wstring{letter, L':', L'\\'});
}

void Form5::Dir1_DblClick() {
    if (std::wstring folder = lists_.Highlighted(); !folder.empty()) {
        lists_.SetPath(folder);
    }
}

void Form5::OnOK() {
    HWND files = GetDlgItem(hwnd(), id::File1);
    LRESULT index = SendMessageW(files, LB_GETCURSEL, 0, 0);
    if (index < 0) {
        // Nothing chosen yet: the chooser stays open.
        MessageBeep(MB_OK);
        return;
    }
    wchar_t name[MAX_PATH + 1] = {};
    SendMessageW(files, LB_GETTEXT, index, reinterpret_cast<LPARAM>(name));
    result_ = ChosenPath(lists_.Path(), name);
    EndModal(IDOK);
}

bool Form5::OnCommand(int control, int code, HWND) {
    if (control == id::Drive1 && code == CBN_SELCHANGE) {
        Drive1_Change();
    } else if (control == id::Dir1 && code == LBN_DBLCLK) {
        Dir1_DblClick();
    } else if (control == id::File1 && code == LBN_DBLCLK) {
        OnOK();
    } else {
        return false;
    }
    return true;
}

} // namespace ruvex::ui
