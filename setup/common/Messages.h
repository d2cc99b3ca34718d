// The setup program's three message boxes, captioned "Setup" and owned by the wizard window.
#pragma once

#include <windows.h>

#include <string>

namespace setup {

inline constexpr const wchar_t* kAppTitle = L"Setup";

// The wizard window sets itself as the owner of every box once it exists.
void SetMessageOwner(HWND owner) noexcept;
[[nodiscard]] HWND MessageOwner() noexcept;

[[nodiscard]] bool AskYesNo(const std::wstring& text);
void ShowError(const std::wstring& text);
void ShowWarning(const std::wstring& text);

// pattern with its "%s" replaced by argument (the framework-style messages).
[[nodiscard]] std::wstring WithArgument(const std::wstring& pattern, const std::wstring& argument);

} // namespace setup
