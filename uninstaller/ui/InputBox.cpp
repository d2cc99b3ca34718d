#include "uninstaller/ui/InputBox.h"

#include "resources/RuvexTexts.h"

#include <commctrl.h>
#include "uninstaller/ui/ControlIds.h"

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
    if (!box.CreateModal(owner, {L"RuvexInputBox", caption.c_str(), 6135, 1755, kControls})) {
        return {};
    }
    win::SetText(GetDlgItem(box.hwnd(), ids::InputPrompt), prompt);
    HWND edit = GetDlgItem(box.hwnd(), ids::InputText);
    win::SetText(edit, initial);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    // InputOk and InputCancel are IDOK and IDCANCEL: the base ends the run with them.
    return box.RunModal(edit) == IDOK ? win::GetText(edit) : std::wstring();
}

} // namespace ruvex::ui
