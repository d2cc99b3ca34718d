#include "driver/RemoteText.h"

#include <commctrl.h>

namespace e2e {

namespace {

// A block of memory inside another process, released with the object.
class RemoteBlock {
public:
    RemoteBlock(HANDLE process, std::size_t size)
        : process_(process), address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE)) {}
    ~RemoteBlock() {
        if (address_) {
            VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        }
    }
    RemoteBlock(const RemoteBlock&) = delete;
    RemoteBlock& operator=(const RemoteBlock&) = delete;
    [[nodiscard]] char* get() const noexcept { return static_cast<char*>(address_); }

private:
    HANDLE process_;
    void* address_;
};

std::vector<HWND> ToolTipWindows(DWORD pid) {
    struct Search {
        DWORD pid;
        std::vector<HWND> found;
    } search{pid, {}};
    EnumWindows(
        [](HWND hwnd, LPARAM lp) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lp);
            DWORD owner = 0;
            GetWindowThreadProcessId(hwnd, &owner);
            if (owner == s->pid && ClassName(hwnd) == TOOLTIPS_CLASSW) {
                s->found.push_back(hwnd);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

} // namespace

std::wstring ToolTipText(const Program& program, HWND control) {
    ruvex::KernelHandle process(
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, program.pid()));
    if (!process) {
        return {};
    }
    constexpr std::size_t kChars = 1024;
    RemoteBlock block(process.get(), sizeof(TTTOOLINFOW) + kChars * sizeof(wchar_t));
    if (!block.get()) {
        return {};
    }
    auto* remoteText = reinterpret_cast<wchar_t*>(block.get() + sizeof(TTTOOLINFOW));
    for (HWND tips : ToolTipWindows(program.pid())) {
        TTTOOLINFOW ti{};
        ti.cbSize = sizeof ti;
        ti.hwnd = GetParent(control);
        ti.uId = reinterpret_cast<UINT_PTR>(control);
        ti.uFlags = TTF_IDISHWND;
        ti.lpszText = remoteText;
        wchar_t empty[kChars] = {};
        WriteProcessMemory(process.get(), remoteText, empty, sizeof empty, nullptr);
        WriteProcessMemory(process.get(), block.get(), &ti, sizeof ti, nullptr);
        DWORD_PTR known = 0;
        SendMessageTimeoutW(tips, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(block.get()), SMTO_ABORTIFHUNG, 5000,
                            &known);
        if (!known) {
            continue; // this tip window does not know the control
        }
        WriteProcessMemory(process.get(), block.get(), &ti, sizeof ti, nullptr);
        SendMessageTimeoutW(tips, TTM_GETTEXTW, kChars, reinterpret_cast<LPARAM>(block.get()), SMTO_ABORTIFHUNG, 5000,
                            nullptr);
        wchar_t text[kChars] = {};
        ReadProcessMemory(process.get(), remoteText, text, sizeof text - sizeof(wchar_t), nullptr);
        return text;
    }
    return {};
}

} // namespace e2e
