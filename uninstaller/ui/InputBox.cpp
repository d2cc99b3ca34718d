#include "uninstaller/ui/InputBox.h"

#include "resources/RuvexTexts.h"

#include <commctrl.h>
#include "uninstaller/ui/ControlIds.h"
#include "uninstaller/ui/MessagePump.h"

#include <array>

namespace ruvex::ui {

namespace {

const std::array<win::ControlSpec, 4> kControls{{
    {WC_STATICW, ids::InputPrompt, L"", WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 120, 120, 4500, 1095},
    {WC_BUTTONW, ids::InputOk, texts::Ok, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 4800, 120, 1215, 375},
    {WC_BUTTONW, ids::InputCancel, texts::Cancel, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 4800, 600, 1215, 375},
    {WC_EDITW, ids::InputText, L"", WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 120, 1320, 5895, 315},
}};

} // namespace

std::wstring InputBox::Ask(HWND owner, const std::wstring& prompt, const std::wstring& title,
                           const std::wstring& initial) {
    InputBox box;
    const std::wstring& caption = title.empty() ? std::wstring(texts::AppTitle) : title;
    if (!box.CreateWindowOf(L"RuvexInputBox", caption.c_str(), WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME,
                            owner)) {
        return {};
    }
    box.font_ = win::Font(L"ＭＳ Ｐゴシック", 9, win::DpiOf(box.hwnd()));
    win::SetClientSizeTwips(box.hwnd(), 6135, 1755);
    win::CreateControls(box.hwnd(), kControls, box.font_.get());
    win::SetText(GetDlgItem(box.hwnd(), ids::InputPrompt), prompt);
    HWND edit = GetDlgItem(box.hwnd(), ids::InputText);
    win::SetText(edit, initial);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    win::CenterOnScreen(box.hwnd());
    ShowModal(box.hwnd(), owner, edit, box.done_);
    return box.result_;
}

void InputBox::Finish(bool ok) {
    result_ = ok ? win::GetText(GetDlgItem(hwnd(), ids::InputText)) : std::wstring();
    done_ = true;
    ShowWindow(hwnd(), SW_HIDE);
}

LRESULT InputBox::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_COMMAND:
        if (LOWORD(wp) == ids::InputOk || LOWORD(wp) == ids::InputCancel) {
            Finish(LOWORD(wp) == ids::InputOk);
            return 0;
        }
        break;
    case DM_GETDEFID:
        return MAKELRESULT(ids::InputOk, DC_HASDEFID);
    case WM_CLOSE:
        Finish(false);
        return 0;
    default:
        break;
    }
    return Default(msg, wp, lp);
}

} // namespace ruvex::ui
