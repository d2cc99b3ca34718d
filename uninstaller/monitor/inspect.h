// The pieces of install inspection: the win.ini section comparison, the merge that finds added entries,
// the loading of snapshot files and the files of new folders.
#pragma once

#include "base/safefile.h"
#include "uninstaller/monitor/RunHost.h"

#include <string>
#include <vector>

namespace ruvex {

// The section header lines ("[...]") of both files through one sorted list; equal neighbours pair off, so a
// header that is in one file only (or an odd number of times across both) is reported. A missing file
// counts as one without sections.
[[nodiscard]] std::vector<std::wstring> CompareWinIniSections(const std::wstring& current, const std::wstring& copy);

// The preparation's copy of win.ini from the Windows folder into the data folder. A missing win.ini gives an
// empty copy; the copy is never read-only, whatever win.ini is.
[[nodiscard]] FileResult CopyWinIni(const std::wstring& windowsFolder, const std::wstring& dataFolder);

// Whether a snapshot file is whole as the walk saved it: present, and empty or ending with CR LF.
[[nodiscard]] bool SnapshotComplete(const std::wstring& path);

// The entries of after that are not in before, in after's order. Both lists come from the same walk, so
// shared entries keep their relative order; the merge treats an index past the end as the empty string.
// Moves the Wait bar to a on every 20th entry when a host is given.
[[nodiscard]] std::vector<std::wstring> FindAddedEntries(const std::vector<std::wstring>& before,
                                                         const std::vector<std::wstring>& after,
                                                         RunHost* host = nullptr);

enum class LoadResult { Completed, Stopped, Missing, ReadFailed };
enum class LoadStyle {
    Inspection, // a stop point after every line, the line shown in the caption
    Resume,     // events processed before every line, no stop point, no caption
};
// Appends the lines of name in the data folder to list, with the Wait bar following the bytes read.
// A label, when given, is shown followed by "しばらくお待ちください。".
[[nodiscard]] LoadResult LoadListFromFile(std::vector<std::wstring>& list, const std::wstring& dataFolder,
                                          const std::wstring& name, RunHost& host, LoadStyle style,
                                          const std::wstring& label = {});

// The files that lie directly in each new folder (folder by folder, each folder's files in name order);
// folders that have vanished are skipped, and files that cannot be recorded (IsRecordable) are left out and
// added to skipped.
[[nodiscard]] std::vector<std::wstring> FilesOfNewFolders(const std::vector<std::wstring>& newFolders,
                                                          std::size_t& skipped);

} // namespace ruvex
