#include "base/codec.h"

#include <algorithm>

namespace ruvex {

namespace {

HANDLE OpenForReading(const std::wstring& path, DWORD flags) {
    HANDLE file = INVALID_HANDLE_VALUE;
    (void)RetriedWhileHeld([&] {
        file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, flags, nullptr);
        return file != INVALID_HANDLE_VALUE;
    });
    return file;
}

// Texts up to this length convert in one call, through a buffer on the stack; a longer one is measured
// first. Every line of the database crosses here at each of its rewrites, hundreds of thousands of them.
constexpr std::size_t kShortText = 1024;

// A read refused by a locked range is waited out the same way (a refused read moves no file position).
bool ReadRetried(HANDLE file, char* into, DWORD size, DWORD& got) {
    return RetriedWhileHeld([&] { return ReadFile(file, into, size, &got, nullptr) != FALSE; });
}

// Non-empty bytes into out under the given flags; false (out empty) when the code page refuses them. A short
// text converts in one call through the stack, a longer one is measured first.
bool ToWide(std::string_view bytes, DWORD flags, std::wstring& out) {
    const int size = static_cast<int>(bytes.size());
    if (bytes.size() <= kShortText) {
        wchar_t buffer[kShortText]; // no byte makes more than one UTF-16 unit
        const int n = MultiByteToWideChar(CP_ACP, flags, bytes.data(), size, buffer, kShortText);
        out.assign(buffer, static_cast<std::size_t>(std::max(n, 0)));
        return n > 0;
    }
    const int n = MultiByteToWideChar(CP_ACP, flags, bytes.data(), size, nullptr, 0);
    out.resize(static_cast<std::size_t>(n));
    return n > 0 && MultiByteToWideChar(CP_ACP, flags, bytes.data(), size, out.data(), n) == n;
}

} // namespace

std::wstring AnsiToWide(std::string_view bytes) {
    std::wstring out;
    if (!bytes.empty()) {
        (void)ToWide(bytes, 0, out);
    }
    return out;
}

std::string WideToAnsi(std::wstring_view text) {
    if (text.empty()) {
        return {};
    }
    if (text.size() <= kShortText) {
        char buffer[3 * kShortText]; // three bytes a unit at most, even where the code page is UTF-8
        const int n = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), buffer,
                                          static_cast<int>(sizeof buffer), nullptr, nullptr);
        if (n > 0) {
            return std::string(buffer, static_cast<std::size_t>(n));
        }
    }
    int n = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

bool IsAnsiRepresentable(std::wstring_view text) {
    if (std::all_of(text.begin(), text.end(), [](wchar_t c) { return c >= 0x20 && c < 0x7f; })) {
        return true; // the common case, without a conversion
    }
    BOOL defaulted = FALSE;
    int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                nullptr, &defaulted);
    return n > 0 && !defaulted && AnsiToWide(WideToAnsi(text)) == text;
}

std::size_t AnsiLength(std::wstring_view text) {
    if (text.empty()) {
        return 0;
    }
    return static_cast<std::size_t>(
        WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr));
}

std::vector<std::wstring> SplitLines(std::string_view bytes) {
    std::vector<std::wstring> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r') {
            lines.push_back(AnsiToWide(bytes.substr(start, i - start)));
            if (i + 1 < bytes.size() && bytes[i + 1] == '\n') {
                ++i;
            }
            start = i + 1;
        }
    }
    if (start < bytes.size()) {
        lines.push_back(AnsiToWide(bytes.substr(start)));
    }
    return lines;
}

std::string JoinLines(const std::vector<std::wstring>& lines) {
    std::string out;
    for (const auto& line : lines) {
        out += WideToAnsi(line);
        out += "\r\n";
    }
    return out;
}

bool LineReader::Open(const std::wstring& path) noexcept {
    HANDLE file = OpenForReading(path, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN);
    const DWORD opened = file == INVALID_HANDLE_VALUE ? GetLastError() : ERROR_SUCCESS;
    file_.reset(file);
    buffer_.clear();
    pos_ = 0;
    eof_ = false;
    error_ = ERROR_SUCCESS;
    first_ = true;
    foreign_ = false;
    size_ = 0;
    if (!file_) {
        error_ = opened;
        return false;
    }
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file_.get(), &size)) {
        size_ = static_cast<std::uint64_t>(size.QuadPart);
    }
    return true;
}

// Keeps the unread rest and appends the next block; false when nothing more could be read.
bool LineReader::Fill() {
    if (eof_ || !file_) {
        return false;
    }
    buffer_.erase(0, pos_);
    pos_ = 0;
    constexpr DWORD kBlock = 64 * 1024;
    std::size_t old = buffer_.size();
    buffer_.resize(old + kBlock);
    DWORD got = 0;
    // A failed read is no end of file: what was read so far must not pass for the whole file.
    if (!ReadRetried(file_.get(), buffer_.data() + old, kBlock, got)) {
        error_ = GetLastError() == ERROR_SUCCESS ? ERROR_READ_FAULT : GetLastError();
        buffer_.clear();
        pos_ = 0;
        eof_ = true;
        return false;
    }
    if (got == 0) {
        buffer_.resize(old);
        eof_ = true;
        return false;
    }
    buffer_.resize(old + got);
    return true;
}

bool LineReader::Next(std::wstring& line) {
    for (;;) {
        std::size_t cr = buffer_.find('\r', pos_);
        // A CR at the very end of the buffer may be the first half of a CR LF: read on before deciding.
        bool complete = cr != std::string::npos && (cr + 1 < buffer_.size() || eof_);
        if (!complete && !eof_) {
            Fill();
            continue;
        }
        if (cr != std::string::npos) {
            Decode(std::string_view(buffer_).substr(pos_, cr - pos_), line);
            pos_ = cr + 1;
            if (pos_ < buffer_.size() && buffer_[pos_] == '\n') {
                ++pos_;
            }
            return true;
        }
        if (pos_ < buffer_.size()) {
            Decode(std::string_view(buffer_).substr(pos_), line);
            pos_ = buffer_.size();
            return true;
        }
        return false;
    }
}

void LineReader::Decode(std::string_view bytes, std::wstring& line) {
    if (first_) {
        first_ = false;
        foreign_ = bytes.starts_with("\xEF\xBB\xBF") || bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF");
    }
    if (!foreign_ && bytes.find_first_of(std::string_view("\0\n", 2)) != std::string_view::npos) {
        foreign_ = true;
    }
    line.clear();
    if (bytes.empty()) {
        return;
    }
    // Strict first: a byte sequence the code page does not define fails here instead of reading as a
    // stand-in character.
    if (!ToWide(bytes, MB_ERR_INVALID_CHARS, line)) {
        foreign_ = true;
        line = AnsiToWide(bytes);
    }
}

bool ReadFileBytes(const std::wstring& path, std::string& bytes) {
    FileHandle file(OpenForReading(path, FILE_ATTRIBUTE_NORMAL));
    bytes.clear();
    if (!file) {
        return false;
    }
    char block[64 * 1024];
    for (;;) {
        DWORD got = 0;
        if (!ReadRetried(file.get(), block, sizeof block, got)) {
            bytes.clear();
            return false;
        }
        if (got == 0) {
            return true;
        }
        bytes.append(block, got);
    }
}

FileLines ReadFileLines(const std::wstring& path) {
    FileLines result;
    std::string bytes;
    if (!ReadFileBytes(path, bytes)) {
        result.result = FileResult::ReadFailed(GetLastError(), path);
    } else {
        result.lines = SplitLines(bytes);
    }
    return result;
}

FileLines ReadAnsiLines(const std::wstring& path, const std::function<void(const std::wstring&)>& perLine) {
    FileLines result;
    LineReader reader;
    if (!reader.Open(path)) {
        result.result = FileResult::ReadFailed(GetLastError(), path);
        return result;
    }
    std::wstring line;
    while (reader.Next(line)) {
        if (perLine) {
            perLine(line);
        }
        result.lines.push_back(std::move(line));
    }
    // A table cut short by a failed read would be written back short; a file that is not ANSI text (UTF-16
    // or UTF-8 with its byte-order mark, NUL bytes, bytes the code page lacks) would come back changed from
    // a rewrite: a UTF-16 file destroyed, a path turned into another one. Neither is given to the caller.
    if (reader.Error() != ERROR_SUCCESS || reader.ForeignText()) {
        result.result = FileResult::ReadFailed(
            reader.Error() != ERROR_SUCCESS ? reader.Error() : ERROR_NO_UNICODE_TRANSLATION, path);
        result.lines.clear();
    }
    return result;
}

} // namespace ruvex
