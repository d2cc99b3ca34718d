// The registry beside the drives: the keys a monitored installation watches, their snapshot, the comparison
// and the record's registry lines.
//
// A record names what an installation added to the registry in lines of its own kind:
//   "*K:" + key path                        a key it added
//   "*V:" + key path + "\\" + value name    a value it added ("" names the key's default value)
// The key path starts with its root's full name ("HKEY_LOCAL_MACHINE\SOFTWARE\Vendor"). No file path can start
// with "*" (Windows forbids it in every name), no win.ini line does (those start with "-"), and no header does
// ("["). A key path never holds two backslashes in a row (a key's name is never empty and never holds one), so
// the first "\\" of a value line ends its key, whatever the value's name holds.
#pragma once

#include "uninstaller/monitor/RunHost.h"

#include <windows.h>

#include <optional>
#include <utility>
#include <string>
#include <vector>

namespace ruvex {

struct RegistryEntry {
    std::wstring key;   // "HKEY_LOCAL_MACHINE\SOFTWARE\Vendor"
    std::wstring value; // a value's name; empty for a key, and for the default value
    bool isValue = false;
};

[[nodiscard]] std::wstring RegistryLine(const RegistryEntry& entry);
// Nothing for a line that is not of the form (a hand-edited record): such a line is never acted on.
[[nodiscard]] std::optional<RegistryEntry> ParseRegistryLine(const std::wstring& line);

// A key a monitored installation watches: the root's handle and full name, and the path below it.
struct WatchedKey {
    HKEY root;
    const wchar_t* rootName;
    const wchar_t* path;
};
// HKEY_LOCAL_MACHINE\SOFTWARE (64-bit view: the 32-bit view is stored below it as WOW6432Node and is
// walked there, each key under its one real name), HKEY_CURRENT_USER\Software and the services.
[[nodiscard]] const std::vector<WatchedKey>& WatchedKeys();
[[nodiscard]] std::wstring WatchedPath(const WatchedKey& watched);

// Whether path is pattern or lies below it, name by name without case ("*" in pattern matches any one name).
[[nodiscard]] bool IsKeyWithin(std::wstring_view path, std::wstring_view pattern);

// The keys that change by themselves, left out of every snapshot with everything below them.
[[nodiscard]] bool IsChurningKey(const std::wstring& key);

// Whether a name can stand in a record line as it is: held by the ANSI code page, no control characters.
[[nodiscard]] bool IsRecordableRegistryName(const std::wstring& name);

struct RegistrySnapshot {
    // Key and value lines in walk order; a name a record cannot hold stands as "*X:" + its path with each
    // such character as "&#N;" ("&" too), so that the comparison can count what it cannot record.
    std::vector<std::wstring> lines;
    bool stopped = false;
};
// Walks the watched keys depth-first; a link is listed as a key but never entered, and so is a key that
// cannot be opened or whose name a record cannot hold. With a host: the Wait bar follows the watched keys,
// and a stop point follows every 64 keys and every watched key.
[[nodiscard]] RegistrySnapshot SnapshotRegistry(const std::vector<WatchedKey>& watched, RunHost* host);

struct RegistryChanges {
    std::vector<std::wstring> lines; // record lines, in the order of the after-snapshot
    std::size_t unrecordable = 0;    // added names a record cannot hold: left out and counted
};
// What after holds and before lacks (without regard to case, as the registry compares names): the added
// keys, every one, and the added values, in added keys and in keys that were there. A value that changed
// is in both and never recorded.
[[nodiscard]] RegistryChanges CompareRegistry(const std::vector<std::wstring>& before,
                                              const std::vector<std::wstring>& after);

// A key opened for reading or deleting without following any link below its watched key. Empty when the
// key lies outside every watched key, is missing, or a link lies on the way (error says which).
class OpenedKey {
public:
    OpenedKey() = default;
    explicit OpenedKey(HKEY key) : key_(key) {}
    OpenedKey(OpenedKey&& other) noexcept : key_(std::exchange(other.key_, nullptr)) {}
    OpenedKey& operator=(OpenedKey&& other) noexcept;
    ~OpenedKey();
    [[nodiscard]] HKEY get() const noexcept { return key_; }
    explicit operator bool() const noexcept { return key_ != nullptr; }

private:
    HKEY key_ = nullptr;
};
struct KeyOpening {
    OpenedKey key;
    LONG error = ERROR_SUCCESS; // ERROR_FILE_NOT_FOUND: gone; anything else: it could not be reached
};
[[nodiscard]] KeyOpening OpenRecordedKey(const std::wstring& path, REGSAM access);
// Whether an open key is a registry link.
[[nodiscard]] bool IsLinkKey(HKEY key);

} // namespace ruvex
