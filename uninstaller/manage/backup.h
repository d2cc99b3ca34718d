// The single backup of uninstall.dat (その他 menu): taken and restored whole.
#pragma once

#include "base/safefile.h"

#include <string>

namespace ruvex {

// uninstall.bak, the one backup beside the database.
[[nodiscard]] std::wstring BackupPath(const std::wstring& dataFolder);
// uninstall.dat copied to uninstall.bak byte for byte, through the safe replacement.
[[nodiscard]] FileResult TakeBackup(const std::wstring& dataFolder);
// The backup copied over uninstall.dat. reading is set when the backup cannot be read (missing): the
// database is not touched then; a failed write leaves it byte for byte as well.
[[nodiscard]] FileResult RestoreBackup(const std::wstring& dataFolder);

} // namespace ruvex
