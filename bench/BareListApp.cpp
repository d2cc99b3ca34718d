// The start-up baseline: a bare window program that reads a file (ANSI lines, CR LF) and shows it in a list.
#include <windows.h>

#include <string>

namespace {

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"BareList";
    RegisterClassW(&wc);
    HWND main = CreateWindowW(L"BareList", L"Bare", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 480, 380,
                              nullptr, nullptr, instance, nullptr);
    HWND list = CreateWindowW(L"LISTBOX", nullptr, WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_BORDER, 8, 8, 440, 300, main,
                              nullptr, instance, nullptr);
    HANDLE file = CreateFileW(L"uninstall.dat", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        std::string bytes(static_cast<std::size_t>(GetFileSize(file, nullptr)), '\0');
        DWORD got = 0;
        ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
        CloseHandle(file);
        std::size_t start = 0;
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            if (bytes[i] == '\r') {
                std::wstring line(i - start, L'\0');
                int n = MultiByteToWideChar(CP_ACP, 0, bytes.data() + start, static_cast<int>(i - start), line.data(),
                                            static_cast<int>(line.size()));
                line.resize(static_cast<std::size_t>(n));
                if (!line.empty() && line[0] == L'[') {
                    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
                }
                start = i + 2;
            }
        }
    }
    ShowWindow(main, show);
    UpdateWindow(main);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
