#include "setup/main/InstallRun.h"

#include "resources/SetupTexts.h"
#include "setup/common/Folders.h"
#include "setup/common/Messages.h"
#include "setup/common/Paths.h"
#include "setup/common/Shortcut.h"
#include "setup/main/Placeholders.h"
#include "setup/main/Registry.h"

namespace setup {

namespace {

constexpr const wchar_t* kUninstallSection = L"Uninstall";

std::wstring StartAgain(const std::wstring& text) {
    return text + texts::kCrLf2 + texts::kStartAgain;
}

std::wstring FullPath(const std::wstring& path) {
    DWORD n = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (n == 0) {
        return {};
    }
    std::wstring full(n, L'\0');
    n = GetFullPathNameW(path.c_str(), n, full.data(), nullptr);
    full.resize(n);
    return full;
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

class Installer {
public:
    Installer(const InstallJob& job, SetupHost& host) : job_(job), inf_(*job.inf), host_(host) {}

    InstallOutcome Run() {
        if (!CreateFolderWithParents(job_.installFolder)) {
            return Fail(job_.installFolder + texts::kFolderNotCreated);
        }
        if (!CopyFiles() || !CreateShortcuts() || !WriteRegistryValues()) {
            return InstallOutcome::StepFailed;
        }
        if (!WriteUninstallEntry()) {
            return InstallOutcome::EntryFailed;
        }
        for (const wchar_t* name : {L"\\SETUP.EXE", L"\\SETUP.INF"}) {
            if (!CopyFileW((job_.sourceFolder + name).c_str(), (job_.installFolder + name).c_str(), FALSE)) {
                host_.Warning(StartAgain(texts::kCopyFailed));
                return InstallOutcome::CopyFailed;
            }
        }
        return InstallOutcome::Completed;
    }

private:
    InstallOutcome Fail(const std::wstring& text) {
        host_.Warning(StartAgain(text));
        return InstallOutcome::StepFailed;
    }

    std::wstring Expand(const std::wstring& value) {
        return ExpandPlaceholders(value, host_.ProgramFilesDir(), job_.installFolder);
    }

    // The files lie flat beside the setup program, under the names they get at the destination.
    bool CopyFiles() {
        auto keys = inf_.Keys(L"Files");
        for (std::size_t i = 0; i < keys.size(); ++i) {
            std::wstring destination = Expand(inf_.Value(L"Files", keys[i]));
            if (!LiesInside(destination, job_.installFolder)) {
                Fail(texts::kCopyFailed); // nothing copied, so nothing for the uninstall to delete
                return false;
            }
            std::wstring source = job_.sourceFolder + L"\\" + NameAfterSeparator(destination);
            bool copied = CopyFileW(source.c_str(), destination.c_str(), FALSE) != FALSE;
            // Recorded before the result counts, so that the uninstall finds whatever was copied.
            (void)inf_.Write(kUninstallSection, L"File" + std::to_wstring(i + 1), destination);
            if (!copied) {
                Fail(texts::kCopyFailed);
                return false;
            }
        }
        return true;
    }

    bool CreateShortcuts() {
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
                // Keys are numbered by the section's position, so program-group and start-up
                // shortcuts can share the FileP prefix.
                (void)inf_.Write(kUninstallSection, pass.key + std::to_wstring(j + 1), link + L".lnk");
                if (!CreateShortcut(Expand(inf_.Value(section, L"File")), link)) {
                    Fail(pass.failure);
                    return false;
                }
            }
        }
        return true;
    }

    bool WriteRegistryValues() {
        for (const auto& section : job_.sectionNames) {
            if (!IsKind(section, kKindRegistryWrite)) {
                continue;
            }
            HKEY root = RootKeyFromName(inf_.Value(section, L"RootKey"));
            if (!WriteRegistryString(root, Expand(inf_.Value(section, L"OpenKey")),
                                     Expand(inf_.Value(section, L"Name")), Expand(inf_.Value(section, L"Value")))) {
                Fail(texts::kRegistryWriteFailed);
                return false;
            }
        }
        return true;
    }

    bool WriteUninstallEntry() {
        std::wstring name = inf_.Value(L"AboutSoftware", L"Name");
        std::wstring key = kUninstallKey + name;
        if (!WriteRegistryString(HKEY_LOCAL_MACHINE, key, L"DisplayName",
                                 UninstallDisplayName(name, inf_.Value(L"AboutSoftware", L"Version")))) {
            host_.Error(WithArgument(texts::kSettingFailed, L"DisplayName"));
            return false;
        }
        if (!WriteRegistryString(HKEY_LOCAL_MACHINE, key, L"UninstallString", UninstallCommand(job_.installFolder))) {
            host_.Error(WithArgument(texts::kSettingFailed, L"UninstallString"));
            return false;
        }
        return true;
    }

    const InstallJob& job_;
    const SetupInf& inf_;
    SetupHost& host_;
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

} // namespace setup
