// Form1 as the run host: the engine's runs report progress, ask and tell through these.
#include "uninstaller/ui/Form1.h"

#include "resources/RuvexTexts.h"
#include "uninstaller/ui/InputBox.h"
#include "uninstaller/ui/MessagePump.h"

namespace ruvex::ui {

namespace {

std::wstring TitleOr(std::wstring_view title) {
    return title.empty() ? texts::AppTitle : std::wstring(title);
}

// A pump costs about 50 µs even with nothing pending: a stop point pumps at most every 10 ms.
constexpr DWORD kPumpInterval = 10;

} // namespace

void Form1::SetProgressMax(double max) {
    CProgBar32::SetMax(max);
}

void Form1::SetProgressPos(ProgressBar bar, double pos) {
    (bar == ProgressBar::Main ? mainProgressBar_ : form10_.WaitProgressBar()).SetProgBarPos(pos);
}

void Form1::SetWaitLabel(std::wstring_view text) {
    form10_.SetLabel(std::wstring(text));
}

void Form1::PMax() {
    form10_.PMax();
}

void Form1::ShowWaitWindow(bool show) {
    if (show) {
        form10_.Show(form10_.Label());
    } else {
        form10_.Unload();
    }
}

void Form1::SetBusy(bool busy) {
    SetCursorWait(busy);
}

void Form1::InHand(std::wstring_view text) {
    inHand_ = text;
}

void Form1::ProcessEvents() {
    // Painted at the lists' own pace, not at every pump: a pump comes every 10 ms, and each repaint of a
    // list box costs milliseconds under Wine (more the longer its paths), which doubled a walk's time.
    SyncWalk(false);
    PumpMessages();
}

bool Form1::StopPoint() {
    DWORD now = GetTickCount();
    if (now - lastPump_ >= kPumpInterval) {
        lastPump_ = now;
        ProcessEvents();
    }
    // Only asks: on Yes the engine returns Stopped and the command that started the run stops it. A closed
    // window stops the run without a question.
    return quitting_ || (Tyuudan && StopQuestion());
}

Answer Form1::Ask(std::wstring_view text, std::wstring_view title, QuestionKind kind) {
    if (quitting_) {
        return kind == QuestionKind::YesNoWarning || kind == QuestionKind::YesNoQuestion ? Answer::No : Answer::Cancel;
    }
    UINT flags = MB_YESNO | MB_ICONEXCLAMATION;
    if (kind == QuestionKind::YesNoWarningDefaultNo) {
        flags = MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2;
    } else if (kind == QuestionKind::YesNoQuestion) {
        flags = MB_YESNO | MB_ICONQUESTION;
    } else if (kind == QuestionKind::OkCancelDefaultCancel) {
        flags = MB_OKCANCEL | MB_ICONEXCLAMATION | MB_DEFBUTTON2;
    } else if (kind == QuestionKind::RetryCancelWarning) {
        flags = MB_RETRYCANCEL | MB_ICONEXCLAMATION;
    }
    return static_cast<Answer>(MessageBoxW(hwnd(), std::wstring(text).c_str(), TitleOr(title).c_str(), flags));
}

void Form1::Message(std::wstring_view text, std::wstring_view title, MessageKind kind) {
    if (quitting_) {
        return;
    }
    form10_.WaitProgressBar().Flush(); // a bar whose painting a run held back shows where it stands
    UINT icon = kind == MessageKind::Information ? MB_ICONINFORMATION
                : kind == MessageKind::Warning   ? MB_ICONEXCLAMATION
                                                 : MB_ICONERROR;
    MessageBoxW(hwnd(), std::wstring(text).c_str(), TitleOr(title).c_str(), MB_OK | icon);
}

std::wstring Form1::AskText(std::wstring_view prompt, std::wstring_view title) {
    if (quitting_) {
        return {};
    }
    return InputBox::Ask(hwnd(), std::wstring(prompt), std::wstring(title));
}

} // namespace ruvex::ui
