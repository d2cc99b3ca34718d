// The input box of the uninstaller: a prompt, a text field, OK and ｷｬﾝｾﾙ. Modal over its owner.
#pragma once

#include "base/win/ModalWindow.h"

#include <string>

namespace ruvex::ui {

class InputBox final : public win::ModalWindow {
public:
    // The entered text; empty when the user cancels or closes the box. An empty title shows the
    // application title.
    static std::wstring Ask(HWND owner, const std::wstring& prompt, const std::wstring& title,
                            const std::wstring& initial = {});
};

} // namespace ruvex::ui
