#include "uninstaller/manage/records.h"

#include "base/text.h"
#include "uninstaller/monitor/database.h"

namespace ruvex {

FileResult RewriteDatabase(const std::wstring& dataFolder, const DatabaseEdit& edit) {
    FileLines table = ReadAllLines(dataFolder);
    if (!table.result) {
        return table.result;
    }
    return WriteAllLines(dataFolder, edit(std::move(table.lines)), EmptyLines::Keep);
}

FileResult RegisterSoftware(const std::wstring& dataFolder, const std::wstring& name) {
    return AppendRecord(dataFolder, name, {}, {});
}

std::vector<std::wstring> WithFirstHeaderRenamed(std::vector<std::wstring> lines, const std::wstring& name,
                                                 const std::wstring& newName) {
    const std::wstring header = HeaderFor(name);
    for (auto& line : lines) {
        if (TextEquals(line, header)) {
            line = HeaderFor(newName);
            break;
        }
    }
    return lines;
}

std::vector<std::wstring> WithoutRecords(const std::vector<std::wstring>& lines, const std::wstring& name) {
    const std::wstring header = HeaderFor(name);
    std::vector<std::wstring> kept;
    kept.reserve(lines.size());
    bool skipping = false;
    for (const auto& line : lines) {
        if (IsHeaderLine(line)) {
            skipping = TextEquals(line, header);
        }
        if (!skipping) {
            kept.push_back(line);
        }
    }
    return kept;
}

FileResult RenameSoftware(const std::wstring& dataFolder, const std::wstring& name, const std::wstring& newName) {
    return RewriteDatabase(dataFolder, [&](std::vector<std::wstring> lines) {
        return WithFirstHeaderRenamed(std::move(lines), name, newName);
    });
}

FileResult ReleaseSoftware(const std::wstring& dataFolder, const std::wstring& name) {
    return RewriteDatabase(dataFolder, [&](std::vector<std::wstring> lines) { return WithoutRecords(lines, name); });
}

} // namespace ruvex
