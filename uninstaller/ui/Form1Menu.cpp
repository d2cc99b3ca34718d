// Form1's menu bar, its shortcut keys and the two pop-up menus over the lists. Every entry that runs a
// button's command is available exactly when that button is enabled.
#include "uninstaller/ui/Form1.h"

#include "resources/RuvexTexts.h"
#include "uninstaller/manage/backup.h"
#include "uninstaller/monitor/database.h"
#include "uninstaller/monitor/tidy.h"
#include "uninstaller/ui/ControlIds.h"
#include "uninstaller/ui/Form9.h"

#include <shellapi.h>

#include <vector>

namespace ruvex::ui {

namespace {

struct MenuEntry {
    int id; // 0: a separator
    const wchar_t* caption;
    const wchar_t* shortcut;
    WORD key; // virtual key with Ctrl, or VK_F1 alone
};

struct TopMenu {
    const wchar_t* caption;
    std::vector<MenuEntry> entries;
};

const std::vector<TopMenu>& MenuBar() {
    static const std::vector<TopMenu> bar{
        {texts::MenuAutomatic,
         {{ids::Command1, texts::InstallPreparation, L"Ctrl+A", 'A'},
          {ids::Command2, texts::InstallInspection, L"Ctrl+B", 'B'},
          {ids::Command3, texts::Uninstall, L"Ctrl+C", 'C'},
          {0, nullptr, nullptr, 0},
          {ids::Command4, texts::Exit, nullptr, 0}}},
        {texts::MenuManual,
         {{ids::Command8, texts::RegisterByHand, L"Ctrl+D", 'D'},
          {ids::Command9, texts::AddRelatedFiles, L"Ctrl+E", 'E'},
          {ids::Command10, texts::ReleaseRelatedFiles, L"Ctrl+F", 'F'},
          {ids::Command13, texts::DeleteFiles, L"Ctrl+G", 'G'},
          {ids::Command12, texts::ReleaseSoftware, L"Ctrl+H", 'H'},
          {ids::Command11, texts::RenameSoftware, L"Ctrl+I", 'I'}}},
        {texts::MenuOther,
         {{ids::Command15, texts::ShowFile, L"Ctrl+J", 'J'},
          {ids::Command14, texts::Refresh, L"Ctrl+K", 'K'},
          {ids::Command7, texts::Settings, L"Ctrl+L", 'L'},
          {0, nullptr, nullptr, 0},
          {ids::mnuBackUp, texts::Backup, L"Ctrl+P", 'P'},
          {ids::mnuFukugen, texts::Restore, L"Ctrl+Q", 'Q'},
          {0, nullptr, nullptr, 0},
          {ids::mnuControl, texts::AddRemovePrograms, L"Ctrl+N", 'N'}}},
        {texts::MenuHelp,
         {{ids::Command5, texts::ShowHelp, L"F1", VK_F1},
          {0, nullptr, nullptr, 0},
          {ids::mnuHomePage, texts::HomePage, L"Ctrl+S", 'S'},
          {ids::mnuEMail, texts::Mail, L"Ctrl+T", 'T'},
          {0, nullptr, nullptr, 0},
          {ids::Command6, texts::VersionInfo, L"Ctrl+M", 'M'}}},
    };
    return bar;
}

// The pop-up menus: button number and caption.
const std::vector<std::pair<int, const wchar_t*>> kPopupList1{
    {9, texts::AddRelatedFiles}, {11, texts::RenameSoftware}, {12, texts::ReleaseSoftware}, {3, texts::Uninstall}};
const std::vector<std::pair<int, const wchar_t*>> kPopupList2{
    {15, texts::ShowFile}, {13, texts::DeleteFiles}, {10, texts::ReleaseRelatedFiles}};

bool IsButtonId(UINT id) {
    return id >= static_cast<UINT>(ids::Command1) && id <= static_cast<UINT>(ids::Command15);
}

} // namespace

void Form1::CreateMenus() {
    HMENU bar = CreateMenu();
    std::vector<ACCEL> keys;
    for (const auto& top : MenuBar()) {
        HMENU popup = CreatePopupMenu();
        for (const auto& e : top.entries) {
            if (e.id == 0) {
                AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
                continue;
            }
            std::wstring text = e.caption;
            if (e.shortcut) {
                text += L"\t";
                text += e.shortcut;
                BYTE flags = FVIRTKEY | (e.key == VK_F1 ? 0 : FCONTROL);
                keys.push_back({flags, e.key, static_cast<WORD>(e.id)});
            }
            AppendMenuW(popup, MF_STRING, static_cast<UINT_PTR>(e.id), text.c_str());
        }
        AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), top.caption);
    }
    SetMenu(hwnd(), bar);
    accelerators_.reset(CreateAcceleratorTableW(keys.data(), static_cast<int>(keys.size())));
}

void Form1::InitMenuPopup(HMENU menu) {
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        UINT id = GetMenuItemID(menu, i);
        UINT button = IsButtonId(id) ? id : (IsButtonId(id - 2000) ? id - 2000 : 0);
        if (!button) {
            continue;
        }
        HWND control = Item(static_cast<int>(button));
        EnableMenuItem(menu, static_cast<UINT>(i), MF_BYPOSITION | (IsWindowEnabled(control) ? MF_ENABLED : MF_GRAYED));
        // The exit entry reads "検索中止" while a scan runs, like its button.
        if (button == static_cast<UINT>(ids::Command4)) {
            std::wstring caption = win::GetText(control);
            MENUITEMINFOW info{};
            info.cbSize = sizeof info;
            info.fMask = MIIM_STRING;
            info.dwTypeData = caption.data();
            SetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
        }
    }
}

void Form1::ShowPopup(HWND list, LPARAM at) {
    const auto& entries = list == List1.view() ? kPopupList1 : kPopupList2;
    Menu menu(CreatePopupMenu());
    for (const auto& [command, caption] : entries) {
        AppendMenuW(menu.get(), MF_STRING, static_cast<UINT_PTR>(ids::Popup(command)), caption);
    }
    InitMenuPopup(menu.get());
    POINT pt{static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
    if (at == -1) {
        GetCursorPos(&pt);
    }
    TrackPopupMenu(menu.get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, pt.x, pt.y, 0, hwnd(), nullptr);
}

// The question and result boxes of backup and restore carry the application title (an empty title).
void Form1::mnuBackUp_Click() {
    if (Ask(texts::BackupQuestion, L"", QuestionKind::YesNoQuestion) != Answer::Yes) {
        return;
    }
    if (TakeBackup(DataFolder)) {
        Message(texts::BackupDone, L"", MessageKind::Information);
    } else {
        Message(texts::BackupFailed, L"", MessageKind::Critical);
    }
}

void Form1::mnuFukugen_Click() {
    if (Ask(texts::RestoreQuestion, L"", QuestionKind::YesNoQuestion) != Answer::Yes) {
        return;
    }
    FileResult restored = RestoreBackup(DataFolder);
    if (!restored) {
        // No backup to read: the warning. A database that cannot be replaced is named: it stays as it was.
        if (restored.reading) {
            Message(texts::BackupNotFound, L"", MessageKind::Warning);
        } else {
            ReportWrite(restored, DatabasePath(DataFolder));
        }
        return;
    }
    Message(texts::RestoreDone, L"", MessageKind::Information);
    ReportWrite(Seiri(DataFolder, *this), DatabasePath(DataFolder));
    ReportWrite(ruvex::Killed(DataFolder, *this), DatabasePath(DataFolder));
    SoftHyouji();
}

void Form1::mnuControl_Click() {
    // The system's add/remove programs panel; not waited for, its result not looked at.
    (void)StartProgram(L"RUNDLL32.EXE SHELL32.DLL,Control_RunDLL Appwiz.cpl");
}

void Form1::mnuHomePage_Click() {
    ShellExecuteW(GetDesktopWindow(), L"open", texts::HomePageAddress, nullptr, L"", SW_SHOW);
}

void Form1::mnuEMail_Click() {
    ShellExecuteW(GetDesktopWindow(), L"open", texts::MailAddress, nullptr, L"", SW_SHOW);
}

} // namespace ruvex::ui
