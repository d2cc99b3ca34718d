#include "uninstaller/ui/Report.h"

#include "resources/RuvexTexts.h"
#include "uninstaller/monitor/failure.h"

namespace ruvex::ui {

void ShowFileFailure(HWND owner, const FileResult& result, const std::wstring& path) {
    MessageBoxW(owner, FileFailureText(result, path).c_str(), texts::BoxTitle, MB_OK | MB_ICONERROR);
}

} // namespace ruvex::ui
