// The pages of the wizard: child windows of a tab-less page control. A page forwards what its controls
// tell it to the form, so that every handler lives in TForm1.
#pragma once

#include "base/win/Window.h"

#include <windows.h>

namespace setup {

// The control-table entry of a hidden page covering the form's client area (width x height twips); the
// page's window class is registered on the first call.
[[nodiscard]] ruvex::win::ControlSpec TabSheetSpec(int id, int width, int height);

// Paints the vertical gradient of a page picture, top colour to bottom colour.
void PaintGradient(HDC dc, const RECT& rect, COLORREF top, COLORREF bottom);

} // namespace setup
