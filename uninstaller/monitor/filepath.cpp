#include "uninstaller/monitor/filepath.h"

#include "base/handles.h"
#include "base/parallel.h"
#include "base/path.h"
#include "base/text.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <unordered_map>

namespace ruvex {

namespace {

bool IsAsciiLetter(wchar_t c) noexcept {
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

wchar_t AsciiUpper(wchar_t c) noexcept {
    return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c;
}

bool EqualsAscii(std::wstring_view text, std::wstring_view upper) noexcept {
    if (text.size() != upper.size()) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (AsciiUpper(text[i]) != upper[i]) {
            return false;
        }
    }
    return true;
}

// Windows opens the device, not a file, for these names in any folder and with any extension.
bool IsDeviceName(std::wstring_view part) noexcept {
    std::wstring_view base = part.substr(0, part.find(L'.'));
    while (!base.empty() && base.back() == L' ') {
        base.remove_suffix(1);
    }
    static constexpr std::array<std::wstring_view, 6> kNames{L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"};
    for (auto name : kNames) {
        if (EqualsAscii(base, name)) {
            return true;
        }
    }
    if (base.size() == 4 && (EqualsAscii(base.substr(0, 3), L"COM") || EqualsAscii(base.substr(0, 3), L"LPT"))) {
        wchar_t n = base[3];
        return (n >= L'0' && n <= L'9') || n == L'\u00B9' || n == L'\u00B2' || n == L'\u00B3';
    }
    return false;
}

bool IsPlainName(std::wstring_view part) noexcept {
    if (part.empty() || part.back() == L'.' || part.back() == L' ') {
        return false;
    }
    for (wchar_t c : part) {
        if (c < 32 || c == L'<' || c == L'>' || c == L':' || c == L'"' || c == L'/' || c == L'|' || c == L'?' ||
            c == L'*') {
            return false;
        }
    }
    return !IsDeviceName(part);
}

bool NotFound(DWORD error) noexcept {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// Names compare as the file system compares them: ordinal, without case.
struct NameEqual {
    bool operator()(const std::wstring& a, const std::wstring& b) const noexcept {
        return a.size() == b.size() && CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(),
                                                            static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
    }
};

// Names equal without case hash alike: ASCII letters folded, kana and kanji (which have no case) as they
// stand, every other character one value.
struct NameHash {
    std::size_t operator()(const std::wstring& name) const noexcept {
        std::size_t h = 14695981039346656037ull;
        for (wchar_t c : name) {
            const wchar_t k = c < 0x80 ? AsciiUpper(c) : (c >= 0x3000 && c < 0xA000) ? c : wchar_t{0xFFFF};
            h = (h ^ static_cast<std::size_t>(k)) * 1099511628211ull;
        }
        return h;
    }
};

// A listing costs about what ten single tests cost under Wine (its handle takes three trips to the server,
// and every entry is looked at): a folder with fewer lines is asked line by line, and the first line that
// finds its folder gone answers for the rest.
constexpr std::size_t kListFrom = 12;

// A few folders a turn: a turn takes a millisecond or so, far more than sharing it out costs.
constexpr std::size_t kFoldersATurn = 4;

// A folder's path and the indexes of its lines.
struct Folder {
    std::wstring path;
    std::vector<std::size_t> members;
};

// What the system says of a path before the drive rule: Gone here means only "not found" (error says
// whether the folder itself is missing); whether its drive answers is asked afterwards.
PathState Look(const std::wstring& path, DWORD& error) {
    if (!IsFullFilePath(path)) {
        return PathState::Unknown;
    }
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? PathState::Folder : PathState::File;
    }
    error = GetLastError();
    return NotFound(error) ? PathState::Gone : PathState::Unknown;
}

PathState Look(const std::wstring& path) {
    DWORD error = ERROR_SUCCESS;
    return Look(path, error);
}

// One folder's lines, each given Look's answer. Runs on any thread: it touches only its members' states.
void LookInFolder(const Folder& folder, const std::vector<std::wstring>& paths, std::vector<PathState>& states) {
    const auto& members = folder.members;
    if (members.size() < kListFrom) {
        for (std::size_t k = 0; k < members.size(); ++k) {
            DWORD error = ERROR_SUCCESS;
            states[members[k]] = Look(paths[members[k]], error);
            if (states[members[k]] == PathState::Gone && error == ERROR_PATH_NOT_FOUND) {
                // The folder itself is not there: nothing else in it is either.
                for (std::size_t rest = k + 1; rest < members.size(); ++rest) {
                    states[members[rest]] = PathState::Gone;
                }
                return;
            }
        }
        return;
    }
    WIN32_FIND_DATAW data;
    FindHandle find(FindFirstFileExW(JoinPath(folder.path, L"*").c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                     nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!find) {
        const DWORD error = GetLastError();
        // Not listed: either the folder is not there (nothing in it is), or it is there and empty (a root),
        // or it cannot be listed, and then each path is asked on its own.
        const std::wstring& self = folder.path;
        const std::wstring asked = DriveRoot(self) == self + L"\\" ? self + L"\\" : self; // "C:" is "C:\"
        const DWORD attributes = NotFound(error) ? GetFileAttributesW(asked.c_str()) : 0;
        const bool gone = attributes == INVALID_FILE_ATTRIBUTES && NotFound(GetLastError());
        const bool empty = error == ERROR_FILE_NOT_FOUND && attributes != INVALID_FILE_ATTRIBUTES &&
                           (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        for (std::size_t i : members) {
            states[i] = gone || empty ? PathState::Gone : Look(paths[i]);
        }
        return;
    }
    std::unordered_map<std::wstring, DWORD, NameHash, NameEqual> names;
    do {
        names.emplace(data.cFileName, data.dwFileAttributes);
    } while (FindNextFileW(find.get(), &data));
    for (std::size_t i : members) {
        const std::wstring name = FileNamePart(paths[i]);
        auto found = names.find(name);
        if (found != names.end()) {
            states[i] = (found->second & FILE_ATTRIBUTE_DIRECTORY) != 0 ? PathState::Folder : PathState::File;
        } else if (name.find(L'~') != std::wstring::npos) {
            states[i] = Look(paths[i]); // maybe a short (8.3) name, which the listing does not give
        } else {
            states[i] = PathState::Gone;
        }
    }
}

} // namespace

bool IsFullFilePath(std::wstring_view path) noexcept {
    std::size_t minimumParts = 1;
    if (path.size() >= 3 && IsAsciiLetter(path[0]) && path[1] == L':' && path[2] == L'\\') {
        path.remove_prefix(3);
    } else if (path.size() >= 2 && path[0] == L'\\' && path[1] == L'\\') {
        path.remove_prefix(2);
        minimumParts = 3; // server, share, name
    } else {
        return false;
    }
    std::size_t parts = 0;
    for (;;) {
        auto slash = path.find(L'\\');
        if (!IsPlainName(path.substr(0, slash))) {
            return false;
        }
        ++parts;
        if (slash == std::wstring_view::npos) {
            break;
        }
        path.remove_prefix(slash + 1);
    }
    return parts >= minimumParts;
}

PathState PathProbe::Probe(const std::wstring& path) {
    DWORD error = ERROR_SUCCESS;
    const PathState state = Look(path, error);
    return state == PathState::Gone && !DriveAnswers(path) ? PathState::Unknown : state;
}

std::vector<PathState> PathProbe::ProbeAll(const std::vector<std::wstring>& paths) {
    std::vector<PathState> states(paths.size(), PathState::Unknown);
    // The paths of each folder, the folders in the order they first come.
    std::unordered_map<std::wstring, std::size_t> seen;
    std::vector<Folder> folders;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        if (!IsFullFilePath(paths[i])) {
            continue;
        }
        if (paths[i].size() >= MAX_PATH) {
            // Out of reach of the plain file functions: the listing could find what Probe cannot.
            states[i] = Probe(paths[i]);
            continue;
        }
        auto [at, added] = seen.emplace(FolderPart(paths[i]), folders.size());
        if (added) {
            folders.push_back({at->first, {}});
        }
        folders[at->second].members.push_back(i);
    }
    // A file test waits on the system more than it computes, even under Wine: the folders are shared out to
    // a few threads, each writing only the states of its own folders' lines.
    ForEachRange(folders.size(), kFoldersATurn, [&](std::size_t begin, std::size_t end) {
        for (std::size_t f = begin; f < end; ++f) {
            LookInFolder(folders[f], paths, states);
        }
    });
    // "Not found" is gone only on a drive that answers; the drives are asked here, on the caller's thread.
    std::wstring root;
    bool answers = true;
    for (const Folder& folder : folders) {
        for (std::size_t i : folder.members) {
            if (states[i] != PathState::Gone) {
                continue;
            }
            if (std::wstring lineRoot = DriveRoot(paths[i]); lineRoot != root) {
                root = std::move(lineRoot);
                answers = DriveAnswers(paths[i]);
            }
            if (!answers) {
                states[i] = PathState::Unknown;
            }
        }
    }
    return states;
}

bool PathProbe::DriveAnswers(const std::wstring& path) {
    const std::wstring root = DriveRoot(path);
    auto known = drives_.find(ToUpper(root));
    if (known == drives_.end()) {
        known = drives_.emplace(ToUpper(root), GetFileAttributesW(root.c_str()) != INVALID_FILE_ATTRIBUTES).first;
    }
    return known->second;
}

bool PassesThroughLink(const std::wstring& path, bool includeLast) {
    const std::wstring root = DriveRoot(path);
    if (root.empty()) {
        return true;
    }
    const std::size_t end = includeLast ? path.size() : path.rfind(L'\\');
    for (std::size_t slash = root.size() - 1; slash != std::wstring::npos && slash < end;) {
        const std::size_t next = path.find(L'\\', slash + 1);
        const std::wstring folder = path.substr(0, std::min(next, end));
        const DWORD attributes = GetFileAttributesW(folder.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            // Nothing below a folder that is not there can be reached through a link; a folder that cannot
            // be looked at might be one.
            const DWORD error = GetLastError();
            return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND;
        }
        if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
            return true;
        }
        slash = next;
    }
    return false;
}

} // namespace ruvex
