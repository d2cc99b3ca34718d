// The one place where text crosses between UTF-16 and the system ANSI code page (CP_ACP).
// Every data file of both programs is ANSI text with CR LF line ends.
#pragma once

#include "base/handles.h"
#include "base/safefile.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace ruvex {

std::wstring AnsiToWide(std::string_view bytes);
std::string WideToAnsi(std::wstring_view text);
// Whether the text comes back unchanged from the ANSI code page: no best-fit letter (é as e, ¥ as a
// backslash), no default character. A path that does not would be written down as another path.
bool IsAnsiRepresentable(std::wstring_view text);
// Bytes that the text takes in the ANSI code page: what progress counts add up (plus 2 for CR LF).
std::size_t AnsiLength(std::wstring_view text);

// Splits ANSI bytes into lines at CR LF or a lone CR; a last line without an end is still a line.
std::vector<std::wstring> SplitLines(std::string_view bytes);
// Every line followed by CR LF, the last one too.
std::string JoinLines(const std::vector<std::wstring>& lines);

// Streams the lines of a file without holding the whole file in memory.
class LineReader {
public:
    LineReader() = default;
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    // A file that another program holds without sharing is waited for a moment (about 2 s).
    [[nodiscard]] bool Open(const std::wstring& path) noexcept;
    [[nodiscard]] bool IsOpen() const noexcept { return file_.valid(); }
    // File length in bytes at the time of opening.
    [[nodiscard]] std::uint64_t Size() const noexcept { return size_; }
    // False at the end of the file, and after a read that failed.
    [[nodiscard]] bool Next(std::wstring& line);
    // The Win32 error of an open that failed, or of a read that failed (the lines so far are not the whole
    // file); ERROR_SUCCESS otherwise.
    [[nodiscard]] DWORD Error() const noexcept { return error_; }
    // True once a line read so far was no text in the ANSI code page: a byte-order mark (UTF-8 or UTF-16),
    // a NUL or LF byte inside a line, or bytes that the code page does not define. Such a line reads with
    // stand-in characters and would not be written back as it stood.
    [[nodiscard]] bool ForeignText() const noexcept { return foreign_; }

private:
    bool Fill();
    void Decode(std::string_view bytes, std::wstring& line);

    FileHandle file_;
    std::uint64_t size_ = 0;
    std::string buffer_;
    std::size_t pos_ = 0;
    bool eof_ = false;
    DWORD error_ = ERROR_SUCCESS;
    bool first_ = true;
    bool foreign_ = false;
};

// A whole file as lines, or what kept it from being read.
struct FileLines {
    FileResult result;
    std::vector<std::wstring> lines;
};
// Reads a whole file as lines; bytes the code page does not define read as stand-in characters.
FileLines ReadFileLines(const std::wstring& path);
// Reads a whole file that must be ANSI text, as a file that is rewritten from its lines must be: one that is
// not (see LineReader::ForeignText) fails with ERROR_NO_UNICODE_TRANSLATION, as does a read cut short, and
// no lines are given. perLine sees each line as it is read.
FileLines ReadAnsiLines(const std::wstring& path, const std::function<void(const std::wstring&)>& perLine = {});

// Reads a whole file's bytes (false when it cannot be opened or a read fails), waiting out a hold as Open does.
bool ReadFileBytes(const std::wstring& path, std::string& bytes);

} // namespace ruvex
