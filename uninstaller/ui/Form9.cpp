#include "uninstaller/ui/Form9.h"

#include "base/handles.h"
#include "resources/RuvexTexts.h"
#include "uninstaller/ui/ControlIds.h"

#include <commctrl.h>

#include <algorithm>
#include <array>

namespace ruvex::ui {

namespace {

namespace id = ids::form9;

constexpr int kMinPoints = 7;
constexpr int kMaxPoints = 11;

const std::array<win::ControlSpec, 7> kControls{{
    {WC_EDITW, id::Text2, L"", WS_VISIBLE | ES_READONLY | ES_AUTOHSCROLL, 120, 120, 6975, 270},
    {WC_EDITW, id::Text1, L"",
     WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL |
         ES_AUTOHSCROLL,
     120, 480, 6975, 4215},
    {WC_BUTTONW, id::Option1, texts::ViewerProportional, WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON, 120,
     4860, 1455, 255},
    {WC_BUTTONW, id::Option2, texts::ViewerFixed, WS_VISIBLE | BS_AUTORADIOBUTTON, 1680, 4860, 1335, 255},
    {WC_SCROLLBARW, id::HScroll1, L"", WS_VISIBLE | WS_TABSTOP | WS_GROUP | SBS_HORZ, 3120, 4860, 1215, 255},
    {WC_BUTTONW, id::Command1, texts::OptionOk, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 4560, 4800, 1215, 375},
    {WC_BUTTONW, id::Command2, texts::ViewerEdit, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 5880, 4800, 1215, 375},
}};

} // namespace

bool StartEditor(const std::wstring& editorPath, const std::wstring& path) {
    return StartProgram(editorPath + L" " + path);
}

bool StartProgram(std::wstring command) {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        return false;
    }
    KernelHandle process(pi.hProcess);
    KernelHandle thread(pi.hThread);
    return true;
}

void Form9::Show(HWND owner, const std::wstring& path, const std::wstring& text, const std::wstring& editorPath) {
    Form9 form;
    form.path_ = path;
    form.editorPath_ = editorPath;
    if (!form.CreateModal(owner, {L"RuvexForm9", texts::ViewerCaption, 7215, 5295, kControls})) {
        return;
    }
    HWND hwnd = form.hwnd();
    HWND text1 = GetDlgItem(hwnd, id::Text1);
    SendMessageW(text1, EM_SETLIMITTEXT, 0, 0);
    win::SetText(text1, text);
    if (win::GetText(text1).empty()) {
        win::SetText(text1, texts::ViewerCannotShow);
    }
    win::SetText(GetDlgItem(hwnd, id::Text2), texts::ViewerShowingPrefix + path + L"]");
    SendMessageW(GetDlgItem(hwnd, id::Option1), BM_SETCHECK, BST_CHECKED, 0);
    HWND scroll = GetDlgItem(hwnd, id::HScroll1);
    SCROLLINFO si{sizeof si, SIF_RANGE | SIF_POS | SIF_PAGE, kMinPoints, kMaxPoints, 1, form.points_, 0};
    SetScrollInfo(scroll, SB_CTL, &si, TRUE);
    form.ApplyFont();
    form.KeepScaled(form.textFont_);
    form.RunModal(GetDlgItem(hwnd, id::Command1));
}

void Form9::ApplyFont() {
    textFont_ = win::Font(fixedPitch_ ? texts::ViewerFixed : texts::ViewerProportional, points_, Dpi());
    SendMessageW(GetDlgItem(hwnd(), id::Text1), WM_SETFONT, reinterpret_cast<WPARAM>(textFont_.get()), TRUE);
}

void Form9::Command2_Click() {
    if (!StartEditor(editorPath_, path_)) {
        MessageBoxW(hwnd(), texts::EditorNotStarted, texts::AppTitle, MB_OK | MB_ICONWARNING);
    }
}

void Form9::OnOK() {
    win::SetText(GetDlgItem(hwnd(), id::Text1), L"");
    EndModal(IDOK);
}

bool Form9::OnCommand(int control, int code, HWND) {
    if (control == id::Command2) {
        Command2_Click();
    } else if ((control == id::Option1 || control == id::Option2) && code == BN_CLICKED) {
        fixedPitch_ = control == id::Option2;
        ApplyFont();
    } else {
        return false;
    }
    return true;
}

// The size scroll bar: 7 to 11 points.
void Form9::HScroll1_Change(int request, int thumb) {
    int pos = points_;
    switch (request) {
    case SB_LINELEFT:
    case SB_PAGELEFT:
        --pos;
        break;
    case SB_LINERIGHT:
    case SB_PAGERIGHT:
        ++pos;
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        pos = thumb;
        break;
    case SB_LEFT:
        pos = kMinPoints;
        break;
    case SB_RIGHT:
        pos = kMaxPoints;
        break;
    default:
        return;
    }
    pos = std::clamp(pos, kMinPoints, kMaxPoints);
    if (pos != points_) {
        points_ = pos;
        SetScrollPos(GetDlgItem(hwnd(), id::HScroll1), SB_CTL, pos, TRUE);
        ApplyFont();
    }
}

LRESULT Form9::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_HSCROLL:
        HScroll1_Change(LOWORD(wp), HIWORD(wp));
        return 0;
    case WM_CTLCOLORSTATIC:
        // The read-only boxes stand on the button face, as the rest of the window.
        SetBkColor(reinterpret_cast<HDC>(wp), GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    default:
        return Default(msg, wp, lp);
    }
}

} // namespace ruvex::ui
