// Form1's commands on the recorded software: uninstall (Command3), manual registration (Command8), rename
// (Command11), release (Command12) and refresh (Command14).
#include "uninstaller/ui/Form1.h"

#include "base/text.h"
#include "resources/RuvexTexts.h"
#include "uninstaller/manage/records.h"
#include "uninstaller/manage/uninstall.h"
#include "uninstaller/monitor/database.h"
#include "uninstaller/monitor/tidy.h"
#include "uninstaller/ui/InputBox.h"
#include "uninstaller/ui/MessagePump.h"
#include "uninstaller/ui/cPath.h"

namespace ruvex::ui {

namespace {

// Folders that belong to the system, not to a software: an uninstall may empty them but never removes them.
std::vector<std::wstring> SystemsOwnFolders() {
    std::vector<std::wstring> folders{WindowsFolder, SystemFolder};
    for (int csidl : {cPath::Desktop, cPath::Programs, cPath::Favorites, cPath::Startup, cPath::Recent, cPath::SendTo,
                      cPath::StartMenu, cPath::Fonts}) {
        std::wstring folder = cPath::GetSpecialFolder(csidl);
        if (folder.size() > 1) {
            folders.push_back(folder);
        }
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
    UninstallRequest request{name,          List2.Items(), List3.Items(), form2_.IsChecked(Check::Check6),
                             WindowsFolder, SystemFolder,  DataFolder,    SystemsOwnFolders()};
    {
        // The bar follows every 20th file, but paints no more often than a screen can show it.
        PacedPainting paced(form10_.WaitProgressBar());
        (void)UninstallSoftware(request, *this);
    }
    // The engine's check, not the start-up's: the option that skips it at start-up must not leave the
    // lines of deleted files behind.
    ReportWrite(ruvex::Killed(DataFolder, *this), DatabasePath(DataFolder));
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
