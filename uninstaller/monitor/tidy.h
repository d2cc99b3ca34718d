// The two whole-file passes that keep uninstall.dat in shape.
#pragma once

#include "base/safefile.h"
#include "uninstaller/monitor/RunHost.h"

#include <string>
#include <vector>

namespace ruvex {

// Sorts one record body in the sorted-list-box order and drops duplicates without case (the last of a
// run of equal lines stays) and empty lines.
[[nodiscard]] std::vector<std::wstring> TidyBody(std::vector<std::wstring> body, RunHost* host = nullptr);

// Seiri: every record keeps its header and place, its body tidied; lines before the first header go.
[[nodiscard]] FileResult Seiri(const std::wstring& dataFolder, RunHost& host);

// Killed: drops every file line whose file no longer exists (PathProbe's Gone), lines that name a folder,
// and registry lines whose key or value no longer exists. Lines on a drive that cannot be read right now (an empty
// removable drive, a share that is away) stay, so that a record is not lost while its drive is away; so do lines that
// are not the full path of a file.
[[nodiscard]] FileResult Killed(const std::wstring& dataFolder, RunHost& host);

} // namespace ruvex
