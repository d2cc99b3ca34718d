// The pieces of install inspection: the win.ini section comparison, the merge that finds added entries,
// the loading of snapshot files and the files of new folders.
#pragma once

#include "uninstaller/monitor/RunHost.h"

#include <string>
#include <vector>

namespace ruvex {

// The section header lines ("[...]") of both files through one sorted list; equal neighbours pair off, so a
// header that is in one file only (or an odd number of times across both) is reported. A missing file
// counts as one without sections.
[[nodiscard]] std::vector<std::wstring> CompareWinIniSections(const std::wstring& current, const std::wstring& copy);

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
// folders that have vanished are skipped.
[[nodiscard]] std::vector<std::wstring> FilesOfNewFolders(const std::vector<std::wstring>& newFolders);

} // namespace ruvex
