// Form7, the file-list confirmation: the files a command is about to act on, with OK and ｷｬﾝｾﾙ.
#pragma once

#include "base/win/ModalWindow.h"

#include <string>

namespace ruvex::ui {

// True only when the user pressed OK in the latest showing of Form7; callers read it right after it closes.
inline bool FileListConfirmed = false;

class Form7 final : public win::ModalWindow {
public:
    // Shows label and the list (one path per line, each ending with CR LF) modally over owner; the answer
    // is in FileListConfirmed.
    static void Confirm(HWND owner, const std::wstring& label, const std::wstring& list);

private:
    void OnOK() override;
    void OnCancel() override;
};

} // namespace ruvex::ui
