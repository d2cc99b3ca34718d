// The files recorded for a software edited by hand: added from the file chooser, released from the record,
// deleted from the disk.
#pragma once

#include "base/safefile.h"

#include <string>
#include <vector>

namespace ruvex {

// The files put directly after every header that is exactly "[" + name + "]" (case regarded: a record
// whose name differs only in case is another software's), in the given order.
[[nodiscard]] std::vector<std::wstring> WithFilesAdded(const std::vector<std::wstring>& lines, const std::wstring& name,
                                                       const std::vector<std::wstring>& files);
// The first record of the name (without case) rewritten as its win.ini lines, in their order, then the kept
// files; later records of the name, and every other line, stay as they are.
[[nodiscard]] std::vector<std::wstring> WithFilesReleased(const std::vector<std::wstring>& lines,
                                                          const std::wstring& name,
                                                          const std::vector<std::wstring>& kept);

// The files whose names the ANSI code page cannot hold: written down, each would name another file.
[[nodiscard]] std::vector<std::wstring> UnrecordableFiles(const std::vector<std::wstring>& files);

// The two rewrites of uninstall.dat (every line written, empty ones too); the old file stays as it was
// when either cannot be read or written. Adding refuses the whole list, writing nothing, when one of its
// names cannot be recorded (ERROR_NO_UNICODE_TRANSLATION).
[[nodiscard]] FileResult AddRelatedFiles(const std::wstring& dataFolder, const std::wstring& name,
                                         const std::vector<std::wstring>& files);
[[nodiscard]] FileResult ReleaseRelatedFiles(const std::wstring& dataFolder, const std::wstring& name,
                                             const std::vector<std::wstring>& kept);

struct DeleteOutcome {
    int count = 0;       // files taken as deleted
    bool failed = false; // some file could not be deleted
    FileResult database; // uninstall.dat could not be read or rewritten: nothing was deleted
};
// Deletes the files from the disk (folders never) through the deletion gate, once uninstall.dat is known
// to be readable and rewritable. A missing file stays counted; one that cannot be deleted, cannot be looked
// at, lies behind a link or is no full file path is left alone and not counted.
[[nodiscard]] DeleteOutcome DeleteRecordedFiles(const std::wstring& dataFolder, const std::vector<std::wstring>& files);
// count + " 個のﾌｧｲﾙを削除しました。", with the note about undeletable files when something failed.
[[nodiscard]] std::wstring DeletedMessage(const DeleteOutcome& outcome);

} // namespace ruvex
