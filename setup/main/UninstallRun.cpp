#include "setup/main/UninstallRun.h"

#include "base/text.h"
#include "resources/SetupTexts.h"
#include "setup/common/Messages.h"
#include "setup/common/Paths.h"
#include "setup/main/Placeholders.h"
#include "setup/main/Registry.h"

#include <utility>

namespace setup {

namespace {

// The extension with its dot, or empty (a dot in a folder name does not count).
std::wstring Extension(const std::wstring& path) {
    std::size_t dot = path.find_last_of(L'.');
    std::size_t separator = path.find_last_of(L"\\:");
    if (dot == std::wstring::npos || (separator != std::wstring::npos && dot < separator)) {
        return {};
    }
    return path.substr(dot);
}

void RemoveFiles(const UninstallJob& job, SetupHost& host) {
    for (const auto& key : job.inf->Keys(L"Uninstall")) {
        std::wstring path = job.inf->Value(L"Uninstall", key);
        std::wstring extension = Extension(path);
        if (ruvex::ToLower(extension) == L".hlp") {
            // The help index the system builds beside a help file.
            DeleteFileW((path.substr(0, path.size() - extension.size()) + L".gid").c_str());
        }
        bool deleted = DeleteFileW(path.c_str()) != FALSE;
        host.Log(L"Delete", path, LogResult(deleted));
        if (!deleted) {
            host.Warning(path + texts::kCannotDelete);
        }
        // One level only: an emptied program group goes with its last shortcut, while the
        // installation folder still holds SETUP.EXE.
        RemoveDirectoryW(RemoveTrailingBackslash(FolderWithSeparator(path)).c_str());
    }
}

void RemoveRegistryEntries(const UninstallJob& job, SetupHost& host) {
    auto expand = [&](const std::wstring& value) {
        return ExpandPlaceholders(value, host.ProgramFilesDir(), job.setupFolder);
    };
    for (const auto& section : job.sectionNames) {
        if (!IsKind(section, kKindRegistryDeleteKey)) {
            continue;
        }
        std::wstring key = expand(job.inf->Value(section, L"DeleteKey"));
        bool deleted = DeleteRegistryKey(RootKeyFromName(job.inf->Value(section, L"RootKey")), key);
        host.Log(L"DeleteKey", key, LogResult(deleted));
        if (!deleted) {
            host.Warning(key + texts::kCannotDeleteKey);
            host.CloseWindow();
        }
    }
    for (const auto& section : job.sectionNames) {
        if (IsKind(section, kKindRegistryDeleteValue)) {
            std::wstring key = expand(job.inf->Value(section, L"OpenKey"));
            std::wstring name = expand(job.inf->Value(section, L"Name"));
            // Failures are no fault: the value may never have been written.
            host.Log(L"DeleteValue", key + L"\\" + name,
                     LogResult(DeleteRegistryValue(RootKeyFromName(job.inf->Value(section, L"RootKey")), key, name)));
        }
    }
}

// The 8.3 form keeps a path with blanks in one piece; where there is none, the quoted path does.
std::wstring CommandPath(const std::wstring& path) {
    std::wstring shortPath(32768, L'\0');
    DWORD n = GetShortPathNameW(path.c_str(), shortPath.data(), static_cast<DWORD>(shortPath.size()));
    shortPath.resize(n < shortPath.size() ? n : 0);
    if (!shortPath.empty() && shortPath.find(L' ') == std::wstring::npos) {
        return shortPath;
    }
    return L"\"" + path + L"\"";
}

} // namespace

SelfRemoval SelfRemovalCommands(const std::wstring& sourceFolder, bool windows95Family) {
    std::wstring shell = windows95Family ? L"Command.com /C " : L"Cmd.exe /C ";
    std::wstring program = L"Del " + CommandPath(sourceFolder + L"\\SETUP.EXE");
    return {shell + program, shell + program + L" & Rd " + CommandPath(sourceFolder)};
}

bool IsWindows95Family() {
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    bool known = GetVersionExW(&info) != FALSE;
#pragma GCC diagnostic pop
    return known && info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
}

UninstallOutcome RunUninstall(const UninstallJob& job, SetupHost& host) {
    RemoveFiles(job, host);
    RemoveRegistryEntries(job, host);

    SelfRemoval commands = SelfRemovalCommands(job.sourceFolder, job.windows95Family);
    for (const auto& [value, command] :
         {std::pair{L"Uninstall_1", commands.deleteProgram}, std::pair{L"Uninstall_2", commands.removeFolder}}) {
        bool written = WriteRegistryString(HKEY_LOCAL_MACHINE, kRunOnceKey, value, command);
        host.Log(L"RunOnce", value, LogResult(written));
        if (!written) {
            host.Error(WithArgument(texts::kSettingFailed, value));
            return UninstallOutcome::RunOnceFailed;
        }
    }

    std::wstring name = job.inf->Value(L"AboutSoftware", L"Name");
    // An empty name would make the path the whole uninstall list.
    if (!name.empty()) {
        host.Log(L"DeleteEntry", kUninstallKey + name,
                 LogResult(DeleteRegistryKey(HKEY_LOCAL_MACHINE, kUninstallKey + name)));
    }

    std::wstring inf = job.sourceFolder + L"\\SETUP.INF";
    // The profile calls may still hold the file; flush them before it goes.
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, inf.c_str());
    bool deleted = DeleteFileW(inf.c_str()) != FALSE;
    host.Log(L"Delete", inf, LogResult(deleted));
    if (!deleted) {
        host.Warning(job.sourceFolder + texts::kInfCannotDelete);
    }
    // Fails while SETUP.EXE is still in it; the RunOnce commands remove it later.
    RemoveDirectoryW(job.sourceFolder.c_str());
    return UninstallOutcome::Completed;
}

} // namespace setup
