// Entry point of Ruvex.exe.
#include "uninstaller/monitor/database.h"

#include <windows.h>

namespace {

// The program's own folder, or the bare drive ("C:") when it lies in a root: every data file goes there.
std::wstring ProgramDataFolder() {
    wchar_t module[32768] = {};
    GetModuleFileNameW(nullptr, module, 32768);
    std::wstring folder(module);
    folder.resize(folder.rfind(L'\\') + 1);
    return folder.size() == 3 ? folder.substr(0, 2) : folder.substr(0, folder.size() - 1);
}

LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    std::wstring dataFolder = ProgramDataFolder();
    (void)ruvex::CreateEmptyDatabase(dataFolder);
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"RuvexForm1";
    RegisterClassW(&wc);
    HWND hwnd = CreateWindowExW(0, wc.lpszClassName, L"Ruvex", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                520, 460, nullptr, nullptr, instance, nullptr);
    ShowWindow(hwnd, show);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
