// Form1's commands on the related files of the selected software: add (Command9), release (Command10) and
// delete (Command13), each showing the files in Form7 before anything changes.
#include "uninstaller/ui/Form1.h"

#include "resources/RuvexTexts.h"
#include "uninstaller/manage/related.h"
#include "uninstaller/monitor/database.h"
#include "uninstaller/monitor/tidy.h"
#include "uninstaller/ui/Form6.h"
#include "uninstaller/ui/Form7.h"
#include "uninstaller/ui/MessagePump.h"

namespace ruvex::ui {

void Form1::Command9_Click() {
    if (List1.ListIndex() < 0) {
        return;
    }
    const std::wstring drive = form2_.Settings().drive;
    Form6::Choose(hwnd(), List1.SelectedText(), drive.empty() ? L'C' : drive[0], [this] { return quitting_; });
    RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    // The added lines stand right after their header until this tidy sorts the record.
    ReportWrite(Seiri(DataFolder, *this), DatabasePath(DataFolder));
    SoftHyouji();
}

void Form1::Command10_Click() {
    if (List1.ListIndex() < 0) {
        return;
    }
    SetCursorWait(true);
    const std::wstring name = List1.SelectedText();
    CProgBar32::SetMax(static_cast<double>(List2.Count() + 1));
    form10_.WaitProgressBar().SetProgBarPos(0);
    form10_.Show(form10_.Label());
    PaintPending();
    std::vector<std::wstring> kept;
    std::wstring list;
    std::size_t count = 0;
    const std::vector<std::size_t> selected = List2.SelectedIndexes();
    for (std::size_t i = 0, next = 0; i < List2.Count(); ++i) {
        if (i % 20 == 0) {
            form10_.WaitProgressBar().SetProgBarPos(static_cast<double>(i + 2));
        }
        if (next < selected.size() && selected[next] == i) {
            ++next;
            ++count;
            list += List2.Item(i) + L"\r\n";
        } else {
            kept.push_back(List2.Item(i));
        }
    }
    SetCursorWait(false);
    form10_.PMax();
    form10_.Unload();
    if (!Form7::Confirm(hwnd(), texts::AboveFilesPrefix + name + texts::ReleaseFilesSuffix, list)) {
        SoftHyouji();
        return;
    }
    SetCursorWait(true);
    form10_.Show(form10_.Label());
    PaintPending();
    FileResult released = ReleaseRelatedFiles(DataFolder, name, kept);
    form10_.PMax();
    form10_.Unload();
    SetCursorWait(false);
    if (ReportWrite(released, DatabasePath(DataFolder))) {
        Message(name + texts::ReleasedFilesMiddle + std::to_wstring(count) + texts::ReleasedFilesSuffix,
                texts::BoxTitle, MessageKind::Information);
    }
    SoftHyouji();
}

void Form1::Command13_Click() {
    SetCursorWait(true);
    std::vector<std::wstring> files;
    std::wstring list;
    for (std::size_t i : List2.SelectedIndexes()) {
        files.push_back(List2.Item(i));
        list += List2.Item(i) + L"\r\n";
    }
    SetCursorWait(false);
    if (!Form7::Confirm(hwnd(), texts::DeleteFilesLabel, list)) {
        SoftHyouji();
        return;
    }
    if (Ask(texts::CannotUndo, texts::BoxTitle, QuestionKind::OkCancelDefaultCancel) != Answer::Ok) {
        return;
    }
    SetCursorWait(true);
    DeleteOutcome outcome = DeleteRecordedFiles(DataFolder, files);
    SetCursorWait(false);
    if (!ReportWrite(outcome.database, DatabasePath(DataFolder))) {
        SoftHyouji();
        return;
    }
    Message(DeletedMessage(outcome), texts::BoxTitle, MessageKind::Information);
    // The deleted files' lines leave every record through the missing-file check; folders stay.
    ReportWrite(ruvex::Killed(DataFolder, *this), DatabasePath(DataFolder));
    SoftHyouji();
}

} // namespace ruvex::ui
