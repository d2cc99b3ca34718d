// Form1's settings commands: the options dialog (Command7), the file viewer (Command15), the tool tips
// and the missing-file check of the start-up.
#include "uninstaller/ui/Form1.h"

#include "resources/RuvexTexts.h"
#include "uninstaller/monitor/database.h"
#include "uninstaller/monitor/tidy.h"
#include "uninstaller/ui/ControlIds.h"
#include "uninstaller/ui/Form9.h"
#include "uninstaller/ui/ToolClips.h"
#include "uninstaller/ui/ViewerText.h"

namespace ruvex::ui {

bool Form1::LoadSettings() {
    tips_.Create(hwnd());
    form2_.Closed = [this] {
        RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        SoftHyouji();
    };
    form2_.ToolTipsChanged = [this](bool off) { ToolClips(hwnd(), tips_, form2_.hwnd(), form2_.Tips(), off); };
    if (!form2_.Load(hwnd())) {
        return false;
    }
    ToolClips(hwnd(), tips_, form2_.hwnd(), form2_.Tips(), form2_.IsChecked(Check::Check9));
    return true;
}

void Form1::StartupKilled() {
    if (!form2_.IsChecked(Check::Check4)) {
        ReportWrite(ruvex::Killed(DataFolder, *this), DatabasePath(DataFolder));
    }
}

void Form1::Command7_Click() {
    form2_.ShowModal();
}

void Form1::Command15_Click() {
    int index = static_cast<int>(SendMessageW(List2.view(), LB_GETCARETINDEX, 0, 0));
    if (index < 0) {
        return;
    }
    std::wstring path = List2.Item(static_cast<std::size_t>(index));
    SetCursorWait(true);
    form10_.Show(form10_.Label());
    std::wstring text = ReadViewerText(path, *this);
    SetCursorWait(false);
    form10_.Unload();
    Form9::Show(hwnd(), path, text, form2_.EditorPath);
}

} // namespace ruvex::ui
