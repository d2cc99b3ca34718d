// option.dat: the watched drive, the editor and the nine check-box settings, eleven lines in a fixed order (a
// file of ten lines, written before the registry was recorded, reads the ninth as on).
#pragma once

#include "base/safefile.h"

#include <array>
#include <optional>
#include <string>

namespace ruvex {

// The check boxes in their order in the dialog and in the file (lines 3 to 11).
enum class Check { Check1, Check2, Check5, Check6, Check8, Check3, Check4, Check9, Check10 };
inline constexpr std::size_t CheckCount = 9;

struct Options {
    std::wstring drive; // line 1 as the drive list shows it ("c: [LABEL]"); only its letter counts on reading
    std::wstring editor = L"NOTEPAD";
    std::array<bool, CheckCount> checks{false, true, false, true, true, false, false, false, true};

    [[nodiscard]] bool Get(Check c) const { return checks[static_cast<std::size_t>(c)]; }
    void Set(Check c, bool on) { checks[static_cast<std::size_t>(c)] = on; }
    // "初期値": the editor and every check box back to their defaults; the drive stays.
    void ResetToDefaults();
};

[[nodiscard]] std::wstring OptionFilePath(const std::wstring& dataFolder);
// The settings of the file, or nothing when it is missing, short, not numeric where a check value
// stands, or names a drive that is not present.
[[nodiscard]] std::optional<Options> ReadOptionFile(const std::wstring& dataFolder);
// Eleven lines; check values written " 0 " / " 1 ".
[[nodiscard]] FileResult WriteOptionFile(const std::wstring& dataFolder, const Options& options);

// What the drive list shows for a drive: "c: [LABEL]" for a fixed drive, "x: [\\server\share]" for a
// network drive, "a:" otherwise (or when the label cannot be read).
[[nodiscard]] std::wstring DriveListText(wchar_t letter);
// The drive letters present, in order.
[[nodiscard]] std::wstring PresentDrives();

} // namespace ruvex
