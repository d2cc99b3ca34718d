// Software records edited by hand: registered under a typed name, renamed, released (forgotten without
// deleting anything).
#pragma once

#include "base/safefile.h"

#include <functional>
#include <string>
#include <vector>

namespace ruvex {

// uninstall.dat read whole, edited and written back, every line (empty ones too: only the tidy drops
// those); the old file stays as it was when it cannot be read or written.
using DatabaseEdit = std::function<std::vector<std::wstring>(std::vector<std::wstring>)>;
[[nodiscard]] FileResult RewriteDatabase(const std::wstring& dataFolder, const DatabaseEdit& edit);

// A new record with an empty body at the end of the database (created when missing).
[[nodiscard]] FileResult RegisterSoftware(const std::wstring& dataFolder, const std::wstring& name);

// The first header that names the software (without case) renamed; later records of that name keep theirs.
[[nodiscard]] std::vector<std::wstring> WithFirstHeaderRenamed(std::vector<std::wstring> lines,
                                                               const std::wstring& name, const std::wstring& newName);
// Every record whose header names the software left out, header and body; all other lines stay as they are
// (lines before the first header and empty lines too).
[[nodiscard]] std::vector<std::wstring> WithoutRecords(const std::vector<std::wstring>& lines,
                                                       const std::wstring& name);

// The two rewrites of uninstall.dat; the old file stays as it was when either cannot be read or written.
[[nodiscard]] FileResult RenameSoftware(const std::wstring& dataFolder, const std::wstring& name,
                                        const std::wstring& newName);
[[nodiscard]] FileResult ReleaseSoftware(const std::wstring& dataFolder, const std::wstring& name);

} // namespace ruvex
