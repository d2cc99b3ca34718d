// The steps the e2e tests of the record commands share: options, selecting a software, the uninstall's two
// questions and its result message.
#pragma once

#include "RuvexWindows.h"

#include <string>
#include <vector>

namespace e2e {

// option.dat with the safety option (Check6) and the start-up check for deleted files (off when Check4 is on)
// as given; the watched drive c:, nothing minimised.
inline std::function<void(const std::wstring&)> WithSafety(bool check6, bool skipStartupCheck,
                                                           std::vector<std::wstring> database) {
    return [=](const std::wstring& folder) {
        auto flag = [](bool on) { return on ? L" 1 " : L" 0 "; };
        WriteLines(folder + L"\\option.dat", {L"c:", L"NOTEPAD", L" 0 ", L" 1 ", L" 0 ", flag(check6), L" 0 ", L" 0 ",
                                              flag(skipStartupCheck), L" 0 "});
        WriteLines(folder + L"\\uninstall.dat", database);
    };
}

// Waits until the main window has finished what it was doing (its thread answers again).
inline void Settle(HWND main) {
    WaitUntil([&] { return SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr) != 0; });
}

// Clicks the software at index of List1 and waits until its record is loaded.
inline void SelectSoftware(HWND main, int index) {
    HWND list1 = Control(main, ruvex::ids::List1);
    ClickListItem(list1, index);
    ASSERT_TRUE(WaitUntil([&] { return SelectedIndexes(list1) == std::vector<int>{index}; }));
    Settle(main);
    ASSERT_TRUE(WaitUntil([&] { return Enabled(main, 3) && !IsVisible(Control(main, ruvex::ids::Label15)); }));
}

// The default button of a message box: the one drawn as the default (Wine's boxes answer DM_GETDEFID with IDOK).
inline int DefaultButton(HWND box) {
    for (int id : {IDOK, IDCANCEL, IDYES, IDNO}) {
        HWND button = GetDlgItem(box, id);
        if (button && (Style(button) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
            return id;
        }
    }
    return 0;
}

// Starts the uninstall of the selected software through a command id (the button's, which the menu entry
// shares, or the pop-up entry's) and answers both questions with Yes and OK; the result message's text.
inline std::wstring UninstallSelected(Program& ruvex, HWND main, const std::wstring& name,
                                      int command = ruvex::ids::Command3) {
    PostMessageW(main, WM_COMMAND, static_cast<WPARAM>(command), 0);
    HWND ask = ruvex.WaitMessageBox();
    if (!ask) {
        return L"(no question)";
    }
    EXPECT_EQ(MessageBoxText(ask), name + ruvex::texts::UninstallQuestionSuffix);
    EXPECT_EQ(WindowText(ask), L"Ruvex");
    EXPECT_EQ(DefaultButton(ask), IDNO);
    Answer(ask, IDYES);
    WaitUntil([&] { return !IsWindow(ask); });
    HWND sure = ruvex.WaitMessageBox();
    if (!sure) {
        return L"(no second question)";
    }
    EXPECT_EQ(MessageBoxText(sure), ruvex::texts::CannotUndo);
    EXPECT_EQ(DefaultButton(sure), IDCANCEL);
    Answer(sure, IDOK);
    WaitUntil([&] { return !IsWindow(sure); });
    HWND done = ruvex.WaitMessageBox(std::chrono::seconds(60));
    if (!done) {
        return L"(no message)";
    }
    std::wstring text = MessageBoxText(done);
    EXPECT_EQ(WindowText(done), L"Ruvex");
    Answer(done, IDOK);
    WaitUntil([&] { return !IsWindow(done); });
    Settle(main);
    return text;
}

// The partial result message.
inline std::wstring PartlyUninstalled(const std::wstring& name) {
    return name + ruvex::texts::PartlyUninstalledSuffix + L"\n\r\n\r" + ruvex::texts::LeftBehindReason;
}

// Files and folders a test lays outside its temporary folder, removed however the test ends.
struct Cleanup {
    std::vector<std::wstring> paths;
    ~Cleanup() {
        for (const auto& path : paths) {
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (!DeleteFileW(path.c_str())) {
                RemoveTree(path);
            }
        }
    }
};

// Lays a file (and its folders) holding bytes.
inline std::wstring Lay(const std::wstring& path, const std::string& bytes = "installed") {
    for (auto slash = path.find(L'\\', 3); slash != std::wstring::npos; slash = path.find(L'\\', slash + 1)) {
        CreateDirectoryW(path.substr(0, slash).c_str(), nullptr);
    }
    WriteBytes(path, bytes);
    return path;
}

} // namespace e2e
