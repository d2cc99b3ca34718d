// The setup program's three message boxes, captioned "Setup" and owned by the wizard window.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace setup {

inline constexpr const wchar_t* kAppTitle = L"Setup";

// The wizard window sets itself as the owner of every box once it exists.
void SetMessageOwner(HWND owner) noexcept;
[[nodiscard]] HWND MessageOwner() noexcept;

[[nodiscard]] bool AskYesNo(const std::wstring& text);
void ShowError(const std::wstring& text);
void ShowWarning(const std::wstring& text);

// The folder the registry gave; when it gave none, the damaged-registry error and the program ends at
// once: nothing sensible can be installed without the program-files and shell folders.
[[nodiscard]] std::wstring FolderOrEnd(const std::optional<std::wstring>& folder);

// pattern with its "%s" replaced by argument (the framework-style messages).
[[nodiscard]] std::wstring WithArgument(const std::wstring& pattern, const std::wstring& argument);

} // namespace setup
