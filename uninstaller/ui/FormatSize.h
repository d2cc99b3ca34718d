// The size text of a byte count, as the software-size label and the file-information tab show it.
#pragma once

#include <cstdint>
#include <string>

namespace ruvex::ui {

// " 1.5KB", " 4.76MB", " 1023 ﾊﾞｲﾄ"; a gigabyte or more is written in bytes.
[[nodiscard]] std::wstring FormatSize(std::uint64_t bytes);
// The software-size label keeps the first 12 characters of FormatSize.
[[nodiscard]] std::wstring SizeLabelText(std::uint64_t bytes);

} // namespace ruvex::ui
