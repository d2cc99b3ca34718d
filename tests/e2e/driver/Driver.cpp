#include "driver/Driver.h"

#include "base/codec.h"
#include "base/safefile.h"

#include <gtest/gtest.h>
#include <tlhelp32.h>

#include <thread>

namespace e2e {

std::wstring StageFolder() {
    return L"C:\\ruvex-e2e";
}

Program::Program(const std::wstring& exeName, const std::wstring& arguments,
                 const std::vector<std::wstring>& extraFiles)
    : exe_(exeName), ownsFolder_(true) {
    CopyIn(extraFiles);
    Start(arguments);
}

Program::Program(const std::wstring& exeName, const std::function<void(const std::wstring& folder)>& prepare,
                 const std::wstring& arguments, const std::vector<std::wstring>& extraFiles)
    : exe_(exeName), ownsFolder_(true) {
    CopyIn(extraFiles);
    prepare(folder_);
    Start(arguments);
}

void Program::CopyIn(const std::vector<std::wstring>& extraFiles) {
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH, temp);
    folder_ = std::wstring(temp) + testsupport::UniqueName(L"prog");
    CreateDirectoryW(folder_.c_str(), nullptr);
    CopyFileW((StageFolder() + L"\\" + exe_).c_str(), File(exe_).c_str(), FALSE);
    for (const auto& extra : extraFiles) {
        CopyFileW((StageFolder() + L"\\" + extra).c_str(), File(extra).c_str(), FALSE);
    }
}

Program::Program(const std::wstring& folder, const std::wstring& exeName, const std::wstring& arguments)
    : folder_(folder), exe_(exeName) {
    Start(arguments);
}

void Program::Start(const std::wstring& arguments) {
    std::wstring command = L"\"" + File(exe_) + L"\"";
    if (!arguments.empty()) {
        command += L" " + arguments;
    }
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder_.c_str(), &si, &pi)) {
        // Said here: the test would otherwise only see a window that never comes.
        ADD_FAILURE() << "cannot start " << command << ": error " << GetLastError();
        return;
    }
    CloseHandle(pi.hThread);
    process_.reset(pi.hProcess);
    pid_ = pi.dwProcessId;
    WaitForInputIdle(pi.hProcess, 10000);
}

Program::~Program() {
    Kill();
    if (ownsFolder_) {
        // The process may hold its files for a moment after it ended.
        for (int i = 0; i < 50 && !RemoveTree(folder_); ++i) {
            Sleep(100);
        }
    }
}

bool Program::Running() const {
    return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

DWORD Program::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    if (process_) {
        GetExitCodeProcess(process_.get(), &code);
    }
    return code;
}

bool Program::WaitExit(Timeout timeout) {
    return !process_ || WaitForSingleObject(process_.get(), static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0;
}

void Program::Kill() {
    if (Running()) {
        TerminateProcess(process_.get(), 1);
        WaitForSingleObject(process_.get(), 10000);
    }
}

DWORD ChildProcess(DWORD parent, const std::wstring& exeName) {
    ruvex::FileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = snapshot && Process32FirstW(snapshot.get(), &entry); more;
         more = Process32NextW(snapshot.get(), &entry)) {
        if (entry.th32ParentProcessID == parent && _wcsicmp(entry.szExeFile, exeName.c_str()) == 0) {
            return entry.th32ProcessID;
        }
    }
    return 0;
}

HWND VisibleWindowOf(DWORD pid) {
    std::pair<DWORD, HWND> search{pid, nullptr};
    EnumWindows(
        [](HWND hwnd, LPARAM lp) -> BOOL {
            auto* s = reinterpret_cast<std::pair<DWORD, HWND>*>(lp);
            DWORD owner = 0;
            GetWindowThreadProcessId(hwnd, &owner);
            if (owner == s->first && IsWindowVisible(hwnd)) {
                s->second = hwnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.second;
}

std::vector<HWND> Program::TopWindows() const {
    struct Search {
        DWORD pid;
        std::vector<HWND> found;
    } search{pid_, {}};
    EnumWindows(
        [](HWND hwnd, LPARAM lp) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lp);
            DWORD pid = 0;
            GetWindowThreadProcessId(hwnd, &pid);
            if (pid == s->pid && IsWindowVisible(hwnd)) {
                s->found.push_back(hwnd);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND Program::WaitWindow(const std::function<bool(HWND)>& match, Timeout timeout) const {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND hwnd : TopWindows()) {
                if (match(hwnd)) {
                    found = hwnd;
                    return true;
                }
            }
            return false;
        },
        timeout);
    return found;
}

HWND Program::WaitWindowTitled(const std::wstring& title, Timeout timeout) const {
    return WaitWindow([&](HWND hwnd) { return WindowText(hwnd) == title; }, timeout);
}

HWND Program::WaitWindowOfClass(const std::wstring& className, Timeout timeout) const {
    return WaitWindow([&](HWND hwnd) { return ClassName(hwnd) == className; }, timeout);
}

HWND Program::WaitMessageBox(Timeout timeout) const {
    return WaitWindow([](HWND hwnd) { return ClassName(hwnd) == L"#32770"; }, timeout);
}

std::wstring WindowText(HWND hwnd) {
    wchar_t buffer[4096] = {};
    DWORD_PTR n = 0;
    SendMessageTimeoutW(hwnd, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 5000, &n);
    return std::wstring(buffer, n);
}

std::wstring ClassName(HWND hwnd) {
    wchar_t buffer[256] = {};
    int n = GetClassNameW(hwnd, buffer, 256);
    return std::wstring(buffer, n > 0 ? n : 0);
}

HWND Control(HWND parent, int id) {
    return GetDlgItem(parent, id);
}

void Click(HWND button) {
    PostMessageW(button, BM_CLICK, 0, 0);
}
void Click(HWND parent, int id) {
    Click(Control(parent, id));
}

void SetText(HWND control, const std::wstring& text) {
    SendMessageTimeoutW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG, 5000,
                        nullptr);
}

bool IsEnabled(HWND hwnd) {
    return IsWindowEnabled(hwnd) != FALSE;
}
bool IsVisible(HWND hwnd) {
    return IsWindowVisible(hwnd) != FALSE;
}

std::vector<std::wstring> ListItems(HWND list) {
    std::vector<std::wstring> items;
    DWORD_PTR count = 0;
    SendMessageTimeoutW(list, LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &count);
    for (LRESULT i = 0; i < static_cast<LRESULT>(count); ++i) {
        DWORD_PTR length = 0;
        SendMessageTimeoutW(list, LB_GETTEXTLEN, i, 0, SMTO_ABORTIFHUNG, 5000, &length);
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        DWORD_PTR got = 0;
        SendMessageTimeoutW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG, 5000, &got);
        text.resize(got == static_cast<DWORD_PTR>(LB_ERR) ? 0 : got);
        items.push_back(text);
    }
    return items;
}

std::wstring MessageBoxText(HWND box) {
    // The message of a standard message box is its static control 0xFFFF.
    HWND text = GetDlgItem(box, 0xFFFF);
    return text ? WindowText(text) : std::wstring();
}

void Answer(HWND box, int buttonId) {
    HWND button = GetDlgItem(box, buttonId);
    if (button) {
        Click(button);
    } else {
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), 0);
    }
}

bool WaitUntil(const std::function<bool()>& condition, Timeout timeout) {
    auto end = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (condition()) {
            return true;
        }
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        std::this_thread::sleep_for(30ms);
    }
}

bool Exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadBytes(const std::wstring& path) {
    std::string bytes;
    (void)ruvex::ReadFileBytes(path, bytes);
    return bytes;
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
    (void)ruvex::ReplaceFileContents(path, bytes);
}

std::vector<std::wstring> ReadLines(const std::wstring& path) {
    return ruvex::ReadFileLines(path).lines;
}

void WriteLines(const std::wstring& path, const std::vector<std::wstring>& lines) {
    (void)ruvex::ReplaceFileLines(path, lines);
}

} // namespace e2e
