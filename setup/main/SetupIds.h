// Window and control ids of SETUP.EXE, shared with the e2e tests.
#pragma once

namespace setup::ids {

inline constexpr int kPageCount = 8;
// The page windows TabSheet1..TabSheet8 (pages 0 to 7) of the tab-less page control.
inline constexpr int kTabSheet1 = 100;
[[nodiscard]] constexpr int TabSheet(int page) {
    return kTabSheet1 + page;
}

// Button1..Button21, named after the handlers (Button10Click, ...).
inline constexpr int kButtonBase = 1000;
[[nodiscard]] constexpr int Button(int n) {
    return kButtonBase + n;
}
inline constexpr int kWelcomeNext = Button(1), kWelcomeCancel = Button(2);
inline constexpr int kAgree = Button(3), kAgreementBack = Button(4), kDisagree = Button(5);
inline constexpr int kReadmeNext = Button(6), kReadmeBack = Button(7), kReadmeCancel = Button(8);
inline constexpr int kDestinationBack = Button(9), kDestinationNext = Button(10), kDestinationCancel = Button(11);
inline constexpr int kBrowse = Button(12);
inline constexpr int kShortcutsNext = Button(13), kShortcutsBack = Button(14), kShortcutsCancel = Button(15);
inline constexpr int kInstall = Button(16), kReadyBack = Button(17), kReadyCancel = Button(18);
inline constexpr int kFinish = Button(19);
inline constexpr int kUninstall = Button(20), kUninstallCancel = Button(21);

// The label of each page: Label(page).
[[nodiscard]] constexpr int Label(int page) {
    return 1100 + page;
}
inline constexpr int kAgreementText = 1201; // Memo1
inline constexpr int kReadmeText = 1202;    // Memo2
inline constexpr int kDestination = 1203;   // Edit1
inline constexpr int kProgramGroupBox = 1301, kDesktopBox = 1302, kStartupBox = 1303, kSendToBox = 1304;
inline constexpr int kLaunchBox = 1305;
// The frame bevel and the gradient picture of each page.
[[nodiscard]] constexpr int Bevel(int page) {
    return 1400 + page;
}
[[nodiscard]] constexpr int Picture(int page) {
    return 1410 + page;
}

} // namespace setup::ids
