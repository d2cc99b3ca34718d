// A native tab control ("SysTabControl32") filling a host picture box. It reports the user's tab changes
// (BeforeClick, then Click) and tells the owner where the display area lies, in twips of the host's parent.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace ruvex::ui {

class cTabStrip {
public:
    enum class TabStyle { Tabs = 0, Buttons = 1, FlatButtons = 2 };
    enum class TabPlacement { Top = 0, Bottom = 1, Left = 2, Right = 3 };

    cTabStrip() = default;
    ~cTabStrip();
    cTabStrip(const cTabStrip&) = delete;
    cTabStrip& operator=(const cTabStrip&) = delete;

    // Raised on a tab change by the user; a Cancel set by the handler does not stop the change.
    std::function<void(bool& cancel)> BeforeClick;
    std::function<void()> Click;

    // Attaches to a host and creates the tab control in it (an earlier tab control is destroyed).
    void SetPictureBox(HWND host);
    [[nodiscard]] HWND PictureBox() const noexcept { return host_; }
    // Moves the host (twips): only left when top is not above 0, left and top when width is not,
    // left, top and width when height is not; otherwise all four.
    void Move(int left, int top = 0, int width = 0, int height = 0);
    [[nodiscard]] HWND hwnd() const noexcept { return tab_; }
    [[nodiscard]] bool Visible() const noexcept;
    void SetVisible(bool visible) noexcept;
    [[nodiscard]] bool Enabled() const noexcept;
    void SetEnabled(bool enabled) noexcept;
    void SetFocus() noexcept;

    // Inserts a tab at index (0-based); the new tab's index or -1.
    int TabsAdd(int index, const std::wstring& caption);
    [[nodiscard]] int TabsCount() const noexcept;
    void TabsClear() noexcept;
    void TabsRemove(int index) noexcept;

    [[nodiscard]] int ClientLeft() const noexcept { return clientLeft_; }
    [[nodiscard]] int ClientTop() const noexcept { return clientTop_; }
    [[nodiscard]] int ClientWidth() const noexcept { return clientWidth_; }
    [[nodiscard]] int ClientHeight() const noexcept { return clientHeight_; }

    void DeselectAll() noexcept;
    [[nodiscard]] bool MultiRow();
    void SetMultiRow(bool on);
    [[nodiscard]] bool MultiSelect();
    void SetMultiSelect(bool on);
    [[nodiscard]] TabPlacement Placement();
    void SetPlacement(TabPlacement placement);
    // 1-based; 0 when no tab is selected. Setting raises no event.
    [[nodiscard]] int SelectedItem() const noexcept;
    void SetSelectedItem(int item) noexcept;

    // Take effect when the tab control is next created.
    void SetStyle(TabStyle style) noexcept { style_ = style; }
    void SetFixedWidth(bool fixed) noexcept { fixedWidth_ = fixed; }
    void SetHotTracking(bool on) noexcept { hotTracking_ = on; }
    void SetSeparators(bool on) noexcept { separators_ = on; }

    // The object's part of the host's window procedure.
    LRESULT CallBackWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

private:
    [[nodiscard]] bool HasWindow() const noexcept { return tab_ && IsWindow(tab_); }
    void Create();
    void ComputeClientArea();
    void Subclass();
    void Unsubclass();
    void ChangeStyle(DWORD clear, DWORD set);
    // Reads a style bit of the live window into stored; without a window the stored value.
    bool StyleBit(DWORD bit, bool& stored);

    HWND host_ = nullptr;
    HWND tab_ = nullptr;
    HWND subclassed_ = nullptr;
    int clientLeft_ = 0, clientTop_ = 0, clientWidth_ = 0, clientHeight_ = 0;
    TabStyle style_ = TabStyle::Tabs;
    bool fixedWidth_ = false;
    TabPlacement placement_ = TabPlacement::Top;
    bool multiRow_ = false;
    bool multiSelect_ = false;
    bool hotTracking_ = false;
    bool separators_ = false;
    short busy_ = 0;
};

} // namespace ruvex::ui
