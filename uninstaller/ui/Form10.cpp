#include "uninstaller/ui/Form10.h"

#include "resources/RuvexTexts.h"

#include <commctrl.h>
#include "uninstaller/ui/ControlIds.h"

#include <array>

namespace ruvex::ui {

namespace {

const std::array<win::ControlSpec, 2> kControls{{
    {WC_STATICW, ids::WaitLabel1, texts::WaitInitial, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 120, 120, 5775, 255},
    {WC_STATICW, ids::PregressPic2, L"", WS_VISIBLE | SS_NOTIFY, 120, 480, 5775, 255},
}};

} // namespace

bool Form10::Load(HWND owner) {
    if (hwnd()) {
        return true;
    }
    if (!CreateWindowOf(L"RuvexForm10", texts::WaitCaption, WS_POPUP | WS_CAPTION | WS_BORDER, 0, owner)) {
        return false;
    }
    font_ = win::Font(win::kUiFace, 9, Dpi());
    win::SetClientSizeTwips(hwnd(), 6015, 855);
    AddControls(hwnd(), kControls, font_);
    waitProgressBar_.SetParent(GetDlgItem(hwnd(), ids::PregressPic2));
    waitProgressBar_.Create();
    return true;
}

void Form10::Show(const std::wstring& text) {
    SetLabel(text);
    win::CenterOnScreen(hwnd());
    ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
    UpdateWindow(hwnd());
}

void Form10::Unload() {
    ShowWindow(hwnd(), SW_HIDE);
    SetLabel(texts::WaitIdle);
}

void Form10::SetLabel(const std::wstring& text) {
    HWND label = GetDlgItem(hwnd(), ids::WaitLabel1);
    win::SetText(label, text);
    UpdateWindow(label);
}

std::wstring Form10::Label() const {
    return win::GetText(GetDlgItem(hwnd(), ids::WaitLabel1));
}

void Form10::PMax() {
    waitProgressBar_.SetProgBarPos(CProgBar32::Max());
}

LRESULT Form10::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    // The user cannot close it: the operation that showed it hides it.
    if (msg == WM_CLOSE) {
        return 0;
    }
    return Default(msg, wp, lp);
}

} // namespace ruvex::ui
