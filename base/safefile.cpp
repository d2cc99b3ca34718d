#include "base/safefile.h"

#include "base/codec.h"
#include "base/handles.h"
#include "base/path.h"

#include <algorithm>

namespace ruvex {

namespace {

// The folder for the temporary file: "C:\" at a root (a bare "C:" would mean the drive's current folder).
std::wstring FolderOf(const std::wstring& path) {
    std::wstring folder = FolderWithSeparator(path);
    return folder.empty() ? L"." : folder;
}

bool WriteAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 20));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) {
            return false;
        }
        bytes.remove_prefix(written);
    }
    return true;
}

} // namespace

bool RetriedWhileHeld(const std::function<bool()>& attempt, bool replacing) {
    constexpr DWORD kPatience = 2000; // ms
    constexpr DWORD kPause = 50;      // ms
    const DWORD start = GetTickCount();
    while (!attempt()) {
        const DWORD error = GetLastError();
        const bool held = error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
                          (replacing && error == ERROR_ACCESS_DENIED);
        if (!held || GetTickCount() - start >= kPatience) {
            SetLastError(error);
            return false;
        }
        Sleep(kPause);
    }
    return true;
}

// The prefix of every temporary file of a rewrite (GetTempFileNameW adds a number and ".tmp").
constexpr const wchar_t* kTempPrefix = L"rvx";

LineFileWriter::LineFileWriter(std::wstring path) : path_(std::move(path)) {
    // A read-only target must stay as it is, whatever the file system would allow a rename to do.
    DWORD attributes = GetFileAttributesW(path_.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0) {
        result_ = FileResult::Failed(ERROR_ACCESS_DENIED, path_);
        return;
    }
    // GetTempFileNameW writes up to MAX_PATH characters and, under Wine, does not check the folder's length
    // first: a longer folder would overrun the buffer.
    const std::wstring folder = FolderOf(path_);
    if (folder.size() > MAX_PATH - 14) {
        result_ = FileResult::Failed(ERROR_FILENAME_EXCED_RANGE, path_);
        return;
    }
    wchar_t temp[MAX_PATH + 1];
    if (GetTempFileNameW(folder.c_str(), kTempPrefix, 0, temp) == 0) {
        result_ = FileResult::Failed(GetLastError(), path_);
        return;
    }
    temp_ = temp;
    file_.reset(CreateFileW(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file_) {
        Fail();
    }
}

LineFileWriter::~LineFileWriter() {
    file_.reset();
    if (!temp_.empty()) {
        DeleteFileW(temp_.c_str());
    }
}

void LineFileWriter::Fail() {
    const DWORD e = GetLastError();
    file_.reset();
    DeleteFileW(temp_.c_str());
    temp_.clear();
    block_.clear();
    result_ = FileResult::Failed(e, path_);
}

bool LineFileWriter::Write(std::string_view bytes) {
    if (result_ && !WriteAll(file_.get(), bytes)) {
        Fail();
    }
    return result_.ok;
}

void LineFileWriter::Add(std::wstring_view line) {
    // Written a block at a time: a snapshot of a million paths made into one text first took a hundred
    // megabytes more, and twice that while the text grew.
    constexpr std::size_t kBlock = 1u << 20;
    if (!result_) {
        return;
    }
    block_ += WideToAnsi(line);
    block_ += "\r\n";
    if (block_.size() >= kBlock && Write(block_)) {
        block_.clear();
    }
}

std::wstring LineFileWriter::TemporaryName() const {
    return temp_.empty() ? std::wstring() : FileNamePart(temp_);
}

FileResult LineFileWriter::Commit() {
    if (result_ && Write(block_) && !FlushFileBuffers(file_.get())) {
        Fail();
    }
    if (!result_) {
        return result_;
    }
    file_.reset();
    // The target read-only was refused at the start: access denied here is another program's hold.
    if (!RetriedWhileHeld(
            [&] {
                return MoveFileExW(temp_.c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) !=
                       FALSE;
            },
            true)) {
        Fail();
        return result_;
    }
    temp_.clear();
    return result_;
}

FileResult ReplaceFileContents(const std::wstring& path, std::string_view bytes) {
    LineFileWriter out(path);
    (void)out.Write(bytes);
    return out.Commit();
}

FileResult ReplaceFileLines(const std::wstring& path, const std::vector<std::wstring>& lines) {
    LineFileWriter out(path);
    for (const auto& line : lines) {
        out.Add(line);
    }
    return out.Commit();
}

FileResult AppendToFile(const std::wstring& path, std::string_view bytes) {
    return AppendToFile(path, bytes, WriteAll);
}

FileResult AppendToFile(const std::wstring& path, std::string_view bytes, WriteStep write) {
    // Read-only means not to be written, whatever the file system would let an open for writing do.
    DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        return FileResult::Failed(ERROR_ACCESS_DENIED, path);
    }
    FileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return FileResult::Failed(GetLastError(), path);
    }
    LARGE_INTEGER old{};
    if (!GetFileSizeEx(file.get(), &old)) {
        return FileResult::Failed(GetLastError(), path);
    }
    LARGE_INTEGER end{};
    if (!SetFilePointerEx(file.get(), end, nullptr, FILE_END)) {
        return FileResult::Failed(GetLastError(), path);
    }
    if (!write(file.get(), bytes) || !FlushFileBuffers(file.get())) {
        DWORD e = GetLastError();
        // Cut back to the old length so that no half record stays behind.
        SetFilePointerEx(file.get(), old, nullptr, FILE_BEGIN);
        SetEndOfFile(file.get());
        return FileResult::Failed(e, path);
    }
    return {};
}

FileResult AppendLines(const std::wstring& path, const std::vector<std::wstring>& lines) {
    return AppendToFile(path, JoinLines(lines));
}

FileResult CreateEmptyFileIfMissing(const std::wstring& path) {
    FileHandle file(
        CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        DWORD e = GetLastError();
        if (e == ERROR_FILE_EXISTS || e == ERROR_ALREADY_EXISTS) {
            return {};
        }
        return FileResult::Failed(e, path);
    }
    return {};
}

FileResult CheckRewritable(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD e = GetLastError();
        return e == ERROR_FILE_NOT_FOUND ? FileResult{} : FileResult::Failed(e, path);
    }
    // Wine, run as root, lets a read-only file be opened for writing: the attribute is checked here.
    if ((attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0) {
        return FileResult::Failed(ERROR_ACCESS_DENIED, path);
    }
    FileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE | DELETE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    return file ? FileResult{} : FileResult::Failed(GetLastError(), path);
}

bool FileExists(const std::wstring& path) noexcept {
    DWORD a = GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool FolderExists(const std::wstring& path) noexcept {
    DWORD a = GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

void RemoveLeftoverTemporaryFiles(const std::wstring& folder) {
    const std::wstring pattern = JoinPath(folder, std::wstring(kTempPrefix) + L"*.tmp");
    WIN32_FIND_DATAW found;
    FindHandle find(FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, 0));
    if (!find) {
        return;
    }
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            DeleteFileW(JoinPath(folder, found.cFileName).c_str());
        }
    } while (FindNextFileW(find.get(), &found));
}

std::wstring ErrorText(DWORD error) {
    wchar_t* buffer = nullptr;
    DWORD n =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = n ? std::wstring(buffer, n) : std::wstring();
    LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) {
        text.pop_back();
    }
    if (text.empty()) {
        text = L"Error " + std::to_wstring(error);
    }
    return text;
}

} // namespace ruvex
