#include "setup/main/Rollback.h"

#include "setup/common/Folders.h"

#include <algorithm>

namespace setup {

InstallJournal::~InstallJournal() {
    for (const auto& change : changes_) {
        if (!change.kept.empty()) {
            // A copy of a read-only file is read-only too.
            SetFileAttributesW(change.kept.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW(change.kept.c_str());
        }
    }
    if (!keptFolder_.empty()) {
        RemoveDirectoryW(keptFolder_.c_str());
    }
}

bool InstallJournal::CreateFolder(const std::wstring& folder) {
    std::vector<std::wstring> created;
    bool exists = CreateFolderWithParents(folder, &created);
    for (auto& path : created) {
        changes_.emplace_back(Kind::Folder, std::move(path));
    }
    return exists;
}

bool InstallJournal::KeepFile(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        changes_.emplace_back(Kind::File, path);
        return true;
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        return true; // nothing can be written there: the step fails without changing anything
    }
    // The copies live outside the destination, where neither the run nor the user's files meet them.
    if (keptFolder_.empty()) {
        wchar_t temp[MAX_PATH + 1] = {};
        GetTempPathW(MAX_PATH + 1, temp);
        std::wstring folder = std::wstring(temp) + L"SETUP-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                              std::to_wstring(GetTickCount());
        if (!CreateDirectoryW(folder.c_str(), nullptr)) {
            return false;
        }
        keptFolder_ = folder;
    }
    std::wstring kept = keptFolder_ + L"\\" + std::to_wstring(changes_.size());
    if (!CopyFileW(path.c_str(), kept.c_str(), FALSE)) {
        return false;
    }
    changes_.emplace_back(Kind::File, path, kept);
    return true;
}

void InstallJournal::NoteKeys(HKEY root, const std::wstring& key, const std::wstring& name) {
    for (auto& created : MissingRegistryKeys(root, key)) {
        changes_.emplace_back(Kind::Key, std::move(created), std::wstring(), root);
    }
    changes_.emplace_back(Kind::Value, key, std::wstring(), root, name, SaveRegistryValue(root, key, name));
}

// A write that failed changed no value (only the keys it may have created are left to undo).
bool InstallJournal::Written(bool ok) {
    if (!ok) {
        changes_.pop_back();
    }
    return ok;
}

bool InstallJournal::WriteString(HKEY root, const std::wstring& key, const std::wstring& name,
                                 const std::wstring& value) {
    NoteKeys(root, key, name);
    return Written(WriteRegistryString(root, key, name, value));
}

bool InstallJournal::WriteDword(HKEY root, const std::wstring& key, const std::wstring& name, DWORD value) {
    NoteKeys(root, key, name);
    return Written(WriteRegistryDword(root, key, name, value));
}

std::vector<std::wstring> InstallJournal::RollBack() {
    std::vector<std::wstring> left;
    // The same file or value changed twice is named once.
    auto note = [&](const std::wstring& what) {
        if (std::find(left.begin(), left.end(), what) == left.end()) {
            left.push_back(what);
        }
    };
    for (auto change = changes_.rbegin(); change != changes_.rend(); ++change) {
        switch (change->kind) {
        case Kind::Folder:
            // Only when empty: whatever else was put there meanwhile stays.
            RemoveDirectoryW(change->path.c_str());
            break;
        case Kind::Key:
            (void)DeleteLeafRegistryKey(change->root, change->path);
            break;
        case Kind::Value:
            if (!RestoreRegistryValue(change->root, change->path, change->name, change->saved)) {
                note(change->path + L"\\" + change->name);
            }
            break;
        case Kind::File: {
            bool restored = change->kept.empty()
                                ? DeleteFileW(change->path.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND ||
                                      GetLastError() == ERROR_PATH_NOT_FOUND
                                : CopyFileW(change->kept.c_str(), change->path.c_str(), FALSE) != FALSE;
            if (!restored) {
                note(change->path);
            }
            break;
        }
        }
    }
    return left;
}

} // namespace setup
