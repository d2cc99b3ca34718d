// Form4: the version artwork, shown as the splash window at start-up and as the version window.
#pragma once

#include "base/win/ModalWindow.h"
#include "uninstaller/ui/WinHandles.h"

namespace ruvex::ui {

class Form4 final : public win::ModalWindow {
public:
    // Creates the window centred and hidden; in version mode (VersionWindowMode) a click or a key closes it.
    bool Load(HWND owner);
    // The splash: shown without activation and painted at once.
    void ShowSplash();
    // The version window: beeps and runs modal over the owner it was loaded with until a click or a key.
    void ShowModal();

private:
    void OnOK() override { CloseIfVersionWindow(); }
    void OnCancel() override { CloseIfVersionWindow(); }
    bool OnCommand(int id, int code, HWND control) override;
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void Paint();
    void CloseIfVersionWindow();

    Bitmap artwork_;
    SIZE size_{};
};

} // namespace ruvex::ui
