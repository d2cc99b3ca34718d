#include "setup/common/Messages.h"

#include "resources/SetupTexts.h"

namespace setup {

namespace {
HWND g_owner = nullptr;
}

void SetMessageOwner(HWND owner) noexcept {
    g_owner = owner;
}
HWND MessageOwner() noexcept {
    return g_owner;
}

bool AskYesNo(const std::wstring& text) {
    return MessageBoxW(g_owner, text.c_str(), kAppTitle, MB_YESNO | MB_ICONINFORMATION) == IDYES;
}

void ShowError(const std::wstring& text) {
    MessageBoxW(g_owner, text.c_str(), kAppTitle, MB_OK | MB_ICONERROR);
}

void ShowWarning(const std::wstring& text) {
    MessageBoxW(g_owner, text.c_str(), kAppTitle, MB_OK | MB_ICONWARNING);
}

std::wstring FolderOrEnd(const std::optional<std::wstring>& folder) {
    if (!folder) {
        ShowError(texts::kShellFolderMissing);
        // No clean-up and no slide-out: the window may be in the middle of a run.
        ExitProcess(1);
    }
    return *folder;
}

std::wstring WithArgument(const std::wstring& pattern, const std::wstring& argument) {
    std::wstring out = pattern;
    std::size_t at = out.find(L"%s");
    if (at != std::wstring::npos) {
        out.replace(at, 2, argument);
    }
    return out;
}

} // namespace setup
