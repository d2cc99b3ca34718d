// Form10, the please-wait window that long operations show modeless: a label naming the work and
// the WaitProgressBar.
#pragma once

#include "base/win/Window.h"
#include "uninstaller/ui/CProgBar32.h"

#include <string>

namespace ruvex::ui {

class Form10 final : public win::BaseWindow<Form10> {
public:
    // Creates the window hidden, with its progress bar (Create_ProgressBar2).
    bool Load(HWND owner);
    // Shows it centred without taking the focus from the main window, and paints it at once.
    void Show(const std::wstring& text);
    // Hides it and sets the label back to the idle text, ready for the next operation.
    void Unload();
    void SetLabel(const std::wstring& text);
    [[nodiscard]] std::wstring Label() const;
    CProgBar32& WaitProgressBar() noexcept { return waitProgressBar_; }
    // Sets the WaitProgressBar to full.
    void PMax();

    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);

private:
    win::Font font_;
    CProgBar32 waitProgressBar_;
};

} // namespace ruvex::ui
