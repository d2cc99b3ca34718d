// The wizard window: eight pages on a tab-less page control, driven by the SETUP.INF beside the program.
#pragma once

#include "base/win/ModalWindow.h"
#include "setup/main/SetupHost.h"
#include "setup/main/SetupIds.h"
#include "setup/main/SetupInf.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace setup {

// A modal window without an owner (as 7-Zip's installer runs its main dialog): RunModal is the program's
// message loop, with Enter and Esc pressing the page's default and cancel buttons; it ends when the
// window is destroyed.
class TForm1 : public ruvex::win::ModalWindow, private SetupHost {
public:
    TForm1() = default;
    // Creates the window, reads SETUP.INF and shows the start page (7 for "/r", else 0).
    bool Create(bool uninstallSwitch);

private:
    // The runs' host: the registry folders and the boxes, as the user sees them.
    std::wstring ProgramFilesDir() override;
    std::wstring ShellFolderPath(ShellFolder which) override;
    void Warning(const std::wstring& text) override;
    void Error(const std::wstring& text) override;
    void CloseWindow() override { SlideOut(); }

    void FormCreate(bool uninstallSwitch);
    void FormActivate();
    // Slides the window out (once) and destroys it; a close asked for during a run waits for its end.
    void Close();
    void SlideOut();
    void ShowLaunchBox();
    void FitLaunchBox();
    void ShowPage(int page);
    [[nodiscard]] HWND Item(int id) const;
    // ExpandPlaceholders with the program-files folder read afresh and the current InstallFolder.
    [[nodiscard]] std::wstring Expand(const std::wstring& value) const;
    void LoadTextBox(int id, const std::wstring& fileName);
    // Enter, Esc and the close box: the page's default button, its cancel button, Close.
    void OnOK() override;
    void OnCancel() override;
    void OnClose() override { Close(); }
    bool OnCommand(int id, int code, HWND control) override;
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    // A button of the page in view, while it is enabled.
    void Press(int id);
    void OnDrawItem(const DRAWITEMSTRUCT& item);

    void TabSheet2Show();
    void TabSheet3Show();
    void TabSheet4Show();
    void TabSheet5Show();
    void TabSheet6Show();
    void TabSheet7Show();
    void TabSheet8Show();
    void Button10Click();
    void Button12Click();
    void Button19Click();
    void Button20Click();

    std::unique_ptr<SetupInf> inf_; // the definition file, kept from start-up to the end of a run
    std::wstring SourceFolder;
    std::wstring InstallFolder;
    std::wstring SoftwareName;
    std::wstring SoftwareVersion;
    std::wstring ReadmeFileName;
    std::wstring LicenseFileName;
    std::vector<std::wstring> SectionNames;

    std::array<HWND, ids::kPageCount> pages_{};
    int current_ = -1;
    ruvex::win::Font fixedFont_;
    bool firstActivation_ = true;
    bool slidOut_ = false;
    bool closing_ = false;
    bool running_ = false;
    bool closeAfterRun_ = false;
};

} // namespace setup
