// What the lists show about files on the disk: the total size of a record and the file-information tab.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <windows.h>

namespace ruvex::ui {

// The length of a file (any attributes), nullopt when no file stands there (a folder does not count).
[[nodiscard]] std::optional<std::uint64_t> ExistingFileLength(const std::wstring& path);

// Sum of the lengths of the files that exist; progress(i + 2) is called for every 20th entry i, 0 included.
[[nodiscard]] std::uint64_t TotalFileSize(const std::vector<std::wstring>& files,
                                          const std::function<void(std::size_t)>& progress);

// The four value labels of the file-information tab (Label13, Label11, Label7, Label9).
struct FileInfoTexts {
    std::wstring name, size, date, time;
};
// Nothing selected (empty path) gives four empty texts; a deleted file keeps its name and says so three times.
[[nodiscard]] FileInfoTexts DescribeFile(const std::wstring& path);
// The short date and the time of a file time in the user's regional settings, " date" and " time".
[[nodiscard]] std::pair<std::wstring, std::wstring> DateAndTimeTexts(const FILETIME& utc);

// The chooser's preview: the first FilePreviewLimit characters of the file read as text, and when the file
// ends first, CR LF + "[END]" after what it held (a file that cannot be opened shows that alone).
inline constexpr std::size_t FilePreviewLimit = 800;
[[nodiscard]] std::wstring FilePreview(const std::wstring& path);
// The chooser's name label: " " + the first 15 characters of the name in upper case.
[[nodiscard]] std::wstring ShortUpperName(const std::wstring& name);

} // namespace ruvex::ui
