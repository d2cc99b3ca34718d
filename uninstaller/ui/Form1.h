// Form1, the main window: the software list, the selected software's files and win.ini sections under a
// tab strip, the fifteen command buttons, the menus, and the run host through which the engine's runs
// report to the user.
#pragma once

#include "base/win/Window.h"
#include "uninstaller/monitor/RunHost.h"
#include "uninstaller/ui/CProgBar32.h"
#include "uninstaller/monitor/inspect.h"
#include "uninstaller/monitor/run.h"
#include "uninstaller/monitor/snapshot.h"
#include "uninstaller/ui/Form10.h"
#include "uninstaller/ui/Form2.h"
#include "uninstaller/ui/ToolTips.h"
#include "uninstaller/ui/Globals.h"
#include "uninstaller/ui/WinHandles.h"
#include "uninstaller/ui/WorkList.h"
#include "uninstaller/ui/cTabStrip.h"

#include <array>
#include <initializer_list>
#include <span>
#include <string>
#include <vector>

namespace ruvex::ui {

inline constexpr UINT kFirstActivationCheck = WM_APP + 1;

class Form1 final : public win::BaseWindow<Form1>, public RunHost {
public:
    // Creates the window hidden and runs its load steps (hiding the splash on the way); false (with the
    // reason shown) when it cannot start.
    bool Load(HWND splash);
    void Show();
    [[nodiscard]] HACCEL accelerators() const noexcept { return accelerators_.get(); }

    // Run variables of the scans; the walk keeps its own FastFile per folder, and every question's answer
    // is a return value.
    bool Tyuudan = false; // stop requested
    bool Pro = false;     // progress display suppressed

    WorkList List1, List2, List3;
    WorkList List4; // the registry tab: the selected record's registry lines as they stand now

    // Reloads the software list and returns to normal display.
    void SoftHyouji();
    // Renames the first tab (removes it and inserts moji in its place).
    void TabCaption(const std::wstring& moji);

    // RunHost
    void SetProgressMax(double max) override;
    void SetProgressPos(ProgressBar bar, double pos) override;
    void SetWaitLabel(std::wstring_view text) override;
    void PMax() override;
    void ShowWaitWindow(bool show) override;
    void SetBusy(bool busy) override;
    void InHand(std::wstring_view text) override;
    void ProcessEvents() override;
    bool StopPoint() override;
    Answer Ask(std::wstring_view text, std::wstring_view title, QuestionKind kind) override;
    void Message(std::wstring_view text, std::wstring_view title, MessageKind kind) override;
    std::wstring AskText(std::wstring_view prompt, std::wstring_view title) override;
    void BeginPhase(RunPhase phase) override;
    void FollowLists(WalkLists* lists) override;
    void ShowSections(const std::vector<std::wstring>& sections) override;
    std::wstring SoftwareName() override;

    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);

private:
    friend struct Form1Commands; // the table of command handlers (Form1.cpp)

    // Layout (Form1Layout.cpp)
    void CreateLayout();
    void SetButtonPictures();
    // Menus (Form1Menu.cpp)
    void CreateMenus();
    void InitMenuPopup(HMENU menu);
    void ShowPopup(HWND list, LPARAM at);
    // Commands (Form1.cpp)
    void OnCommand(int id, int code, HWND control);
    void RunButton(int command);
    void OnFirstActivation();
    void RunCommand(void (Form1::*handler)());
    void OnClose();
    // Lists (Form1Lists.cpp)
    [[nodiscard]] bool NormalDisplay() const;
    void List1_Click();
    void List2_Click();
    void List2_DblClick();
    void clsTabStrip_Click();
    void Tab2();
    void Fclear();
    void ClearRecordLists();
    void SelectedRecordLoaded();
    void RecordUnreadable(const FileResult& read);

    // The buttons' handlers.
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Command7_Click();
    void Command8_Click();
    void Command9_Click();
    void Command10_Click();
    void Command11_Click();
    void Command12_Click();
    void Command13_Click();
    void Command14_Click();
    void Command15_Click();
    // Menu entries without a button (Form1Menu.cpp).
    void mnuBackUp_Click();
    void mnuFukugen_Click();
    void mnuControl_Click();
    void mnuHomePage_Click();
    void mnuEMail_Click();
    // The missing-file check of start-up (unless the options turn it off) and the resumption of an
    // interrupted scan.
    void StartupKilled();
    void Continue();
    // Settings (Form1Settings.cpp)
    bool LoadSettings();
    // Monitor runs (Form1Monitor.cpp)
    // The run in progress decides what the exit button does: while a walk runs it is the stop button.
    enum class RunKind { None, Preparation, Inspection };
    // What the lists show: the recorded software (clicks load records) or a walk's folders and files.
    enum class Display { Software, Walk };
    void Tomaru1();
    void Tomaru2();
    [[nodiscard]] bool StopQuestion();
    void SetRun(RunKind run);
    void ShowWalkLists(const wchar_t* label2, const wchar_t* firstTab);
    [[nodiscard]] bool ResumeLoad();
    void WaitForInspection(const Options& options);
    void IdleCommands();
    void BackToIdle();
    void WalkStarts();
    void EnableBackupMenus(bool enabled);
    [[nodiscard]] MonitorRequest CurrentRequest(RunKind command);
    [[nodiscard]] bool RunCompleted(const RunResult& result, const MonitorRequest& request);
    void SyncWalk(bool paintNow);
    [[noreturn]] void TooManyFiles(bool allFolders);
    // The failure named (the result's own path, else the one given); false when the result is one.
    bool ReportWrite(const FileResult& result, const std::wstring& path = {});

    [[nodiscard]] HWND Item(int id) const noexcept { return GetDlgItem(hwnd(), id); }
    // The command buttons by number, in the groups that go on and off together.
    static constexpr int kInspectionCommand = 2;
    static constexpr std::array<int, 4> kSoftwareCommands{3, 9, 11, 12};           // act on the selected software
    static constexpr std::array<int, 3> kFileCommands{10, 13, 15};                 // act on the files selected in List2
    static constexpr std::array<int, 7> kRecordCommands{3, 9, 10, 11, 12, 13, 15}; // the two groups together
    static constexpr std::array<int, 4> kIdleCommands{1, 7, 8, 14};                // need no selection
    static constexpr std::array<int, 2> kMonitorCommands{1, 2};                    // preparation, inspection
    // Every command but exit (the stop button then), help and version: off while a preparation walks.
    static constexpr std::array<int, 12> kAllButStop{1, 2, 3, 7, 8, 9, 10, 11, 12, 13, 14, 15};
    void EnableButtons(std::span<const int> commands, bool enabled);
    void EnableButtons(std::initializer_list<int> commands, bool enabled) {
        EnableButtons(std::span<const int>(commands.begin(), commands.size()), enabled);
    }
    void SetCursorWait(bool wait);

    win::Font font_;
    cTabStrip clsTabStrip_;
    std::vector<std::wstring> registryLines_; // the selected record's registry lines, as recorded
    CProgBar32 mainProgressBar_;
    Form10 form10_;
    ImageList buttonPictures_[16];
    Accelerators accelerators_;
    DWORD lastPump_ = 0;
    Form2 form2_;
    ToolTips tips_;
    RunKind run_ = RunKind::None;
    RunKind command_ = RunKind::None; // the monitor command whose run is under way
    RunPhase phase_ = RunPhase::Walk;
    // Backup and restore: off from a preparation's start (or a resume) until the inspection ends, so that
    // the database is not replaced while an inspection is pending; their shortcut keys check it too.
    bool backupAllowed_ = true;
    // Closing the window while a command runs ends the program once that command has unwound.
    int commandDepth_ = 0;
    bool quitting_ = false;
    Display display_ = Display::Software;
    // The software names last read from the database: what List1 shows again when a reload cannot read it.
    std::vector<std::wstring> softwareNames_;
    // The file whose failure this command has named already: the reload that ends the command does not
    // name it a second time.
    std::wstring namedFailure_;
    WalkLists* walk_ = nullptr; // the lists a run fills, which List1 and List2 show
    // The entries of walk_->List2 that only List2's list box holds now.
    std::size_t takenFiles_ = 0;
    std::wstring inHand_;
    // The minimised window's caption names the file in hand, at the pace the lists are painted.
    static constexpr DWORD kCaptionInterval = 40;
    DWORD lastCaption_ = 0;
};

} // namespace ruvex::ui
