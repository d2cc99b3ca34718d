// Form9, the file viewer: the beginning of a file as text, in a choice of font and size, with a button
// that opens the file in the chosen editor.
#pragma once

#include "base/win/ModalWindow.h"

#include <string>

namespace ruvex::ui {

class Form9 final : public win::ModalWindow {
public:
    // Modal over owner until OK or the close box.
    static void Show(HWND owner, const std::wstring& path, const std::wstring& text, const std::wstring& editorPath);

private:
    void OnOK() override;
    bool OnCommand(int id, int code, HWND control) override;
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void HScroll1_Change(int request, int thumb);
    void ApplyFont();
    void Command2_Click();

    win::Font textFont_;
    std::wstring path_;
    std::wstring editorPath_;
    bool fixedPitch_ = false;
    int points_ = 9;
};

// Starts a program by its command line in a normal, focused window, without waiting for it; false when it
// cannot be started.
bool StartProgram(std::wstring commandLine);
// Starts "editor path" (the path unquoted after one blank); false when it cannot be started.
[[nodiscard]] bool StartEditor(const std::wstring& editorPath, const std::wstring& path);

} // namespace ruvex::ui
