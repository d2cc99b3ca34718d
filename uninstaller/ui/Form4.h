// Form4: the version artwork, shown as the splash window at start-up and as the version window.
#pragma once

#include "base/win/Window.h"
#include "uninstaller/ui/WinHandles.h"

namespace ruvex::ui {

class Form4 final : public win::BaseWindow<Form4> {
public:
    // Creates the window centred and hidden; in version mode (VersionWindowMode 1) a click or a key closes it.
    bool Load(HWND owner);
    // The splash: shown without activation and painted at once.
    void ShowSplash();
    // The version window: beeps and runs modal until a click or a key closes it.
    void ShowModal(HWND owner);

    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);

private:
    void Paint();
    void CloseIfVersionWindow();

    Bitmap artwork_;
    win::Font font_;
    SIZE size_{};
    bool closed_ = false;
};

} // namespace ruvex::ui
