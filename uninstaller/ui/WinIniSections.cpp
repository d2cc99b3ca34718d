#include "uninstaller/ui/WinIniSections.h"

#include "base/codec.h"
#include "base/text.h"

namespace ruvex::ui {

std::vector<std::wstring> CurrentWinIniLines(std::vector<std::wstring> headers, const LineSource& nextLine) {
    SortTexts(headers);
    std::vector<std::wstring> shown;
    std::wstring line;
    while (nextLine(line)) {
        for (std::size_t j = 0; j < headers.size(); ++j) {
            if (!TextEquals(line, headers[j])) {
                continue;
            }
            shown.push_back(line);
            bool more = false;
            while ((more = nextLine(line)) && FirstChar(line) != L'[') {
                shown.push_back(line);
            }
            if (!more) {
                return shown;
            }
            // The header that ended the section goes on with the entries after the matched one: a section
            // sorted before it but standing after it in win.ini is not shown.
        }
    }
    return shown;
}

std::vector<std::wstring> CurrentWinIniLines(const std::vector<std::wstring>& headers, const std::wstring& winIniPath) {
    LineReader reader;
    if (headers.empty() || !reader.Open(winIniPath)) {
        return {};
    }
    return CurrentWinIniLines(headers, [&reader](std::wstring& line) { return reader.Next(line); });
}

} // namespace ruvex::ui
