// Uninstalling a recorded software: its registry entries saved to a .reg file and removed, its files deleted,
// the folders they leave empty removed deepest first, its win.ini sections taken out, and its record removed
// when nothing was left behind.
#pragma once

#include "uninstaller/monitor/RunHost.h"

#include <string>
#include <unordered_set>
#include <vector>

namespace ruvex {

// The option "安全性を高める": a file under a system folder (a plain prefix test, so SYSTEM also covers
// SYSTEM32; System32 and SysWOW64 are both system folders) or an .exe lying directly in the Windows folder
// is never touched.
[[nodiscard]] bool IsProtected(const std::wstring& path, const std::wstring& windowsFolder,
                               const std::vector<std::wstring>& systemFolders);

// The folders of the files whose deletion was tried, each once (without regard to case), first met first.
class FolderTable {
public:
    void Add(const std::wstring& folder);
    // Deepest first (most backslashes); folders of equal depth keep the order in which they were met.
    [[nodiscard]] std::vector<std::wstring> DeepestFirst() const;

private:
    std::vector<std::wstring> folders_;
    std::unordered_set<std::wstring> keys_;
};

// win.ini without the section that starts with the header line (compared without case): the header and
// its lines up to the next empty or "[" line go; that line stays. Every occurrence goes.
[[nodiscard]] std::vector<std::wstring> WithoutWinIniSection(const std::vector<std::wstring>& lines,
                                                             const std::wstring& header);

// The database without the first record whose header names the software (header and body).
[[nodiscard]] std::vector<std::wstring> WithoutFirstRecord(std::vector<std::wstring> lines, const std::wstring& name);

// "N を削除しました。" or, when something was left behind, the partial message.
[[nodiscard]] std::wstring UninstallMessage(const std::wstring& name, bool leftBehind);
// What a record with registry lines adds to it: the entries removed, those left, and where the backup is.
[[nodiscard]] std::wstring RegistryMessage(std::size_t removed, std::size_t left, const std::wstring& backup);

struct UninstallRequest {
    std::wstring name;
    std::vector<std::wstring> files;    // the record's file lines (List2)
    std::vector<std::wstring> sections; // the record's win.ini lines as they stand now (List3)
    bool protect = false;               // Check6
    std::wstring windowsFolder;
    std::vector<std::wstring> systemFolders; // System32 and, on a 64-bit system, SysWOW64
    std::wstring dataFolder;
    // The system's own folders and the user's known folders (Program Files, the Desktop, AppData, ...):
    // never removed, even when the software's last file there leaves one empty.
    std::vector<std::wstring> keptFolders;
    std::vector<std::wstring> registry; // the record's registry lines
};

enum class UninstallOutcome {
    Uninstalled,
    LeftBehind,
    NotStarted, // uninstall.dat could not be read or rewritten: it was named, and nothing was deleted
};

// After the user's two confirmations: deletes, removes folders and sections and the record, and shows the
// result message (failed writes are reported before it).
UninstallOutcome UninstallSoftware(const UninstallRequest& request, RunHost& host);

} // namespace ruvex
