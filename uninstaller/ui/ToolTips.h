// The tool tips of one window's controls; an empty text shows no tip.
#pragma once

#include <windows.h>

#include <set>
#include <string>

namespace ruvex::ui {

class ToolTips {
public:
    ToolTips() = default;
    ToolTips(const ToolTips&) = delete;
    ToolTips& operator=(const ToolTips&) = delete;
    ~ToolTips();

    // Creates the tip window for the top-level window owner.
    bool Create(HWND owner);
    // Sets (adding the tool the first time) the tip of a control.
    void Set(HWND control, const std::wstring& text);
    [[nodiscard]] std::wstring Get(HWND control) const;
    [[nodiscard]] HWND hwnd() const noexcept { return tips_; }

private:
    HWND tips_ = nullptr;
    std::set<HWND> tools_; // the controls added so far
};

} // namespace ruvex::ui
