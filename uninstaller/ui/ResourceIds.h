// Resource ids of Ruvex.exe, shared by ruvex.rc and the windows.
#pragma once

#define RUVEX_RES_VERSION_ARTWORK 200
// Button pictures: 100 + the button number.
#define RUVEX_RES_BUTTON_BASE 100

#ifdef __cplusplus
namespace ruvex::res {
inline constexpr int VersionArtwork = RUVEX_RES_VERSION_ARTWORK;
inline constexpr int ButtonPicture(int command) {
    return RUVEX_RES_BUTTON_BASE + command;
}
} // namespace ruvex::res
#endif
