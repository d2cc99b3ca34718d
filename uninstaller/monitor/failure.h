// How a file that could not be read or written is told to the user, by the windows and the engine alike.
#pragma once

#include "base/safefile.h"

#include <string>

namespace ruvex {

// CannotRead or CannotWrite, CR LF, the path (the result's own, else the one given), CR LF, the reason.
[[nodiscard]] std::wstring FileFailureText(const FileResult& result, const std::wstring& path = {});

} // namespace ruvex
