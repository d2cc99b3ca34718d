#include "setup/main/TForm1Layout.h"

#include "resources/SetupTexts.h"
#include "setup/main/SetupIds.h"

#include <commctrl.h>

namespace setup {

namespace {

using ruvex::win::ControlSpec;
namespace t = texts;
using namespace ids;

constexpr DWORD kVisible = WS_VISIBLE;
constexpr DWORD kButton = WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kDefault = WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON;
constexpr DWORD kLabel = WS_VISIBLE | SS_LEFT | SS_NOPREFIX;
constexpr DWORD kMemo = WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL;
constexpr DWORD kCheck = WS_VISIBLE | WS_TABSTOP | WS_DISABLED | BS_AUTOCHECKBOX;

const ControlSpec kTabSheet1[] = {
    {WC_BUTTON, kWelcomeNext, t::kNext, kDefault, Px(408), Px(256), Px(75), Px(25)},
    {WC_BUTTON, kWelcomeCancel, t::kCancel, kButton, Px(496), Px(256), Px(75), Px(25)},
};

const ControlSpec kTabSheet2[] = {
    {WC_EDIT, kAgreementText, nullptr, kMemo, Px(64), Px(56), Px(497), Px(169), WS_EX_CLIENTEDGE},
    {WC_BUTTON, kAgreementBack, t::kBack, kButton, Px(328), Px(256), Px(75), Px(25)},
    {WC_BUTTON, kAgree, t::kAgree, kDefault, Px(408), Px(256), Px(75), Px(25)},
    {WC_BUTTON, kDisagree, t::kDisagree, kButton, Px(496), Px(256), Px(75), Px(25)},
};

const ControlSpec kTabSheet3[] = {
    {WC_EDIT, kReadmeText, nullptr, kMemo, Px(64), Px(56), Px(497), Px(169), WS_EX_CLIENTEDGE},
    {WC_BUTTON, kReadmeBack, t::kBack, kButton, Px(328), Px(256), Px(75), Px(25)},
    {WC_BUTTON, kReadmeNext, t::kNext, kDefault, Px(408), Px(256), Px(75), Px(25)},
    {WC_BUTTON, kReadmeCancel, t::kCancel, kButton, Px(496), Px(256), Px(75), Px(25)},
};

const ControlSpec kTabSheet4[] = {
    {WC_EDIT, kDestination, nullptr, kVisible | WS_TABSTOP | ES_AUTOHSCROLL, Px(64), Px(56), Px(497), Px(21),
     WS_EX_CLIENTEDGE},
    {WC_BUTTON, kBrowse, t::kBrowse, kButton, Px(64), Px(88), Px(75), Px(25)},
    {WC_BUTTON, kDestinationBack, t::kBack, kButton, Px(328), Px(256), Px(75), Px(25)},
    {WC_BUTTON, kDestinationNext, t::kNext, kDefault, Px(408), Px(256), Px(75), Px(25)},
    {WC_BUTTON, kDestinationCancel, t::kCancel, kButton, Px(496), Px(256), Px(75), Px(25)},
};

const ControlSpec kTabSheet5[] = {
    {WC_BUTTON, kProgramGroupBox, t::kProgramGroupBox, kCheck, Px(64), Px(64), Px(300), Px(17)},
    {WC_BUTTON, kDesktopBox, t::kDesktopBox, kCheck, Px(64), Px(88), Px(300), Px(17)},
    {WC_BUTTON, kStartupBox, t::kStartupBox, kCheck, Px(64), Px(112), Px(300), Px(17)},
    {WC_BUTTON, kSendToBox, t::kSendToBox, kCheck, Px(64), Px(136), Px(300), Px(17)},
    {WC_BUTTON, kShortcutsBack, t::kBack, kButton, Px(328), Px(256), Px(75), Px(25)},
    {WC_BUTTON, kShortcutsNext, t::kNext, kDefault, Px(408), Px(256), Px(75), Px(25)},
    {WC_BUTTON, kShortcutsCancel, t::kCancel, kButton, Px(496), Px(256), Px(75), Px(25)},
};

const ControlSpec kTabSheet6[] = {
    {WC_BUTTON, kReadyBack, t::kBack, kButton, Px(328), Px(256), Px(75), Px(25)},
    {WC_BUTTON, kInstall, t::kInstall, kDefault, Px(408), Px(256), Px(75), Px(25)},
    {WC_BUTTON, kReadyCancel, t::kCancel, kButton, Px(496), Px(256), Px(75), Px(25)},
};

const ControlSpec kTabSheet7[] = {
    // Hidden until the run has ended; its design caption is replaced before it is ever shown.
    {WC_BUTTON, kLaunchBox, t::kLaunchBox, WS_TABSTOP | BS_AUTOCHECKBOX, Px(64), Px(56), Px(100), Px(17)},
    {WC_BUTTON, kFinish, t::kFinish, kDefault | WS_DISABLED, Px(408), Px(256), Px(75), Px(25)},
};

const ControlSpec kTabSheet8[] = {
    {WC_BUTTON, kUninstall, t::kUninstall, kDefault, Px(408), Px(256), Px(75), Px(25)},
    {WC_BUTTON, kUninstallCancel, t::kCancel, kButton, Px(496), Px(256), Px(75), Px(25)},
};

const std::span<const ControlSpec> kPages[kPageCount] = {kTabSheet1, kTabSheet2, kTabSheet3, kTabSheet4,
                                                         kTabSheet5, kTabSheet6, kTabSheet7, kTabSheet8};

// The label is tall where it holds the whole page text.
const int kLabelHeights[kPageCount] = {200, 20, 20, 20, 20, 200, 20, 200};

// Pages 0, 5 and 7 get their texts when they are built or shown.
const wchar_t* const kLabelTexts[kPageCount] = {
    nullptr, t::kAgreementLabel,  t::kReadmeLabel, t::kDestinationLabel, t::kShortcutsLabel,
    nullptr, t::kInstallingLabel, nullptr};

const PageKeys kKeys[kPageCount] = {
    {kWelcomeNext, kWelcomeCancel},
    {kAgree, kDisagree},
    {kReadmeNext, kReadmeCancel},
    {kDestinationNext, kDestinationCancel},
    {kShortcutsNext, kShortcutsCancel},
    {kInstall, kReadyCancel},
    {kFinish, 0},
    {kUninstall, kUninstallCancel},
};

} // namespace

std::span<const ControlSpec> PageControls(int page) {
    return kPages[page];
}

std::array<ControlSpec, 3> FrameControls(int page) {
    return {{
        {WC_STATIC, Bevel(page), nullptr, kVisible | SS_ETCHEDFRAME, Px(8), Px(8), Px(569), Px(241)},
        // The 25 x 209 picture inside its sunken bevel.
        {WC_STATIC, Picture(page), nullptr, kVisible | SS_OWNERDRAW, Px(23), Px(23), Px(27), Px(211), WS_EX_STATICEDGE},
        {WC_STATIC, Label(page), kLabelTexts[page], kLabel, Px(64), Px(32), Px(497), Px(kLabelHeights[page])},
    }};
}

PageKeys KeysOfPage(int page) {
    return kKeys[page];
}

} // namespace setup
