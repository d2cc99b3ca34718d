// The wizard window: start-up, the slides, page switching and the pages 0 to 5 and 7.
#include "setup/main/TForm1.h"

#include "base/safefile.h"
#include "base/text.h"
#include "resources/SetupTexts.h"
#include "setup/common/Folders.h"
#include "setup/common/Messages.h"
#include "setup/common/Paths.h"
#include "setup/common/ShellFolders.h"
#include "setup/main/Placeholders.h"
#include "setup/main/Slide.h"
#include "setup/main/TForm1Layout.h"
#include "setup/main/TabSheet.h"
#include "setup/main/TextFile.h"

#include <shlobj.h>

#include <algorithm>

namespace setup {

namespace {

using namespace ids;
namespace win = ruvex::win;

// Posted at the first activation, so that the slide-in runs outside the activation itself.
constexpr UINT kSlideInMessage = WM_APP + 1;

} // namespace

bool TForm1::Create(bool uninstallSwitch) {
    // Fixed size: a single border, the system menu and the minimise box only.
    if (!CreateWindowOf(L"TForm1", kAppTitle, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN, 0, nullptr)) {
        return false;
    }
    SetMessageOwner(hwnd());
    // 12 pixels at 96 dpi.
    font_ = win::Font(win::kUiFace, 9, Dpi());
    fixedFont_ = win::Font(L"ＭＳ ゴシック", 9, Dpi());
    KeepScaled(fixedFont_);
    for (int page = 0; page < kPageCount; ++page) {
        const win::ControlSpec sheet[] = {TabSheetSpec(TabSheet(page), Px(kPageWidthPx), Px(kPageHeightPx))};
        AddControls(hwnd(), sheet, font_);
        pages_[page] = GetDlgItem(hwnd(), TabSheet(page));
        AddControls(pages_[page], FrameControls(page), font_);
        AddControls(pages_[page], PageControls(page), font_);
    }
    for (int id : {kAgreementText, kReadmeText}) {
        SendMessageW(Item(id), WM_SETFONT, reinterpret_cast<WPARAM>(fixedFont_.get()), FALSE);
        SendMessageW(Item(id), EM_SETLIMITTEXT, 0, 0);
    }
    SendMessageW(Item(kLaunchBox), BM_SETCHECK, BST_CHECKED, 0);
    FormCreate(uninstallSwitch);
    ShowWindow(hwnd(), SW_SHOW);
    return true;
}

void TForm1::FormCreate(bool uninstallSwitch) {
    SourceFolder = ProgramFolder();
    win::SetClientSizeTwips(hwnd(), Px(kPageWidthPx), Px(kPageHeightPx));
    // The file need not exist: every read then yields its default text.
    inf_ = std::make_unique<SetupInf>(SourceFolder + L"\\SETUP.INF");
    SoftwareName = inf_->Value(L"AboutSoftware", L"Name");
    SoftwareVersion = inf_->Value(L"AboutSoftware", L"Version");
    ReadmeFileName = inf_->Value(L"README", L"Name");
    LicenseFileName = inf_->Value(L"LICENSE", L"Name");
    // InstallFolder is still empty here, so "<Setup Folder>" inside this value becomes empty text.
    InstallFolder = Expand(inf_->Value(L"SetupFolder", L"Folder"));
    SectionNames = inf_->Sections();
    win::SetText(Item(Label(0)), SoftwareName + texts::kWelcome1 + texts::kCrLf2 + texts::kWelcome2 + SoftwareName +
                                     texts::kWelcome3 + texts::kCrLf2 + texts::kWelcome4);
    ShowPage(uninstallSwitch ? 7 : 0);

    // Centred horizontally, just above the screen: the slide-in brings it down.
    RECT r;
    GetWindowRect(hwnd(), &r);
    int left = RoundHalfEven((GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2.0);
    SetWindowPos(hwnd(), nullptr, left, -(r.bottom - r.top), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm1::FormActivate() {
    RECT r;
    GetWindowRect(hwnd(), &r);
    int height = r.bottom - r.top;
    Slide(hwnd(), -height, RoundHalfEven((GetSystemMetrics(SM_CYSCREEN) - height) / 2.0));
}

void TForm1::SlideOut() {
    if (slidOut_) {
        return;
    }
    slidOut_ = true;
    RECT r;
    GetWindowRect(hwnd(), &r);
    Slide(hwnd(), r.top, GetSystemMetrics(SM_CYSCREEN));
}

void TForm1::Close() {
    if (running_) {
        closeAfterRun_ = true;
        return;
    }
    // Closing is never refused; the guard only keeps a second close from starting during the slide.
    if (closing_ || !hwnd()) {
        return;
    }
    closing_ = true;
    SlideOut();
    DestroyWindow(hwnd());
}

HWND TForm1::Item(int id) const {
    for (HWND page : pages_) {
        if (HWND control = GetDlgItem(page, id)) {
            return control;
        }
    }
    return nullptr;
}

std::wstring TForm1::Expand(const std::wstring& value) const {
    return ExpandPlaceholders(value, FolderOrEnd(GetProgramFilesDir()), InstallFolder);
}

void TForm1::ShowPage(int page) {
    if (current_ >= 0) {
        ShowWindow(pages_[current_], SW_HIDE);
    }
    current_ = page;
    ShowWindow(pages_[page], SW_SHOW);
    HWND defaultButton = Item(KeysOfPage(page).defaultButton);
    if (IsWindowEnabled(defaultButton)) {
        SetFocus(defaultButton);
    }
    // What a page does when it is shown (the welcome page: nothing).
    static constexpr void (TForm1::*kOnShow[kPageCount])() = {
        nullptr,
        &TForm1::TabSheet2Show,
        &TForm1::TabSheet3Show,
        &TForm1::TabSheet4Show,
        &TForm1::TabSheet5Show,
        &TForm1::TabSheet6Show,
        &TForm1::TabSheet7Show,
        &TForm1::TabSheet8Show,
    };
    if (auto show = kOnShow[page]) {
        (this->*show)();
    }
}

LRESULT TForm1::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_ACTIVATE:
        if (LOWORD(wp) != WA_INACTIVE && firstActivation_) {
            firstActivation_ = false;
            PostMessageW(hwnd(), kSlideInMessage, 0, 0);
        }
        return Default(msg, wp, lp);
    case kSlideInMessage:
        FormActivate();
        return 0;
    case DM_GETDEFID:
        // The wizard has no IDOK button: Enter presses the page's default button.
        return current_ < 0 ? 0 : MAKELRESULT(KeysOfPage(current_).defaultButton, DC_HASDEFID);
    case WM_DRAWITEM:
        OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
        return TRUE;
    case WM_DPICHANGED:
        // The base has laid the tables out again; the launch box keeps fitting its caption.
        if (IsWindowVisible(Item(kLaunchBox))) {
            FitLaunchBox();
        }
        return 0;
    default:
        return Default(msg, wp, lp);
    }
}

void TForm1::OnOK() {
    if (current_ >= 0) {
        Press(KeysOfPage(current_).defaultButton);
    }
}

void TForm1::OnCancel() {
    if (current_ >= 0) {
        Press(KeysOfPage(current_).cancelButton);
    }
}

bool TForm1::OnCommand(int id, int code, HWND) {
    if (code == BN_CLICKED) {
        Press(id);
    }
    return true;
}

void TForm1::OnDrawItem(const DRAWITEMSTRUCT& item) {
    for (int page = 0; page < kPageCount; ++page) {
        if (static_cast<int>(item.CtlID) == Picture(page)) {
            // Blue on the install pages, red on the uninstall page.
            bool red = page == 7;
            PaintGradient(item.hDC, item.rcItem, red ? RGB(255, 0, 0) : RGB(0, 0, 255),
                          red ? RGB(130, 0, 0) : RGB(0, 0, 130));
        }
    }
}

void TForm1::Press(int id) {
    // Only the buttons of the page in view act, and only while they are enabled (Enter and Esc
    // come through the form, whatever has the focus).
    HWND button = id ? GetDlgItem(pages_[current_], id) : nullptr;
    if (!button || !IsWindowEnabled(button)) {
        return;
    }
    // The buttons that only turn the page, and the page they turn to.
    static constexpr struct {
        int id;
        int page;
    } kTurns[] = {{kWelcomeNext, 1},   {kAgreementBack, 0},   {kAgree, 2},         {kReadmeBack, 1}, {kReadmeNext, 3},
                  {kShortcutsBack, 3}, {kDestinationBack, 2}, {kShortcutsNext, 5}, {kReadyBack, 4},  {kInstall, 6}};
    // The buttons with a handler of their own.
    static constexpr struct {
        int id;
        void (TForm1::*handler)();
    } kHandlers[] = {{kDestinationNext, &TForm1::Button10Click},
                     {kBrowse, &TForm1::Button12Click},
                     {kFinish, &TForm1::Button19Click},
                     {kUninstall, &TForm1::Button20Click}};
    for (const auto& turn : kTurns) {
        if (turn.id == id) {
            ShowPage(turn.page);
            return;
        }
    }
    for (const auto& h : kHandlers) {
        if (h.id == id) {
            (this->*h.handler)();
            return;
        }
    }
    // Every page's cancel button (ｷｬﾝｾﾙ, 同意しない) closes the wizard; the check boxes act by themselves.
    if (id == KeysOfPage(current_).cancelButton) {
        Close();
    }
}

void TForm1::LoadTextBox(int id, const std::wstring& fileName) {
    std::wstring path = SourceFolder + L"\\" + fileName;
    auto text = LoadTextForDisplay(path);
    if (!text) {
        // The box keeps what it showed; the wizard goes on.
        ShowError(WithArgument(texts::kCannotOpenFile, path));
        return;
    }
    win::SetText(Item(id), *text);
}

void TForm1::TabSheet2Show() {
    LoadTextBox(kAgreementText, LicenseFileName);
}

void TForm1::TabSheet3Show() {
    LoadTextBox(kReadmeText, ReadmeFileName);
}

void TForm1::TabSheet4Show() {
    win::SetText(Item(kDestination), InstallFolder);
}

void TForm1::TabSheet5Show() {
    // At every showing, so coming back ticks every available box again.
    static const struct {
        int box;
        const wchar_t* kind;
    } boxes[] = {{kProgramGroupBox, kKindProgramGroup},
                 {kDesktopBox, kKindDeskTop},
                 {kStartupBox, kKindStartUp},
                 {kSendToBox, kKindSendTo}};
    for (const auto& b : boxes) {
        if (std::any_of(SectionNames.begin(), SectionNames.end(),
                        [&](const std::wstring& name) { return IsKind(name, b.kind); })) {
            win::Enable(Item(b.box), true);
            SendMessageW(Item(b.box), BM_SETCHECK, BST_CHECKED, 0);
        }
    }
}

void TForm1::TabSheet6Show() {
    win::SetText(Item(Label(5)), texts::kReadyLabel);
}

void TForm1::TabSheet8Show() {
    std::wstring name = inf_->Value(L"AboutSoftware", L"Name");
    win::SetText(Item(Label(7)), name + texts::kUninstall1 + texts::kCrLf2 + texts::kUninstall2 + name +
                                     texts::kUninstall3 + texts::kCrLf2 + texts::kUninstall4);
}

void TForm1::Button10Click() {
    std::wstring text = win::GetText(Item(kDestination));
    if (ruvex::FolderExists(text) ||
        AskYesNo(text + texts::kFolderMissing + texts::kCrLf2 + texts::kCreateFolderQuestion)) {
        InstallFolder = text;
        ShowPage(4);
    }
}

void TForm1::Button12Click() {
    BROWSEINFOW info{};
    info.hwndOwner = hwnd();
    info.lpszTitle = texts::kBrowseCaption;
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&info);
    if (!chosen) {
        return;
    }
    wchar_t path[MAX_PATH] = {};
    if (SHGetPathFromIDListW(chosen, path)) {
        win::SetText(Item(kDestination), path);
    }
    CoTaskMemFree(chosen);
}

} // namespace setup
