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

// Database passes and the drive walk
inline constexpr const wchar_t* TidyingDatabase = L"アンインストールデーターを整理しています、しばらくお待ちください。";
inline constexpr const wchar_t* TidyingRecordPrefix = L"データー [";
inline constexpr const wchar_t* TidyingRecordSuffix = L"] を整理しています、しばらくお待ちください。";
inline constexpr const wchar_t* CheckingDeletedFiles =
    L"削除されたファイルがないか調べています、しばらくお待ちください。";
inline constexpr const wchar_t* SavingToFile = L"ファイルに保存しています、しばらくお待ちください。";
inline constexpr const wchar_t* SearchingLevelPrefix = L"フォルダ No.";
inline constexpr const wchar_t* SearchingLevelSuffix = L" を検索しています、しばらくお待ちください。";

inline constexpr const wchar_t* TooManyFilesAllFolders =
    L"まことに申し訳ありません、ファイルが多すぎるため続行できません。"
    L"設定ですべてのフォルダを検索するのチェックをはずしてやり直してください。";
inline constexpr const wchar_t* TooManyFilesPartial =
    L"まことに申し訳ありません、ファイルが多すぎるため続行できません。終了します。";

// Options dialog
inline constexpr const wchar_t* OptionCaption = L"Ruvex -OPTION-";
inline constexpr const wchar_t* OptionDriveLabel = L"ｿﾌﾄをｲﾝｽﾄｰﾙするﾄﾞﾗｲﾌﾞを指定してください";
inline constexpr const wchar_t* OptionEditorLabel = L"ﾌｧｲﾙ編集時に使うｴﾃﾞｨﾀｰを指定してください。";
inline constexpr const wchar_t* OptionSearch = L"Search";
inline constexpr const wchar_t* OptionDefaults = L"初期値";
inline constexpr const wchar_t* OptionOk = L"OK";
inline constexpr const wchar_t* OptionCancel = L"ｷｬﾝｾﾙ";
inline constexpr const wchar_t* CheckSearchAllFolders = L"すべてのﾌｫﾙﾀﾞを検索する";
inline constexpr const wchar_t* CheckMaximiseWhenReady = L"ｲﾝｽﾄｰﾙ準備ができたら最大化する";
inline constexpr const wchar_t* CheckMinimiseWhenReady = L"ｲﾝｽﾄｰﾙ準備ができたら最小化する";
inline constexpr const wchar_t* CheckSafety = L"安全性を高める";
inline constexpr const wchar_t* CheckMinimiseDuringRun = L"ｲﾝｽﾄｰﾙ準備・検査中は最小化する（高速化）";
inline constexpr const wchar_t* CheckNoProgress = L"ｲﾝｽﾄｰﾙ準備・検査中に経過を表示しない";
inline constexpr const wchar_t* CheckNoStartupCheck = L"起動時には削除されたﾌｧｲﾙの検査をしない（高速化）";
inline constexpr const wchar_t* CheckNoToolTips = L"ﾂｰﾙﾋﾝﾄの表示を禁止する";
inline constexpr const wchar_t* DeviceNotReady = L"ﾃﾞﾊﾞｲｽの準備ができていません。";
inline constexpr const wchar_t* UnexpectedErrorPrefix = L"予期しないｴﾗｰ #";
inline constexpr const wchar_t* UnexpectedErrorSuffix = L" が発生しました。";

// Tool tips
inline constexpr const wchar_t* TipCheck9 = L"このようなツールヒントの表示を禁止します。";
inline constexpr const wchar_t* TipDefaults = L"初期値に戻します。";
inline constexpr const wchar_t* TipSearch = L"エディターを探します。";
inline constexpr const wchar_t* TipCheck1 = L"チェックしなくてもほぼ確実にアンインストール情報は収集できます。";
inline constexpr const wchar_t* TipCheck2And5 = L"お好みでどうぞ。";
inline constexpr const wchar_t* TipCheck6 =
    L"チェックするとシステムフォルダにインストールされたファイルを削除しません。";
inline constexpr const wchar_t* TipCheck8 = L"チェックすると大変速くなります。チェックすることを強くお勧めします。";
inline constexpr const wchar_t* TipCheck3 = L"ファイル検索中に限り経過バーを表示しなくします。";
inline constexpr const wchar_t* TipCheck4 =
    L"関連ファイルリストにあるファイルが実際に存在するかどうかの検査を起動時に行わないようにします。"
    L"検査は［更新］ボタンを押してもできます。";
inline constexpr const wchar_t* TipEditor = L"ファイル編集時にこのエディターを使います。";
inline constexpr const wchar_t* TipDrive = L"Windows がインストールされているドライブとこのドライブを監視します。";
inline constexpr const wchar_t* TipCommand1 =
    L"このボタンを押すと検出が始まりますので・・それが終了してからソフトをインストールしてください。";
inline constexpr const wchar_t* TipCommand2 =
    L"ソフトのインストール後このボタンを押してください。その後検出を行うのでしばらくお待ちください・・";
inline constexpr const wchar_t* TipCommand8 = L"すでにインストールされているソフトのために使います。詳しくはヘルプで。";
inline constexpr const wchar_t* TipCommand14 = L"最新の情報に更新します。";
inline constexpr const wchar_t* TipCommand5 = L"がんばってヘルプを読んでください。";
inline constexpr const wchar_t* TipCommand6 =
    L"バージョンウインドウを閉じるにはバージョンウインドウをクリックしてください。";
inline constexpr const wchar_t* TipCommand3 = L"上のインストール済みソフト一覧から選んだものをアンインストールします。";
inline constexpr const wchar_t* TipCommand9 = L"関連ファイルの追加を行います。少し難しいのでヘルプを読んでください。";
inline constexpr const wchar_t* TipCommand10 = L"関連ファイルの解放を行います。少し難しいのでヘルプを読んでください。";
inline constexpr const wchar_t* TipCommand15 = L"テキストファイル以外は正しく表示できません。";
inline constexpr const wchar_t* TipCommand7 = L"設定はよく考えて。";
inline constexpr const wchar_t* TipCommand4 = L"終了します。";
inline constexpr const wchar_t* TipCommand4Stop = L"検索を中止します。";
inline constexpr const wchar_t* TipCommand13 = L"ごみ箱に捨てるのではないので元に戻せません。注意を！";
inline constexpr const wchar_t* TipCommand12 =
    L"ソフトを解放するとそのソフトをＲｕｖｅｘでアンインストールできなくなります。";
inline constexpr const wchar_t* TipCommand11 = L"ソフト名をつけ間違えたときなどに。";

// File viewer and editor chooser
inline constexpr const wchar_t* ViewerCaption = L"Ruvex -FILE INFORMATION-";
inline constexpr const wchar_t* ViewerProportional = L"ＭＳ Ｐゴシック";
inline constexpr const wchar_t* ViewerFixed = L"ＭＳ ゴシック";
inline constexpr const wchar_t* ViewerEdit = L"編集";
inline constexpr const wchar_t* ViewerCannotShow = L"表示できません。";
inline constexpr const wchar_t* ViewerShowingPrefix = L"表示中ﾌｧｲﾙ  [";
inline constexpr const wchar_t* EditorNotStarted = L"エディターを起動できませんでした";
inline constexpr const wchar_t* ChooserCaption = L"Ruvex -EDITOR CHOOSE-";
inline constexpr const wchar_t* ChooserLabel = L"ｴﾃﾞｨﾀｰを選んでください";

// Install preparation, inspection, stop and resume
inline constexpr const wchar_t* DetectingFolders = L"ﾌｫﾙﾀﾞ検出中．．．";
inline constexpr const wchar_t* DetectingFiles = L"ﾌｧｲﾙ検出中．．．";
inline constexpr const wchar_t* DetectedFolders = L"検出されたﾌｫﾙﾀﾞ";
inline constexpr const wchar_t* DetectedFiles = L"検出されたﾌｧｲﾙ";
inline constexpr const wchar_t* PreparationDone = L"ｲﾝｽﾄｰﾙ準備が完了しましたのでｿﾌﾄをｲﾝｽﾄｰﾙしてください。\r\n"
                                                  L"ｿﾌﾄのｲﾝｽﾄｰﾙが終わりましたら[ｲﾝｽﾄｰﾙ検査]ﾎﾞﾀﾝを押してください。";
inline constexpr const wchar_t* InspectionDone = L"ｲﾝｽﾄｰﾙ検査終了しました。";
// After the closing message of a preparation or an inspection whose walk left entries out (the count between).
inline constexpr const wchar_t* SkippedPrefix =
    L"読み取れないﾌｫﾙﾀﾞ、またはﾊﾟｽが長すぎるか記録できない文字を含むﾌｫﾙﾀﾞ・ﾌｧｲﾙ ";
inline constexpr const wchar_t* SkippedSuffix = L" 個は記録していません。";
inline constexpr const wchar_t* NamePrompt = L"ｲﾝｽﾄｰﾙしたｿﾌﾄの名前を入力してください。";
inline constexpr const wchar_t* FoldersBefore = L"ｿﾌﾄｲﾝｽﾄｰﾙ前のﾌｫﾙﾀﾞ情報";
inline constexpr const wchar_t* FoldersAfter = L"ｿﾌﾄｲﾝｽﾄｰﾙ後のﾌｫﾙﾀﾞ情報";
inline constexpr const wchar_t* FilesBefore = L"ｿﾌﾄｲﾝｽﾄｰﾙ前のﾌｧｲﾙ情報";
inline constexpr const wchar_t* FilesAfter = L"ｿﾌﾄｲﾝｽﾄｰﾙ後のﾌｧｲﾙ情報";
inline constexpr const wchar_t* PreparingNewFolders = L"新規フォルダを検出する準備をしています、";
inline constexpr const wchar_t* RecordingNewFolders = L"新規フォルダを記録しています、しばらくお待ちください。";
inline constexpr const wchar_t* PreparingAddedFiles = L"追加されたファイルを検出する準備をしています、";
inline constexpr const wchar_t* RecordingAddedFiles = L"追加されたファイルを記録しています、しばらくお待ちください。";
inline constexpr const wchar_t* StopQuestion = L"処理を中止しますか？";
inline constexpr const wchar_t* Stopping = L"中断処理をしています、しばらくお待ちください。";
inline constexpr const wchar_t* ResumeQuestion = L"前回の続きを行いますか？";
inline constexpr const wchar_t* Resuming = L"前回の続きを行う処理をしています、しばらくお待ちください。";
inline constexpr const wchar_t* ResumeDone = L"処理が終了しました、続きを行ってください。";
inline constexpr const wchar_t* ResumeImpossible =
    L"前回のｲﾝｽﾄｰﾙ準備のデーターが見つからないため、続きを行うことができません。\r\n"
    L"ｲﾝｽﾄｰﾙ準備からやり直してください。";
inline constexpr const wchar_t* InspectionImpossible =
    L"ｲﾝｽﾄｰﾙ準備のデーターが見つからないため、ｲﾝｽﾄｰﾙ検査を行うことができません。\r\n"
    L"ｲﾝｽﾄｰﾙ準備からやり直してください。";
inline constexpr const wchar_t* CannotWrite = L"次のファイルに書き込めませんでした。";
inline constexpr const wchar_t* CannotRead = L"次のファイルを読み込めませんでした。";
// In place of the system's error text when a file to rewrite is no ANSI text (Unicode, NUL bytes, bytes
// the code page lacks).
inline constexpr const wchar_t* NotAnsiText =
    L"ｼﾌﾄJISのﾃｷｽﾄではない部分（Unicode、NUL文字、使えない文字）があるため、書き換えずにそのままにしました。";

// Uninstall
inline constexpr const wchar_t* UninstallQuestionSuffix = L" を削除しますよろしいですか？";
inline constexpr const wchar_t* CannotUndo = L"削除すると二度ともとに戻すことはできません。";
inline constexpr const wchar_t* DeletingFiles = L"ファイルを削除しています、";
inline constexpr const wchar_t* UninstalledSuffix = L" を削除しました。";
inline constexpr const wchar_t* PartlyUninstalledSuffix = L" の一部を削除しました。";
inline constexpr const wchar_t* LeftBehindReason =
    L"『Windows がファイルを使っていた』 または 『安全性を高める設定がされていた』 "
    L"ため削除できないファイルがありました。";

// Software records
inline constexpr const wchar_t* RegisterPrompt = L"登録するｿﾌﾄの名前を入力してください。";
inline constexpr const wchar_t* RenamePrompt = L"ｿﾌﾄ名を入れてください。";
inline constexpr const wchar_t* RenamedPrefix = L"ｿﾌﾄ名 ";
inline constexpr const wchar_t* RenamedMiddle = L" を ";
inline constexpr const wchar_t* RenamedSuffix = L" に変更しました。";
inline constexpr const wchar_t* ReleaseQuestionSuffix = L" を Ruvex でｱﾝｲﾝｽﾄｰﾙできなくなりますがよろしいですか？";
inline constexpr const wchar_t* ReleasedSuffix = L" を解放しました。";

// Related files: the file chooser, the file-list confirmation and the three commands
inline constexpr const wchar_t* FileChooseCaption = L"Ruvex -FILE CHOOSE-";
inline constexpr const wchar_t* FileChooseLabelSuffix = L" に関連付けるﾌｧｲﾙを選んでください。（複数選択可能）";
inline constexpr const wchar_t* Working = L"Working...";
inline constexpr const wchar_t* Back = L"戻る";
inline constexpr const wchar_t* PreviewEnd = L"[END]";
inline constexpr const wchar_t* FileListCaption = L"Ruvex -FILE INFORMATION-";
inline constexpr const wchar_t* AboveFilesPrefix = L"上記のﾌｧｲﾙを ";
inline constexpr const wchar_t* RelateSuffix = L" に関連付けます。";
inline constexpr const wchar_t* RelatedMiddle = L" に ";
inline constexpr const wchar_t* RelatedSuffix = L" 個のﾌｧｲﾙを関連付けました。";
// Followed by the full path of each such file, one a line.
inline constexpr const wchar_t* UnrecordableFileName =
    L"次のﾌｧｲﾙは名前にｼﾌﾄJISで表せない文字があるため、uninstall.dat に記録できません。";
inline constexpr const wchar_t* ReleaseFilesSuffix = L" から解放します。";
inline constexpr const wchar_t* ReleasedFilesMiddle = L" から ";
inline constexpr const wchar_t* ReleasedFilesSuffix = L" 個のﾌｧｲﾙを解放しました。";
inline constexpr const wchar_t* DeleteFilesLabel = L"上記のﾌｧｲﾙを削除します。";
inline constexpr const wchar_t* DeletedFilesSuffix = L" 個のﾌｧｲﾙを削除しました。";
inline constexpr const wchar_t* DeletedFilesPartlySuffix =
    L" 個のﾌｧｲﾙを削除しました。（削除できないファイルがありました。)";

// Backup and restore
inline constexpr const wchar_t* BackupQuestion = L"ｱﾝｲﾝｽﾄｰﾙﾃﾞｰﾀｰのﾊﾞｯｸｱｯﾌﾟを取ります。よろしいですか。";
inline constexpr const wchar_t* BackupDone = L"ﾊﾞｯｸｱｯﾌﾟを取りました。";
inline constexpr const wchar_t* BackupFailed = L"ﾊﾞｯｸｱｯﾌﾟを取れませんでした。";
inline constexpr const wchar_t* RestoreQuestion =
    L"ｱﾝｲﾝｽﾄｰﾙﾃﾞｰﾀｰをﾊﾞｯｸｱｯﾌﾟから復元します。\r\n現在のﾃﾞｰﾀｰは失われますがよろしいですか。";
inline constexpr const wchar_t* RestoreDone = L"復元完了しました。";
inline constexpr const wchar_t* BackupNotFound = L"ﾊﾞｯｸｱｯﾌﾟﾃﾞｰﾀｰが見つかりませんでした。";

// The registry
inline constexpr const wchar_t* TabRegistry = L"ﾚｼﾞｽﾄﾘ";
inline constexpr const wchar_t* CheckRecordRegistry = L"ﾚｼﾞｽﾄﾘの変更も記録する";
inline constexpr const wchar_t* TipCheckRegistry = L"ｲﾝｽﾄｰﾙで追加されたﾚｼﾞｽﾄﾘのｷｰと値も記録し、ｱﾝｲﾝｽﾄｰﾙで削除します。";
inline constexpr const wchar_t* RecordingRegistry = L"ﾚｼﾞｽﾄﾘを記録しています、しばらくお待ちください。";
inline constexpr const wchar_t* DeletingRegistry = L"ﾚｼﾞｽﾄﾘを削除しています、しばらくお待ちください。";
inline constexpr const wchar_t* RegistryGone = L"(なし)";
inline constexpr const wchar_t* RegistryDefaultValue = L"(既定)";
inline constexpr const wchar_t* RegistryRemovedPrefix = L"ﾚｼﾞｽﾄﾘの項目を ";
inline constexpr const wchar_t* RegistryRemovedSuffix = L" 個削除しました。";
inline constexpr const wchar_t* RegistryLeftPrefix = L"削除できなかったﾚｼﾞｽﾄﾘの項目: ";
inline constexpr const wchar_t* RegistryLeftSuffix = L" 個";
inline constexpr const wchar_t* RegistryBackupPrefix = L"削除前のﾚｼﾞｽﾄﾘの内容: ";
inline constexpr const wchar_t* RegistryBackupFailed =
    L"削除前のﾚｼﾞｽﾄﾘの内容を保存できなかったため、何も削除しませんでした。";

// The project's own addresses, opened by ｵﾌｨｼｬﾙﾎｰﾑﾍﾟｰｼﾞ and ﾒｰﾙ (one place for both).
inline constexpr const wchar_t* HomePageAddress = L"https://ruvex.example.org/";
inline constexpr const wchar_t* MailAddress = L"mailto:ruvex@example.org";

} // namespace ruvex::texts
