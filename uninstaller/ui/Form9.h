// Form9, the file viewer: the beginning of a file as text, in a choice of font and size, with a button
// that opens the file in the chosen editor.
#pragma once

#include "base/win/Window.h"

#include <string>

namespace ruvex::ui {

class Form9 final : public win::BaseWindow<Form9> {
public:
    // Modal over owner until OK or the close box.
    static void Show(HWND owner, const std::wstring& path, const std::wstring& text, const std::wstring& editorPath);

    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);

private:
    void ApplyFont();
    void Command2_Click();

    win::Font font_;
    win::Font textFont_;
    std::wstring path_;
    std::wstring editorPath_;
    bool fixedPitch_ = false;
    int points_ = 9;
    bool done_ = false;
};

// Starts "editor path" (the path unquoted after one blank); false when it cannot be started.
[[nodiscard]] bool StartEditor(const std::wstring& editorPath, const std::wstring& path);

} // namespace ruvex::ui
