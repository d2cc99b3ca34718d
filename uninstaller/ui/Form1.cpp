#include "uninstaller/ui/Form1.h"

#include "resources/RuvexTexts.h"
#include "uninstaller/monitor/database.h"
#include "uninstaller/ui/ControlIds.h"
#include "uninstaller/ui/Form4.h"

#include <shellapi.h>

#include <utility>

namespace ruvex::ui {

bool Form1::Load(HWND splash) {
    if (!CreateWindowOf(L"RuvexForm1", texts::MainCaption,
                        WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN, 0, nullptr)) {
        return false;
    }
    font_ = win::Font(L"ＭＳ Ｐゴシック", 9, win::DpiOf(hwnd()));
    CreateMenus();
    win::SetClientSizeTwips(hwnd(), 7335, 5655);
    CreateLayout();

    clsTabStrip_.BeforeClick = [](bool&) {};
    clsTabStrip_.Click = [this] { clsTabStrip_Click(); };
    SendMessageW(Item(ids::PicTabs), WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    clsTabStrip_.SetPictureBox(Item(ids::PicTabs));
    clsTabStrip_.TabsAdd(0, texts::TabRelatedFiles);
    clsTabStrip_.TabsAdd(1, texts::TabFileInfo);
    clsTabStrip_.TabsAdd(2, texts::TabWinIni);
    clsTabStrip_.TabsAdd(3, texts::TabRegistry);
    clsTabStrip_.SetSelectedItem(1);

    mainProgressBar_.SetParent(Item(ids::ProgressPic1));
    mainProgressBar_.Create();
    win::CenterOnScreen(hwnd());
    mainProgressBar_.SetProgBarPos(CProgBar32::Max());

    FileResult created = CreateEmptyDatabase(DataFolder);
    if (!created) {
        Message(std::wstring(texts::StartupFailed) + L"\r\n" + DatabasePath(DataFolder) + L"\r\n" +
                    ErrorText(created.error),
                texts::BoxTitle, MessageKind::Critical);
        return false;
    }
    if (!form10_.Load(hwnd())) {
        return false;
    }
    // The options dialog, loaded hidden and kept, reads option.dat and sets the tool tips.
    if (!LoadSettings()) {
        return false;
    }
    EnableButtons({kInspectionCommand}, false);
    EnableButtons(kRecordCommands, false);
    if (StartingUp && splash) {
        ShowWindow(splash, SW_HIDE);
        UpdateWindow(GetDesktopWindow());
    }
    // The check for deleted files, unless the options say not to.
    StartupKilled();
    SoftHyouji();
    SetFocus(Item(ids::Command1));
    return true;
}

void Form1::Show() {
    // The system may refuse the window the foreground, and then its first activation would come only
    // with the first message box of a later run: the check for an interrupted run is queued as well.
    PostMessageW(hwnd(), kFirstActivationCheck, 0, 0);
    ShowWindow(hwnd(), SW_SHOW);
    SetForegroundWindow(hwnd());
    UpdateWindow(hwnd());
    SetFocus(Item(ids::Command1));
}

void Form1::EnableButtons(std::span<const int> commands, bool enabled) {
    for (int n : commands) {
        win::Enable(Item(ids::Command(n)), enabled);
    }
}

void Form1::SetCursorWait(bool wait) {
    SetCursor(LoadCursorW(nullptr, wait ? IDC_WAIT : IDC_ARROW));
}

struct Form1Commands {
    using Handler = void (Form1::*)();

    // The buttons' handlers by command number (a button, its menu entry, its pop-up entry and its shortcut key
    // run the same one).
    static constexpr Handler kButtons[] = {
        nullptr,
        &Form1::Command1_Click,
        &Form1::Command2_Click,
        &Form1::Command3_Click,
        &Form1::Command4_Click,
        &Form1::Command5_Click,
        &Form1::Command6_Click,
        &Form1::Command7_Click,
        &Form1::Command8_Click,
        &Form1::Command9_Click,
        &Form1::Command10_Click,
        &Form1::Command11_Click,
        &Form1::Command12_Click,
        &Form1::Command13_Click,
        &Form1::Command14_Click,
        &Form1::Command15_Click,
    };

    // The menu entries that have no button.
    static constexpr std::pair<int, Handler> kMenuEntries[] = {
        {ids::mnuBackUp, &Form1::mnuBackUp_Click},   {ids::mnuFukugen, &Form1::mnuFukugen_Click},
        {ids::mnuControl, &Form1::mnuControl_Click}, {ids::mnuHomePage, &Form1::mnuHomePage_Click},
        {ids::mnuEMail, &Form1::mnuEMail_Click},
    };
};

void Form1::RunButton(int command) {
    // Menu entries and shortcut keys act only while their button is enabled.
    if (command < 1 || command > 15 || !IsWindowEnabled(Item(ids::Command(command)))) {
        return;
    }
    RunCommand(Form1Commands::kButtons[command]);
}

void Form1::RunCommand(void (Form1::*handler)()) {
    ++commandDepth_;
    namedFailure_.clear();
    (this->*handler)();
    --commandDepth_;
    if (quitting_ && commandDepth_ == 0) {
        DestroyWindow(hwnd());
    }
}

// The window was closed (close box, Alt+F4, the system menu, another program). During a command the
// program may not be torn down under it: the run is told to stop without asking, every question and
// message of the run is skipped, and the window is destroyed once the command has returned. The run's
// files are each written whole or not at all, and the continue marker stays for the next start.
void Form1::OnClose() {
    if (commandDepth_ == 0) {
        DestroyWindow(hwnd());
        return;
    }
    quitting_ = true;
    Tyuudan = true;
    form10_.Unload();
    ShowWindow(hwnd(), SW_HIDE);
}

void Form1::OnCommand(int id, int code, HWND control) {
    if (id >= ids::Command1 && id <= ids::Command15) {
        RunButton(id - ids::Command(0));
    } else if (id >= ids::Popup(1) && id <= ids::Popup(15)) {
        RunButton(id - ids::Popup(0));
    } else if (id == IDOK) {
        RunButton(1);
    } else if (id == IDCANCEL) {
        RunButton(4);
    } else if (id == ids::List1 && code == LBN_SELCHANGE) {
        List1_Click();
    } else if (id == ids::List2 && code == LBN_SELCHANGE) {
        List2_Click();
    } else if (id == ids::List2 && code == LBN_DBLCLK) {
        List2_DblClick();
    } else {
        for (const auto& [entry, handler] : Form1Commands::kMenuEntries) {
            if (id == entry && (backupAllowed_ || (id != ids::mnuBackUp && id != ids::mnuFukugen))) {
                RunCommand(handler);
            }
        }
    }
    (void)control;
}

void Form1::Command4_Click() {
    // While a scan runs the exit button is its stop button.
    if (run_ != RunKind::None) {
        Tyuudan = true;
        return;
    }
    SetCursorWait(true);
    DestroyWindow(hwnd());
}

void Form1::Command5_Click() {
    // Whether the shell found a program for the help file is not examined: a missing file shows nothing.
    std::wstring help = DataFolder + L"\\ruvex.htm";
    ShellExecuteW(GetDesktopWindow(), L"open", help.c_str(), nullptr, L"", SW_SHOW);
}

void Form1::Command6_Click() {
    VersionWindowMode = true;
    Form4 version;
    if (version.Load(hwnd())) {
        version.ShowModal();
    }
}

void Form1::OnFirstActivation() {
    if (!FirstActivation) {
        return;
    }
    if (FileExists(DataFolder + L"\\continue")) {
        RunCommand(&Form1::Continue);
    } else {
        FirstActivation = false;
    }
}

LRESULT Form1::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_COMMAND:
        OnCommand(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp));
        return 0;
    case DM_GETDEFID:
        return MAKELRESULT(ids::Command1, DC_HASDEFID);
    case WM_ACTIVATE:
        if (LOWORD(wp) != WA_INACTIVE) {
            OnFirstActivation();
        }
        break;
    case kFirstActivationCheck:
        OnFirstActivation();
        return 0;
    case WM_SIZE:
        // The scans name the file in hand in the caption; a resize puts the plain caption back.
        win::SetText(hwnd(), texts::MainCaption);
        break;
    case WM_INITMENUPOPUP:
        InitMenuPopup(reinterpret_cast<HMENU>(wp));
        return 0;
    case WM_CONTEXTMENU: {
        HWND list = reinterpret_cast<HWND>(wp);
        if (list == List1.view() || list == List2.view()) {
            ShowPopup(list, lp);
            return 0;
        }
        break;
    }
    case WM_CLOSE:
        OnClose();
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return Default(msg, wp, lp);
}

} // namespace ruvex::ui
