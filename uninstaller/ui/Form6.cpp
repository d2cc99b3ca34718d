#include "uninstaller/ui/Form6.h"

#include "resources/RuvexTexts.h"
#include "uninstaller/manage/related.h"
#include "uninstaller/monitor/database.h"
#include "uninstaller/ui/ControlIds.h"
#include "uninstaller/ui/DriveList.h"
#include "uninstaller/ui/FileInfo.h"
#include "uninstaller/ui/Form7.h"
#include "uninstaller/ui/Globals.h"
#include "uninstaller/ui/Report.h"

#include <commctrl.h>

#include <array>
#include <cwctype>

namespace ruvex::ui {

namespace {

namespace id = ids::form6;

constexpr DWORD kList = WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
constexpr DWORD kValue = WS_VISIBLE | SS_NOPREFIX | SS_SUNKEN;

const std::array<win::ControlSpec, 18> kControls{{
    {WC_STATICW, id::Label1, L"", WS_VISIBLE | SS_NOPREFIX, 120, 120, 7455, 255},
    {WC_COMBOBOXW, id::Drive1, L"", WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 120, 480, 2295, 2400},
    {WC_LISTBOXW, id::Dir1, L"", kList, 120, 840, 2295, 2775},
    {WC_LISTBOXW, id::File1, L"", kList | LBS_EXTENDEDSEL, 2520, 480, 2295, 3135},
    {WC_STATICW, id::FileNameCaption, texts::FileName, WS_VISIBLE, 4920, 510, 1095, 255},
    {WC_STATICW, id::Label3, L"", kValue, 6015, 480, 1560, 255},
    {WC_STATICW, id::FileSizeCaption, texts::FileSize, WS_VISIBLE, 4920, 840, 1095, 255},
    {WC_STATICW, id::Label5, L"", kValue, 6015, 810, 1560, 255},
    {WC_STATICW, id::FileDateCaption, texts::FileDate, WS_VISIBLE, 4920, 1170, 1095, 255},
    {WC_STATICW, id::Label7, L"", kValue, 6015, 1140, 1560, 255},
    {WC_STATICW, id::FileTimeCaption, texts::FileTime, WS_VISIBLE, 4920, 1500, 1095, 255},
    {WC_STATICW, id::Label9, L"", kValue, 6015, 1470, 1560, 255},
    {WC_EDITW, id::Text1, L"",
     WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, 4920, 1860, 2655,
     1755},
    {WC_STATICW, id::Label10, texts::Working, SS_NOPREFIX, 120, 3840, 1095, 255},
    {WC_STATICW, id::ProgressPic3, L"", 0, 1215, 3840, 3600, 255},
    {WC_BUTTONW, id::Command1, texts::Ok, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 5160, 3780, 1095, 375},
    {WC_BUTTONW, id::Command2, texts::Back, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 6480, 3780, 1095, 375},
}};

void SetWait(bool wait) {
    SetCursor(LoadCursorW(nullptr, wait ? IDC_WAIT : IDC_ARROW));
}

} // namespace

void Form6::Choose(HWND owner, const std::wstring& name, wchar_t drive, std::function<bool()> ownerClosing) {
    Form6 form;
    if (!form.CreateModal(owner, {L"RuvexForm6", texts::FileChooseCaption, 7695, 4275, kControls})) {
        return;
    }
    form.ownerClosing_ = std::move(ownerClosing);
    form.name_ = name;
    form.settingsDrive_ = static_cast<wchar_t>(std::towupper(drive));
    HWND drives = form.Item(id::Drive1);
    FillDriveList(drives);
    SelectDriveInList(drives, form.settingsDrive_);
    form.lists_.Attach(form.Item(id::Dir1), form.Item(id::File1));
    form.Dir1_Change(std::wstring{SelectedDriveInList(drives, form.settingsDrive_), L':', L'\\'});
    win::SetText(form.Item(id::Label1), name + texts::FileChooseLabelSuffix);
    SetWindowSubclass(form.Item(id::Dir1), &Dir1Proc, 0, reinterpret_cast<DWORD_PTR>(&form));
    form.progress_.SetParent(form.Item(id::ProgressPic3));
    form.progress_.Create();
    form.RunModal(form.Item(id::File1));
}

void Form6::Drive1_Change() {
    HWND drives = Item(id::Drive1);
    wchar_t letter = SelectedDriveInList(drives, settingsDrive_);
    if (!DriveReady(hwnd(), letter)) {
        letter = settingsDrive_;
        SelectDriveInList(drives, letter);
    }
    Dir1_Change(std::wstring{letter, L':', L'\\'});
}

void Form6::Dir1_Change(const std::wstring& folder) {
    Label_clear();
    lists_.SetPath(folder);
}

// Enter in the folder list opens the highlighted folder. The list asks for the key itself, so that the
// window's default button (OK) does not take it, wherever the focus was last set.
LRESULT CALLBACK Form6::Dir1Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR form) {
    if (msg == WM_GETDLGCODE && wp == VK_RETURN) {
        return DefSubclassProc(hwnd, msg, wp, lp) | DLGC_WANTMESSAGE;
    }
    if (msg == WM_KEYDOWN && wp == VK_RETURN) {
        reinterpret_cast<Form6*>(form)->OpenHighlightedFolder();
        return 0;
    }
    if (msg == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, &Dir1Proc, 0);
    }
    return DefSubclassProc(hwnd, msg, wp, lp);
}

void Form6::OpenHighlightedFolder() {
    if (std::wstring folder = lists_.Highlighted(); !folder.empty()) {
        Dir1_Change(folder);
    }
}

void Form6::Label_clear() {
    for (int label : {id::Label3, id::Label5, id::Label7, id::Label9, id::Text1}) {
        win::SetText(Item(label), L"");
    }
}

void Form6::File1_Click() {
    if (SelectingAll) {
        return;
    }
    HWND files = Item(id::File1);
    LRESULT caret = SendMessageW(files, LB_GETCARETINDEX, 0, 0);
    if (caret < 0 || caret >= SendMessageW(files, LB_GETCOUNT, 0, 0)) {
        return;
    }
    std::wstring name(static_cast<std::size_t>(SendMessageW(files, LB_GETTEXTLEN, caret, 0)), L'\0');
    SendMessageW(files, LB_GETTEXT, caret, reinterpret_cast<LPARAM>(name.data()));
    const std::wstring path = ChosenPath(lists_.Path(), name);
    FileInfoTexts info = DescribeFile(path);
    win::SetText(Item(id::Label3), ShortUpperName(name));
    win::SetText(Item(id::Label5), info.size);
    win::SetText(Item(id::Label7), info.date);
    win::SetText(Item(id::Label9), info.time);
    win::SetText(Item(id::Text1), FilePreview(path));
}

void Form6::File1_DblClick() {
    HWND files = Item(id::File1);
    LRESULT count = SendMessageW(files, LB_GETCOUNT, 0, 0);
    if (count <= 0) {
        return;
    }
    SelectingAll = true;
    for (LRESULT i = 0; i + 1 < count; ++i) {
        SendMessageW(files, LB_SETSEL, TRUE, i);
    }
    SelectingAll = false;
    SendMessageW(files, LB_SETSEL, TRUE, count - 1);
    SendMessageW(files, LB_SETCARETINDEX, static_cast<WPARAM>(count - 1), FALSE);
    File1_Click();
}

void Form6::ShowWorking(bool show) {
    for (int control : {id::Label10, id::ProgressPic3}) {
        ShowWindow(Item(control), show ? SW_SHOW : SW_HIDE);
    }
    if (show) {
        progress_.ClearProgBar();
        UpdateWindow(hwnd());
    }
}

std::vector<std::wstring> Form6::SelectedFiles() {
    HWND files = Item(id::File1);
    const LRESULT count = SendMessageW(files, LB_GETCOUNT, 0, 0);
    CProgBar32::SetMax(static_cast<double>(count + 1));
    std::vector<std::wstring> selected;
    for (LRESULT i = 0; i < count; ++i) {
        if (i % 20 == 0) {
            progress_.SetProgBarPos(static_cast<double>(i + 2));
        }
        if (SendMessageW(files, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0) {
            std::wstring name(static_cast<std::size_t>(SendMessageW(files, LB_GETTEXTLEN, i, 0)), L'\0');
            SendMessageW(files, LB_GETTEXT, i, reinterpret_cast<LPARAM>(name.data()));
            selected.push_back(ChosenPath(lists_.Path(), name));
        }
    }
    progress_.SetProgBarPos(CProgBar32::Max());
    return selected;
}

void Form6::OnOK() {
    if (SendMessageW(Item(id::File1), LB_GETSELCOUNT, 0, 0) <= 0) {
        EndModal(IDOK);
        return;
    }
    SetWait(true);
    ShowWorking(true);
    std::vector<std::wstring> files = SelectedFiles();
    // A name that uninstall.dat cannot hold would be recorded as another file's name (é as e), and that
    // file deleted later. The choice is refused as a whole before the list is shown: OK in the list then
    // always means every file listed, nothing is half done, and the chooser keeps the selection for the
    // user to take such files out of it.
    if (std::vector<std::wstring> unrecordable = UnrecordableFiles(files); !unrecordable.empty()) {
        SetWait(false);
        ShowWorking(false);
        std::wstring text = texts::UnrecordableFileName;
        for (const auto& file : unrecordable) {
            text += L"\r\n" + file;
        }
        if (!Silent()) {
            MessageBoxW(hwnd(), text.c_str(), texts::BoxTitle, MB_OK | MB_ICONWARNING);
        }
        return;
    }
    std::wstring list;
    for (const auto& file : files) {
        list += file + L"\r\n";
    }
    SetWait(false);
    if (!Form7::Confirm(hwnd(), texts::AboveFilesPrefix + name_ + texts::RelateSuffix, list)) {
        ShowWorking(false);
        return;
    }
    SetWait(true);
    FileResult added = AddRelatedFiles(DataFolder, name_, files);
    progress_.SetProgBarPos(CProgBar32::Max());
    SetWait(false);
    ShowWorking(false);
    // A failed rewrite names the file and claims nothing: uninstall.dat is as it was.
    if (!added) {
        if (!Silent()) {
            ShowFileFailure(hwnd(), added, DatabasePath(DataFolder));
        }
        return;
    }
    std::wstring done = name_ + texts::RelatedMiddle + std::to_wstring(files.size()) + texts::RelatedSuffix;
    if (!Silent()) {
        MessageBoxW(hwnd(), done.c_str(), texts::BoxTitle, MB_OK | MB_ICONINFORMATION);
    }
}

bool Form6::OnCommand(int control, int code, HWND) {
    if (control == id::Drive1 && code == CBN_SELCHANGE) {
        Drive1_Change();
    } else if (control == id::Dir1 && code == LBN_DBLCLK) {
        OpenHighlightedFolder();
    } else if (control == id::File1 && code == LBN_SELCHANGE) {
        File1_Click();
    } else if (control == id::File1 && code == LBN_DBLCLK) {
        File1_DblClick();
    } else {
        return false;
    }
    return true;
}

} // namespace ruvex::ui
