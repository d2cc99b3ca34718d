// Form7, the file-list confirmation: the files a command is about to act on, with OK and ｷｬﾝｾﾙ.
#pragma once

#include "base/win/ModalWindow.h"

#include <string>

namespace ruvex::ui {

class Form7 final : public win::ModalWindow {
public:
    // Shows label and the list (one path per line, each ending with CR LF) modally over owner; true only
    // when the user pressed OK.
    [[nodiscard]] static bool Confirm(HWND owner, const std::wstring& label, const std::wstring& list);

private:
    void OnOK() override;
};

} // namespace ruvex::ui
