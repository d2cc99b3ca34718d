#include "uninstaller/manage/uninstall.h"

#include "base/codec.h"
#include "base/safefile.h"
#include "base/text.h"
#include "resources/RuvexTexts.h"
#include "base/path.h"
#include "uninstaller/monitor/database.h"
#include "uninstaller/monitor/filepath.h"

#include <windows.h>

#include <algorithm>

namespace ruvex {

namespace {

void ReportFailure(RunHost& host, const std::wstring& path, DWORD error) {
    host.Message(std::wstring(texts::CannotWrite) + L"\r\n" + path + L"\r\n" + ErrorText(error), texts::BoxTitle,
                 MessageKind::Critical);
}

// Deletes one recorded file; false when it is left behind. A line that does not name a file by its full
// path is never handed to the file system: a relative path would be taken from the current folder, a
// wildcard or a device name would reach files the record never named.
bool DeleteRecordedFile(const std::wstring& path, const UninstallRequest& request, FolderTable& folders) {
    if (!IsFullFilePath(path)) {
        return false;
    }
    DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return true; // gone already
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return false;
    }
    if (request.protect && IsProtected(path, request.windowsFolder, request.systemFolder)) {
        return false;
    }
    // A read-only file cannot be deleted, so the attributes go first; a file whose attributes cannot be
    // reset is left as it is.
    bool deleted = SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL) && DeleteFileW(path.c_str());
    folders.Add(FolderPart(path));
    return deleted;
}

std::wstring FolderKey(std::wstring folder) {
    while (folder.size() > 3 && folder.back() == L'\\') {
        folder.pop_back();
    }
    return ToUpper(folder);
}

// Only empty folders go: RemoveDirectoryW never removes anything below. A bare drive ("C:") would name the
// current folder of that drive, and a folder that is a link would go whatever its target holds: neither is
// tried. Nor is a folder of the system's own, which an installer only put a file into.
void RemoveFolders(const std::vector<std::wstring>& folders, const std::vector<std::wstring>& keptFolders) {
    std::unordered_set<std::wstring> kept;
    for (const auto& folder : keptFolders) {
        kept.insert(FolderKey(folder));
    }
    for (const auto& folder : folders) {
        if (folder.size() <= 2 || kept.count(FolderKey(folder)) != 0) {
            continue;
        }
        DWORD attributes = GetFileAttributesW(folder.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 ||
            (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
            continue;
        }
        RemoveDirectoryW(folder.c_str());
    }
}

// Each section through win.tmp in the data folder; win.ini is replaced only by a complete copy, through the
// safe replacement, and only when a section was found. A missing win.ini is not created.
void RemoveWinIniSections(const UninstallRequest& request, RunHost& host) {
    const std::wstring winIni = request.windowsFolder + L"\\win.ini";
    const std::wstring scratch = request.dataFolder + L"\\win.tmp";
    for (const auto& section : request.sections) {
        if (FirstChar(section) != L'[') {
            continue;
        }
        if (!FileExists(winIni)) {
            return;
        }
        FileLines current = ReadFileLines(winIni);
        if (!current.ok) {
            ReportFailure(host, winIni, GetLastError());
            return;
        }
        std::vector<std::wstring> edited = WithoutWinIniSection(current.lines, section);
        std::string bytes = JoinLines(edited);
        if (FileResult written = ReplaceFileContents(scratch, bytes); !written) {
            ReportFailure(host, scratch, written.error);
            return;
        }
        if (edited.size() == current.lines.size()) {
            continue;
        }
        if (FileResult replaced = ReplaceFileContents(winIni, bytes); !replaced) {
            ReportFailure(host, winIni, replaced.error);
            return;
        }
    }
}

void RemoveRecord(const UninstallRequest& request, RunHost& host) {
    const std::wstring path = DatabasePath(request.dataFolder);
    DatabaseLines table = ReadAllLines(request.dataFolder, &host);
    host.PMax();
    if (!table.ok) {
        DWORD error = GetLastError();
        ReportFailure(host, path, error != ERROR_SUCCESS ? error : ERROR_READ_FAULT);
        return;
    }
    if (!table.lines.empty()) {
        host.SetProgressMax(static_cast<double>(table.lines.size()));
    }
    std::vector<std::wstring> lines = WithoutFirstRecord(std::move(table.lines), request.name);
    host.PMax();
    if (FileResult written = WriteAllLines(request.dataFolder, lines); !written) {
        ReportFailure(host, path, written.error);
    }
}

} // namespace

bool IsProtected(const std::wstring& path, const std::wstring& windowsFolder, const std::wstring& systemFolder) {
    if (!systemFolder.empty() && path.size() >= systemFolder.size() &&
        ToUpper(path.substr(0, systemFolder.size())) == ToUpper(systemFolder)) {
        return true;
    }
    auto slash = path.rfind(L'\\');
    std::wstring folder = slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
    std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    auto dot = name.rfind(L'.');
    std::wstring extension = dot == std::wstring::npos ? std::wstring() : name.substr(dot + 1);
    return ToUpper(extension) == L"EXE" && ToUpper(folder) == ToUpper(windowsFolder + L"\\");
}

void FolderTable::Add(const std::wstring& folder) {
    // A key set instead of a search of the table: a record may name tens of thousands of folders.
    if (keys_.insert(ToUpper(folder)).second) {
        folders_.push_back(folder);
    }
}

std::vector<std::wstring> FolderTable::DeepestFirst() const {
    std::vector<std::wstring> sorted = folders_;
    std::stable_sort(sorted.begin(), sorted.end(), [](const std::wstring& a, const std::wstring& b) {
        return CountBackslashes(a) > CountBackslashes(b);
    });
    return sorted;
}

std::vector<std::wstring> WithoutWinIniSection(const std::vector<std::wstring>& lines, const std::wstring& header) {
    std::vector<std::wstring> kept;
    kept.reserve(lines.size());
    bool dropping = false;
    for (const auto& line : lines) {
        if (dropping && (line.empty() || FirstChar(line) == L'[')) {
            dropping = false;
        }
        if (!dropping && TextEquals(line, header)) {
            dropping = true;
        }
        if (!dropping) {
            kept.push_back(line);
        }
    }
    return kept;
}

std::vector<std::wstring> WithoutFirstRecord(std::vector<std::wstring> lines, const std::wstring& name) {
    const std::wstring header = HeaderFor(name);
    auto first = std::find_if(lines.begin(), lines.end(), [&](const auto& line) { return TextEquals(line, header); });
    if (first == lines.end()) {
        return lines;
    }
    // The whole record goes, body too: its file lines name only files that are gone now, and blanking the
    // header alone would hand any line that stays (a file on a drive that is away) to the record above.
    auto end = std::find_if(first + 1, lines.end(), [](const auto& line) { return IsHeaderLine(line); });
    lines.erase(first, end);
    return lines;
}

std::wstring UninstallMessage(const std::wstring& name, bool leftBehind) {
    if (!leftBehind) {
        return name + texts::UninstalledSuffix;
    }
    return name + texts::PartlyUninstalledSuffix + L"\n\r\n\r" + texts::LeftBehindReason;
}

bool UninstallSoftware(const UninstallRequest& request, RunHost& host) {
    host.SetWaitLabel(std::wstring(texts::DeletingFiles) + texts::PleaseWait);
    host.ShowWaitWindow(true);
    host.SetBusy(true);
    const std::size_t count = request.files.size();
    if (count > 1) {
        host.SetProgressMax(static_cast<double>(count - 1));
    }
    bool leftBehind = false;
    FolderTable folders;
    for (std::size_t i = 0; i < count; ++i) {
        if (i % 20 == 0) {
            host.SetProgressPos(ProgressBar::Wait, static_cast<double>(i));
        }
        if (!DeleteRecordedFile(request.files[i], request, folders)) {
            leftBehind = true;
        }
    }
    RemoveFolders(folders.DeepestFirst(), request.keptFolders);
    RemoveWinIniSections(request, host);
    if (!leftBehind) {
        RemoveRecord(request, host);
    }
    host.PMax();
    host.ShowWaitWindow(false);
    host.SetBusy(false);
    host.Message(UninstallMessage(request.name, leftBehind), texts::BoxTitle, MessageKind::Information);
    return leftBehind;
}

} // namespace ruvex
