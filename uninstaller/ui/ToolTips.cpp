#include "uninstaller/ui/ToolTips.h"

#include <commctrl.h>

namespace ruvex::ui {

ToolTips::~ToolTips() {
    if (tips_) {
        DestroyWindow(tips_);
    }
}

bool ToolTips::Create(HWND owner) {
    tips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
    if (tips_) {
        // Long tips wrap instead of running off the screen.
        SendMessageW(tips_, TTM_SETMAXTIPWIDTH, 0, 480);
    }
    return tips_ != nullptr;
}

static TTTOOLINFOW ToolOf(HWND control, wchar_t* text) {
    TTTOOLINFOW ti{};
    ti.cbSize = sizeof ti;
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = GetParent(control);
    ti.uId = reinterpret_cast<UINT_PTR>(control);
    ti.lpszText = text;
    return ti;
}

void ToolTips::Set(HWND control, const std::wstring& text) {
    if (!tips_ || !control) {
        return;
    }
    std::wstring copy = text;
    TTTOOLINFOW ti = ToolOf(control, copy.data());
    if (tools_.insert(control).second) {
        SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
    } else {
        SendMessageW(tips_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
    }
}

std::wstring ToolTips::Get(HWND control) const {
    wchar_t buffer[1024] = {};
    TTTOOLINFOW ti = ToolOf(control, buffer);
    SendMessageW(tips_, TTM_GETTEXTW, 1024, reinterpret_cast<LPARAM>(&ti));
    return buffer;
}

} // namespace ruvex::ui
