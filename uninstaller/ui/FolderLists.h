// The folder list and file list of the choosers (Form5, Form6): Dir1 shows the path from the root down,
// indented a step a level, then the subfolders of the folder; File1 its files.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace ruvex::ui {

class FolderLists {
public:
    using FileFilter = bool (*)(const std::wstring& name);

    void Attach(HWND dir, HWND files, FileFilter keep = nullptr) noexcept;
    // Shows folder (a root ends with its backslash) in Dir1 and its files in File1.
    void SetPath(const std::wstring& folder);
    [[nodiscard]] const std::wstring& Path() const noexcept { return folder_; }
    // The folder that Dir1's highlighted entry stands for (empty: none).
    [[nodiscard]] std::wstring Highlighted() const;

private:
    HWND dir_ = nullptr;
    HWND files_ = nullptr;
    FileFilter keep_ = nullptr;
    std::wstring folder_;
    std::vector<std::wstring> dirPaths_; // the folder of each Dir1 entry
};

// Folder + "\" + name, without doubling the backslash of a root.
[[nodiscard]] std::wstring ChosenPath(const std::wstring& folder, const std::wstring& name);

} // namespace ruvex::ui
