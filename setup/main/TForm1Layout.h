// The control table of each wizard page (twips; the form was designed at 15 twips a pixel).
#pragma once

#include "base/win/Window.h"

#include <array>
#include <span>

namespace setup {

inline constexpr int kPageWidthPx = 593; // PageControl1
inline constexpr int kPageHeightPx = 297;
[[nodiscard]] constexpr int Px(int pixels) {
    return pixels * 15;
}

// What every page has: the frame bevel, the gradient picture and the label.
[[nodiscard]] std::array<ruvex::win::ControlSpec, 3> FrameControls(int page);
// The page's own controls.
[[nodiscard]] std::span<const ruvex::win::ControlSpec> PageControls(int page);

// Enter presses the page's default button, Esc its cancel button (0: none).
struct PageKeys {
    int defaultButton;
    int cancelButton;
};
[[nodiscard]] PageKeys KeysOfPage(int page);

} // namespace setup
