// The one interface through which the engine talks to the user while it works.
//
// Implementations: Form1 (uninstaller/ui/Form1Host.cpp, the main window and its please-wait window Form10),
// ScriptedHost (tests/unit/ScriptedHost.h, scripted answers for the engine tests) and QuietHost
// (bench/DatabaseBench.cpp, the engine's own cost).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ruvex {

// The progress bars that a run may drive; they share one maximum.
enum class ProgressBar { Main, Wait };

// Message box kinds, as the user sees them (icon and buttons).
enum class MessageKind { Information, Warning, Critical };
enum class QuestionKind {
    YesNoWarning,
    YesNoWarningDefaultNo,
    YesNoQuestion,
    OkCancelDefaultCancel,
    RetryCancelWarning
};
enum class Answer { Yes = 6, No = 7, Ok = 1, Cancel = 2, Retry = 4 };

// The phases of a monitored installation that the working lists show.
enum class RunPhase {
    Walk,       // the drives walked: folders and files found
    NewFolders, // the folders before and after
    AddedFiles, // the files before and after
};

struct WalkLists;

class RunHost {
public:
    virtual ~RunHost() = default;

    // The maximum shared by every progress bar; each run sets it before it gives positions.
    virtual void SetProgressMax(double max) = 0;
    virtual void SetProgressPos(ProgressBar bar, double pos) = 0;
    // PMax: the please-wait bar at its maximum, as every phase that shows progress ends.
    virtual void PMax() = 0;
    // The please-wait window's label ("... 、しばらくお待ちください。"); set even while the window is hidden.
    virtual void SetWaitLabel(std::wstring_view text) = 0;
    // Shows the please-wait window without blocking (or closes it).
    virtual void ShowWaitWindow(bool show) = 0;
    // The hourglass pointer while a pass over the database runs.
    virtual void SetBusy(bool busy) = 0;
    // The file or line in hand: the main window shows it in its caption while it is minimised.
    virtual void InHand(std::wstring_view text) = 0;
    // Lets the window process what is pending and show how the working lists grew; never stops the run.
    virtual void ProcessEvents() = 0;
    // Lets the window process what is pending (and show how the working lists grew). When the user has
    // asked to stop, the window asks whether to stop and returns the answer: true means the run must end
    // now and return Stopped. It only asks: the command that started the run then does the stop procedure.
    [[nodiscard]] virtual bool StopPoint() = 0;
    // An empty title means the application title.
    virtual Answer Ask(std::wstring_view text, std::wstring_view title, QuestionKind kind) = 0;
    virtual void Message(std::wstring_view text, std::wstring_view title, MessageKind kind) = 0;
    // Empty text when the user cancels.
    virtual std::wstring AskText(std::wstring_view prompt, std::wstring_view title) = 0;

    // A monitored installation. A phase begins: the working lists are emptied and captioned for it (a walk
    // also takes the commands and the stop button).
    virtual void BeginPhase(RunPhase phase) = 0;
    // The lists the window shows while they grow; nullptr: they stopped growing, painted whole. While the
    // walk writes its file list as it goes (WalkLists::filesOut), the host may take the entries of List2 it
    // has shown, leaving them empty.
    virtual void FollowLists(WalkLists* lists) = 0;
    // The win.ini sections that changed since the preparation (List3).
    virtual void ShowSections(const std::vector<std::wstring>& sections) = 0;
    // The installed software's name, asked until one is given; empty only when the program is closing.
    virtual std::wstring SoftwareName() = 0;
};

} // namespace ruvex
