// Every text that SETUP.EXE shows, exactly as it shows it (half-width katakana included).
#pragma once

namespace setup::texts {

inline constexpr const wchar_t* kCrLf2 = L"\r\n\r\n";

// Shell folders and the definition file.
inline constexpr const wchar_t* kShellFolderMissing =
    L"特殊ﾌｫﾙﾀﾞ情報をﾚｼﾞｽﾄﾘより所得できません。\r\n\r\nﾚｼﾞｽﾄﾘが損傷している可能性があります。";
inline constexpr const wchar_t* kCannotOpenFile = L"ファイル %s は開けません";

// Page labels.
inline constexpr const wchar_t* kWelcome1 = L" ｾｯﾄｱｯﾌﾟへようこそ。";
inline constexpr const wchar_t* kWelcome2 = L"今から ";
inline constexpr const wchar_t* kWelcome3 = L" をこのｺﾝﾋﾟｭｰﾀｰにｲﾝｽﾄｰﾙします。";
inline constexpr const wchar_t* kWelcome4 = L"なお、次へ行く前にすべてのｱﾌﾟﾘｹｰｼｮﾝを終了することをお勧めします。";
inline constexpr const wchar_t* kAgreementLabel = L"以下の内容に同意されない場合はｾｯﾄｱｯﾌﾟを継続できません。";
inline constexpr const wchar_t* kReadmeLabel = L"以下の内容をよくお読みください。";
inline constexpr const wchar_t* kDestinationLabel = L"ｲﾝｽﾄｰﾙ先を指定してください。";
inline constexpr const wchar_t* kShortcutsLabel = L"以下の項目にﾁｪｯｸするとｱﾌﾟﾘｹｰｼｮﾝを起動しやすくなります。";
inline constexpr const wchar_t* kReadyLabel =
    L"ｲﾝｽﾄｰﾙする準備ができました。\r\n\r\n[ｲﾝｽﾄｰﾙ]を押すとｲﾝｽﾄｰﾙを開始します。";
inline constexpr const wchar_t* kInstallingLabel = L"ｲﾝｽﾄｰﾙ中です。しばらくお待ちください。";
inline constexpr const wchar_t* kInstalledLabel = L"ｲﾝｽﾄｰﾙが正常に終了しました。";
inline constexpr const wchar_t* kUninstall1 = L" をｱﾝｲﾝｽﾄｰﾙします。";
inline constexpr const wchar_t* kUninstall2 = L"ｱﾝｲﾝｽﾄｰﾙを開始する前に必ず ";
inline constexpr const wchar_t* kUninstall3 = L" を終了してください。";
inline constexpr const wchar_t* kUninstall4 = L"開始するには[ｱﾝｲﾝｽﾄｰﾙ]を押してください。";

// Buttons and check boxes.
inline constexpr const wchar_t* kNext = L"次へ &>>";
inline constexpr const wchar_t* kBack = L"&<< 戻る";
inline constexpr const wchar_t* kCancel = L"ｷｬﾝｾﾙ";
inline constexpr const wchar_t* kAgree = L"同意する";
inline constexpr const wchar_t* kDisagree = L"同意しない";
inline constexpr const wchar_t* kBrowse = L"参照(&B)";
inline constexpr const wchar_t* kInstall = L"ｲﾝｽﾄｰﾙ";
inline constexpr const wchar_t* kFinish = L"終了";
inline constexpr const wchar_t* kUninstall = L"ｱﾝｲﾝｽﾄｰﾙ";
inline constexpr const wchar_t* kProgramGroupBox = L"ﾌﾟﾛｸﾞﾗﾑｸﾞﾙｰﾌﾟに登録する";
inline constexpr const wchar_t* kDesktopBox = L"ﾃﾞｽｸﾄｯﾌﾟに登録する";
inline constexpr const wchar_t* kStartupBox = L"ｽﾀｰﾄｱｯﾌﾟに登録する";
inline constexpr const wchar_t* kSendToBox = L"「送る」に登録する";
inline constexpr const wchar_t* kLaunchBox = L"今すぐ起動する";

// Destination.
inline constexpr const wchar_t* kFolderMissing = L" は存在しません。";
inline constexpr const wchar_t* kCreateFolderQuestion = L"ｲﾝｽﾄｰﾙ時に作成しますがよろしいですか？";
inline constexpr const wchar_t* kBrowseCaption = L"ｲﾝｽﾄｰﾙ先ﾌｫﾙﾀﾞを選択してください。";

// Installation run; every warning ends with kStartAgain after a blank line.
inline constexpr const wchar_t* kStartAgain = L"ｾｯﾄｱｯﾌﾟをはじめからやり直してください。";
inline constexpr const wchar_t* kFolderNotCreated = L" を作成できませんでした。";
inline constexpr const wchar_t* kCopyFailed = L"ﾌｧｲﾙのｺﾋﾟｰに失敗しました。";
inline constexpr const wchar_t* kProgramGroupFailed = L"ﾌﾟﾛｸﾞﾗﾑｸﾞﾙｰﾌﾟに登録できませんでした。";
inline constexpr const wchar_t* kStartupFailed = L"ｽﾀｰﾄｱｯﾌﾟに登録できませんでした。";
inline constexpr const wchar_t* kDesktopFailed = L"ﾃﾞｽｸﾄｯﾌﾟに登録できませんでした。";
inline constexpr const wchar_t* kSendToFailed = L"「送る」に登録できませんでした。";
inline constexpr const wchar_t* kRegistryWriteFailed = L"ﾚｼﾞｽﾄﾘに書き込みできませんでした。";
inline constexpr const wchar_t* kSettingFailed = L"'%s' の設定に失敗しました";
// After a failed run has been undone: the files (and registry values) that could not be put back, one a line.
inline constexpr const wchar_t* kNotRestored = L"次のﾌｧｲﾙを元に戻せませんでした。";
inline constexpr const wchar_t* kRecordFailed = L"ｱﾝｲﾝｽﾄｰﾙ情報を書き込めませんでした。";

// Uninstall run.
inline constexpr const wchar_t* kCannotDelete = L" を削除できません。";
inline constexpr const wchar_t* kCannotDeleteKey = L" をﾚｼﾞｽﾄﾘから削除できません。";
inline constexpr const wchar_t* kInfCannotDelete = L"\\SETUP.INF を削除できません。";
inline constexpr const wchar_t* kRestartQuestion =
    L"ｱﾝｲﾝｽﾄｰﾙが終了しました。いくつかのﾌｧｲﾙは再起動後に削除されます。\r\n\r\nここで再起動しますか？";
inline constexpr const wchar_t* kLogOffQuestion =
    L"ｱﾝｲﾝｽﾄｰﾙが終了しました。いくつかのﾌｧｲﾙは再ログオン後に削除されます。\r\n\r\nここでログオフしますか？";

} // namespace setup::texts
