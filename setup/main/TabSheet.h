// The pages of the wizard: child windows of a tab-less page control. A page forwards what its controls
// tell it to the form, so that every handler lives in TForm1.
#pragma once

#include <windows.h>

namespace setup {

// A hidden page covering the form's client area (width x height pixels).
[[nodiscard]] HWND CreateTabSheet(HWND form, int id, int width, int height);

// Paints the vertical gradient of a page picture, top colour to bottom colour.
void PaintGradient(HDC dc, const RECT& rect, COLORREF top, COLORREF bottom);

} // namespace setup
