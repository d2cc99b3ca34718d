#include "uninstaller/ui/Form7.h"

#include "resources/RuvexTexts.h"
#include "uninstaller/ui/ControlIds.h"

#include <commctrl.h>

#include <array>

namespace ruvex::ui {

namespace {

namespace id = ids::form7;

const std::array<win::ControlSpec, 4> kControls{{
    {WC_STATICW, id::Label1, L"", WS_VISIBLE | SS_NOPREFIX, 120, 120, 6255, 255},
    {WC_EDITW, id::Text1, L"",
     WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL |
         ES_AUTOHSCROLL,
     120, 480, 6255, 3015},
    {WC_BUTTONW, id::Command1, texts::Ok, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 3960, 3660, 1095, 375},
    {WC_BUTTONW, id::Command2, texts::Cancel, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 5280, 3660, 1095, 375},
}};

} // namespace

bool Form7::Confirm(HWND owner, const std::wstring& label, const std::wstring& list) {
    Form7 form;
    if (!form.CreateModal(owner, {L"RuvexForm7", texts::FileListCaption, 6495, 4155, kControls})) {
        return false;
    }
    HWND text1 = GetDlgItem(form.hwnd(), id::Text1);
    SendMessageW(text1, EM_SETLIMITTEXT, 0, 0);
    win::SetText(GetDlgItem(form.hwnd(), id::Label1), label);
    win::SetText(text1, list);
    // The close box, Esc and a quit end the run with IDCANCEL: only OK confirms.
    return form.RunModal(GetDlgItem(form.hwnd(), id::Command1)) == IDOK;
}

void Form7::OnOK() {
    win::SetText(GetDlgItem(hwnd(), id::Text1), L"");
    EndModal(IDOK);
}

} // namespace ruvex::ui
