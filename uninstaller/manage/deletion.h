// The one gate that every deletion of the uninstaller passes, whatever command asks: a file or folder goes
// only as the record names it, never through a link, and never when it cannot be looked at.
#pragma once

#include "uninstaller/monitor/filepath.h"

#include <functional>
#include <string>
#include <unordered_set>

namespace ruvex {

enum class Deletion {
    Deleted,
    Gone,       // not there, on a drive that answers
    Folder,     // the line names a folder: not a file of the record, left alone
    Protected,  // the caller's protection rule holds it
    Unreadable, // no full file path, or the drive or file cannot be looked at now
    Refused,    // a link on the way, another file behind the name, or the deletion failed
};

class DeletionGate {
public:
    using Protection = std::function<bool(const std::wstring&)>;
    explicit DeletionGate(Protection isProtected = {}) : protect_(std::move(isProtected)) {}

    [[nodiscard]] Deletion Delete(const std::wstring& path);
    // Removes the folder when it is empty and is the folder the path names; false otherwise.
    bool RemoveEmptyFolder(const std::wstring& folder);

private:
    [[nodiscard]] bool LinkFree(const std::wstring& folder);

    Protection protect_;
    PathProbe probe_;
    std::unordered_set<std::wstring> linkFree_; // folders found free of links in this pass (upper case)
};

} // namespace ruvex
