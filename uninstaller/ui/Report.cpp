#include "uninstaller/ui/Report.h"

#include "resources/RuvexTexts.h"

namespace ruvex::ui {

std::wstring FileFailureText(const FileResult& result, const std::wstring& path) {
    // A file that is no ANSI text is read but refused: the reason is ours, not the system's.
    const bool foreign = result.reading && result.error == ERROR_NO_UNICODE_TRANSLATION;
    return std::wstring(result.reading ? texts::CannotRead : texts::CannotWrite) + L"\r\n" + path + L"\r\n" +
           (foreign ? std::wstring(texts::NotAnsiText) : ErrorText(result.error));
}

void ShowFileFailure(HWND owner, const FileResult& result, const std::wstring& path) {
    MessageBoxW(owner, FileFailureText(result, path).c_str(), texts::BoxTitle, MB_OK | MB_ICONERROR);
}

} // namespace ruvex::ui
