#include "uninstaller/ui/cPath.h"

#include "base/path.h"
#include "base/text.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <vector>

namespace ruvex {

namespace {

// All-upper text (no lower-case letter) becomes "Capitalised"; mixed text stays as written.
std::wstring CapitalizeIfUpper(const std::wstring& text) {
    if (text.empty() || text != ToUpper(text)) {
        return text;
    }
    std::wstring out = ToLower(text);
    out.replace(0, 1, ToUpper(out.substr(0, 1)));
    return out;
}

std::wstring WithoutNulTail(const wchar_t* buffer) {
    return std::wstring(buffer);
}

} // namespace

std::wstring cPath::GetFileName() const {
    auto slash = fileName_.rfind(L'\\');
    if (slash != std::wstring::npos) {
        return fileName_.substr(slash + 1);
    }
    auto colon = fileName_.find(L':');
    if (colon != std::wstring::npos) {
        return fileName_.substr(colon + 1);
    }
    return fileName_;
}

std::wstring cPath::GetExt() const {
    std::wstring name = GetFileName();
    auto dot = name.rfind(L'.');
    return dot == std::wstring::npos ? std::wstring() : name.substr(dot + 1);
}

std::wstring cPath::GetPath() const {
    auto slash = fileName_.rfind(L'\\');
    if (slash != std::wstring::npos) {
        return fileName_.substr(0, slash + 1);
    }
    auto colon = fileName_.find(L':');
    if (colon != std::wstring::npos) {
        return fileName_.substr(0, colon + 1) + L"\\";
    }
    return {};
}

std::wstring cPath::AddDblQuot(bool notCheckSpace) const {
    if (!notCheckSpace && fileName_.find_first_of(L" ,") == std::wstring::npos) {
        return fileName_;
    }
    // Each end is looked at in turn, so an empty name becomes one lone quote.
    std::wstring out = fileName_;
    if (out.empty() || out.front() != L'"') {
        out.insert(out.begin(), L'"');
    }
    if (out.back() != L'"') {
        out.push_back(L'"');
    }
    return out;
}

std::wstring cPath::GetShortPathName() const {
    std::vector<wchar_t> buffer(1024, L'\0');
    DWORD n = ::GetShortPathNameW(fileName_.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0 || n >= buffer.size()) {
        return {};
    }
    return WithoutNulTail(buffer.data());
}

std::wstring cPath::GetFullPathName(const std::wstring& pathName, const std::wstring& fileName) {
    return JoinPath(pathName, fileName);
}

std::wstring cPath::GetFileNameOnly() const {
    std::wstring name = GetFileName();
    auto dot = name.rfind(L'.');
    return dot == std::wstring::npos ? name : name.substr(0, dot);
}

std::wstring cPath::GetCleanFileName() const {
    std::wstring ext = GetExt();
    std::wstring name = CapitalizeIfUpper(GetFileNameOnly());
    // A name without an extension keeps no dangling dot.
    return ext.empty() ? name : name + L"." + CapitalizeIfUpper(ext);
}

std::wstring cPath::GetWindowsDirectory() {
    wchar_t buffer[4096] = {};
    UINT n = ::GetWindowsDirectoryW(buffer, 4096);
    return GetFullPathName(n && n < 4096 ? std::wstring(buffer, n) : std::wstring());
}

std::wstring cPath::GetSystemDirectory() {
    wchar_t buffer[4096] = {};
    UINT n = ::GetSystemDirectoryW(buffer, 4096);
    return GetFullPathName(n && n < 4096 ? std::wstring(buffer, n) : std::wstring());
}

std::wstring cPath::GetSpecialFolder(int getFolderType) {
    std::wstring path;
    LPITEMIDLIST items = nullptr;
    if (SUCCEEDED(SHGetSpecialFolderLocation(nullptr, getFolderType, &items)) && items) {
        wchar_t buffer[MAX_PATH + 1] = {};
        if (SHGetPathFromIDListW(items, buffer)) {
            path = WithoutNulTail(buffer);
        }
        CoTaskMemFree(items);
    }
    return GetFullPathName(path);
}

std::wstring cPath::GetExecFileFromDataFile() const {
    wchar_t current[MAX_PATH + 1] = {};
    ::GetCurrentDirectoryW(MAX_PATH, current);
    wchar_t buffer[MAX_PATH + 1] = {};
    auto r = reinterpret_cast<INT_PTR>(FindExecutableW(fileName_.c_str(), current, buffer));
    if (r < 32) {
        return {};
    }
    // Some systems put a NUL in place of the first blank of a long program path: put the blank back.
    std::wstring out(buffer, MAX_PATH);
    auto pair = out.find(std::wstring(2, L'\0'));
    if (pair != std::wstring::npos) {
        out.resize(pair);
    }
    auto nul = out.find(L'\0');
    if (nul != std::wstring::npos) {
        out[nul] = L' ';
        auto next = out.find(L'\0', nul);
        if (next != std::wstring::npos) {
            out.resize(next);
        }
    }
    return out;
}

} // namespace ruvex
