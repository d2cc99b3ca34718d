// Whole-file rewrites and appends that never leave a half-written file behind.
#pragma once

#include "base/handles.h"

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace ruvex {

// The one result of a file operation: what failed (a read or a write), where, and the system's reason.
struct FileResult {
    bool ok = true;
    DWORD error = ERROR_SUCCESS; // the Win32 error of the failing step
    bool reading = false;        // the step that failed read the file (else it wrote it)
    std::wstring path;           // the file that failed; empty where the caller knows it
    [[nodiscard]] explicit operator bool() const noexcept { return ok; }
    static FileResult Failed(DWORD e, std::wstring path = {}) {
        return {false, e == ERROR_SUCCESS ? ERROR_GEN_FAILURE : e, false, std::move(path)};
    }
    static FileResult ReadFailed(DWORD e, std::wstring path = {}) {
        return {false, e == ERROR_SUCCESS ? ERROR_READ_FAULT : e, true, std::move(path)};
    }
};

// A virus scanner or a backup program holds a file for a moment, without sharing it or with a range locked:
// the attempt (true: done) is run again for about as long as such a hold lasts (2 s) while it is refused for
// that reason (a sharing or lock violation; with replacing, access denied too, which is what Wine gives a
// replacement while another program has the target open). Any other failure is final at once; the last
// error is the attempt's.
[[nodiscard]] bool RetriedWhileHeld(const std::function<bool()>& attempt, bool replacing = false);

// A whole-file rewrite written over a while (a walk's snapshot as the walk goes): the lines go in the ANSI
// code page, each with CR LF, to a temporary file beside the target; Commit flushes it and moves it over the
// target. The target keeps its old bytes until then, and for good when a step fails or the writer is dropped
// uncommitted (the temporary file is removed). After a failure, what is added is dropped and Commit tells it.
class LineFileWriter {
public:
    explicit LineFileWriter(std::wstring path);
    ~LineFileWriter();
    LineFileWriter(const LineFileWriter&) = delete;
    LineFileWriter& operator=(const LineFileWriter&) = delete;

    void Add(std::wstring_view line);
    bool Write(std::string_view bytes); // false once a step has failed
    [[nodiscard]] FileResult Commit();
    // The temporary file's name (no folder), empty once it is gone: a walk of its folder leaves it out.
    [[nodiscard]] std::wstring TemporaryName() const;

private:
    void Fail();

    std::wstring path_;
    std::wstring temp_;
    FileHandle file_;
    std::string block_;
    FileResult result_;
};

// Writes the bytes to a temporary file beside the target, flushes it and moves it over the target.
// On any failure the target keeps its old bytes and the temporary file is removed.
[[nodiscard]] FileResult ReplaceFileContents(const std::wstring& path, std::string_view bytes);
// The lines in the ANSI code page, each with CR LF, through ReplaceFileContents.
[[nodiscard]] FileResult ReplaceFileLines(const std::wstring& path, const std::vector<std::wstring>& lines);

// Appends to the file (created when missing); a failed append is cut back to the old length.
[[nodiscard]] FileResult AppendToFile(const std::wstring& path, std::string_view bytes);
// The same with another write step (true: every byte written): a test's step fails part way, as a full
// disk does.
using WriteStep = bool (*)(HANDLE file, std::string_view bytes);
[[nodiscard]] FileResult AppendToFile(const std::wstring& path, std::string_view bytes, WriteStep write);
[[nodiscard]] FileResult AppendLines(const std::wstring& path, const std::vector<std::wstring>& lines);

// Deletes the temporary files that rewrites in folder left when their process was ended half-way. Only for
// a folder that no other running process rewrites in.
void RemoveLeftoverTemporaryFiles(const std::wstring& folder);

// Whether the file could be replaced by a rewrite now: it is not read-only, and no other program holds it
// open without letting it be deleted (the replacement needs that). A missing file passes. Taken before a
// command changes anything that the rewrite must then record.
[[nodiscard]] FileResult CheckRewritable(const std::wstring& path);

// Creates an empty file unless something exists there already.
[[nodiscard]] FileResult CreateEmptyFileIfMissing(const std::wstring& path);

[[nodiscard]] bool FileExists(const std::wstring& path) noexcept;   // a file, not a folder
[[nodiscard]] bool FolderExists(const std::wstring& path) noexcept; // a folder

// The message text of a Win32 error code in the user's language.
[[nodiscard]] std::wstring ErrorText(DWORD error);

} // namespace ruvex
