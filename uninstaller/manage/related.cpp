#include "uninstaller/manage/related.h"

#include "base/codec.h"
#include "base/text.h"
#include "resources/RuvexTexts.h"
#include "uninstaller/manage/records.h"
#include "uninstaller/monitor/database.h"
#include "uninstaller/manage/deletion.h"

#include <windows.h>

namespace ruvex {

std::vector<std::wstring> WithFilesAdded(const std::vector<std::wstring>& lines, const std::wstring& name,
                                         const std::vector<std::wstring>& files) {
    // An ordinal comparison: the one place where case tells two records apart.
    const std::wstring header = HeaderFor(name);
    std::vector<std::wstring> out;
    out.reserve(lines.size() + files.size());
    for (const auto& line : lines) {
        out.push_back(line);
        if (line == header) {
            out.insert(out.end(), files.begin(), files.end());
        }
    }
    return out;
}

std::vector<std::wstring> WithFilesReleased(const std::vector<std::wstring>& lines, const std::wstring& name,
                                            const std::vector<std::wstring>& kept) {
    const std::wstring header = HeaderFor(name);
    std::vector<std::wstring> out;
    out.reserve(lines.size() + kept.size());
    bool edited = false;
    for (std::size_t k = 0; k < lines.size(); ++k) {
        out.push_back(lines[k]);
        if (edited || !TextEquals(lines[k], header)) {
            continue;
        }
        edited = true;
        std::size_t end = k + 1;
        while (end < lines.size() && !IsHeaderLine(lines[end])) {
            if (IsWinIniLine(lines[end]) || IsRegistryLine(lines[end])) {
                out.push_back(lines[end]);
            }
            ++end;
        }
        out.insert(out.end(), kept.begin(), kept.end());
        k = end - 1;
    }
    return out;
}

std::vector<std::wstring> UnrecordableFiles(const std::vector<std::wstring>& files) {
    std::vector<std::wstring> unrecordable;
    for (const auto& file : files) {
        if (!IsAnsiRepresentable(file)) {
            unrecordable.push_back(file);
        }
    }
    return unrecordable;
}

FileResult AddRelatedFiles(const std::wstring& dataFolder, const std::wstring& name,
                           const std::vector<std::wstring>& files) {
    // The code page writes é as e and ¥ as a backslash: such a line names a file the user never chose, and
    // an uninstall or a file deletion would later delete that one. The chooser refuses these names itself;
    // this is the last guard before the file.
    if (!UnrecordableFiles(files).empty()) {
        return FileResult::Failed(ERROR_NO_UNICODE_TRANSLATION);
    }
    return RewriteDatabase(dataFolder,
                           [&](std::vector<std::wstring> lines) { return WithFilesAdded(lines, name, files); });
}

FileResult ReleaseRelatedFiles(const std::wstring& dataFolder, const std::wstring& name,
                               const std::vector<std::wstring>& kept) {
    return RewriteDatabase(dataFolder,
                           [&](std::vector<std::wstring> lines) { return WithFilesReleased(lines, name, kept); });
}

DeleteOutcome DeleteRecordedFiles(const std::wstring& dataFolder, const std::vector<std::wstring>& files) {
    DeleteOutcome outcome;
    // The missing-file check that follows must be able to drop the deleted files' lines.
    if (outcome.database = CheckDatabaseRewritable(dataFolder); !outcome.database) {
        return outcome;
    }
    outcome.count = static_cast<int>(files.size());
    DeletionGate gate;
    for (const auto& file : files) {
        switch (gate.Delete(file)) {
        case Deletion::Deleted:
        case Deletion::Gone: // a missing file stays counted, as it always did
            break;
        case Deletion::Folder:
        case Deletion::Protected:
        case Deletion::Unreadable:
        case Deletion::Refused:
            --outcome.count;
            outcome.failed = true;
            break;
        }
    }
    return outcome;
}

std::wstring DeletedMessage(const DeleteOutcome& outcome) {
    return std::to_wstring(outcome.count) +
           (outcome.failed ? texts::DeletedFilesPartlySuffix : texts::DeletedFilesSuffix);
}

} // namespace ruvex
