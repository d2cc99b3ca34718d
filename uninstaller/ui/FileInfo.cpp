#include "uninstaller/ui/FileInfo.h"

#include "base/codec.h"
#include "base/handles.h"
#include "base/path.h"
#include "resources/RuvexTexts.h"
#include "uninstaller/ui/FormatSize.h"

namespace ruvex::ui {

namespace {

bool FileData(const std::wstring& path, WIN32_FILE_ATTRIBUTE_DATA& data) {
    // An exact path: a name holding "*" or "?" must not match other files.
    return !path.empty() && path.find_first_of(L"*?") == std::wstring::npos &&
           GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) &&
           !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::uint64_t Length(const WIN32_FILE_ATTRIBUTE_DATA& data) {
    return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

} // namespace

std::optional<std::uint64_t> ExistingFileLength(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!FileData(path, data)) {
        return std::nullopt;
    }
    return Length(data);
}

std::uint64_t TotalFileSize(const std::vector<std::wstring>& files, const std::function<void(std::size_t)>& progress) {
    std::uint64_t total = 0;
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (i % 20 == 0 && progress) {
            progress(i + 2);
        }
        total += ExistingFileLength(files[i]).value_or(0);
    }
    return total;
}

std::pair<std::wstring, std::wstring> DateAndTimeTexts(const FILETIME& utc) {
    FILETIME local{};
    SYSTEMTIME st{};
    FileTimeToLocalFileTime(&utc, &local);
    FileTimeToSystemTime(&local, &st);
    wchar_t date[128] = {};
    wchar_t time[128] = {};
    GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, date, 128);
    GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &st, nullptr, time, 128);
    // One text "date time", cut at its first blank, as the tab has always shown it.
    std::wstring text = std::wstring(date) + L" " + time;
    auto blank = text.find(L' ');
    return {L" " + text.substr(0, blank), L" " + text.substr(blank + 1)};
}

FileInfoTexts DescribeFile(const std::wstring& path) {
    FileInfoTexts info;
    if (path.empty()) {
        return info;
    }
    info.name = L" " + FileNamePart(path);
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!FileData(path, data)) {
        info.size = info.date = info.time = texts::Deleted;
        return info;
    }
    info.size = FormatSize(Length(data));
    std::tie(info.date, info.time) = DateAndTimeTexts(data.ftLastWriteTime);
    return info;
}

std::wstring FilePreview(const std::wstring& path) {
    // A character of the ANSI code page takes at most two bytes: twice the limit and one more byte tell
    // whether the file holds more than the limit.
    std::string bytes(FilePreviewLimit * 2 + 1, '\0');
    DWORD read = 0;
    FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file && !ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) {
        read = 0;
    }
    bytes.resize(read);
    std::wstring text = AnsiToWide(bytes);
    if (text.size() >= FilePreviewLimit) {
        return text.substr(0, FilePreviewLimit);
    }
    return text + L"\r\n" + texts::PreviewEnd;
}

std::wstring ShortUpperName(const std::wstring& name) {
    std::wstring cut = name.substr(0, 15);
    CharUpperBuffW(cut.data(), static_cast<DWORD>(cut.size()));
    return L" " + cut;
}

} // namespace ruvex::ui
