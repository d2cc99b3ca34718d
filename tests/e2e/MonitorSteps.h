// The steps the monitored-run e2e tests share: the options of a run, pressing a command up to its closing
// message, and the state of a window that waits for the inspection.
#pragma once

#include "RuvexWindows.h"

#include <shlobj.h>

#include <algorithm>

namespace e2e {

using Lines = std::vector<std::wstring>;

inline std::wstring ShellFolder(int csidl) {
    wchar_t path[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, csidl, nullptr, 0, path);
    return path;
}

// option.dat: the watched drive, Notepad, the search mode, and no minimising (the window stays visible).
inline std::function<void(const std::wstring&)> WithOptions(bool allFolders, const std::wstring& drive = L"c:") {
    return [allFolders, drive](const std::wstring& folder) {
        WriteLines(folder + L"\\option.dat", {drive, L"NOTEPAD", allFolders ? L" 1 " : L" 0 ", L" 1 ", L" 0 ", L" 1 ",
                                              L" 0 ", L" 0 ", L" 1 ", L" 0 "});
    };
}

// Answers a message box and waits until it is gone, so that the next box looked for is a new one.
inline void AnswerAndClose(HWND box, int button) {
    Answer(box, button);
    WaitUntil([&] { return !IsWindow(box); });
}

// Presses a button and answers the information box that ends its run with OK; the box's text.
inline std::wstring RunToMessage(Program& ruvex, HWND main, int command, Timeout timeout = std::chrono::seconds(120)) {
    Click(main, ruvex::ids::Command(command));
    HWND box = ruvex.WaitMessageBox(timeout);
    if (!box) {
        return L"(no message)";
    }
    std::wstring text = MessageBoxText(box);
    AnswerAndClose(box, IDOK);
    return text;
}

// Runs the preparation to its closing message (its text checked); true once the inspection can be started.
inline bool Prepare(Program& ruvex, HWND main) {
    EXPECT_EQ(RunToMessage(ruvex, main, 1), ruvex::texts::PreparationDone);
    return WaitUntil([&] { return Enabled(main, 2); });
}

// After a preparation: only the inspection can be started, and the lists show the before-snapshot.
inline void ExpectWaitingForInspection(const Program& ruvex, HWND main) {
    EXPECT_TRUE(Enabled(main, 2));
    for (int n : {1, 3, 7, 8, 9, 10, 11, 12, 13, 14, 15}) {
        EXPECT_FALSE(Enabled(main, n)) << "Command" << n;
    }
    EXPECT_EQ(TextOf(main, ruvex::ids::Command4), ruvex::texts::Exit);
    EXPECT_EQ(TextOf(main, ruvex::ids::Label2), ruvex::texts::DetectedFolders);
    EXPECT_TRUE(Exists(ruvex.File(L"continue")));
    Lines folders = ReadLines(ruvex.File(L"dir_bf.dat"));
    ASSERT_FALSE(folders.empty());
    EXPECT_EQ(folders[0], L"C:\\");
    EXPECT_EQ(ListItems(Control(main, ruvex::ids::List1)), folders);
    EXPECT_EQ(ListItems(Control(main, ruvex::ids::List2)), ReadLines(ruvex.File(L"file_bf.dat")));
}

} // namespace e2e
