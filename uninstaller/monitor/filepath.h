// Whether a recorded line names one file by its full path: the only lines that the uninstaller may delete
// or judge missing.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace ruvex {

// "X:\folder\name" or "\\server\share\folder\name", every part a plain name. Not: relative paths, a bare
// drive or root, wildcards, "." and ".." parts (or any part that Windows would trim: a trailing dot or
// blank), device names (NUL, CON, COM1, ... with or without an extension), stream names, "\\?\" and "\\.\"
// paths, and paths that end with a backslash.
[[nodiscard]] bool IsFullFilePath(std::wstring_view path) noexcept;

// What a recorded line names right now. Gone only when the system says "not found" and the line's drive
// answers: a drive that is not ready, a network path that is away or a file that cannot be looked at is
// Unknown, and its line is never taken for gone. Lines that are no full file path are Unknown too.
enum class PathState { File, Folder, Gone, Unknown };

// The one rule for "gone", shared by the uninstall, the file deletion and the missing-file check. It
// remembers per drive whether the drive answers, for the length of one pass.
class PathProbe {
public:
    [[nodiscard]] PathState Probe(const std::wstring& path);
    // The states of many paths, each exactly what Probe would say, the file system asked once per folder:
    // one listing answers for every path in a folder that is there, one test for every path in one that is
    // gone. The folders are asked on a few threads at once.
    [[nodiscard]] std::vector<PathState> ProbeAll(const std::vector<std::wstring>& paths);

private:
    [[nodiscard]] bool DriveAnswers(const std::wstring& path);
    std::map<std::wstring, bool> drives_;
};

// Whether a folder of the path, from the drive root down, is a reparse point (a junction, a symbolic link,
// a mount point); with includeLast the path's own last part is tested too. A part that cannot be looked at
// counts as one (the caller then leaves the path alone); the test ends at a part that is not there.
[[nodiscard]] bool PassesThroughLink(const std::wstring& path, bool includeLast);

} // namespace ruvex
