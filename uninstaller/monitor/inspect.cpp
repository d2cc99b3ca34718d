#include "uninstaller/monitor/inspect.h"

#include "base/codec.h"
#include "base/safefile.h"
#include "base/text.h"
#include "resources/RuvexTexts.h"
#include "base/path.h"
#include "uninstaller/monitor/snapshot.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <unordered_map>

namespace ruvex {

namespace {

void AddHeaders(const std::wstring& path, std::vector<std::wstring>& headers) {
    LineReader reader;
    if (!reader.Open(path)) {
        return;
    }
    std::wstring line;
    while (reader.Next(line)) {
        if (FirstChar(line) == L'[') {
            headers.push_back(line);
        }
    }
}

// The key under which the locale's comparison without case sees two texts as equal: its sort key.
std::string KeyOf(const std::wstring& text) {
    std::string key;
    (void)SortKey(text, key);
    return key;
}

// Where each text of a list stands, so that "the next occurrence after a" is a binary search instead of a
// scan of the rest of the list. Position count (one past the end) holds the empty string.
class PositionIndex {
public:
    explicit PositionIndex(const std::vector<std::wstring>& list) : list_(list) {
        for (std::size_t i = 0; i <= list.size(); ++i) {
            positions_[KeyOf(At(i))].push_back(i);
        }
    }
    [[nodiscard]] const std::wstring& At(std::size_t i) const { return i < list_.size() ? list_[i] : empty_; }
    // Whether some position k > a (up to the sentinel) holds text.
    [[nodiscard]] bool FindAfter(const std::string& key, const std::wstring& text, std::size_t a) const {
        auto it = positions_.find(key);
        if (it == positions_.end()) {
            return false;
        }
        const auto& at = it->second;
        for (auto k = std::upper_bound(at.begin(), at.end(), a); k != at.end(); ++k) {
            if (TextEquals(At(*k), text)) {
                return true;
            }
        }
        return false;
    }

private:
    const std::vector<std::wstring>& list_;
    const std::wstring empty_;
    std::unordered_map<std::string, std::vector<std::size_t>> positions_;
};

} // namespace

std::vector<std::wstring> CompareWinIniSections(const std::wstring& current, const std::wstring& copy) {
    std::vector<std::wstring> headers; // Form11's sorted list
    AddHeaders(current, headers);
    AddHeaders(copy, headers);
    SortTexts(headers);
    std::vector<std::wstring> changed;
    for (std::size_t i = 0; i < headers.size(); ++i) {
        if (i + 1 < headers.size() && TextEquals(headers[i], headers[i + 1])) {
            ++i; // a pair: present before and after
        } else {
            changed.push_back(headers[i]);
        }
    }
    return changed;
}

FileResult CopyWinIni(const std::wstring& windowsFolder, const std::wstring& dataFolder) {
    const std::wstring source = windowsFolder + L"\\win.ini";
    const std::wstring target = dataFolder + L"\\win.ini";
    std::string bytes;
    if (!ReadFileBytes(source, bytes)) {
        DWORD error = GetLastError();
        // A missing win.ini is no error: the inspection compares against nothing. One that cannot be read
        // would make every section look added.
        if (FileExists(source)) {
            return FileResult::ReadFailed(error, source);
        }
    }
    // A byte copy, not CopyFileW: that would carry a read-only attribute over, and the copy of the next
    // preparation could not replace it.
    DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        SetFileAttributesW(target.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    }
    return ReplaceFileContents(target, bytes);
}

bool SnapshotComplete(const std::wstring& path) {
    FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.get(), &size)) {
        return false;
    }
    if (size.QuadPart == 0) {
        return true;
    }
    LARGE_INTEGER end{};
    end.QuadPart = -2;
    char last[2] = {};
    DWORD got = 0;
    return size.QuadPart >= 2 && SetFilePointerEx(file.get(), end, nullptr, FILE_END) &&
           ReadFile(file.get(), last, 2, &got, nullptr) && got == 2 && last[0] == '\r' && last[1] == '\n';
}

std::vector<std::wstring> FindAddedEntries(const std::vector<std::wstring>& before,
                                           const std::vector<std::wstring>& after, RunHost* host) {
    std::vector<std::wstring> added;
    PositionIndex index(after);
    static const std::wstring empty;
    std::size_t b = 0;
    // The key of before[b], computed once for each b.
    std::size_t keyOf = static_cast<std::size_t>(-1);
    std::string key;
    for (std::size_t a = 0; a < after.size(); ++a) {
        if (host && a % 20 == 0) {
            host->SetProgressPos(ProgressBar::Wait, static_cast<double>(a));
        }
        for (;;) {
            const std::wstring& wanted = b < before.size() ? before[b] : empty;
            // Both lists come from one walk: an entry present in both is mostly the very same text.
            if (wanted == after[a] || TextEquals(wanted, after[a])) {
                ++b;
                break;
            }
            if (keyOf != b) {
                key = KeyOf(wanted);
                keyOf = b;
            }
            if (index.FindAfter(key, wanted, a)) {
                added.push_back(after[a]);
                break;
            }
            ++b; // before[b] is gone from the after-list
        }
    }
    return added;
}

LoadResult LoadListFromFile(std::vector<std::wstring>& list, const std::wstring& dataFolder, const std::wstring& name,
                            RunHost& host, LoadStyle style, const std::wstring& label) {
    LineReader reader;
    if (!reader.Open(JoinPath(dataFolder, name))) {
        return LoadResult::Missing;
    }
    if (reader.Size() > 0) {
        host.SetProgressMax(static_cast<double>(reader.Size()));
    }
    if (!label.empty()) {
        host.SetWaitLabel(label + texts::PleaseWait);
    }
    std::uint64_t count = 0;
    std::uint64_t position = 0;
    std::wstring line;
    for (;;) {
        if (style == LoadStyle::Resume) {
            host.ProcessEvents();
        }
        if (!reader.Next(line)) {
            break;
        }
        ++count;
        position += AnsiLength(line) + 2;
        if (count % 20 == 0) {
            host.SetProgressPos(ProgressBar::Wait, static_cast<double>(position));
        }
        list.push_back(line);
        if (style == LoadStyle::Inspection) {
            host.InHand(line);
            if (host.StopPoint()) {
                return LoadResult::Stopped;
            }
        }
    }
    if (reader.Error() != ERROR_SUCCESS) {
        return LoadResult::ReadFailed;
    }
    host.PMax();
    return LoadResult::Completed;
}

std::vector<std::wstring> FilesOfNewFolders(const std::vector<std::wstring>& newFolders, std::size_t& skipped) {
    std::vector<std::wstring> files;
    for (const auto& folder : newFolders) {
        if (!FolderExists(folder)) {
            continue;
        }
        for (const auto& name : ListFolder(folder, true).File1) {
            std::wstring path = JoinPath(folder, name);
            if (IsRecordable(path, name)) {
                files.push_back(std::move(path));
            } else {
                ++skipped;
            }
        }
    }
    return files;
}

} // namespace ruvex
