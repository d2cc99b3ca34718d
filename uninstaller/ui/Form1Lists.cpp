// What Form1's lists show while no scan uses them: the recorded software, the selected software's files and
// win.ini sections, and the file-information tab.
#include "uninstaller/ui/Form1.h"

#include "resources/RuvexTexts.h"
#include "uninstaller/monitor/database.h"
#include "uninstaller/manage/registrydelete.h"
#include "uninstaller/monitor/failure.h"
#include "uninstaller/ui/ControlIds.h"
#include "uninstaller/ui/FileInfo.h"
#include "uninstaller/ui/FormatSize.h"
#include "uninstaller/ui/Report.h"
#include "uninstaller/ui/WinIniSections.h"

#include <algorithm>

namespace ruvex::ui {

namespace {

// A registry line is a long path with its data: the list scrolls sideways as far as the widest reaches.
void ScrollsToWidest(HWND list, const std::vector<std::wstring>& lines) {
    HDC dc = GetDC(list);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(list, WM_GETFONT, 0, 0)));
    LONG widest = 0;
    for (const auto& line : lines) {
        SIZE size{};
        if (GetTextExtentPoint32W(dc, line.c_str(), static_cast<int>(line.size()), &size)) {
            widest = std::max(widest, size.cx);
        }
    }
    SelectObject(dc, old);
    ReleaseDC(list, dc);
    SendMessageW(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest + 8), 0);
}

} // namespace

bool Form1::NormalDisplay() const {
    return display_ == Display::Software;
}

// The lists show a walk: the label and the first tab name what, and clicks load no record.
void Form1::ShowWalkLists(const wchar_t* label2, const wchar_t* firstTab) {
    display_ = Display::Walk;
    win::SetText(Item(ids::Label2), label2);
    TabCaption(firstTab);
}

void Form1::TabCaption(const std::wstring& moji) {
    // The tab that replaces the selected first tab stays selected: removing it would leave no tab marked
    // while its page is still shown.
    bool firstSelected = clsTabStrip_.SelectedItem() == 1;
    clsTabStrip_.TabsRemove(0);
    clsTabStrip_.TabsAdd(0, moji);
    if (firstSelected) {
        clsTabStrip_.SetSelectedItem(1);
    }
}

void Form1::SoftHyouji() {
    form10_.Show(std::wstring(texts::ReadingDatabase) + texts::PleaseWait);
    SetCursorWait(true);
    EnableButtons(kRecordCommands, false);
    List1.Clear();
    ClearRecordLists();
    Fclear();
    win::SetText(Item(ids::Label1), L"");
    display_ = Display::Software;
    win::SetText(Item(ids::Label2), texts::InstalledSoftware);
    TabCaption(texts::TabRelatedFiles);
    // A database held by another program (a virus scanner, a backup) is not an empty one: the software it
    // records must not vanish from the list. The list keeps the names last read, and the user learns why
    // it may be out of date, unless this command has named the file already.
    SoftwareNames read = ListSoftwareNames(DataFolder, *this);
    if (read.read) {
        softwareNames_ = std::move(read.names);
    }
    List1.Assign(softwareNames_);
    form10_.Unload();
    form10_.PMax();
    SetCursorWait(false);
    const std::wstring database = DatabasePath(DataFolder);
    if (!read.read && namedFailure_ != database) {
        Message(FileFailureText(read.read, database), texts::BoxTitle, MessageKind::Critical);
    }
    namedFailure_.clear();
}

void Form1::List1_Click() {
    if (!NormalDisplay()) {
        return;
    }
    std::wstring name = List1.SelectedText();
    if (List1.ListIndex() < 0) {
        return;
    }
    SetCursorWait(true);
    ClearRecordLists();
    ShowWindow(Item(ids::Label15), SW_SHOW);
    mainProgressBar_.ClearProgBar();
    ShowWindow(Item(ids::ProgressPic1), SW_SHOW);
    UpdateWindow(hwnd());

    // The bar moves every 20 files of the record, twice over: painted at the pace a screen shows. One read
    // of uninstall.dat gives the files and so the bar's maximum before the bar moves.
    PacedPainting paced(mainProgressBar_);
    SoftwareRecord record = ReadRecord(DataFolder, name);
    if (!record.read) {
        RecordUnreadable(record.read);
        return;
    }
    CProgBar32::SetMax(static_cast<double>(record.files.size() + 1));
    mainProgressBar_.SetProgBarPos(1);
    std::size_t counter = 1;
    for (const auto& file : record.files) {
        List2.Add(file);
        if (++counter % 20 == 0) {
            mainProgressBar_.SetProgBarPos(static_cast<double>(counter));
        }
    }
    List2.Flush();
    List3.Assign(CurrentWinIniLines(record.winIni, WindowsFolder + L"\\win.ini"));
    registryLines_ = std::move(record.registry);
    std::vector<std::wstring> described;
    for (const auto& line : registryLines_) {
        described.push_back(DescribeRegistryLine(line));
    }
    List4.Assign(described);
    ScrollsToWidest(List4.view(), described);

    CProgBar32::SetMax(static_cast<double>(List2.Count() + 1));
    std::uint64_t total = TotalFileSize(
        List2.Items(), [this](std::size_t pos) { mainProgressBar_.SetProgBarPos(static_cast<double>(pos)); });
    win::SetText(Item(ids::Label1), SizeLabelText(total));
    SelectedRecordLoaded();
}

void Form1::SelectedRecordLoaded() {
    mainProgressBar_.SetProgBarPos(CProgBar32::Max());
    EnableButtons(kSoftwareCommands, true);
    EnableButtons(kFileCommands, false);
    SetCursorWait(false);
    ShowWindow(Item(ids::Label15), SW_HIDE);
    ShowWindow(Item(ids::ProgressPic1), SW_HIDE);
}

// A record that could not be read is no empty record: its commands stay off, since they would act on lists
// that are not the record, and the user is told which file could not be read.
void Form1::RecordUnreadable(const FileResult& read) {
    ClearRecordLists();
    Fclear();
    win::SetText(Item(ids::Label1), L"");
    EnableButtons(kRecordCommands, false);
    SetCursorWait(false);
    ShowWindow(Item(ids::Label15), SW_HIDE);
    ShowWindow(Item(ids::ProgressPic1), SW_HIDE);
    Message(FileFailureText(read, DatabasePath(DataFolder)), texts::BoxTitle, MessageKind::Critical);
}

void Form1::List2_Click() {
    if (NormalDisplay()) {
        EnableButtons(kFileCommands, true);
    }
}

void Form1::List2_DblClick() {
    if (NormalDisplay()) {
        RunButton(15);
    }
}

void Form1::clsTabStrip_Click() {
    int tab = clsTabStrip_.SelectedItem();
    ShowWindow(List2.view(), tab == 1 ? SW_SHOW : SW_HIDE);
    ShowWindow(Item(ids::frTab2), tab == 2 ? SW_SHOW : SW_HIDE);
    ShowWindow(List3.view(), tab == 3 ? SW_SHOW : SW_HIDE);
    ShowWindow(List4.view(), tab == 4 ? SW_SHOW : SW_HIDE);
    if (tab == 2) {
        Tab2();
    }
}

void Form1::Tab2() {
    // The entry with the focus, when it is selected: List2 allows several selected entries.
    HWND list = List2.view();
    int caret = static_cast<int>(SendMessageW(list, LB_GETCARETINDEX, 0, 0));
    bool selected = caret >= 0 && SendMessageW(list, LB_GETSEL, static_cast<WPARAM>(caret), 0) > 0;
    FileInfoTexts info = DescribeFile(selected ? List2.Item(static_cast<std::size_t>(caret)) : std::wstring());
    HWND frame = Item(ids::frTab2);
    win::SetText(GetDlgItem(frame, ids::Label13), info.name);
    win::SetText(GetDlgItem(frame, ids::Label11), info.size);
    win::SetText(GetDlgItem(frame, ids::Label7), info.date);
    win::SetText(GetDlgItem(frame, ids::Label9), info.time);
}

// The lists of a selected record emptied.
void Form1::ClearRecordLists() {
    List2.Clear();
    List3.Clear();
    List4.Clear();
    registryLines_.clear();
}

void Form1::Fclear() {
    HWND frame = Item(ids::frTab2);
    for (int id : {ids::Label13, ids::Label11, ids::Label7, ids::Label9}) {
        win::SetText(GetDlgItem(frame, id), L"");
    }
}

} // namespace ruvex::ui
