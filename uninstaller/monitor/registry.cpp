#include "uninstaller/monitor/registry.h"

#include "base/codec.h"
#include "base/text.h"

#include <algorithm>
#include <utility>

namespace ruvex {

namespace {

constexpr std::wstring_view kKeyPrefix = L"*K:";
constexpr std::wstring_view kValuePrefix = L"*V:";
constexpr std::wstring_view kUnrecordablePrefix = L"*X:";
constexpr REGSAM kView = KEY_WOW64_64KEY;

// The keys that change by themselves: what the system, the shell and Wine write while nothing is installed.
// Each entry is a key path; "*" stands for any one name. A key here is left out with all below it.
constexpr const wchar_t* kChurningKeys[] = {
    // Random seeds.
    L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Cryptography\\RNG",
    L"HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\Microsoft\\Cryptography\\RNG",
    // Explorer's most-recently-used lists, counters and shell bags; the shell folder cache it fills lazily.
    L"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RecentDocs",
    L"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32",
    L"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU",
    L"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\TypedPaths",
    L"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\UserAssist",
    L"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FeatureUsage",
    L"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MountPoints2",
    L"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\SessionInfo",
    L"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
    L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
    L"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\Shell\\Bags",
    L"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\Shell\\BagMRU",
    L"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\ShellNoRoam",
    L"HKEY_CURRENT_USER\\Software\\Classes\\Local Settings\\Software\\Microsoft\\Windows\\Shell",
    L"HKEY_CURRENT_USER\\Software\\Classes\\Local Settings\\MuiCache",
    // Time-zone and session state.
    L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Time Zones",
    L"HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\Microsoft\\Windows NT\\CurrentVersion\\Time Zones",
    L"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Group Policy",
    // The program's own settings.
    L"HKEY_CURRENT_USER\\Software\\Ruvex",
    // Wine's own configuration and state, rewritten as its programs start.
    L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Wine",
    L"HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\Wine",
    L"HKEY_CURRENT_USER\\Software\\Wine",
};

std::vector<std::wstring_view> Components(std::wstring_view path) {
    std::vector<std::wstring_view> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find(L'\\', start);
        if (end == std::wstring_view::npos) {
            end = path.size();
        }
        parts.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

} // namespace

bool IsKeyWithin(std::wstring_view path, std::wstring_view pattern) {
    auto names = Components(path);
    auto wanted = Components(pattern);
    if (wanted.size() > names.size()) {
        return false;
    }
    for (std::size_t i = 0; i < wanted.size(); ++i) {
        if (wanted[i] != L"*" && !TextEquals(wanted[i], names[i])) {
            return false;
        }
    }
    return true;
}

namespace {

// "*X:" + the path, each character a record cannot hold (and "&") as "&#N;": one line for one name.
std::wstring Unrecordable(const std::wstring& path) {
    std::wstring line(kUnrecordablePrefix);
    for (wchar_t c : path) {
        if (c == L'&' || !IsRecordableRegistryName(std::wstring(1, c))) {
            line += L"&#" + std::to_wstring(static_cast<unsigned>(c)) + L";";
        } else {
            line += c;
        }
    }
    return line;
}

class Walker {
public:
    Walker(RunHost* host, RegistrySnapshot& out) : host_(host), out_(out) {}

    // The key's values, then each subkey: its line, then (unless it is a link) all below it.
    void Walk(HKEY key, const std::wstring& path) {
        for (DWORD i = 0;; ++i) {
            DWORD length = kLongestName;
            if (RegEnumValueW(key, i, name_.data(), &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
                break;
            }
            std::wstring value(name_.data(), length);
            if (IsRecordableRegistryName(value)) {
                out_.lines.push_back(std::wstring(kValuePrefix) + path + L"\\\\" + value);
            } else {
                out_.lines.push_back(Unrecordable(path + L"\\\\" + value));
            }
        }
        std::vector<std::wstring> names;
        for (DWORD i = 0;; ++i) {
            DWORD length = kLongestName;
            if (RegEnumKeyExW(key, i, name_.data(), &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
                break;
            }
            names.emplace_back(name_.data(), length);
        }
        for (const auto& name : names) {
            if (stopped_) {
                return;
            }
            std::wstring child = path + L"\\" + name;
            if (!IsRecordableRegistryName(name)) {
                out_.lines.push_back(Unrecordable(child)); // counted if added, never entered
                continue;
            }
            if (IsChurningKey(child)) {
                continue;
            }
            out_.lines.push_back(std::wstring(kKeyPrefix) + child);
            HKEY opened = nullptr;
            if (RegOpenKeyExW(key, name.c_str(), REG_OPTION_OPEN_LINK, KEY_READ | kView, &opened) != ERROR_SUCCESS) {
                continue; // the system's own: listed, as it is there, but not entered
            }
            OpenedKey sub(opened);
            if (!IsLinkKey(sub.get())) {
                Walk(sub.get(), child);
            }
            if (host_ && ++keys_ % 64 == 0 && host_->StopPoint()) {
                stopped_ = true;
            }
        }
    }
    [[nodiscard]] bool Stopped() const noexcept { return stopped_; }

private:
    RunHost* host_;
    RegistrySnapshot& out_;
    // A value's name is at most 16,383 characters, a key's 255.
    static constexpr DWORD kLongestName = 16384;
    std::vector<wchar_t> name_ = std::vector<wchar_t>(kLongestName);
    std::size_t keys_ = 0;
    bool stopped_ = false;
};

} // namespace

std::wstring RegistryLine(const RegistryEntry& entry) {
    return entry.isValue ? std::wstring(kValuePrefix) + entry.key + L"\\\\" + entry.value
                         : std::wstring(kKeyPrefix) + entry.key;
}

std::optional<RegistryEntry> ParseRegistryLine(const std::wstring& line) {
    std::wstring_view text(line);
    RegistryEntry entry;
    if (text.starts_with(kKeyPrefix)) {
        entry.key = text.substr(kKeyPrefix.size());
        if (entry.key.find(L"\\\\") != std::wstring::npos) {
            return std::nullopt;
        }
    } else if (text.starts_with(kValuePrefix)) {
        text.remove_prefix(kValuePrefix.size());
        std::size_t split = text.find(L"\\\\");
        if (split == std::wstring_view::npos) {
            return std::nullopt;
        }
        entry.key = text.substr(0, split);
        entry.value = text.substr(split + 2);
        entry.isValue = true;
    } else {
        return std::nullopt;
    }
    if (entry.key.empty() || entry.key.back() == L'\\' || entry.key.front() == L'\\') {
        return std::nullopt;
    }
    return entry;
}

const std::vector<WatchedKey>& WatchedKeys() {
    static const std::vector<WatchedKey> keys{
        {HKEY_LOCAL_MACHINE, L"HKEY_LOCAL_MACHINE", L"SOFTWARE"},
        {HKEY_CURRENT_USER, L"HKEY_CURRENT_USER", L"Software"},
        {HKEY_LOCAL_MACHINE, L"HKEY_LOCAL_MACHINE", L"SYSTEM\\CurrentControlSet\\Services"},
    };
    return keys;
}

std::wstring WatchedPath(const WatchedKey& watched) {
    return std::wstring(watched.rootName) + L"\\" + watched.path;
}

bool IsChurningKey(const std::wstring& key) {
    return std::any_of(std::begin(kChurningKeys), std::end(kChurningKeys),
                       [&](const wchar_t* churning) { return IsKeyWithin(key, churning); });
}

bool IsRecordableRegistryName(const std::wstring& name) {
    return std::none_of(name.begin(), name.end(), [](wchar_t c) { return c < L' ' || c == 0x7F; }) &&
           IsAnsiRepresentable(name);
}

RegistrySnapshot SnapshotRegistry(const std::vector<WatchedKey>& watched, RunHost* host) {
    RegistrySnapshot snapshot;
    Walker walker(host, snapshot);
    if (host) {
        host->SetProgressMax(static_cast<double>(watched.size()));
    }
    for (std::size_t i = 0; i < watched.size() && !walker.Stopped() && !snapshot.stopped; ++i) {
        HKEY opened = nullptr;
        if (RegOpenKeyExW(watched[i].root, watched[i].path, 0, KEY_READ | kView, &opened) == ERROR_SUCCESS) {
            OpenedKey key(opened);
            walker.Walk(key.get(), WatchedPath(watched[i]));
        }
        if (host) {
            host->SetProgressPos(ProgressBar::Wait, static_cast<double>(i + 1));
            snapshot.stopped = snapshot.stopped || host->StopPoint();
        }
    }
    snapshot.stopped = snapshot.stopped || walker.Stopped();
    return snapshot;
}

RegistryChanges CompareRegistry(const std::vector<std::wstring>& before, const std::vector<std::wstring>& after) {
    std::vector<std::wstring> known;
    known.reserve(before.size());
    for (const auto& line : before) {
        known.push_back(ToUpper(line));
    }
    std::sort(known.begin(), known.end());
    RegistryChanges added;
    for (const auto& line : after) {
        if (std::binary_search(known.begin(), known.end(), ToUpper(line))) {
            continue;
        }
        if (std::wstring_view(line).starts_with(kUnrecordablePrefix)) {
            ++added.unrecordable;
        } else {
            added.lines.push_back(line);
        }
    }
    return added;
}

OpenedKey& OpenedKey::operator=(OpenedKey&& other) noexcept {
    if (this != &other) {
        if (key_) {
            RegCloseKey(key_);
        }
        key_ = std::exchange(other.key_, nullptr);
    }
    return *this;
}

OpenedKey::~OpenedKey() {
    if (key_) {
        RegCloseKey(key_);
    }
}

bool IsLinkKey(HKEY key) {
    DWORD type = REG_NONE;
    return RegQueryValueExW(key, L"SymbolicLinkValue", nullptr, &type, nullptr, nullptr) == ERROR_SUCCESS &&
           type == REG_LINK;
}

KeyOpening OpenRecordedKey(const std::wstring& path, REGSAM access) {
    KeyOpening opening;
    for (const auto& watched : WatchedKeys()) {
        const std::wstring top = WatchedPath(watched);
        if (!IsKeyWithin(path, top)) {
            continue;
        }
        // The keys on the way are only passed through; the access asked for is the last key's alone.
        auto names = Components(path);
        const std::size_t first = Components(top).size();
        auto rights = [&](std::size_t i) { return KEY_QUERY_VALUE | (i + 1 == names.size() ? access : 0) | kView; };
        HKEY opened = nullptr;
        opening.error = RegOpenKeyExW(watched.root, watched.path, 0, rights(first - 1), &opened);
        OpenedKey key(opened);
        if (opening.error != ERROR_SUCCESS) {
            return opening;
        }
        // Name by name below the watched key, each opened as itself: a link on the way ends the walk.
        for (std::size_t i = first; i < names.size(); ++i) {
            std::wstring name(names[i]);
            opening.error = RegOpenKeyExW(key.get(), name.c_str(), REG_OPTION_OPEN_LINK, rights(i), &opened);
            if (opening.error != ERROR_SUCCESS) {
                return opening;
            }
            key = OpenedKey(opened);
            if (IsLinkKey(key.get())) {
                opening.error = ERROR_CANT_ACCESS_FILE;
                return opening;
            }
        }
        opening.key = std::move(key);
        return opening;
    }
    opening.error = ERROR_ACCESS_DENIED;
    return opening;
}

} // namespace ruvex
