#include "uninstaller/ui/FolderLists.h"

#include "uninstaller/monitor/snapshot.h"

namespace ruvex::ui {

std::wstring ChosenPath(const std::wstring& folder, const std::wstring& name) {
    return !folder.empty() && folder.back() == L'\\' ? folder + name : folder + L"\\" + name;
}

void FolderLists::Attach(HWND dir, HWND files, FileFilter keep) noexcept {
    dir_ = dir;
    files_ = files;
    keep_ = keep;
}

void FolderLists::SetPath(const std::wstring& folder) {
    folder_ = folder;
    dirPaths_.clear();
    SendMessageW(dir_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(dir_, LB_RESETCONTENT, 0, 0);
    std::wstring path = folder.substr(0, 3);
    std::wstring indent;
    auto add = [&](const std::wstring& text, const std::wstring& target) {
        SendMessageW(dir_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>((indent + text).c_str()));
        dirPaths_.push_back(target);
    };
    add(path, path);
    std::size_t current = 0;
    for (std::size_t start = 3; start < folder.size();) {
        std::size_t end = folder.find(L'\\', start);
        std::wstring part = folder.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
        path = ChosenPath(path, part);
        indent += L"  ";
        add(part, path);
        current = dirPaths_.size() - 1;
        start = end == std::wstring::npos ? folder.size() : end + 1;
    }
    indent += L"  ";
    FolderListing listing = ListFolder(folder, true);
    for (const auto& sub : listing.Dir1) {
        add(sub, ChosenPath(folder, sub));
    }
    SendMessageW(dir_, LB_SETCURSEL, current, 0);
    SendMessageW(dir_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(dir_, nullptr, TRUE);

    SendMessageW(files_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(files_, LB_RESETCONTENT, 0, 0);
    for (const auto& name : listing.File1) {
        if (!keep_ || keep_(name)) {
            SendMessageW(files_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        }
    }
    SendMessageW(files_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(files_, nullptr, TRUE);
}

std::wstring FolderLists::Highlighted() const {
    LRESULT index = SendMessageW(dir_, LB_GETCURSEL, 0, 0);
    return index >= 0 && static_cast<std::size_t>(index) < dirPaths_.size() ? dirPaths_[static_cast<std::size_t>(index)]
                                                                            : std::wstring();
}

} // namespace ruvex::ui
