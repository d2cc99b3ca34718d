// Owners of the window-side handles the uninstaller's windows keep: pictures, image lists, shortcut tables, menus.
#pragma once

#include "base/handles.h"

#include <windows.h>

#include <commctrl.h>

namespace ruvex::ui {

template <typename T, auto CloseFn> struct NullHandleTraits {
    using Type = T;
    static Type Invalid() noexcept { return nullptr; }
    static void Close(Type h) noexcept { CloseFn(h); }
};

inline void DeleteBitmap(HBITMAP h) noexcept {
    DeleteObject(h);
}
inline void DestroyImageList(HIMAGELIST h) noexcept {
    ImageList_Destroy(h);
}
inline void DestroyAccelerators(HACCEL h) noexcept {
    DestroyAcceleratorTable(h);
}
inline void DestroyMenuHandle(HMENU h) noexcept {
    DestroyMenu(h);
}

using Bitmap = UniqueHandle<NullHandleTraits<HBITMAP, &DeleteBitmap>>;
using ImageList = UniqueHandle<NullHandleTraits<HIMAGELIST, &DestroyImageList>>;
using Accelerators = UniqueHandle<NullHandleTraits<HACCEL, &DestroyAccelerators>>;
using Menu = UniqueHandle<NullHandleTraits<HMENU, &DestroyMenuHandle>>;

} // namespace ruvex::ui
