#include "uninstaller/ui/OptionFile.h"

#include "base/codec.h"
#include "base/text.h"

#include <windows.h>
#include <winnetwk.h>

#include <cwctype>

namespace ruvex {

namespace {

// A check line as a whole number, blanks around it ignored: " 1 " and "1" both read 1.
std::optional<bool> CheckValue(const std::wstring& line) {
    std::size_t i = 0;
    while (i < line.size() && line[i] == L' ') {
        ++i;
    }
    std::size_t start = i;
    if (i < line.size() && (line[i] == L'-' || line[i] == L'+')) {
        ++i;
    }
    std::size_t digits = i;
    while (i < line.size() && std::iswdigit(line[i])) {
        ++i;
    }
    if (i == digits) {
        return std::nullopt;
    }
    long value = std::wcstol(line.substr(start, i - start).c_str(), nullptr, 10);
    while (i < line.size() && line[i] == L' ') {
        ++i;
    }
    if (i != line.size()) {
        return std::nullopt;
    }
    return value != 0;
}

bool DrivePresent(wchar_t letter) {
    wchar_t upper = static_cast<wchar_t>(std::towupper(letter));
    return upper >= L'A' && upper <= L'Z' && (GetLogicalDrives() & (1u << (upper - L'A'))) != 0;
}

} // namespace

void Options::ResetToDefaults() {
    Options defaults;
    editor = defaults.editor;
    checks = defaults.checks;
}

std::wstring OptionFilePath(const std::wstring& dataFolder) {
    return dataFolder + L"\\option.dat";
}

std::optional<Options> ReadOptionFile(const std::wstring& dataFolder) {
    FileLines file = ReadFileLines(OptionFilePath(dataFolder));
    if (!file.result || file.lines.size() < 10) {
        return std::nullopt;
    }
    Options options;
    const auto& lines = file.lines;
    if (lines[0].empty() || !DrivePresent(lines[0][0])) {
        return std::nullopt;
    }
    options.drive = lines[0];
    options.editor = lines[1];
    // Line 11 came with the registry: a file without it, or with something else there, keeps its default (on).
    for (std::size_t c = 0; c < CheckCount && 2 + c < lines.size(); ++c) {
        auto value = CheckValue(lines[2 + c]);
        if (!value && c + 1 < CheckCount) {
            return std::nullopt;
        }
        options.checks[c] = value.value_or(options.checks[c]);
    }
    return options;
}

FileResult WriteOptionFile(const std::wstring& dataFolder, const Options& options) {
    std::vector<std::wstring> lines{options.drive, options.editor};
    for (bool on : options.checks) {
        lines.push_back(on ? L" 1 " : L" 0 ");
    }
    return ReplaceFileLines(OptionFilePath(dataFolder), lines);
}

std::wstring DriveListText(wchar_t letter) {
    std::wstring text{static_cast<wchar_t>(std::towlower(letter)), L':'};
    std::wstring root = text + L"\\";
    switch (GetDriveTypeW(root.c_str())) {
    case DRIVE_FIXED: {
        wchar_t label[MAX_PATH + 1] = {};
        if (GetVolumeInformationW(root.c_str(), label, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0)) {
            text += std::wstring(L" [") + label + L"]";
        }
        break;
    }
    case DRIVE_REMOTE: {
        wchar_t share[MAX_PATH + 1] = {};
        DWORD size = MAX_PATH + 1;
        if (WNetGetConnectionW(text.c_str(), share, &size) == NO_ERROR) {
            text += std::wstring(L" [") + share + L"]";
        }
        break;
    }
    default:
        break;
    }
    return text;
}

std::wstring PresentDrives() {
    std::wstring letters;
    DWORD mask = GetLogicalDrives();
    for (int i = 0; i < 26; ++i) {
        if (mask & (1u << i)) {
            letters += static_cast<wchar_t>(L'A' + i);
        }
    }
    return letters;
}

} // namespace ruvex
