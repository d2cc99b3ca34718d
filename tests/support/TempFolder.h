// Real temporary folders for the tests (inside the prefix's C:, never the Windows folder).
#pragma once

#include <string>

namespace testsupport {

enum class Links { Remove, Keep };
// Removes everything in a folder but the folder itself; links (reparse points) are removed without being
// entered, or kept.
void EmptyFolder(const std::wstring& folder, Links links);
// Removes a folder and everything below it (reparse points are removed, not entered); true when it is gone.
bool RemoveTree(const std::wstring& folder);
// "Q:" or another letter that stands for no drive here.
std::wstring AbsentDrive();
// A name that no other test process or earlier run uses.
std::wstring UniqueName(const std::wstring& stem);

// A fresh, empty folder under the temporary folder, removed with the object.
class TempFolder {
public:
    explicit TempFolder(const std::wstring& stem = L"rvx");
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    [[nodiscard]] const std::wstring& path() const noexcept { return path_; }
    [[nodiscard]] std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }

private:
    std::wstring path_;
};

} // namespace testsupport
