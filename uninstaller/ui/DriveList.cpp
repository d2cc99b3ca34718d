#include "uninstaller/ui/DriveList.h"

#include "base/safefile.h"
#include "base/win/Window.h"
#include "resources/RuvexTexts.h"
#include "uninstaller/ui/OptionFile.h"

#include <cwctype>
#include <string>

namespace ruvex::ui {

void FillDriveList(HWND combo) {
    for (wchar_t letter : PresentDrives()) {
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(DriveListText(letter).c_str()));
    }
}

void SelectDriveInList(HWND combo, wchar_t letter) {
    std::wstring prefix{static_cast<wchar_t>(std::towlower(letter)), L':'};
    LRESULT index =
        SendMessageW(combo, CB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(prefix.c_str()));
    SendMessageW(combo, CB_SETCURSEL, index == CB_ERR ? 0 : index, 0);
}

std::wstring DriveShownSelected(wchar_t letter) {
    std::wstring drives = PresentDrives();
    if (drives.empty()) {
        return {};
    }
    wchar_t upper = static_cast<wchar_t>(std::towupper(letter));
    return DriveListText(drives.find(upper) == std::wstring::npos ? drives[0] : upper);
}

wchar_t SelectedDriveInList(HWND combo, wchar_t fallback) {
    std::wstring text = win::GetText(combo);
    return text.empty() ? fallback : static_cast<wchar_t>(std::towupper(text[0]));
}

bool DriveReady(HWND owner, wchar_t letter) {
    std::wstring root{letter, L':', L'\\'};
    for (;;) {
        if (GetFileAttributesW(root.c_str()) != INVALID_FILE_ATTRIBUTES) {
            return true;
        }
        DWORD error = GetLastError();
        if (error == ERROR_NOT_READY) {
            if (MessageBoxW(owner, texts::DeviceNotReady, texts::AppTitle, MB_RETRYCANCEL | MB_ICONWARNING) ==
                IDRETRY) {
                continue;
            }
            return false;
        }
        std::wstring text = std::wstring(texts::UnexpectedErrorPrefix) + L" " + std::to_wstring(error) +
                            texts::UnexpectedErrorSuffix + ErrorText(error);
        MessageBoxW(owner, text.c_str(), texts::AppTitle, MB_OK | MB_ICONERROR);
        ExitProcess(1);
    }
}

} // namespace ruvex::ui
