// The base of the modal windows (after 7-Zip's CModalDialog). A derived window creates itself with
// CreateModal from its control table, overrides what it needs and ends the run with EndModal(result).
// The OK button has the id IDOK and the Cancel button IDCANCEL, as in a dialog: Enter presses OK,
// Esc Cancel, and the close box is Cancel too.
#pragma once

#include "base/win/Window.h"

#include <span>

namespace ruvex::win {

// What CreateModal makes: the window, its client area in twips and its controls (in the UI face).
struct ModalLayout {
    const wchar_t* className;
    const wchar_t* title;
    int width, height;
    std::span<const ControlSpec> controls;
    DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    DWORD exStyle = WS_EX_DLGMODALFRAME;
};

class ModalWindow : public BaseWindow<ModalWindow> {
public:
    // Shows the window over its owner, which is disabled meanwhile, with the focus on focus (when given),
    // and runs the modal loop until EndModal; its result. When the program is asked to quit, the run ends
    // with IDCANCEL and WM_QUIT is posted again for the loop outside.
    INT_PTR RunModal(HWND focus = nullptr);
    // Ends the run: the owner is enabled again and the window hidden (it lives as long as the object).
    void EndModal(INT_PTR result);
    [[nodiscard]] bool Running() const noexcept { return running_; }

    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);

protected:
    // Creates the window centred on the screen, owned by owner, with font_ and the layout's controls.
    bool CreateModal(HWND owner, const ModalLayout& layout);

    virtual void OnOK() { EndModal(IDOK); }
    virtual void OnCancel() { EndModal(IDCANCEL); }
    // The close box.
    virtual void OnClose() { OnCancel(); }
    // A WM_COMMAND other than IDOK and IDCANCEL; true when handled.
    virtual bool OnCommand(int id, int code, HWND control);
    // Every other message; Default() for what it does not handle.
    virtual LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) { return Default(msg, wp, lp); }

    Font font_;

private:
    HWND disabledOwner_ = nullptr;
    INT_PTR result_ = IDCANCEL;
    bool running_ = false;
};

} // namespace ruvex::win
