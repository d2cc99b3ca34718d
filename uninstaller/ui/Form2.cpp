#include "uninstaller/ui/Form2.h"

#include "resources/RuvexTexts.h"
#include "uninstaller/ui/ControlIds.h"
#include "uninstaller/ui/DriveList.h"
#include "uninstaller/ui/Form5.h"
#include "uninstaller/ui/Globals.h"

#include <commctrl.h>

#include <array>
#include <cwctype>

namespace ruvex::ui {

namespace {

namespace id = ids::form2;

// The check boxes, top to bottom, in the order of the option file's lines 3 to 11.
constexpr std::array<int, CheckCount> kChecks{id::Check1, id::Check2, id::Check5, id::Check6, id::Check8,
                                              id::Check3, id::Check4, id::Check9, id::Check10};

constexpr DWORD kCheckStyle = WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX;
constexpr DWORD kButtonStyle = WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;

const std::array<win::ControlSpec, 18> kControls{{
    {WC_STATICW, id::Label2, texts::OptionDriveLabel, WS_VISIBLE | SS_NOPREFIX | SS_NOTIFY, 120, 120, 4575, 195},
    {WC_COMBOBOXW, id::Drive2, L"", WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 120, 360, 4575, 2400},
    {WC_STATICW, id::Label1, texts::OptionEditorLabel, WS_VISIBLE | SS_NOPREFIX | SS_NOTIFY, 120, 720, 4575, 195},
    {WC_EDITW, id::Text1, L"", WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 120, 960, 3855, 285},
    {WC_BUTTONW, id::Command3, texts::OptionSearch, kButtonStyle, 4080, 960, 615, 255},
    // Check boxes at left 120 and tops 120 to 3000 of the frame's area.
    {WC_BUTTONW, id::Check1, texts::CheckSearchAllFolders, kCheckStyle, 240, 1440, 4335, 255},
    {WC_BUTTONW, id::Check2, texts::CheckMaximiseWhenReady, kCheckStyle, 240, 1800, 4335, 255},
    {WC_BUTTONW, id::Check5, texts::CheckMinimiseWhenReady, kCheckStyle, 240, 2160, 4335, 255},
    {WC_BUTTONW, id::Check6, texts::CheckSafety, kCheckStyle, 240, 2520, 4335, 255},
    {WC_BUTTONW, id::Check8, texts::CheckMinimiseDuringRun, kCheckStyle, 240, 2880, 4335, 255},
    {WC_BUTTONW, id::Check3, texts::CheckNoProgress, kCheckStyle, 240, 3240, 4335, 255},
    {WC_BUTTONW, id::Check4, texts::CheckNoStartupCheck, kCheckStyle, 240, 3600, 4335, 255},
    {WC_BUTTONW, id::Check9, texts::CheckNoToolTips, kCheckStyle, 240, 3960, 4335, 255},
    {WC_BUTTONW, id::Check10, texts::CheckRecordRegistry, kCheckStyle, 240, 4320, 4335, 255},
    // The frame comes after its check boxes, so that it does not paint over them.
    {WC_BUTTONW, id::Frame, L"", WS_VISIBLE | BS_GROUPBOX, 120, 1320, 4575, 3495},
    {WC_BUTTONW, id::Command2, texts::OptionDefaults, kButtonStyle, 120, 4920, 1215, 375},
    {WC_BUTTONW, id::Command1, texts::OptionOk, kButtonStyle | BS_DEFPUSHBUTTON, 2160, 4920, 1215, 375},
    {WC_BUTTONW, id::Command4, texts::OptionCancel, kButtonStyle, 3480, 4920, 1215, 375},
}};

// The initial drive of a drive list: the current drive.
wchar_t CurrentDrive() {
    wchar_t folder[MAX_PATH + 1] = {};
    GetCurrentDirectoryW(MAX_PATH, folder);
    return folder[0] ? static_cast<wchar_t>(std::towupper(folder[0])) : L'C';
}

} // namespace

bool Form2::Load(HWND owner) {
    owner_ = owner;
    loaded_ = true;
    std::optional<Options> read = ReadOptionFile(DataFolder);
    if (read) {
        d2_ = static_cast<wchar_t>(std::towupper(read->drive[0]));
        read_ = *read;
    } else {
        // Missing, short or unusable: the defaults, written at once.
        DeleteFileW(OptionFilePath(DataFolder).c_str());
        d2_ = CurrentDrive();
        read_ = Options{};
    }
    // The drive as the list would show it selected.
    read_.drive = DriveShownSelected(read_.drive.empty() ? d2_ : read_.drive[0]);
    if (!read) {
        (void)WriteOptionFile(DataFolder, read_);
    }
    EditorPath = read_.editor;
    return true;
}

bool Form2::CreateWindowNow() {
    if (!CreateModal(owner_, {L"RuvexForm2", texts::OptionCaption, 4815, 5415, kControls})) {
        return false;
    }
    smallFont_ = win::Font(win::kUiFace, 8, Dpi());
    KeepScaled(smallFont_);
    SendMessageW(GetDlgItem(hwnd(), id::Command3), WM_SETFONT, reinterpret_cast<WPARAM>(smallFont_.get()), FALSE);
    FillDriveList(GetDlgItem(hwnd(), id::Drive2));
    tips_.Create(hwnd());
    Apply(read_);
    win::Enable(GetDlgItem(hwnd(), id::Drive2), driveAndModeEnabled_);
    win::Enable(GetDlgItem(hwnd(), id::Check1), driveAndModeEnabled_);
    SetToolTips(read_.Get(Check::Check9));
    return true;
}

void Form2::Apply(const Options& options) {
    SelectDrive(options.drive.empty() ? d2_ : options.drive[0]);
    win::SetText(GetDlgItem(hwnd(), id::Text1), options.editor);
    for (std::size_t c = 0; c < CheckCount; ++c) {
        SetCheck(kChecks[c], options.checks[c]);
    }
}

void Form2::SelectDrive(wchar_t letter) {
    SelectDriveInList(GetDlgItem(hwnd(), id::Drive2), letter);
}

wchar_t Form2::SelectedDrive() const {
    return SelectedDriveInList(GetDlgItem(hwnd(), id::Drive2), d2_);
}

Options Form2::Settings() {
    if (!Loaded()) {
        Load(owner_);
    }
    if (!hwnd()) {
        return read_;
    }
    Options o;
    o.drive = win::GetText(GetDlgItem(hwnd(), id::Drive2));
    o.editor = win::GetText(GetDlgItem(hwnd(), id::Text1));
    for (std::size_t c = 0; c < CheckCount; ++c) {
        o.checks[c] = SendMessageW(GetDlgItem(hwnd(), kChecks[c]), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    return o;
}

bool Form2::IsChecked(Check c) {
    return Settings().Get(c);
}

void Form2::EnableDriveAndMode(bool enabled) {
    if (!Loaded()) {
        Load(owner_);
    }
    driveAndModeEnabled_ = enabled;
    if (!hwnd()) {
        return;
    }
    win::Enable(GetDlgItem(hwnd(), id::Drive2), enabled);
    win::Enable(GetDlgItem(hwnd(), id::Check1), enabled);
}

void Form2::SetCheck(int control, bool on) {
    SendMessageW(GetDlgItem(hwnd(), control), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
    // Maximise and minimise at the end of a preparation exclude each other.
    if (on && (control == id::Check2 || control == id::Check5)) {
        int other = control == id::Check2 ? id::Check5 : id::Check2;
        SendMessageW(GetDlgItem(hwnd(), other), BM_SETCHECK, BST_UNCHECKED, 0);
    }
}

void Form2::Capture() {
    backup_ = Settings();
}

void Form2::ShowModal() {
    if ((!Loaded() && !Load(owner_)) || (!hwnd() && !CreateWindowNow())) {
        return;
    }
    Capture();
    RunModal(GetDlgItem(hwnd(), id::Command1));
}

void Form2::OnOK() {
    FileResult written = WriteOptionFile(DataFolder, Settings());
    if (!written) {
        std::wstring text = OptionFilePath(DataFolder) + L"\r\n" + ErrorText(written.error);
        MessageBoxW(hwnd(), text.c_str(), texts::BoxTitle, MB_OK | MB_ICONWARNING);
    }
    EditorPath = win::GetText(GetDlgItem(hwnd(), id::Text1));
    EndModal(IDOK);
    if (owner_) {
        UpdateWindow(owner_);
    }
    if (Closed) {
        Closed();
    }
}

void Form2::Command2_Click() {
    Options o = Settings();
    o.ResetToDefaults();
    Apply(o);
    SetToolTips(o.Get(Check::Check9));
}

void Form2::Command3_Click() {
    std::wstring chosen;
    if (Form5::Choose(hwnd(), SelectedDrive(), chosen)) {
        win::SetText(GetDlgItem(hwnd(), id::Text1), chosen);
    }
}

// ｷｬﾝｾﾙ puts the opening values back and then closes as OK does: option.dat is written again.
void Form2::OnCancel() {
    d2_ = backup_.drive.empty() ? d2_ : static_cast<wchar_t>(std::towupper(backup_.drive[0]));
    Apply(backup_);
    SetToolTips(backup_.Get(Check::Check9));
    OnOK();
}

// The close box unloads the dialog without writing (the one difference from ｷｬﾝｾﾙ); the next use
// loads it again from option.dat.
void Form2::OnClose() {
    EndModal(IDCANCEL);
    DestroyWindow(hwnd());
    loaded_ = false;
}

void Form2::Drive2_Change() {
    wchar_t letter = SelectedDrive();
    if (!DriveReady(hwnd(), letter)) {
        SelectDrive(d2_);
    }
}

void Form2::SetToolTips(bool off) {
    if (ToolTipsChanged) {
        ToolTipsChanged(off);
    }
}

bool Form2::OnCommand(int control, int code, HWND) {
    switch (control) {
    case id::Command2:
        Command2_Click();
        return true;
    case id::Command3:
        Command3_Click();
        return true;
    case id::Drive2:
        if (code == CBN_SELCHANGE) {
            Drive2_Change();
        }
        return true;
    case id::Check2:
    case id::Check5:
        if (code == BN_CLICKED) {
            SetCheck(control, SendMessageW(GetDlgItem(hwnd(), control), BM_GETCHECK, 0, 0) == BST_CHECKED);
        }
        return true;
    case id::Check9:
        if (code == BN_CLICKED) {
            SetToolTips(SendMessageW(GetDlgItem(hwnd(), id::Check9), BM_GETCHECK, 0, 0) == BST_CHECKED);
        }
        return true;
    default:
        return false;
    }
}

} // namespace ruvex::ui
