// The setup program's path helpers are the shared ones.
#pragma once

#include "base/path.h"

namespace setup {

using ruvex::FolderWithSeparator;
using ruvex::NameAfterSeparator;
using ruvex::RemoveTrailingBackslash;

} // namespace setup
