#include "uninstaller/manage/uninstall.h"

#include "base/codec.h"
#include "base/safefile.h"
#include "base/text.h"
#include "resources/RuvexTexts.h"
#include "base/path.h"
#include "uninstaller/monitor/database.h"
#include "uninstaller/manage/deletion.h"
#include "uninstaller/manage/registrydelete.h"
#include "uninstaller/monitor/failure.h"

#include <windows.h>

#include <algorithm>

namespace ruvex {

namespace {

void ReportFailure(RunHost& host, const FileResult& failure) {
    host.Message(FileFailureText(failure), texts::BoxTitle, MessageKind::Critical);
}

std::wstring FolderKey(std::wstring folder) {
    while (folder.size() > 3 && folder.back() == L'\\') {
        folder.pop_back();
    }
    return ToUpper(folder);
}

// Only empty folders go, and only through the gate: never a link, never a drive, never a folder of the
// system's own or the user's, which an installer only put a file into.
void RemoveFolders(const std::vector<std::wstring>& folders, const std::vector<std::wstring>& keptFolders,
                   DeletionGate& gate) {
    std::unordered_set<std::wstring> kept;
    for (const auto& folder : keptFolders) {
        kept.insert(FolderKey(folder));
    }
    for (const auto& folder : folders) {
        if (kept.count(FolderKey(folder)) == 0) {
            gate.RemoveEmptyFolder(folder);
        }
    }
}

// Each section through win.tmp in the data folder; win.ini is replaced only by a complete copy, through the
// safe replacement, and only when a section was found. A missing win.ini is not created. False when win.ini
// could not be read or written: the record then keeps its section lines.
bool RemoveWinIniSections(const UninstallRequest& request, RunHost& host) {
    const std::wstring winIni = request.windowsFolder + L"\\win.ini";
    const std::wstring scratch = request.dataFolder + L"\\win.tmp";
    for (const auto& section : request.sections) {
        if (FirstChar(section) != L'[') {
            continue;
        }
        if (!FileExists(winIni)) {
            return true;
        }
        // Byte pairs that the code page does not define would not come back as they were.
        FileLines current = ReadAnsiLines(winIni);
        if (!current.result) {
            ReportFailure(host, current.result);
            return false;
        }
        std::vector<std::wstring> edited = WithoutWinIniSection(current.lines, section);
        std::string bytes = JoinLines(edited);
        if (FileResult written = ReplaceFileContents(scratch, bytes); !written) {
            ReportFailure(host, written);
            return false;
        }
        if (edited.size() == current.lines.size()) {
            continue;
        }
        if (FileResult replaced = ReplaceFileContents(winIni, bytes); !replaced) {
            ReportFailure(host, replaced);
            return false;
        }
    }
    return true;
}

// The registry entries the record names, read as it stands; a line not of the form is never acted on.
std::vector<RegistryEntry> RegistryEntries(const std::vector<std::wstring>& lines, bool& malformed) {
    std::vector<RegistryEntry> entries;
    for (const auto& line : lines) {
        if (auto entry = ParseRegistryLine(line)) {
            entries.push_back(std::move(*entry));
        } else {
            malformed = true;
        }
    }
    return entries;
}

void RemoveRecord(const UninstallRequest& request, RunHost& host) {
    FileLines table = ReadAllLines(request.dataFolder, &host);
    host.PMax();
    if (!table.result) {
        ReportFailure(host, table.result);
        return;
    }
    if (!table.lines.empty()) {
        host.SetProgressMax(static_cast<double>(table.lines.size()));
    }
    std::vector<std::wstring> lines = WithoutFirstRecord(std::move(table.lines), request.name);
    host.PMax();
    if (FileResult written = WriteAllLines(request.dataFolder, lines); !written) {
        ReportFailure(host, written);
    }
}

} // namespace

bool IsProtected(const std::wstring& path, const std::wstring& windowsFolder,
                 const std::vector<std::wstring>& systemFolders) {
    // A plain prefix, as the system folders have always been matched: System32 is covered by System too.
    for (const auto& systemFolder : systemFolders) {
        if (!systemFolder.empty() && TextBeginsWith(path, systemFolder)) {
            return true;
        }
    }
    const std::wstring folder = FolderPart(path);
    const std::wstring name = FileNamePart(path);
    const auto dot = name.rfind(L'.');
    return !folder.empty() && dot != std::wstring::npos &&
           TextEquals(std::wstring_view(name).substr(dot + 1), L"EXE") && TextEquals(folder, windowsFolder);
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

std::wstring RegistryMessage(std::size_t removed, std::size_t left, const std::wstring& backup) {
    std::wstring text = L"\n\r\n\r" + std::wstring(texts::RegistryRemovedPrefix) + std::to_wstring(removed) +
                        texts::RegistryRemovedSuffix;
    if (left > 0) {
        text += L"\n\r" + std::wstring(texts::RegistryLeftPrefix) + std::to_wstring(left) + texts::RegistryLeftSuffix;
    }
    if (!backup.empty()) {
        text += L"\n\r" + std::wstring(texts::RegistryBackupPrefix) + backup;
    }
    return text;
}

std::wstring UninstallMessage(const std::wstring& name, bool leftBehind) {
    if (!leftBehind) {
        return name + texts::UninstalledSuffix;
    }
    return name + texts::PartlyUninstalledSuffix + L"\n\r\n\r" + texts::LeftBehindReason;
}

UninstallOutcome UninstallSoftware(const UninstallRequest& request, RunHost& host) {
    // Nothing is deleted unless the record can be brought in step with the disk afterwards.
    if (FileResult database = CheckDatabaseRewritable(request.dataFolder); !database) {
        ReportFailure(host, database);
        return UninstallOutcome::NotStarted;
    }
    // What is about to go from the registry is saved first: without the backup nothing is deleted.
    bool leftBehind = false;
    const std::vector<RegistryEntry> entries = RegistryEntries(request.registry, leftBehind);
    std::wstring backup;
    if (std::string text = RegistryBackupText(entries); !text.empty()) {
        backup = RegistryBackupPath(request.dataFolder, request.name);
        if (FileResult written = ReplaceFileContents(backup, text); !written) {
            host.Message(FileFailureText(written, backup) + L"\r\n" + texts::RegistryBackupFailed, texts::BoxTitle,
                         MessageKind::Critical);
            return UninstallOutcome::NotStarted;
        }
    }
    host.ShowWaitWindow(true);
    host.SetBusy(true);
    // The registry before the files: a recorded service is stopped before its program file is deleted.
    RegistryRemoval registry;
    if (!entries.empty()) {
        host.SetWaitLabel(texts::DeletingRegistry);
        registry = RemoveRegistryEntries(entries);
        leftBehind = leftBehind || registry.leftBehind > 0;
    }
    host.SetWaitLabel(std::wstring(texts::DeletingFiles) + texts::PleaseWait);
    const std::size_t count = request.files.size();
    if (count > 1) {
        host.SetProgressMax(static_cast<double>(count - 1));
    }
    FolderTable folders;
    DeletionGate gate([&](const std::wstring& path) {
        return request.protect && IsProtected(path, request.windowsFolder, request.systemFolders);
    });
    for (std::size_t i = 0; i < count; ++i) {
        if (i % 20 == 0) {
            host.SetProgressPos(ProgressBar::Wait, static_cast<double>(i));
        }
        const std::wstring& path = request.files[i];
        switch (gate.Delete(path)) {
        case Deletion::Gone:
        case Deletion::Folder:
            break;
        case Deletion::Protected:
        case Deletion::Unreadable:
            leftBehind = true;
            break;
        case Deletion::Refused:
            leftBehind = true;
            folders.Add(FolderPart(path));
            break;
        case Deletion::Deleted:
            folders.Add(FolderPart(path));
            break;
        }
    }
    RemoveFolders(folders.DeepestFirst(), request.keptFolders, gate);
    if (!RemoveWinIniSections(request, host)) {
        leftBehind = true;
    }
    if (!leftBehind) {
        RemoveRecord(request, host);
    }
    host.PMax();
    host.ShowWaitWindow(false);
    host.SetBusy(false);
    std::wstring message = UninstallMessage(request.name, leftBehind);
    if (!request.registry.empty()) {
        message += RegistryMessage(registry.removed, registry.leftBehind, backup);
    }
    host.Message(message, texts::BoxTitle, MessageKind::Information);
    return leftBehind ? UninstallOutcome::LeftBehind : UninstallOutcome::Uninstalled;
}

} // namespace ruvex
