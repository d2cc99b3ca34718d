#include "uninstaller/monitor/failure.h"

#include "resources/RuvexTexts.h"

namespace ruvex {

std::wstring FileFailureText(const FileResult& result, const std::wstring& path) {
    // A file that is no ANSI text is read but refused: the reason is ours, not the system's.
    const bool foreign = result.reading && result.error == ERROR_NO_UNICODE_TRANSLATION;
    return std::wstring(result.reading ? texts::CannotRead : texts::CannotWrite) + L"\r\n" +
           (result.path.empty() ? path : result.path) + L"\r\n" +
           (foreign ? std::wstring(texts::NotAnsiText) : ErrorText(result.error));
}

} // namespace ruvex
