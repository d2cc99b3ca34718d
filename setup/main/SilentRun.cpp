#include "setup/main/SilentRun.h"

#include "base/codec.h"
#include "base/handles.h"
#include "base/safefile.h"
#include "setup/common/Folders.h"
#include "setup/common/Paths.h"
#include "setup/main/InstallRun.h"
#include "setup/main/Placeholders.h"
#include "setup/main/SetupHost.h"
#include "setup/main/UninstallRun.h"

namespace setup {

namespace {

std::wstring TempLog() {
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temp);
    return std::wstring(temp) + L"SETUP.LOG";
}

// The host of a run that nobody watches: what a box would say goes to the log, and a folder that the
// registry does not give ends the program with its exit code.
class SilentHost : public SetupHost {
public:
    bool Open(const std::wstring& path) {
        log_.reset(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
        return log_.valid();
    }
    std::wstring ProgramFilesDir() override { return OrEnd(GetProgramFilesDir(), L"ProgramFilesDir"); }
    std::wstring ShellFolderPath(ShellFolder which) override {
        static const wchar_t* const names[] = {L"Programs", L"Startup", L"Desktop", L"SendTo"};
        return OrEnd(GetShellFolder(which), names[static_cast<int>(which)]);
    }
    void Warning(const std::wstring& text) override { Fault(L"Warning", text); }
    void Error(const std::wstring& text) override { Fault(L"Error", text); }
    void CloseWindow() override {}
    void Log(const std::wstring& step, const std::wstring& object, const std::wstring& result) override {
        std::string line = ruvex::WideToAnsi(step + L"\t" + object + L"\t" + result) + "\r\n";
        DWORD written = 0;
        WriteFile(log_.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    }
    int End(int code) {
        Log(L"Exit", L"", std::to_wstring(code));
        return code;
    }

    int faults = 0;

private:
    void Fault(const wchar_t* kind, std::wstring text) {
        ++faults;
        for (std::size_t at; (at = text.find(L"\r\n")) != std::wstring::npos;) {
            text.replace(at, 2, L" ");
        }
        Log(kind, L"", text);
    }
    std::wstring OrEnd(const std::optional<std::wstring>& folder, const wchar_t* name) {
        if (!folder) {
            Log(L"Folder", name, LogResult(false));
            ExitProcess(static_cast<UINT>(End(kExitNoFolder)));
        }
        return *folder;
    }

    ruvex::FileHandle log_;
};

} // namespace

int RunSilent(const CommandLine& line) {
    std::wstring source = ProgramFolder();
    SetupInf inf(source + L"\\SETUP.INF");
    SilentHost host;
    // Beside the definition by default, where the installation's administrator looks; a read-only medium
    // takes no file, and an uninstall's would keep the installation folder from going: the temporary
    // folder then.
    if (!line.log.empty() ? !host.Open(FullPath(line.log))
                          : (line.uninstall || !host.Open(source + L"\\SETUP.LOG")) && !host.Open(TempLog())) {
        return kExitNoLog;
    }
    host.Log(line.uninstall ? L"Uninstall" : L"Install", inf.path(), L"");
    if (!ruvex::FileExists(inf.path())) {
        host.Log(L"Definition", inf.path(), LogResult(false));
        return host.End(kExitNoDefinition);
    }
    // As at the wizard's start-up, "<Setup Folder>" inside the proposed folder is empty text.
    std::wstring proposed = ExpandPlaceholders(inf.Value(L"SetupFolder", L"Folder"), host.ProgramFilesDir(), L"");
    if (line.uninstall) {
        UninstallJob job{&inf, source, proposed, inf.Sections(), IsWindows95Family()};
        if (RunUninstall(job, host) == UninstallOutcome::RunOnceFailed) {
            return host.End(kExitRunOnceFailed);
        }
        return host.End(host.faults > 0 ? kExitLeftBehind : 0);
    }
    // Every shortcut kind that the definition offers, as the wizard's page 4 ticks them.
    InstallJob job{
        &inf,           source, line.folder.empty() ? proposed : RemoveTrailingBackslash(FullPath(line.folder)),
        inf.Sections(), true,   true,
        true,           true};
    return host.End(static_cast<int>(RunInstall(job, host)));
}

} // namespace setup
