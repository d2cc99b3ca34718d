#include "driver/SetupDriver.h"

#include "base/handles.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace e2e {

namespace {

constexpr const wchar_t* kSampleFiles[] = {L"SETUP.INF", L"LICENSE.TXT", L"README.TXT", L"SAMPLE.TXT", L"VIEWER.HLP"};

struct ChildSearch {
    int id;
    HWND found;
};

} // namespace

SetupPackage::SetupPackage() {
    CopyFileW((StageFolder() + L"\\SETUP.EXE").c_str(), File(L"SETUP.EXE").c_str(), FALSE);
    for (const wchar_t* name : kSampleFiles) {
        CopyFileW((StageFolder() + L"\\sample\\" + name).c_str(), File(name).c_str(), FALSE);
    }
}

void SetupPackage::WriteInf(const std::vector<std::wstring>& lines) const {
    WriteLines(Inf(), lines);
}

void SetupPackage::SetValue(const wchar_t* section, const wchar_t* key, const wchar_t* value) const {
    WritePrivateProfileStringW(section, key, value, Inf().c_str());
}

std::wstring SetupPackage::Value(const std::wstring& path, const wchar_t* section, const wchar_t* key) const {
    wchar_t buffer[4096] = {};
    GetPrivateProfileStringW(section, key, L"", buffer, 4096, path.c_str());
    return buffer;
}

Wizard::Wizard(const std::wstring& folder, const std::wstring& arguments)
    : program_(std::make_unique<Program>(folder, L"SETUP.EXE", arguments)) {
    form_ = program_->WaitWindow([](HWND hwnd) { return ClassName(hwnd) == L"TForm1"; });
    if (!form_) {
        ADD_FAILURE() << "SETUP.EXE in " << folder << " shows no wizard; "
                      << (program_->Running() ? std::string("it still runs")
                                              : "it ended with exit code " + std::to_string(program_->ExitCode()));
    }
}

HWND Wizard::Item(int id) const {
    ChildSearch search{id, nullptr};
    EnumChildWindows(
        form_,
        [](HWND hwnd, LPARAM lp) -> BOOL {
            auto* s = reinterpret_cast<ChildSearch*>(lp);
            if (GetDlgCtrlID(hwnd) == s->id) {
                s->found = hwnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

int Wizard::Page() const {
    for (int page = 0; page < setup::ids::kPageCount; ++page) {
        HWND sheet = GetDlgItem(form_, setup::ids::TabSheet(page));
        if (sheet && IsWindowVisible(sheet)) {
            return page;
        }
    }
    return -1;
}

bool Wizard::WaitPage(int page) const {
    return WaitUntil([&] { return Page() == page; });
}

bool Wizard::Press(int buttonId, int expectedPage) {
    Click(Item(buttonId));
    return WaitPage(expectedPage);
}

bool Wizard::GoTo(int page, const std::wstring& destination) {
    using namespace setup::ids;
    const int forward[] = {kWelcomeNext, kAgree, kReadmeNext, kDestinationNext, kShortcutsNext, kInstall};
    for (int p = Page(); p >= 0 && p < page; ++p) {
        if (p == 3 && !destination.empty()) {
            e2e::SetText(Item(kDestination), destination);
        }
        Click(Item(forward[p]));
        if (p == 3) {
            HWND box = nullptr;
            if (!WaitUntil([&] { return Page() == 4 || (box = program_->WaitMessageBox(0ms)) != nullptr; })) {
                return false;
            }
            if (box) {
                Answer(box, IDYES);
            }
        }
        if (!WaitPage(p + 1)) {
            return false;
        }
    }
    return Page() == page;
}

bool Wizard::Checked(int id) const {
    DWORD_PTR state = 0;
    SendMessageTimeoutW(Item(id), BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 5000, &state);
    return state == BST_CHECKED;
}

HWND Wizard::WaitBox(std::wstring* text, Timeout timeout) const {
    HWND box = program_->WaitMessageBox(timeout);
    if (box && text) {
        // The box's text is set just after it appears.
        WaitUntil([&] { return !MessageBoxText(box).empty(); }, 5s);
        *text = MessageBoxText(box);
    }
    return box;
}

bool Wizard::WaitClosed() {
    return program_->WaitExit();
}

DWORD RunSilently(const std::wstring& folder, const std::wstring& arguments) {
    Program setup(folder, L"SETUP.EXE", arguments);
    HWND shown = nullptr;
    EXPECT_TRUE(WaitUntil(
        [&] {
            shown = shown ? shown : VisibleWindowOf(setup.pid());
            return !setup.Running();
        },
        60s));
    EXPECT_EQ(shown, nullptr) << "SETUP.EXE " << arguments << " showed " << WindowText(shown);
    return setup.ExitCode();
}

bool HasLine(const std::wstring& path, const std::wstring& line) {
    auto lines = ReadLines(path);
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

bool RegistryValue(HKEY root, const std::wstring& key, const std::wstring& name, std::wstring* value) {
    ruvex::RegKey k;
    if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, k.put()) != ERROR_SUCCESS) {
        return false;
    }
    wchar_t buffer[4096] = {};
    DWORD bytes = sizeof buffer - sizeof(wchar_t);
    if (RegQueryValueExW(k.get(), name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &bytes) !=
        ERROR_SUCCESS) {
        return false;
    }
    if (value) {
        *value = buffer;
    }
    return true;
}

bool RegistryKeyExists(HKEY root, const std::wstring& key) {
    ruvex::RegKey k;
    return RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, k.put()) == ERROR_SUCCESS;
}

void DeleteRegistryTree(HKEY root, const std::wstring& key) {
    RegDeleteTreeW(root, key.c_str());
}

std::wstring ShellFolder(const wchar_t* name) {
    std::wstring value;
    (void)RegistryValue(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                        name, &value);
    return value;
}

bool RunCommandLine(const std::wstring& command) {
    std::wstring line = command;
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi)) {
        return false;
    }
    CloseHandle(pi.hThread);
    ruvex::KernelHandle process(pi.hProcess);
    return WaitForSingleObject(process.get(), 30000) == WAIT_OBJECT_0;
}

std::wstring ShortPath(const std::wstring& path) {
    wchar_t buffer[MAX_PATH] = {};
    DWORD n = GetShortPathNameW(path.c_str(), buffer, MAX_PATH);
    return std::wstring(buffer, n < MAX_PATH ? n : 0);
}

} // namespace e2e
