#include "uninstaller/manage/backup.h"

#include "base/codec.h"
#include "uninstaller/monitor/database.h"

#include <windows.h>

namespace ruvex {

std::wstring BackupPath(const std::wstring& dataFolder) {
    return dataFolder + L"\\uninstall.bak";
}

namespace {

// A whole-file copy through the safe replacement: the target is either the old file or the whole copy.
FileResult CopyWhole(const std::wstring& from, const std::wstring& to) {
    std::string bytes;
    if (!ReadFileBytes(from, bytes)) {
        return FileResult::ReadFailed(GetLastError(), from);
    }
    return ReplaceFileContents(to, bytes);
}

} // namespace

FileResult TakeBackup(const std::wstring& dataFolder) {
    return CopyWhole(DatabasePath(dataFolder), BackupPath(dataFolder));
}

FileResult RestoreBackup(const std::wstring& dataFolder) {
    return CopyWhole(BackupPath(dataFolder), DatabasePath(dataFolder));
}

} // namespace ruvex
