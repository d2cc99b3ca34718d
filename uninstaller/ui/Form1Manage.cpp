// Form1's commands on the recorded software: uninstall (Command3), manual registration (Command8), rename
// (Command11), release (Command12) and refresh (Command14).
#include "uninstaller/ui/Form1.h"

#include "base/path.h"
#include "base/text.h"
#include "resources/RuvexTexts.h"
#include "uninstaller/manage/records.h"
#include "uninstaller/manage/uninstall.h"
#include "uninstaller/monitor/database.h"
#include "uninstaller/monitor/tidy.h"
#include "uninstaller/ui/InputBox.h"
#include "uninstaller/ui/MessagePump.h"
#include "uninstaller/ui/cPath.h"

#include <knownfolders.h>
#include <shlobj.h>

namespace ruvex::ui {

namespace {

// System32, and SysWOW64 where the system has one: a 32-bit installer puts its shared files there.
std::vector<std::wstring> SystemFolders() {
    std::vector<std::wstring> folders{SystemFolder};
    wchar_t wow64[MAX_PATH + 1];
    const UINT n = GetSystemWow64DirectoryW(wow64, MAX_PATH + 1);
    if (n > 0 && n <= MAX_PATH) {
        folders.push_back(RemoveTrailingBackslash(std::wstring_view(wow64, n)));
    }
    return folders;
}

// The folders of the system and the user that the shell knows by name.
const KNOWNFOLDERID* const kKnownFolders[] = {
    &FOLDERID_ProgramFiles,
    &FOLDERID_ProgramFilesX86,
    &FOLDERID_ProgramFilesX64,
    &FOLDERID_ProgramFilesCommon,
    &FOLDERID_ProgramFilesCommonX86,
    &FOLDERID_ProgramFilesCommonX64,
    &FOLDERID_ProgramData,
    &FOLDERID_RoamingAppData,
    &FOLDERID_LocalAppData,
    &FOLDERID_LocalAppDataLow,
    &FOLDERID_Public,
    &FOLDERID_PublicDesktop,
    &FOLDERID_PublicDocuments,
    &FOLDERID_PublicDownloads,
    &FOLDERID_PublicMusic,
    &FOLDERID_PublicPictures,
    &FOLDERID_PublicVideos,
    &FOLDERID_CommonPrograms,
    &FOLDERID_CommonStartMenu,
    &FOLDERID_CommonStartup,
    &FOLDERID_CommonTemplates,
    &FOLDERID_Profile,
    &FOLDERID_UserProfiles,
    &FOLDERID_Documents,
    &FOLDERID_Downloads,
    &FOLDERID_Music,
    &FOLDERID_Pictures,
    &FOLDERID_Videos,
    &FOLDERID_Templates,
    &FOLDERID_Contacts,
    &FOLDERID_Links,
    &FOLDERID_SavedGames,
    &FOLDERID_Windows,
    &FOLDERID_System,
    &FOLDERID_SystemX86,
    &FOLDERID_Fonts,
    &FOLDERID_Desktop,
    &FOLDERID_Programs,
    &FOLDERID_StartMenu,
    &FOLDERID_Startup,
    &FOLDERID_SendTo,
    &FOLDERID_Recent,
    &FOLDERID_Favorites,
    &FOLDERID_AdminTools,
    &FOLDERID_CommonAdminTools,
};

// Folders that belong to the system or the user, not to a software: an uninstall may empty them but never
// removes them. DONT_VERIFY: the folder is only named, never created (nor, under Wine, made a link).
std::vector<std::wstring> SystemsOwnFolders() {
    std::vector<std::wstring> folders = SystemFolders();
    folders.push_back(WindowsFolder);
    for (int csidl : {cPath::Desktop, cPath::Programs, cPath::Favorites, cPath::Startup, cPath::Recent, cPath::SendTo,
                      cPath::StartMenu, cPath::Fonts}) {
        std::wstring folder = cPath::GetSpecialFolder(csidl);
        if (folder.size() > 1) {
            folders.push_back(folder);
        }
    }
    for (const KNOWNFOLDERID* id : kKnownFolders) {
        wchar_t* path = nullptr;
        if (SUCCEEDED(SHGetKnownFolderPath(*id, KF_FLAG_DONT_VERIFY, nullptr, &path)) && path && path[0]) {
            folders.push_back(path);
        }
        CoTaskMemFree(path);
    }
    wchar_t temp[MAX_PATH + 1];
    const DWORD n = GetTempPathW(MAX_PATH + 1, temp);
    if (n > 0 && n <= MAX_PATH) {
        folders.emplace_back(temp, n);
    }
    return folders;
}

} // namespace

void Form1::Command3_Click() {
    if (List1.ListIndex() < 0) {
        return;
    }
    const std::wstring name = List1.SelectedText();
    if (Ask(name + texts::UninstallQuestionSuffix, texts::BoxTitle, QuestionKind::YesNoWarningDefaultNo) !=
        Answer::Yes) {
        return;
    }
    if (Ask(texts::CannotUndo, texts::BoxTitle, QuestionKind::OkCancelDefaultCancel) != Answer::Ok) {
        return;
    }
    form10_.Show(std::wstring(texts::DeletingFiles) + texts::PleaseWait);
    SetWindowPos(form10_.hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    PaintPending();
    UninstallRequest request{name,          List2.Items(),   List3.Items(), form2_.IsChecked(Check::Check6),
                             WindowsFolder, SystemFolders(), DataFolder,    SystemsOwnFolders(),
                             registryLines_};
    UninstallOutcome outcome = UninstallOutcome::NotStarted;
    {
        // The bar follows every 20th file, but paints no more often than a screen can show it.
        PacedPainting paced(form10_.WaitProgressBar());
        outcome = UninstallSoftware(request, *this);
    }
    // The engine's check, not the start-up's: the option that skips it at start-up must not leave the
    // lines of deleted files behind. A database that could not be used is not tried again.
    if (outcome != UninstallOutcome::NotStarted) {
        ReportWrite(ruvex::Killed(DataFolder, *this), DatabasePath(DataFolder));
    } else {
        namedFailure_ = DatabasePath(DataFolder); // the engine has named it: the reload need not again
    }
    SoftHyouji();
}

void Form1::Command8_Click() {
    std::wstring name = InputBox::Ask(hwnd(), texts::RegisterPrompt, texts::BoxTitle);
    if (name.empty()) {
        return;
    }
    ReportWrite(RegisterSoftware(DataFolder, name), DatabasePath(DataFolder));
    SoftHyouji();
}

void Form1::Command11_Click() {
    if (List1.ListIndex() < 0) {
        return;
    }
    const std::wstring name = List1.SelectedText();
    std::wstring newName = InputBox::Ask(hwnd(), texts::RenamePrompt, texts::BoxTitle, name);
    // A change of letter case alone is no change: the records are found without regard to case.
    if (newName.empty() || TextEquals(newName, name)) {
        return;
    }
    if (ReportWrite(RenameSoftware(DataFolder, name, newName), DatabasePath(DataFolder))) {
        Message(texts::RenamedPrefix + name + texts::RenamedMiddle + newName + texts::RenamedSuffix, texts::BoxTitle,
                MessageKind::Information);
    }
    SoftHyouji();
}

void Form1::Command12_Click() {
    if (List1.ListIndex() < 0) {
        return;
    }
    const std::wstring name = List1.SelectedText();
    if (Ask(name + texts::ReleaseQuestionSuffix, texts::BoxTitle, QuestionKind::YesNoWarning) != Answer::Yes) {
        return;
    }
    if (ReportWrite(ReleaseSoftware(DataFolder, name), DatabasePath(DataFolder))) {
        Message(name + texts::ReleasedSuffix, texts::BoxTitle, MessageKind::Information);
    }
    SoftHyouji();
}

void Form1::Command14_Click() {
    ReportWrite(Seiri(DataFolder, *this), DatabasePath(DataFolder));
    ReportWrite(ruvex::Killed(DataFolder, *this), DatabasePath(DataFolder));
    SoftHyouji();
}

} // namespace ruvex::ui
