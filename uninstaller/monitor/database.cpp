#include "uninstaller/monitor/database.h"

#include "base/codec.h"
#include "base/text.h"

namespace ruvex {

namespace {

// Reports the bytes read so far on every 20th line, as every long loop does.
class ByteProgress {
public:
    ByteProgress(RunHost* host, std::uint64_t size) : host_(host) {
        if (host_ && size > 0) {
            host_->SetProgressMax(static_cast<double>(size));
        }
    }
    void Line(const std::wstring& line) {
        ++count_;
        position_ += AnsiLength(line) + 2;
        if (host_ && count_ % 20 == 0) {
            host_->SetProgressPos(ProgressBar::Wait, static_cast<double>(position_));
        }
    }

private:
    RunHost* host_;
    std::uint64_t count_ = 0;
    std::uint64_t position_ = 0;
};

// Moves the reader past the first header that names the software; false when there is none.
bool SeekHeader(LineReader& reader, const std::wstring& header) {
    std::wstring line;
    while (reader.Next(line)) {
        if (TextEquals(line, header)) {
            return true;
        }
    }
    return false;
}

} // namespace

std::wstring DatabasePath(const std::wstring& dataFolder) {
    return dataFolder + L"\\uninstall.dat";
}

bool IsHeaderLine(const std::wstring& line) noexcept {
    return FirstChar(line) == L'[';
}
bool IsWinIniLine(const std::wstring& line) noexcept {
    return FirstChar(line) == L'-';
}
bool IsRegistryLine(const std::wstring& line) noexcept {
    return FirstChar(line) == L'*';
}
std::wstring HeaderFor(const std::wstring& name) {
    return L"[" + name + L"]";
}

bool DatabaseExists(const std::wstring& dataFolder) {
    return FileExists(DatabasePath(dataFolder));
}

FileResult CreateEmptyDatabase(const std::wstring& dataFolder) {
    return CreateEmptyFileIfMissing(DatabasePath(dataFolder));
}

SoftwareNames ListSoftwareNames(const std::wstring& dataFolder, RunHost& host) {
    SoftwareNames result;
    LineReader reader;
    if (!DatabaseExists(dataFolder)) {
        return result;
    }
    if (!reader.Open(DatabasePath(dataFolder))) {
        result.read = FileResult::ReadFailed(reader.Error(), DatabasePath(dataFolder));
        return result;
    }
    ByteProgress progress(&host, reader.Size());
    std::wstring line;
    while (reader.Next(line)) {
        progress.Line(line);
        // A lone "[" starts a record but names nothing: there is no text between its first and last character.
        if (IsHeaderLine(line) && line.size() >= 2) {
            result.names.push_back(line.substr(1, line.size() - 2));
        }
    }
    if (reader.Error() != ERROR_SUCCESS) {
        result.read = FileResult::ReadFailed(reader.Error(), DatabasePath(dataFolder));
    }
    return result;
}

SoftwareRecord ReadRecord(const std::wstring& dataFolder, const std::wstring& name) {
    SoftwareRecord record;
    LineReader reader;
    if (reader.Open(DatabasePath(dataFolder)) && SeekHeader(reader, HeaderFor(name))) {
        std::wstring line;
        while (reader.Next(line) && !IsHeaderLine(line)) {
            if (IsWinIniLine(line)) {
                record.winIni.push_back(line.substr(1));
            } else if (IsRegistryLine(line)) {
                record.registry.push_back(line);
            } else {
                record.files.push_back(line);
            }
        }
    }
    if (reader.Error() != ERROR_SUCCESS) {
        record.read = FileResult::ReadFailed(reader.Error(), DatabasePath(dataFolder));
    }
    return record;
}

static std::vector<std::wstring> BodyLines(const std::vector<std::wstring>& files,
                                           const std::vector<std::wstring>& sections) {
    std::vector<std::wstring> lines(files);
    for (const auto& section : sections) {
        lines.push_back(L"-" + section);
    }
    return lines;
}

FileResult AppendRecord(const std::wstring& dataFolder, const std::wstring& name,
                        const std::vector<std::wstring>& files, const std::vector<std::wstring>& sections,
                        const std::vector<std::wstring>& registry) {
    std::vector<std::wstring> lines{HeaderFor(name)};
    auto body = BodyLines(files, sections);
    lines.insert(lines.end(), body.begin(), body.end());
    lines.insert(lines.end(), registry.begin(), registry.end());
    return AppendLines(DatabasePath(dataFolder), lines);
}

FileResult AppendRecordBody(const std::wstring& dataFolder, const std::vector<std::wstring>& files,
                            const std::vector<std::wstring>& sections) {
    return AppendLines(DatabasePath(dataFolder), BodyLines(files, sections));
}

FileLines ReadAllLines(const std::wstring& dataFolder, RunHost* host) {
    const std::wstring path = DatabasePath(dataFolder);
    if (!DatabaseExists(dataFolder)) {
        return {};
    }
    WIN32_FILE_ATTRIBUTE_DATA data{};
    std::uint64_t size = 0;
    if (GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) {
        size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    }
    ByteProgress progress(host, size);
    return ReadAnsiLines(path, [&](const std::wstring& line) { progress.Line(line); });
}

FileResult CheckDatabaseRewritable(const std::wstring& dataFolder) {
    if (FileLines table = ReadAllLines(dataFolder); !table.result) {
        return table.result;
    }
    return CheckRewritable(DatabasePath(dataFolder));
}

FileResult WriteAllLines(const std::wstring& dataFolder, const std::vector<std::wstring>& lines, EmptyLines empty) {
    if (empty == EmptyLines::Keep) {
        return ReplaceFileLines(DatabasePath(dataFolder), lines);
    }
    std::vector<std::wstring> kept;
    kept.reserve(lines.size());
    for (const auto& line : lines) {
        if (!line.empty()) {
            kept.push_back(line);
        }
    }
    return ReplaceFileLines(DatabasePath(dataFolder), kept);
}

} // namespace ruvex
