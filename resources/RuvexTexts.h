// Every text that Ruvex.exe shows, exactly as the user sees it (half-width katakana where the program uses them).
#pragma once

namespace ruvex::texts {

// Titles
inline constexpr const wchar_t* AppTitle = L"ｱﾝｲﾝｽﾄｰﾗｰ Ruvex";
inline constexpr const wchar_t* BoxTitle = L"Ruvex";
inline constexpr const wchar_t* MainCaption = L"Ruvex";
inline constexpr const wchar_t* WaitCaption = L"Ruvex -PLEASE WAIT-";
inline constexpr const wchar_t* VersionCaption = L"ｱﾝｲﾝｽﾄｰﾗｰ Ruvex";

// Start-up
inline constexpr const wchar_t* AlreadyRunning = L"Uninstaller Ruvex はすでに起動されています。";
inline constexpr const wchar_t* StartupFailed = L"Ruvex を起動できませんでした。";

// Main window labels
inline constexpr const wchar_t* InstalledSoftware = L"ｲﾝｽﾄｰﾙ済みｿﾌﾄ";
inline constexpr const wchar_t* Loading = L"Loading...";
inline constexpr const wchar_t* SoftwareSize = L"ｿﾌﾄｻｲｽﾞ";

// Buttons (and the menu entries that run them)
inline constexpr const wchar_t* InstallPreparation = L"ｲﾝｽﾄｰﾙ準備";
inline constexpr const wchar_t* InstallInspection = L"ｲﾝｽﾄｰﾙ検査";
inline constexpr const wchar_t* Uninstall = L"ｱﾝｲﾝｽﾄｰﾙ";
inline constexpr const wchar_t* RegisterByHand = L"ｿﾌﾄ手動登録";
inline constexpr const wchar_t* AddRelatedFiles = L"関連ﾌｧｲﾙ追加";
inline constexpr const wchar_t* ReleaseRelatedFiles = L"関連ﾌｧｲﾙ解放";
inline constexpr const wchar_t* DeleteFiles = L"ﾌｧｲﾙ削除";
inline constexpr const wchar_t* ReleaseSoftware = L"ｿﾌﾄ解放";
inline constexpr const wchar_t* RenameSoftware = L"ｿﾌﾄ名変更";
inline constexpr const wchar_t* ShowFile = L"ﾌｧｲﾙ表示";
inline constexpr const wchar_t* Refresh = L"更新";
inline constexpr const wchar_t* Settings = L"設定";
inline constexpr const wchar_t* ShowHelp = L"ﾍﾙﾌﾟ表示";
inline constexpr const wchar_t* VersionInfo = L"ﾊﾞｰｼﾞｮﾝ情報";
inline constexpr const wchar_t* Exit = L"終了";
inline constexpr const wchar_t* StopSearch = L"検索中止";

// Menus
inline constexpr const wchar_t* MenuAutomatic = L"自動処理";
inline constexpr const wchar_t* MenuManual = L"手動処理";
inline constexpr const wchar_t* MenuOther = L"その他";
inline constexpr const wchar_t* MenuHelp = L"ﾍﾙﾌﾟ";
inline constexpr const wchar_t* Backup = L"ﾊﾞｯｸｱｯﾌﾟ";
inline constexpr const wchar_t* Restore = L"復元";
inline constexpr const wchar_t* AddRemovePrograms = L"ｱﾌﾟﾘｹｰｼｮﾝの追加と削除";
inline constexpr const wchar_t* HomePage = L"ｵﾌｨｼｬﾙﾎｰﾑﾍﾟｰｼﾞ";
inline constexpr const wchar_t* Mail = L"ﾒｰﾙ";

// Tabs
inline constexpr const wchar_t* TabRelatedFiles = L"関連ﾌｧｲﾙ";
inline constexpr const wchar_t* TabFileInfo = L"ﾌｧｲﾙ情報";
inline constexpr const wchar_t* TabWinIni = L"WIN.INI";

// File information tab
inline constexpr const wchar_t* FileName = L"ﾌｧｲﾙ名";
inline constexpr const wchar_t* FileSize = L"ﾌｧｲﾙｻｲｽﾞ";
inline constexpr const wchar_t* FileDate = L"ﾌｧｲﾙ更新日";
inline constexpr const wchar_t* FileTime = L"ﾌｧｲﾙ更新時刻";
inline constexpr const wchar_t* Deleted = L" 削除されています";

// Sizes
inline constexpr const wchar_t* Bytes = L" ﾊﾞｲﾄ";

// Please-wait window
inline constexpr const wchar_t* WaitInitial = L"ただいま処理中です、しばらくお待ちください。";
inline constexpr const wchar_t* WaitIdle = L"ただいま処理中です。しばらくお待ちください。";
inline constexpr const wchar_t* PleaseWait = L"しばらくお待ちください。";
inline constexpr const wchar_t* ReadingDatabase = L"アンインストールデーターを読み込んでいます、";

// Input box
inline constexpr const wchar_t* Ok = L"OK";
inline constexpr const wchar_t* Cancel = L"ｷｬﾝｾﾙ";

// Version window
inline constexpr const wchar_t* VersionText = L"Version 1.0.0";

} // namespace ruvex::texts
