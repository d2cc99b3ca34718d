// Control and menu ids of Ruvex.exe's windows, shared with the end-to-end tests.
#pragma once

namespace ruvex::ids {

// Form1, the main window: CommandN has the id 1000 + N.
inline constexpr int Command(int n) {
    return 1000 + n;
}
inline constexpr int Command1 = Command(1);
inline constexpr int Command2 = Command(2);
inline constexpr int Command3 = Command(3);
inline constexpr int Command4 = Command(4);
inline constexpr int Command5 = Command(5);
inline constexpr int Command6 = Command(6);
inline constexpr int Command7 = Command(7);
inline constexpr int Command8 = Command(8);
inline constexpr int Command9 = Command(9);
inline constexpr int Command10 = Command(10);
inline constexpr int Command11 = Command(11);
inline constexpr int Command12 = Command(12);
inline constexpr int Command13 = Command(13);
inline constexpr int Command14 = Command(14);
inline constexpr int Command15 = Command(15);

inline constexpr int List1 = 1101;
inline constexpr int List2 = 1102;
inline constexpr int List3 = 1103;
inline constexpr int List4 = 1104;   // the registry tab
inline constexpr int Label1 = 1201;  // size text of the selected software
inline constexpr int Label2 = 1202;  // list title
inline constexpr int Label4 = 1204;  // "ｿﾌﾄｻｲｽﾞ"
inline constexpr int Label15 = 1215; // "Loading..."
inline constexpr int ProgressPic1 = 1301;
inline constexpr int PicTabs = 1302;
inline constexpr int frTab2 = 1303;
// Labels of frTab2 (children of the frame): captions and the values beside them.
inline constexpr int FileNameCaption = 1410;
inline constexpr int FileSizeCaption = 1411;
inline constexpr int FileDateCaption = 1412;
inline constexpr int FileTimeCaption = 1413;
inline constexpr int Label13 = 1420; // file name
inline constexpr int Label11 = 1421; // file size
inline constexpr int Label7 = 1422;  // date modified
inline constexpr int Label9 = 1423;  // time modified
// The tab control inside PicTabs.
inline constexpr int TabStrip = 1501;
// The progress bar inside a host picture box.
inline constexpr int ProgressBar = 1601;

// Menu entries of Form1 (the menu ids of button entries are those of the buttons' own).
inline constexpr int mnuBackUp = 2001;
inline constexpr int mnuFukugen = 2002;
inline constexpr int mnuControl = 2003;
inline constexpr int mnuHomePage = 2004;
inline constexpr int mnuEMail = 2005;
// Pop-up entries: 3000 + the button number.
inline constexpr int Popup(int command) {
    return 3000 + command;
}

// Form10, the please-wait window.
inline constexpr int WaitLabel1 = 1;
inline constexpr int PregressPic2 = 2;

// Form4, the version window.
inline constexpr int VersionLabel = 1;

// The input box.
inline constexpr int InputPrompt = 10;
inline constexpr int InputText = 11;
inline constexpr int InputOk = 1;     // IDOK: the edit's Enter
inline constexpr int InputCancel = 2; // IDCANCEL: Esc

// Form2, the options dialog.
namespace form2 {
inline constexpr int Label2 = 8;
inline constexpr int Drive2 = 3;
inline constexpr int Label1 = 4;
inline constexpr int Text1 = 5;
inline constexpr int Command3 = 6; // Search
inline constexpr int Frame = 7;
inline constexpr int Check1 = 11;
inline constexpr int Check2 = 12;
inline constexpr int Check5 = 15;
inline constexpr int Check6 = 16;
inline constexpr int Check8 = 18;
inline constexpr int Check3 = 13;
inline constexpr int Check4 = 14;
inline constexpr int Check9 = 19;
inline constexpr int Check10 = 20;  // ﾚｼﾞｽﾄﾘの変更も記録する
inline constexpr int Command2 = 21; // 初期値
inline constexpr int Command1 = 1;  // OK (IDOK: Enter)
inline constexpr int Command4 = 2;  // ｷｬﾝｾﾙ (IDCANCEL: Esc)
} // namespace form2

// Form9, the file viewer.
namespace form9 {
inline constexpr int Text2 = 12, Text1 = 11;                                    // the file's name, its text
inline constexpr int Option1 = 13, Option2 = 14, HScroll1 = 15, SizeLabel = 16; // the font and its size
inline constexpr int Command1 = 1, Command2 = 17;                               // OK (IDOK: Enter), 編集
} // namespace form9

// Form5, the editor chooser.
namespace form5 {
inline constexpr int Label1 = 11, Drive1 = 12, Dir1 = 13, File1 = 14;
inline constexpr int Command1 = 1; // OK (IDOK: Enter)
inline constexpr int Command2 = 2; // ｷｬﾝｾﾙ (IDCANCEL: Esc)
} // namespace form5

// Form7, the file-list confirmation.
namespace form7 {
inline constexpr int Label1 = 11, Text1 = 12;
inline constexpr int Command1 = 1; // OK (IDOK: Enter)
inline constexpr int Command2 = 2; // ｷｬﾝｾﾙ (IDCANCEL: Esc)
} // namespace form7

// Form6, the file chooser.
namespace form6 {
inline constexpr int Label1 = 11, Drive1 = 12, Dir1 = 13, File1 = 14;
inline constexpr int FileNameCaption = 20, FileSizeCaption = 21, FileDateCaption = 22, FileTimeCaption = 23;
inline constexpr int Label3 = 24, Label5 = 25, Label7 = 26, Label9 = 27; // name, size, date, time
inline constexpr int Text1 = 30;                                         // the preview
inline constexpr int Label10 = 31, ProgressPic3 = 32;                    // "Working..." and its bar
inline constexpr int Command1 = 1;                                       // OK (IDOK: Enter)
inline constexpr int Command2 = 2;                                       // 戻る (IDCANCEL: Esc)
} // namespace form6

} // namespace ruvex::ids
