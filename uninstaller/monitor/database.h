// uninstall.dat: one record per software, "[name]" followed by its file paths, "-[section]" win.ini lines and
// "*K:"/"*V:" registry lines (monitor/registry.h).
// No operation keeps the database between user actions: each one opens the file, works and closes it.
#pragma once

#include "base/codec.h"
#include "base/safefile.h"
#include "uninstaller/monitor/RunHost.h"

#include <string>
#include <vector>

namespace ruvex {

// The table of a whole-file rewrite starts with room for this many lines and grows past it:
// a database is never cut short or refused for its length.
inline constexpr std::size_t MaxDatabaseLines = 35000;

[[nodiscard]] std::wstring DatabasePath(const std::wstring& dataFolder);

// The record of one software as the lists show it.
struct SoftwareRecord {
    std::vector<std::wstring> files;    // FileLines in file order
    std::vector<std::wstring> winIni;   // WinIniLines without their leading "-", in file order
    std::vector<std::wstring> registry; // registry lines as they stand, in file order
    FileResult read;                    // failed: the database could not be read, the lists are not the record
};

[[nodiscard]] bool DatabaseExists(const std::wstring& dataFolder);
// Creates an empty uninstall.dat; nothing happens when it exists.
[[nodiscard]] FileResult CreateEmptyDatabase(const std::wstring& dataFolder);
// Names of all records in file order, duplicates as they stand; drives the Wait bar by bytes read. A missing
// database lists nothing; one that cannot be read (held by another program) fails, and the names are not
// the database's.
struct SoftwareNames {
    std::vector<std::wstring> names;
    FileResult read;
};
[[nodiscard]] SoftwareNames ListSoftwareNames(const std::wstring& dataFolder, RunHost& host);
// The body of the first record whose header equals "[" + name + "]" without case.
[[nodiscard]] SoftwareRecord ReadRecord(const std::wstring& dataFolder, const std::wstring& name);
// Appends "[name]", the file paths, "-" + each section header line and the registry lines.
[[nodiscard]] FileResult AppendRecord(const std::wstring& dataFolder, const std::wstring& name,
                                      const std::vector<std::wstring>& files, const std::vector<std::wstring>& sections,
                                      const std::vector<std::wstring>& registry = {});
// Appends body lines only (the second append of an inspection): paths, then "-" + each section line.
[[nodiscard]] FileResult AppendRecordBody(const std::wstring& dataFolder, const std::vector<std::wstring>& files,
                                          const std::vector<std::wstring>& sections);

// The whole file as a table of lines (index 0 is the file's first line); a missing file is an empty table.
// With a host the Wait bar follows the bytes read. A file that cannot be read whole, or is no ANSI text,
// fails (result.reading, result.path) with no lines.
[[nodiscard]] FileLines ReadAllLines(const std::wstring& dataFolder, RunHost* host = nullptr);

// Whether the database can be read whole and rewritten now: taken before a command deletes anything, since a
// database that cannot follow would keep the lines of files that are gone, or lose those that stay, while the
// user is told it worked. A missing database passes.
[[nodiscard]] FileResult CheckDatabaseRewritable(const std::wstring& dataFolder);

enum class EmptyLines { Drop, Keep };
// Replaces the file by the table's lines in order; empty entries are left out unless kept.
[[nodiscard]] FileResult WriteAllLines(const std::wstring& dataFolder, const std::vector<std::wstring>& lines,
                                       EmptyLines empty = EmptyLines::Drop);

// Line kinds: a header starts with "[", a win.ini line with "-", a registry line with "*", anything else is a
// file path.
[[nodiscard]] bool IsHeaderLine(const std::wstring& line) noexcept;
[[nodiscard]] bool IsWinIniLine(const std::wstring& line) noexcept;
[[nodiscard]] bool IsRegistryLine(const std::wstring& line) noexcept;
[[nodiscard]] std::wstring HeaderFor(const std::wstring& name);

} // namespace ruvex
