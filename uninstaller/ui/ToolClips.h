// ToolClips: every tool tip of the main window and of the options dialog, all empty when switched off.
#pragma once

#include "uninstaller/ui/ToolTips.h"

namespace ruvex::ui {

void ToolClips(HWND form1, ToolTips& form1Tips, HWND form2, ToolTips& form2Tips, bool off);

} // namespace ruvex::ui
