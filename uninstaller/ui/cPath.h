// One path as text, with the pieces the uninstaller takes from it and the system folders it looks up.
// Searches are exact, case-sensitive character comparisons.
#pragma once

#include <windows.h>

#include <string>

// The members keep their plain names; the A/W macros of windows.h would rename them.
#undef GetShortPathName
#undef GetFullPathName
#undef GetWindowsDirectory
#undef GetSystemDirectory

namespace ruvex {

class cPath {
public:
    // Shell folder numbers (CSIDL values).
    static constexpr int Desktop = 0;
    static constexpr int Programs = 2;
    static constexpr int Favorites = 6;
    static constexpr int Startup = 7;
    static constexpr int Recent = 8;
    static constexpr int SendTo = 9;
    static constexpr int StartMenu = 11;
    static constexpr int Fonts = 20;

    cPath() = default;
    explicit cPath(std::wstring fileName) : fileName_(std::move(fileName)) {}

    [[nodiscard]] const std::wstring& FileName() const noexcept { return fileName_; }
    void New_FileName(std::wstring fileName) { fileName_ = std::move(fileName); }

    [[nodiscard]] std::wstring GetFileName() const;
    [[nodiscard]] std::wstring GetExt() const;
    [[nodiscard]] std::wstring GetPath() const;
    [[nodiscard]] std::wstring AddDblQuot(bool notCheckSpace = false) const;
    [[nodiscard]] std::wstring GetShortPathName() const;
    [[nodiscard]] static std::wstring GetFullPathName(const std::wstring& pathName, const std::wstring& fileName = {});
    [[nodiscard]] std::wstring GetFileNameOnly() const;
    [[nodiscard]] std::wstring GetCleanFileName() const;
    [[nodiscard]] static std::wstring GetWindowsDirectory();
    [[nodiscard]] static std::wstring GetSystemDirectory();
    // The folder with a trailing backslash; a lone "\" when the shell does not know it.
    [[nodiscard]] static std::wstring GetSpecialFolder(int getFolderType);
    [[nodiscard]] std::wstring GetExecFileFromDataFile() const;

private:
    std::wstring fileName_;
};

} // namespace ruvex
