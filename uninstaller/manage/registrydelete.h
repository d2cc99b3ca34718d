// The registry part of an uninstall: a backup of what is about to go, then the recorded values and keys
// deleted the way files and folders are (only what the record names, never through a link, a key only when
// empty), and the recorded services removed through the service control manager.
#pragma once

#include "base/safefile.h"
#include "uninstaller/monitor/registry.h"

#include <optional>
#include <string>
#include <vector>

namespace ruvex {

// A value as it stands now.
struct RegistryValue {
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};
[[nodiscard]] std::optional<RegistryValue> ReadRegistryValue(const RegistryEntry& entry);
// How the registry tab shows a line: the key, or the key, the value's name, its type and data; "(なし)"
// stands for what is no longer there.
[[nodiscard]] std::wstring DescribeRegistryLine(const std::wstring& line);

// The record's keys and values that still exist, as a Registry Editor 5 file (UTF-16 with its byte-order
// mark): empty when nothing of them is left.
[[nodiscard]] std::string RegistryBackupText(const std::vector<RegistryEntry>& entries);
// "name YYYYMMDD-HHMMSS.reg" in the data folder; characters a file name cannot hold become "_".
[[nodiscard]] std::wstring RegistryBackupPath(const std::wstring& dataFolder, const std::wstring& name);

// Whether a key may go at all: strictly below a watched key and not one of the system's shared keys.
[[nodiscard]] bool IsDeletableKey(const std::wstring& key);

struct RegistryRemoval {
    std::size_t removed = 0;    // values and keys deleted (a service's key counts as one)
    std::size_t leftBehind = 0; // present, but could not or may not be deleted
};
// Values first, then keys deepest first, each key only when it is empty by then. A key right below the
// services key is a service when the service control manager knows it: stopped and deleted there.
[[nodiscard]] RegistryRemoval RemoveRegistryEntries(const std::vector<RegistryEntry>& entries);

} // namespace ruvex
