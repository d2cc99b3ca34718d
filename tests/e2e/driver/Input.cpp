// Mouse, key and tab-control helpers of the driver. Messages that carry pointers are not marshalled
// between processes, so tab items and rectangles are read through memory allocated in the target process.
#include "driver/Driver.h"

#include <commctrl.h>

namespace e2e {

namespace {

// A block of memory in another process, freed with the object.
class RemoteMemory {
public:
    RemoteMemory(HWND window, std::size_t size) : size_(size) {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        process_.reset(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid));
        if (process_) {
            address_ = VirtualAllocEx(process_.get(), nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
        }
    }
    ~RemoteMemory() {
        if (address_) {
            VirtualFreeEx(process_.get(), address_, 0, MEM_RELEASE);
        }
    }
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;

    [[nodiscard]] bool valid() const noexcept { return address_ != nullptr; }
    [[nodiscard]] char* at(std::size_t offset) const noexcept { return static_cast<char*>(address_) + offset; }
    bool Write(std::size_t offset, const void* data, std::size_t n) {
        return offset + n <= size_ && WriteProcessMemory(process_.get(), at(offset), data, n, nullptr);
    }
    bool Read(std::size_t offset, void* data, std::size_t n) {
        return offset + n <= size_ && ReadProcessMemory(process_.get(), at(offset), data, n, nullptr);
    }

private:
    ruvex::KernelHandle process_;
    void* address_ = nullptr;
    std::size_t size_;
};

LRESULT Send(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(hwnd, msg, wp, lp, SMTO_ABORTIFHUNG, 5000, &result);
    return static_cast<LRESULT>(result);
}

} // namespace

void ClickAt(HWND target, int x, int y) {
    LPARAM at = MAKELPARAM(x, y);
    PostMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(target, WM_LBUTTONUP, 0, at);
}

void PressCtrlKey(HWND window, UINT virtualKey) {
    // Shortcut keys read the keyboard state, which posted messages do not set: real input, to the window
    // made the foreground one first.
    SetForegroundWindow(window);
    WaitUntil([&] { return GetForegroundWindow() == window; }, std::chrono::seconds(5));
    INPUT keys[4] = {};
    const WORD sequence[4][2] = {
        {VK_CONTROL, 0}, {static_cast<WORD>(virtualKey), 0}, {static_cast<WORD>(virtualKey), 1}, {VK_CONTROL, 1}};
    for (int i = 0; i < 4; ++i) {
        keys[i].type = INPUT_KEYBOARD;
        keys[i].ki.wVk = sequence[i][0];
        keys[i].ki.dwFlags = sequence[i][1] ? KEYEVENTF_KEYUP : 0;
    }
    SendInput(4, keys, sizeof(INPUT));
}

void ClickListItem(HWND list, int index) {
    int top = static_cast<int>(Send(list, LB_GETTOPINDEX, 0, 0));
    int height = static_cast<int>(Send(list, LB_GETITEMHEIGHT, 0, 0));
    ClickAt(list, 4, (index - top) * height + height / 2);
}

std::vector<int> SelectedIndexes(HWND list) {
    std::vector<int> selected;
    int count = static_cast<int>(Send(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        if (Send(list, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0) {
            selected.push_back(i);
        }
    }
    return selected;
}

std::vector<std::wstring> TabCaptions(HWND tab) {
    std::vector<std::wstring> captions;
    constexpr std::size_t kChars = 256;
    RemoteMemory memory(tab, sizeof(TCITEMW) + kChars * sizeof(wchar_t));
    if (!memory.valid()) {
        return captions;
    }
    int count = static_cast<int>(Send(tab, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = reinterpret_cast<wchar_t*>(memory.at(sizeof(TCITEMW)));
        item.cchTextMax = kChars;
        wchar_t text[kChars] = {};
        memory.Write(0, &item, sizeof item);
        memory.Write(sizeof item, text, sizeof text);
        Send(tab, TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(memory.at(0)));
        memory.Read(sizeof item, text, sizeof text);
        text[kChars - 1] = L'\0';
        captions.emplace_back(text);
    }
    return captions;
}

int SelectedTab(HWND tab) {
    return static_cast<int>(Send(tab, TCM_GETCURSEL, 0, 0));
}

void ClickTab(HWND tab, int index) {
    RemoteMemory memory(tab, sizeof(RECT));
    RECT r{};
    if (!memory.valid() ||
        !Send(tab, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(memory.at(0))) ||
        !memory.Read(0, &r, sizeof r)) {
        return;
    }
    ClickAt(tab, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

void PressKey(HWND target, UINT virtualKey) {
    UINT scan = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
    PostMessageW(target, WM_KEYDOWN, virtualKey, 1 | (static_cast<LPARAM>(scan) << 16));
    PostMessageW(target, WM_KEYUP, virtualKey, 1 | (static_cast<LPARAM>(scan) << 16) | (3LL << 30));
}

DWORD Style(HWND hwnd) {
    return static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE));
}

} // namespace e2e
