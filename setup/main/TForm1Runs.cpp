// The two runs as the wizard shows them: page 6's installation and its finish, page 7's uninstall.
// The runs themselves (InstallRun, UninstallRun) know nothing of the window; it is their host.
#include "setup/main/TForm1.h"

#include "resources/SetupTexts.h"
#include "setup/common/Messages.h"
#include "setup/common/Paths.h"
#include "setup/common/ShellFolders.h"
#include "setup/main/InstallRun.h"
#include "setup/main/TForm1Layout.h"
#include "setup/main/UninstallRun.h"

#include <shellapi.h>

namespace setup {

using namespace ids;
namespace win = ruvex::win;

std::wstring TForm1::ProgramFilesDir() {
    return FolderOrEnd(GetProgramFilesDir());
}

std::wstring TForm1::ShellFolderPath(ShellFolder which) {
    return FolderOrEnd(GetShellFolder(which));
}

void TForm1::Warning(const std::wstring& text) {
    ShowWarning(text);
}

void TForm1::Error(const std::wstring& text) {
    ShowError(text);
}

void TForm1::TabSheet7Show() {
    win::SetText(Item(Label(6)), texts::kInstallingLabel);
    UpdateWindow(hwnd());
    auto ticked = [&](int id) { return SendMessageW(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; };
    InstallJob job{inf_.get(),          SourceFolder,        InstallFolder,     SectionNames, ticked(kProgramGroupBox),
                   ticked(kStartupBox), ticked(kDesktopBox), ticked(kSendToBox)};
    HCURSOR cursor = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    running_ = true;
    InstallOutcome outcome = RunInstall(job, *this);
    running_ = false;
    SetCursor(cursor);
    switch (outcome) {
    case InstallOutcome::Completed:
        win::SetText(Item(Label(6)), texts::kInstalledLabel);
        ShowLaunchBox();
        win::Enable(Item(kFinish), true);
        SetFocus(Item(kFinish));
        break;
    case InstallOutcome::CopyFailed:
        // The program ends at once, as it always has here (the run was undone before the warning).
        ExitProcess(1);
    case InstallOutcome::EntryFailed:
        // Only closing the window is left.
        break;
    default:
        // A step failed and its warning was shown.
        PostMessageW(hwnd(), WM_CLOSE, 0, 0);
        break;
    }
    if (closeAfterRun_) {
        PostMessageW(hwnd(), WM_CLOSE, 0, 0);
    }
}

void TForm1::ShowLaunchBox() {
    if (!inf_->HasSection(L"AfterSetup")) {
        return;
    }
    HWND box = Item(kLaunchBox);
    win::SetText(box, inf_->Value(L"AfterSetup", L"Caption"));
    FitLaunchBox();
    ShowWindow(box, SW_SHOW);
}

// The launch box is as wide as its caption (in the form's font) and the check mark.
void TForm1::FitLaunchBox() {
    HWND box = Item(kLaunchBox);
    std::wstring caption = win::GetText(box);
    SIZE size{};
    {
        win::ScopedGetDC dc(box);
        win::ScopedSelectObject font(dc.get(), font_.get());
        GetTextExtentPoint32W(dc.get(), caption.c_str(), static_cast<int>(caption.size()), &size);
    }
    RECT r;
    GetWindowRect(box, &r);
    MapWindowPoints(nullptr, GetParent(box), reinterpret_cast<POINT*>(&r), 2);
    // Room for the check mark: 18 pixels at 96 dpi.
    MoveWindow(box, r.left, r.top, size.cx + MulDiv(18, static_cast<int>(Dpi()), 96), r.bottom - r.top, TRUE);
}

void TForm1::Button19Click() {
    std::wstring command = Expand(inf_->Value(L"AfterSetup", L"Command"));
    if (inf_->HasSection(L"AfterSetup") && SendMessageW(Item(kLaunchBox), BM_GETCHECK, 0, 0) == BST_CHECKED) {
        // The whole value names the file to open: it carries no arguments.
        ShellExecuteW(hwnd(), L"open", command.c_str(), nullptr, FolderWithSeparator(command).c_str(), SW_SHOWNORMAL);
    }
    inf_.reset();
    SectionNames.clear();
    Close();
}

void TForm1::Button20Click() {
    win::Enable(Item(kUninstall), false);
    win::Enable(Item(kUninstallCancel), false);
    UninstallJob job{inf_.get(), SourceFolder, InstallFolder, SectionNames, IsWindows95Family()};
    HCURSOR cursor = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    running_ = true;
    UninstallOutcome outcome = RunUninstall(job, *this);
    SetCursor(cursor);
    if (outcome == UninstallOutcome::RunOnceFailed) {
        // The run stopped; the window stays until the user closes it.
        running_ = false;
        win::Enable(Item(kUninstallCancel), true);
        if (closeAfterRun_) {
            PostMessageW(hwnd(), WM_CLOSE, 0, 0);
        }
        return;
    }
    inf_.reset();
    SectionNames.clear();
    // Asked even after a registry key failed and the window slid out: the user still has to know
    // that the rest goes at the next log-on.
    if (AskYesNo(job.windows95Family ? texts::kRestartQuestion : texts::kLogOffQuestion)) {
        ExitWindowsEx(job.windows95Family ? EWX_REBOOT : EWX_LOGOFF, 0);
    }
    running_ = false;
    PostMessageW(hwnd(), WM_CLOSE, 0, 0);
}

} // namespace setup
