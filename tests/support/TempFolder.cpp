#include "support/TempFolder.h"

#include "base/handles.h"

#include <atomic>

namespace testsupport {

void EmptyFolder(const std::wstring& folder, Links links) {
    WIN32_FIND_DATAW data;
    ruvex::FindHandle find(FindFirstFileW((folder + L"\\*").c_str(), &data));
    if (!find) {
        return;
    }
    do {
        std::wstring name = data.cFileName;
        const bool link = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
        if (name == L"." || name == L".." || (link && links == Links::Keep)) {
            continue;
        }
        std::wstring path = folder + L"\\" + name;
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        bool folderEntry = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (folderEntry && !link) {
            RemoveTree(path);
        } else if (folderEntry) {
            RemoveDirectoryW(path.c_str());
        } else {
            DeleteFileW(path.c_str());
        }
    } while (FindNextFileW(find.get(), &data));
}

bool RemoveTree(const std::wstring& folder) {
    EmptyFolder(folder, Links::Remove);
    RemoveDirectoryW(folder.c_str());
    return GetFileAttributesW(folder.c_str()) == INVALID_FILE_ATTRIBUTES;
}

std::wstring AbsentDrive() {
    DWORD drives = GetLogicalDrives();
    for (wchar_t c = L'Q'; c <= L'Y'; ++c) {
        if (!(drives & (1u << (c - L'A')))) {
            return std::wstring(1, c) + L":";
        }
    }
    return L"Y:";
}

std::wstring UniqueName(const std::wstring& stem) {
    static std::atomic<unsigned> counter{0};
    return stem + L"-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(GetTickCount()) + L"-" +
           std::to_wstring(counter++);
}

TempFolder::TempFolder(const std::wstring& stem) {
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH, temp);
    path_ = std::wstring(temp) + UniqueName(stem);
    CreateDirectoryW(path_.c_str(), nullptr);
}

TempFolder::~TempFolder() {
    RemoveTree(path_);
}

} // namespace testsupport
