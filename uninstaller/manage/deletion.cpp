#include "uninstaller/manage/deletion.h"

#include "base/handles.h"
#include "base/path.h"
#include "base/text.h"

#include <windows.h>

namespace ruvex {

namespace {

bool SameText(std::wstring_view a, std::wstring_view b) {
    return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

std::wstring FinalPath(HANDLE handle, DWORD flags) {
    std::wstring path(MAX_PATH, L'\0');
    DWORD n = GetFinalPathNameByHandleW(handle, path.data(), static_cast<DWORD>(path.size()), flags);
    if (n >= path.size()) {
        path.resize(n);
        n = GetFinalPathNameByHandleW(handle, path.data(), static_cast<DWORD>(path.size()), flags);
    }
    path.resize(n < path.size() ? n : 0);
    return path;
}

// Whether the open handle is the recorded path itself. The system resolves every link of the path it
// opened (under Wine even with FILE_FLAG_OPEN_REPARSE_POINT, which there opens a link's target), so a
// link on the way shows as another path. A drive letter that stands for a share or another folder (a
// mapped drive, SUBST) gives another volume name: then the path below the volume must match, as the
// folders above the file were found free of links.
bool IsRecordedPath(HANDLE handle, const std::wstring& path) {
    std::wstring final = FinalPath(handle, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (final.starts_with(L"\\\\?\\UNC\\")) {
        final = L"\\" + final.substr(7);
    } else if (final.starts_with(L"\\\\?\\")) {
        final.erase(0, 4);
    }
    if (!final.empty() && SameText(final, path)) {
        return true;
    }
    const std::wstring root = DriveRoot(path);
    const std::wstring below = FinalPath(handle, FILE_NAME_NORMALIZED | VOLUME_NAME_NONE);
    return !below.empty() && !root.empty() && SameText(below, std::wstring_view(path).substr(root.size() - 1));
}

// Opens the path itself (not a link's target where the system allows it) with the right to delete it.
FileHandle OpenForDeletion(const std::wstring& path, bool folder) {
    return FileHandle(CreateFileW(path.c_str(), DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_OPEN_REPARSE_POINT | (folder ? FILE_FLAG_BACKUP_SEMANTICS : 0), nullptr));
}

// Deletes what the handle holds when it is what was asked for (a file or a folder, no reparse point) and
// the recorded path. The check and the deletion act on one open handle: a link put in its place between
// the two cannot redirect the deletion.
bool DeleteByHandle(HANDLE handle, const std::wstring& path, bool folder) {
    FILE_BASIC_INFO basic{};
    if (!GetFileInformationByHandleEx(handle, FileBasicInfo, &basic, sizeof basic)) {
        return false;
    }
    const bool isFolder = (basic.FileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (isFolder != folder || (basic.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 ||
        !IsRecordedPath(handle, path)) {
        return false;
    }
    // A read-only file cannot be deleted, so its attributes go first; zero times stay as they are.
    if (!folder && (basic.FileAttributes & ~FILE_ATTRIBUTE_ARCHIVE) != 0) {
        FILE_BASIC_INFO normal{};
        normal.FileAttributes = FILE_ATTRIBUTE_NORMAL;
        if (!SetFileInformationByHandle(handle, FileBasicInfo, &normal, sizeof normal)) {
            return false;
        }
    }
    FILE_DISPOSITION_INFO disposition{TRUE};
    return SetFileInformationByHandle(handle, FileDispositionInfo, &disposition, sizeof disposition) != FALSE;
}

} // namespace

bool DeletionGate::LinkFree(const std::wstring& folder) {
    // Every file of a folder shares its way from the root: looked at once per pass. The handle's own path
    // check still guards each deletion should a link appear meanwhile.
    std::wstring key = ToUpper(folder);
    if (linkFree_.count(key) != 0) {
        return true;
    }
    if (PassesThroughLink(folder, true)) {
        return false;
    }
    linkFree_.insert(std::move(key));
    return true;
}

Deletion DeletionGate::Delete(const std::wstring& path) {
    if (!IsFullFilePath(path)) {
        return Deletion::Unreadable;
    }
    // Links first: a file that seems gone behind a link was never looked for where the record put it.
    if (!LinkFree(FolderPart(path))) {
        return Deletion::Refused;
    }
    switch (probe_.Probe(path)) {
    case PathState::Gone:
        return Deletion::Gone;
    case PathState::Folder:
        return Deletion::Folder;
    case PathState::Unknown:
        return Deletion::Unreadable;
    case PathState::File:
        break;
    }
    if (protect_ && protect_(path)) {
        return Deletion::Protected;
    }
    FileHandle file = OpenForDeletion(path, false);
    return file && DeleteByHandle(file.get(), path, false) ? Deletion::Deleted : Deletion::Refused;
}

bool DeletionGate::RemoveEmptyFolder(const std::wstring& folder) {
    // A bare drive ("C:") would name the current folder of that drive, a root is no software's.
    if (!IsFullFilePath(folder) || !LinkFree(folder)) {
        return false;
    }
    FileHandle handle = OpenForDeletion(folder, true);
    // The system refuses the deletion of a folder that is not empty.
    return handle && DeleteByHandle(handle.get(), folder, true);
}

} // namespace ruvex
