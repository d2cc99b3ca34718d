#include "uninstaller/monitor/snapshot.h"

#include "base/codec.h"
#include "base/handles.h"
#include "base/text.h"
#include "resources/RuvexTexts.h"
#include "base/path.h"
#include "uninstaller/monitor/runfiles.h"

#include <windows.h>

#include <algorithm>
#include <functional>
#include <array>
#include <new>

namespace ruvex {

// The snapshots and the database are ANSI text: a name the code page cannot hold would be saved as another
// path (é as e, ¥ as a backslash), one that a later uninstall could delete. A path of MAX_PATH characters
// or more is out of reach of the plain file functions that the uninstall and other programs use, and the
// long form (\\?\) would be a new kind of line in every file. Such entries are left out and counted.
bool IsRecordable(const std::wstring& path, const std::wstring& name) {
    return path.size() < MAX_PATH && IsAnsiRepresentable(name);
}

FolderListing ListFolder(const std::wstring& folder, bool withFiles) {
    FolderListing listing;
    WIN32_FIND_DATAW data;
    // One pass per folder, names sorted here: the platform returns them in no particular order.
    FindHandle find(FindFirstFileExW(JoinPath(folder, L"*").c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                     nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!find) {
        // An empty root has no entries at all; anything else (gone, access denied) is skipped.
        listing.ok = GetLastError() == ERROR_FILE_NOT_FOUND;
        return listing;
    }
    listing.ok = true;
    do {
        std::wstring name = data.cFileName;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (name != L"." && name != L"..") {
                if (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
                    listing.links.push_back(name);
                }
                listing.Dir1.push_back(std::move(name));
            }
        } else if (withFiles) {
            listing.File1.push_back(std::move(name));
        }
    } while (FindNextFileW(find.get(), &data));
    SortTexts(listing.Dir1);
    SortTexts(listing.File1);
    return listing;
}

namespace {

// Partial mode records the files of the Windows and system folders themselves and of everything below
// the Start Menu, the Desktop and Send To; every other folder only gives its subfolders.
bool FilesWanted(const ScanSettings& s, const std::wstring& folder) {
    if (s.mode == ScanMode::AllFolders) {
        return true;
    }
    std::wstring g = WithTrailingBackslash(folder);
    return TextEquals(g, s.windowsFolder + L"\\") || TextEquals(g, s.systemFolder + L"\\") ||
           TextBeginsWith(g, s.startMenu) || TextBeginsWith(g, s.desktop) || TextBeginsWith(g, s.sendTo);
}

// A folder that can be entered: it exists and is not a junction or symbolic link.
bool EnterableFolder(const std::wstring& folder) {
    DWORD a = GetFileAttributesW(folder.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) && !(a & FILE_ATTRIBUTE_REPARSE_POINT);
}

ScanResult Walk(const ScanSettings& s, WalkLists& lists, RunHost& host) {
    auto& folders = lists.List1;
    auto& files = lists.List2;
    std::wstring windowsRoot = s.windowsFolder.substr(0, 2);
    folders.push_back(windowsRoot + L"\\");
    std::wstring second = s.secondDrive.substr(0, 2);
    if (!second.empty() && !TextEquals(second, windowsRoot)) {
        folders.push_back(second + L"\\");
    }

    // Whether each folder of the list can be entered. The roots are asked; a subfolder is known from its
    // parent's listing: asking again cost a second resolution of the whole path per folder, which grew with
    // the depth and took a fifth of a deep walk's system calls.
    std::vector<char> enter;
    for (const auto& root : folders) {
        enter.push_back(EnterableFolder(root));
    }

    std::array<long long, MaxWalkLevels + 1> LevelEnd{};
    LevelEnd[0] = -1;
    for (int k = 1; k <= MaxWalkLevels; ++k) {
        host.SetWaitLabel(texts::SearchingLevelPrefix + std::to_wstring(k) + texts::SearchingLevelSuffix);
        LevelEnd[k] = static_cast<long long>(folders.size()) - 1;
        for (long long i = LevelEnd[k - 1] + 1; i <= LevelEnd[k]; ++i) {
            // Copied: appending subfolders below may move the list's storage.
            const std::wstring folder = folders[static_cast<std::size_t>(i)];
            const bool FastFile = !FilesWanted(s, folder);
            FolderListing listing;
            if (enter[static_cast<std::size_t>(i)]) {
                listing = ListFolder(folder, !FastFile);
            }
            // A folder gone since its parent was listed is no loss; one that is there but cannot be listed
            // (access denied) is counted.
            const bool there = enter[static_cast<std::size_t>(i)] && (listing.ok || EnterableFolder(folder));
            if (there && !listing.ok) {
                ++lists.skipped;
            }
            if (there) {
                if (!s.dataFolder.empty() && TextEquals(folder, s.dataFolder)) {
                    const std::wstring writing = lists.filesOut ? lists.filesOut->TemporaryName() : std::wstring();
                    std::erase_if(listing.File1, [&](const std::wstring& name) {
                        return runfiles::IsRunFile(name) || (!writing.empty() && TextEquals(name, writing));
                    });
                }
                if (!FastFile) {
                    std::size_t m = listing.File1.size();
                    if (m > 0 && s.showProgress) {
                        host.SetProgressMax(static_cast<double>(m));
                    }
                    for (std::size_t j = 0; j < m; ++j) {
                        if (s.showProgress && j % 20 == 0) {
                            host.SetProgressPos(ProgressBar::Wait, static_cast<double>(j + 1));
                        }
                        std::wstring path = JoinPath(folder, listing.File1[j]);
                        if (!IsRecordable(path, listing.File1[j])) {
                            ++lists.skipped;
                            continue;
                        }
                        if (files.size() >= s.maxFiles) {
                            return ScanResult::TooManyFiles;
                        }
                        if (lists.filesOut) {
                            lists.filesOut->Add(path);
                        }
                        files.push_back(std::move(path));
                        host.InHand(listing.File1[j]);
                        if (host.StopPoint()) {
                            return ScanResult::Stopped;
                        }
                    }
                    host.PMax();
                }
                for (const auto& sub : listing.Dir1) {
                    std::wstring path = JoinPath(folder, sub);
                    if (!IsRecordable(path, sub)) {
                        ++lists.skipped;
                        continue;
                    }
                    if (folders.size() >= MaxListEntries) {
                        return ScanResult::TooManyFiles;
                    }
                    folders.push_back(std::move(path));
                    enter.push_back(std::find(listing.links.begin(), listing.links.end(), sub) == listing.links.end());
                    if (host.StopPoint()) {
                        return ScanResult::Stopped;
                    }
                }
            }
            if (host.StopPoint()) {
                return ScanResult::Stopped;
            }
        }
        if (host.StopPoint()) {
            return ScanResult::Stopped;
        }
    }
    return ScanResult::Completed;
}

} // namespace

ScanResult ScanDrives(const ScanSettings& s, WalkLists& lists, RunHost& host) {
    try {
        return Walk(s, lists, host);
    } catch (const std::bad_alloc&) {
        // The lists (or the window's view of them) found no memory for one more entry: a real limit, met as
        // the ceiling is.
        return ScanResult::TooManyFiles;
    }
}

namespace {

// The saving of a list of count entries as the window shows it, the file written by save.
FileResult ShowSaving(std::size_t count, RunHost& host, const std::function<FileResult()>& save) {
    host.ShowWaitWindow(true);
    host.SetWaitLabel(texts::SavingToFile);
    std::size_t n = count == 0 ? 0 : count - 1;
    if (n > 0) {
        host.SetProgressMax(static_cast<double>(n));
    }
    for (std::size_t k = 0; k < count; k += 20) {
        host.SetProgressPos(ProgressBar::Wait, static_cast<double>(k));
    }
    FileResult written = save();
    host.PMax();
    return written;
}

} // namespace

FileResult SaveListToFile(const std::vector<std::wstring>& list, const std::wstring& dataFolder,
                          const std::wstring& name, RunHost& host) {
    return ShowSaving(list.size(), host, [&] { return ReplaceFileLines(JoinPath(dataFolder, name), list); });
}

FileResult SaveWrittenList(LineFileWriter& written, std::size_t count, RunHost& host) {
    return ShowSaving(count, host, [&] { return written.Commit(); });
}

namespace runfiles {

bool IsRunFile(const std::wstring& name) {
    for (const wchar_t* own :
         {DirBefore, FileBefore, DirAfter, FileAfter, NewDir, WinTmp, Continue, RegBefore, RegAfter}) {
        if (TextEquals(name, own)) {
            return true;
        }
    }
    return false;
}

void EndPendingRun(const std::wstring& dataFolder) {
    for (const wchar_t* name : {Continue, RegBefore, RegAfter}) {
        DeleteFileW(JoinPath(dataFolder, name).c_str());
    }
}

} // namespace runfiles

} // namespace ruvex
