// How a file that could not be read or written is reported: its name and the system's reason.
#pragma once

#include "base/safefile.h"

#include <string>

namespace ruvex::ui {

// FileFailureText in a message box with the error icon, owned by owner.
void ShowFileFailure(HWND owner, const FileResult& result, const std::wstring& path);

} // namespace ruvex::ui
