#include "uninstaller/monitor/tidy.h"

#include "base/path.h"
#include "base/text.h"
#include "uninstaller/monitor/database.h"
#include "uninstaller/monitor/filepath.h"
#include "uninstaller/monitor/registry.h"
#include "resources/RuvexTexts.h"

#include <windows.h>

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

// A registry line goes when its key, or its value, is not there: never when the key cannot be reached (a
// link on the way, no access) or the line is not of the form.
bool RegistryEntryGone(const std::wstring& line) {
    auto entry = ParseRegistryLine(line);
    if (!entry) {
        return false;
    }
    KeyOpening opening = OpenRecordedKey(entry->key, KEY_QUERY_VALUE);
    if (!opening.key || !entry->isValue) {
        return opening.error == ERROR_FILE_NOT_FOUND;
    }
    return RegQueryValueExW(opening.key.get(), entry->value.c_str(), nullptr, nullptr, nullptr, nullptr) ==
           ERROR_FILE_NOT_FOUND;
}

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
    FileLines table = ReadAllLines(dataFolder, &host);
    host.PMax();
    if (!table.result) {
        host.SetBusy(false);
        return table.result;
    }
    auto& lines = table.lines; // each body line is moved out once
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
            body.push_back(std::move(lines[++i]));
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
    FileLines table = ReadAllLines(dataFolder, &host);
    if (!table.result) {
        host.SetBusy(false);
        return table.result;
    }
    // The uninstall's rule for "gone", asked once per folder; a line that names a folder goes too, as no file
    // of a record is one (the folder itself is never touched). Headers, win.ini and registry lines are no paths;
    // a registry line goes when its key or value is gone.
    const std::vector<PathState> states = PathProbe().ProbeAll(table.lines);
    for (std::size_t i = 0; i < states.size(); ++i) {
        if (states[i] == PathState::Gone || states[i] == PathState::Folder ||
            (IsRegistryLine(table.lines[i]) && RegistryEntryGone(table.lines[i]))) {
            table.lines[i].clear();
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
