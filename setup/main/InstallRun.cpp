#include "setup/main/InstallRun.h"

#include "base/codec.h"
#include "base/text.h"
#include "resources/SetupTexts.h"
#include "setup/common/Folders.h"
#include "setup/common/Messages.h"
#include "setup/common/Paths.h"
#include "setup/common/Shortcut.h"
#include "setup/main/Placeholders.h"
#include "setup/main/Registry.h"
#include "setup/main/Rollback.h"

#include <cstdio>
#include <utility>

namespace setup {

namespace {

constexpr const wchar_t* kUninstallSection = L"Uninstall";

std::wstring StartAgain(const std::wstring& text) {
    return text + texts::kCrLf2 + texts::kStartAgain;
}

// A definition names each destination in full, so it could name ..\ or any absolute path and overwrite a
// file of the system, which the uninstall would later delete as well. Only paths inside the destination
// folder (after resolving . and ..) are installed.
bool LiesInside(const std::wstring& path, const std::wstring& folder) {
    std::wstring full = FullPath(path);
    std::wstring base = RemoveTrailingBackslash(FullPath(folder));
    return !base.empty() && full.size() > base.size() + 1 && full[base.size()] == L'\\' &&
           CompareStringOrdinal(full.c_str(), static_cast<int>(base.size()), base.c_str(),
                                static_cast<int>(base.size()), TRUE) == CSTR_EQUAL;
}

// Wine running as root writes into a read-only file all the same, where a CD-ROM or a read-only share
// refuses: the attribute is taken at its word.
bool IsReadOnly(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

// A file copied from a read-only medium keeps the read-only attribute, and the uninstall could then not
// delete it: the installed copy loses it.
bool CopyInstalled(const std::wstring& source, const std::wstring& target) {
    if (!CopyFileW(source.c_str(), target.c_str(), FALSE)) {
        return false;
    }
    if (IsReadOnly(target)) {
        SetFileAttributesW(target.c_str(), GetFileAttributesW(target.c_str()) & ~FILE_ATTRIBUTE_READONLY);
    }
    return true;
}

std::uint64_t FileSize(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) {
        return 0;
    }
    return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::wstring Today() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    wchar_t date[16] = {};
    std::swprintf(date, 16, L"%04u%02u%02u", now.wYear, now.wMonth, now.wDay);
    return date;
}

class Installer {
public:
    Installer(const InstallJob& job, SetupHost& host)
        : job_(job), inf_(*job.inf), host_(host), sourceWritable_(!IsReadOnly(job.inf->path())) {}

    InstallOutcome Run() {
        InstallOutcome outcome = Steps();
        if (outcome == InstallOutcome::Completed) {
            return outcome;
        }
        // Everything this run did goes again before the user hears of the failure.
        std::vector<std::wstring> left = journal_.RollBack();
        host_.Log(L"Rollback", job_.installFolder, LogResult(left.empty()));
        std::wstring text = message_;
        if (!left.empty()) {
            text += texts::kCrLf2 + std::wstring(texts::kNotRestored);
            for (const auto& path : left) {
                host_.Log(L"Rollback", path, LogResult(false));
                text += L"\r\n" + path;
            }
        }
        if (outcome == InstallOutcome::EntryFailed) {
            host_.Error(text);
        } else {
            host_.Warning(text);
        }
        return outcome;
    }

private:
    InstallOutcome Steps() {
        bool created = journal_.CreateFolder(job_.installFolder);
        host_.Log(L"Folder", job_.installFolder, LogResult(created));
        if (!created) {
            return Fail(InstallOutcome::FolderFailed, StartAgain(job_.installFolder + texts::kFolderNotCreated));
        }
        for (auto step : {&Installer::CopyFiles, &Installer::CreateShortcuts, &Installer::WriteRegistryValues,
                          &Installer::WriteUninstallEntry, &Installer::CopySetup, &Installer::WriteRecord}) {
            if (InstallOutcome outcome = (this->*step)(); outcome != InstallOutcome::Completed) {
                return outcome;
            }
        }
        return InstallOutcome::Completed;
    }

    InstallOutcome Fail(InstallOutcome outcome, const std::wstring& text) {
        message_ = text;
        return outcome;
    }

    std::wstring Expand(const std::wstring& value) {
        return ExpandPlaceholders(value, host_.ProgramFilesDir(), job_.installFolder);
    }

    // Kept for the installed copy of the definition, and written into the source as before while it can be.
    void Record(const std::wstring& key, const std::wstring& value) {
        record_.emplace_back(key, value);
        if (sourceWritable_) {
            (void)inf_.Write(kUninstallSection, key, value);
        }
    }

    // The files lie flat beside the setup program, under the names they get at the destination.
    InstallOutcome CopyFiles() {
        auto keys = inf_.Keys(L"Files");
        for (std::size_t i = 0; i < keys.size(); ++i) {
            std::wstring destination = Expand(inf_.Value(L"Files", keys[i]));
            if (!LiesInside(destination, job_.installFolder)) {
                host_.Log(L"File", destination, LogResult(false));
                // Nothing copied, so nothing for the uninstall to delete.
                return Fail(InstallOutcome::FileFailed, StartAgain(texts::kCopyFailed));
            }
            std::wstring source = job_.sourceFolder + L"\\" + NameAfterSeparator(destination);
            bool copied = journal_.KeepFile(destination) && CopyInstalled(source, destination);
            // Recorded whatever the result, so that the uninstall finds whatever was copied.
            Record(L"File" + std::to_wstring(i + 1), destination);
            host_.Log(L"File", destination, LogResult(copied));
            if (!copied) {
                return Fail(InstallOutcome::FileFailed, StartAgain(texts::kCopyFailed));
            }
            installedBytes_ += FileSize(destination);
            std::wstring name = NameAfterSeparator(destination);
            if (firstProgram_.empty() && name.size() > 4 && ruvex::ToLower(name.substr(name.size() - 4)) == L".exe") {
                firstProgram_ = destination;
            }
        }
        return InstallOutcome::Completed;
    }

    InstallOutcome CreateShortcuts() {
        const struct {
            bool ticked;
            const wchar_t* kind;
            ShellFolder folder;
            const wchar_t* key;
            const wchar_t* failure;
        } passes[] = {
            {job_.programGroup, kKindProgramGroup, ShellFolder::Programs, L"FileP", texts::kProgramGroupFailed},
            {job_.startup, kKindStartUp, ShellFolder::Startup, L"FileP", texts::kStartupFailed},
            {job_.desktop, kKindDeskTop, ShellFolder::Desktop, L"FileD", texts::kDesktopFailed},
            {job_.sendTo, kKindSendTo, ShellFolder::SendTo, L"FileS", texts::kSendToFailed},
        };
        for (const auto& pass : passes) {
            if (!pass.ticked) {
                continue;
            }
            for (std::size_t j = 0; j < job_.sectionNames.size(); ++j) {
                const std::wstring& section = job_.sectionNames[j];
                if (!IsKind(section, pass.kind)) {
                    continue;
                }
                std::wstring link = host_.ShellFolderPath(pass.folder) + L"\\" + inf_.Value(section, L"Name");
                std::wstring file = link + L".lnk";
                // Keys are numbered by the section's position, so program-group and start-up
                // shortcuts can share the FileP prefix.
                Record(pass.key + std::to_wstring(j + 1), file);
                std::wstring target = Expand(inf_.Value(section, L"File"));
                // The group folder is made here, so that the rollback knows it for one of this run's.
                journal_.CreateFolder(RemoveTrailingBackslash(FolderWithSeparator(file)));
                bool created = journal_.KeepFile(file) && CreateShortcut(target, link);
                host_.Log(L"Shortcut", file, LogResult(created));
                if (!created) {
                    return Fail(InstallOutcome::ShortcutFailed, StartAgain(pass.failure));
                }
            }
        }
        return InstallOutcome::Completed;
    }

    InstallOutcome WriteRegistryValues() {
        for (const auto& section : job_.sectionNames) {
            if (!IsKind(section, kKindRegistryWrite)) {
                continue;
            }
            HKEY root = RootKeyFromName(inf_.Value(section, L"RootKey"));
            std::wstring key = Expand(inf_.Value(section, L"OpenKey"));
            std::wstring name = Expand(inf_.Value(section, L"Name"));
            bool written = journal_.WriteString(root, key, name, Expand(inf_.Value(section, L"Value")));
            host_.Log(L"Registry", key + L"\\" + name, LogResult(written));
            if (!written) {
                return Fail(InstallOutcome::RegistryFailed, StartAgain(texts::kRegistryWriteFailed));
            }
        }
        return InstallOutcome::Completed;
    }

    // What the system's list of programs and administrators' tools read, as the common installers write it.
    InstallOutcome WriteUninstallEntry() {
        std::wstring name = inf_.Value(L"AboutSoftware", L"Name");
        std::wstring version = inf_.Value(L"AboutSoftware", L"Version");
        std::wstring key = kUninstallKey + name;
        const std::pair<const wchar_t*, std::wstring> strings[] = {
            {L"DisplayName", UninstallDisplayName(name, version)},
            {L"UninstallString", UninstallCommand(job_.installFolder)},
            {L"QuietUninstallString", QuietUninstallCommand(job_.installFolder)},
            {L"DisplayVersion", version},
            // Optional: no text stands in for a missing maker.
            {L"Publisher", inf_.Read(L"AboutSoftware", L"Publisher", L"")},
            {L"InstallLocation", job_.installFolder},
            {L"DisplayIcon", firstProgram_.empty() ? job_.installFolder + L"\\SETUP.EXE" : firstProgram_},
            {L"InstallDate", Today()},
        };
        const std::pair<const wchar_t*, DWORD> numbers[] = {
            {L"EstimatedSize", static_cast<DWORD>((installedBytes_ + 1023) / 1024)},
            {L"NoModify", 1},
            {L"NoRepair", 1},
        };
        auto written = [&](const wchar_t* value, bool ok) {
            host_.Log(L"Entry", key + L"\\" + value, LogResult(ok));
            return ok;
        };
        for (const auto& [value, text] : strings) {
            if (!text.empty() && !written(value, journal_.WriteString(HKEY_LOCAL_MACHINE, key, value, text))) {
                return Fail(InstallOutcome::EntryFailed, WithArgument(texts::kSettingFailed, value));
            }
        }
        for (const auto& [value, number] : numbers) {
            if (!written(value, journal_.WriteDword(HKEY_LOCAL_MACHINE, key, value, number))) {
                return Fail(InstallOutcome::EntryFailed, WithArgument(texts::kSettingFailed, value));
            }
        }
        return InstallOutcome::Completed;
    }

    InstallOutcome CopySetup() {
        for (const wchar_t* name : {L"\\SETUP.EXE", L"\\SETUP.INF"}) {
            std::wstring target = job_.installFolder + name;
            bool copied = journal_.KeepFile(target) && CopyInstalled(job_.sourceFolder + name, target);
            host_.Log(L"Copy", target, LogResult(copied));
            if (!copied) {
                return Fail(InstallOutcome::CopyFailed, StartAgain(texts::kCopyFailed));
            }
        }
        return InstallOutcome::Completed;
    }

    // The installed copy holds the whole record, whatever became of the writes into the source (a CD-ROM
    // takes none): without it the uninstall would remove nothing. A path that the definition file's code
    // page can't hold would be recorded as another path.
    InstallOutcome WriteRecord() {
        SetupInf installed(job_.installFolder + L"\\SETUP.INF");
        for (const auto& [key, value] : record_) {
            bool written = ruvex::IsAnsiRepresentable(value) && installed.Write(kUninstallSection, key, value);
            host_.Log(L"Record", key + L"=" + value, LogResult(written));
            if (!written) {
                return Fail(InstallOutcome::RecordFailed, StartAgain(texts::kRecordFailed));
            }
        }
        // The profile calls may hold the file back; the record is on the disk before the run counts as done.
        WritePrivateProfileStringW(nullptr, nullptr, nullptr, installed.path().c_str());
        return InstallOutcome::Completed;
    }

    const InstallJob& job_;
    const SetupInf& inf_;
    SetupHost& host_;
    const bool sourceWritable_;
    InstallJournal journal_;
    std::vector<std::pair<std::wstring, std::wstring>> record_;
    std::wstring message_;
    std::uint64_t installedBytes_ = 0;
    std::wstring firstProgram_; // the first installed .exe, the entry's icon
};

} // namespace

InstallOutcome RunInstall(const InstallJob& job, SetupHost& host) {
    return Installer(job, host).Run();
}

std::wstring UninstallDisplayName(const std::wstring& name, const std::wstring& version) {
    return name + L" Ver." + version;
}

std::wstring UninstallCommand(const std::wstring& installFolder) {
    return L"\"" + installFolder + L"\\SETUP.EXE\" /r";
}

std::wstring QuietUninstallCommand(const std::wstring& installFolder) {
    return UninstallCommand(installFolder) + L" /s";
}

} // namespace setup
