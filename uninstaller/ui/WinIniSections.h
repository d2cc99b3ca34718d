// Which of a record's win.ini sections still stand in win.ini, with their lines.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace ruvex::ui {

// Gives the next line of win.ini; false at its end.
using LineSource = std::function<bool(std::wstring&)>;

// The headers are the record's section lines; they are sorted first (the order of a sorted list). Each
// win.ini line is compared with the headers in that order; a match shows the line and the section's lines up
// to the next "[" line, which is then compared only with the headers after the matched one.
[[nodiscard]] std::vector<std::wstring> CurrentWinIniLines(std::vector<std::wstring> headers,
                                                           const LineSource& nextLine);
// The same over a win.ini file; a missing or unreadable file shows nothing.
[[nodiscard]] std::vector<std::wstring> CurrentWinIniLines(const std::vector<std::wstring>& headers,
                                                           const std::wstring& winIniPath);

} // namespace ruvex::ui
