#include "uninstaller/monitor/tidy.h"

#include "base/path.h"
#include "base/text.h"
#include "uninstaller/monitor/database.h"
#include "uninstaller/monitor/filepath.h"
#include "resources/RuvexTexts.h"

#include <windows.h>

#include <map>

namespace ruvex {

namespace {

// The maximum stays as it was when there is nothing to count.
void SetMax(RunHost* host, std::size_t max) {
    if (host && max > 0) {
        host->SetProgressMax(static_cast<double>(max));
    }
}

std::uint64_t FileSize(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) {
        return 0;
    }
    return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// Answers "is this file gone?" and remembers per drive whether the drive can be read at all. Only a line
// that names a file by its full path can be judged: any other line (a relative path, a wildcard, a device,
// a folder) is one the uninstall left alone, and the record keeps it.
class MissingFileTest {
public:
    bool IsGone(const std::wstring& path) {
        if (!IsFullFilePath(path)) {
            return false;
        }
        DWORD attributes = GetFileAttributesW(path.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES) {
            return false;
        }
        std::wstring root = DriveRoot(path);
        if (root.empty()) {
            return true;
        }
        std::wstring key = ToUpper(root);
        auto known = drives_.find(key);
        if (known == drives_.end()) {
            known = drives_.emplace(key, GetFileAttributesW(root.c_str()) != INVALID_FILE_ATTRIBUTES).first;
        }
        return known->second;
    }

private:
    std::map<std::wstring, bool> drives_;
};

// A phase over k lines: maximum k, position j on every 20th line.
void Steps(RunHost* host, std::size_t k) {
    SetMax(host, k);
    for (std::size_t j = 20; host && j <= k; j += 20) {
        host->SetProgressPos(ProgressBar::Wait, static_cast<double>(j));
    }
}

} // namespace

std::vector<std::wstring> TidyBody(std::vector<std::wstring> body, RunHost* host) {
    const std::size_t k = body.size();
    // Into the sorted list and back out; each step ends with a full bar.
    Steps(host, k);
    std::vector<bool> repeats;
    SortTexts(body, &repeats);
    if (host) {
        host->PMax();
        Steps(host, k);
        host->PMax();
    }
    for (std::size_t j = 0; j + 1 < k; ++j) {
        if (repeats[j + 1]) {
            body[j].clear();
        }
    }
    if (host) {
        host->PMax();
        Steps(host, k);
    }
    std::vector<std::wstring> kept;
    kept.reserve(k);
    for (auto& line : body) {
        if (!line.empty()) {
            kept.push_back(std::move(line));
        }
    }
    return kept;
}

FileResult Seiri(const std::wstring& dataFolder, RunHost& host) {
    const std::wstring path = DatabasePath(dataFolder);
    std::uint64_t size = FileSize(path);
    if (size > 0) {
        host.ShowWaitWindow(true);
        host.SetWaitLabel(texts::TidyingDatabase);
    }
    if (!FileExists(path)) {
        return {};
    }
    host.SetBusy(true);
    DatabaseLines table = ReadAllLines(dataFolder, &host);
    host.PMax();
    if (!table.ok) {
        host.SetBusy(false);
        return FileResult::ReadFailed(table.error);
    }
    const auto& lines = table.lines;
    std::vector<std::wstring> out;
    out.reserve(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!IsHeaderLine(lines[i])) {
            continue;
        }
        out.push_back(lines[i]);
        std::wstring name = lines[i].size() >= 2 ? lines[i].substr(1, lines[i].size() - 2) : std::wstring();
        host.SetWaitLabel(texts::TidyingRecordPrefix + name.substr(0, 10) + texts::TidyingRecordSuffix);
        std::vector<std::wstring> body;
        while (i + 1 < lines.size() && !IsHeaderLine(lines[i + 1])) {
            body.push_back(lines[++i]);
        }
        for (auto& line : TidyBody(std::move(body), &host)) {
            out.push_back(std::move(line));
        }
    }
    FileResult written = ReplaceFileLines(path, out);
    host.PMax();
    host.SetBusy(false);
    return written;
}

FileResult Killed(const std::wstring& dataFolder, RunHost& host) {
    const std::wstring path = DatabasePath(dataFolder);
    if (!FileExists(path)) {
        return {};
    }
    host.SetBusy(true);
    std::uint64_t size = FileSize(path);
    if (size > 0) {
        host.ShowWaitWindow(true);
        host.SetWaitLabel(texts::CheckingDeletedFiles);
    }
    DatabaseLines table = ReadAllLines(dataFolder, &host);
    if (!table.ok) {
        host.SetBusy(false);
        return FileResult::ReadFailed(table.error);
    }
    MissingFileTest test;
    for (auto& line : table.lines) {
        if (!IsHeaderLine(line) && !IsWinIniLine(line) && !line.empty() && test.IsGone(line)) {
            line.clear();
        }
    }
    host.PMax();
    Steps(&host, table.lines.size());
    FileResult written = WriteAllLines(dataFolder, table.lines);
    host.PMax();
    host.SetBusy(false);
    return written;
}

} // namespace ruvex
