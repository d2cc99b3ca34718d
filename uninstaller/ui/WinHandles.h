// Owners of the window-side handles the uninstaller's windows keep: pictures, image lists, shortcut tables, menus.
#pragma once

#include "base/handles.h"
#include "base/win/Gdi.h"

#include <windows.h>

#include <commctrl.h>

namespace ruvex::ui {

inline void DestroyImageList(HIMAGELIST h) noexcept {
    ImageList_Destroy(h);
}
inline void DestroyAccelerators(HACCEL h) noexcept {
    DestroyAcceleratorTable(h);
}
inline void DestroyMenuHandle(HMENU h) noexcept {
    DestroyMenu(h);
}

using win::Bitmap;
using ImageList = UniqueHandle<NullHandleTraits<HIMAGELIST, &DestroyImageList>>;
using Accelerators = UniqueHandle<NullHandleTraits<HACCEL, &DestroyAccelerators>>;
using Menu = UniqueHandle<NullHandleTraits<HMENU, &DestroyMenuHandle>>;

} // namespace ruvex::ui
