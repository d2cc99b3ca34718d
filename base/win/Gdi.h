// GDI owners: fonts, bitmaps, brushes and memory DCs through UniqueHandle, and the two pairs that are
// undone at the end of a scope, GetDC/ReleaseDC and SelectObject (after SumatraPDF's ScopedWin.h).
#pragma once

#include "base/handles.h"

#include <windows.h>

namespace ruvex::win {

inline void DeleteGdiObject(HGDIOBJ h) noexcept {
    DeleteObject(h);
}
template <typename T> using GdiObject = UniqueHandle<NullHandleTraits<T, &DeleteGdiObject>>;
using FontHandle = GdiObject<HFONT>;
using Bitmap = GdiObject<HBITMAP>;
using Brush = GdiObject<HBRUSH>;

inline void DeleteMemoryDC(HDC h) noexcept {
    DeleteDC(h);
}
using MemoryDC = UniqueHandle<NullHandleTraits<HDC, &DeleteMemoryDC>>; // CreateCompatibleDC

// GetDC(hwnd), released with the object.
class ScopedGetDC {
public:
    explicit ScopedGetDC(HWND hwnd) noexcept : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
    ~ScopedGetDC() {
        if (dc_) {
            ReleaseDC(hwnd_, dc_);
        }
    }
    ScopedGetDC(const ScopedGetDC&) = delete;
    ScopedGetDC& operator=(const ScopedGetDC&) = delete;
    [[nodiscard]] HDC get() const noexcept { return dc_; }

private:
    HWND hwnd_;
    HDC dc_;
};

// SelectObject(dc, object); the object it replaced is selected again with the end of the object.
class ScopedSelectObject {
public:
    ScopedSelectObject(HDC dc, HGDIOBJ object) noexcept : dc_(dc), old_(SelectObject(dc, object)) {}
    ~ScopedSelectObject() {
        if (old_ && old_ != HGDI_ERROR) {
            SelectObject(dc_, old_);
        }
    }
    ScopedSelectObject(const ScopedSelectObject&) = delete;
    ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

} // namespace ruvex::win
