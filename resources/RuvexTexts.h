// The texts of Ruvex.exe, exactly as the user sees them.
#pragma once

namespace ruvex::texts {

inline constexpr const wchar_t* PleaseWait = L"しばらくお待ちください。";
inline constexpr const wchar_t* TidyingDatabase = L"アンインストールデーターを整理しています、しばらくお待ちください。";
inline constexpr const wchar_t* TidyingRecordPrefix = L"データー [";
inline constexpr const wchar_t* TidyingRecordSuffix = L"] を整理しています、しばらくお待ちください。";
inline constexpr const wchar_t* CheckingDeletedFiles = L"削除されたファイルがないか調べています、しばらくお待ちください。";
inline constexpr const wchar_t* SavingToFile = L"ファイルに保存しています、しばらくお待ちください。";
inline constexpr const wchar_t* SearchingLevelPrefix = L"フォルダ No.";
inline constexpr const wchar_t* SearchingLevelSuffix = L" を検索しています、しばらくお待ちください。";

inline constexpr const wchar_t* TooManyFilesAllFolders =
    L"まことに申し訳ありません、ファイルが多すぎるため続行できません。"
    L"設定ですべてのフォルダを検索するのチェックをはずしてやり直してください。";
inline constexpr const wchar_t* TooManyFilesPartial =
    L"まことに申し訳ありません、ファイルが多すぎるため続行できません。終了します。";

} // namespace ruvex::texts
