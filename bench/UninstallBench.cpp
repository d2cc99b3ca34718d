// Times the uninstall of a record of 20,000 files in 2,000 folders, from the answer to its last question to
// the result message, against deleting the same files and removing the same folders bare, side by side in
// one run (the files are laid anew before each).
#include "BenchSupport.h"
#include "support/TempFolder.h"

#include "resources/RuvexTexts.h"

using namespace e2e;
using namespace bench;

namespace {

constexpr int kFolders = 2000;
constexpr int kPerFolder = 10;

// The record's files, laid in root; its lines, header first.
std::vector<std::wstring> Lay(const std::wstring& root) {
    std::vector<std::wstring> lines{L"[Bench ｱﾝｲﾝｽﾄｰﾙ]"};
    CreateDirectoryW(root.c_str(), nullptr);
    for (int f = 0; f < kFolders; ++f) {
        std::wstring folder = root + L"\\フォルダ" + std::to_wstring(f);
        CreateDirectoryW(folder.c_str(), nullptr);
        for (int k = 0; k < kPerFolder; ++k) {
            lines.push_back(folder + L"\\file" + std::to_wstring(k) + L".dat");
            WriteBytes(lines.back(), "installed");
        }
    }
    return lines;
}

// The baseline: the same deletions and folder removals, nothing else.
void DeleteBare(const std::vector<std::wstring>& lines) {
    for (std::size_t i = 1; i < lines.size(); ++i) {
        SetFileAttributesW(lines[i].c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(lines[i].c_str());
    }
    for (std::size_t i = 1; i < lines.size(); i += kPerFolder) {
        RemoveDirectoryW(ruvex::FolderPart(lines[i]).c_str());
    }
}

HWND Box(const Program& ruvex) {
    HWND box = ruvex.WaitMessageBox(std::chrono::minutes(5));
    if (!box) {
        Fail("no message box");
    }
    return box;
}

} // namespace

int main() {
    const int rounds = RoundCount(3);
    RunOptions options;
    options.startupCheck = false;
    Rounds measured;
    for (int round = 0; round < rounds; ++round) {
        testsupport::TempFolder work(L"bench-uninstall");
        const std::wstring root = work / L"installed";
        double bare = Seconds([&, lines = Lay(root)] { DeleteBare(lines); });
        const std::vector<std::wstring> lines = Lay(root);
        Started started = StartRuvex(options, lines);
        Program& ruvex = *started.program;
        HWND main = started.main;
        ClickListItem(Control(main, ruvex::ids::List1), 0);
        if (!WaitUntil([&] { return IsEnabled(Control(main, ruvex::ids::Command3)); }, std::chrono::minutes(1))) {
            Fail("the record was not selected");
        }
        Click(main, ruvex::ids::Command3);
        HWND ask = Box(ruvex);
        Answer(ask, IDYES);
        WaitUntil([&] { return !IsWindow(ask); });
        HWND sure = Box(ruvex);
        HWND done = nullptr;
        double ours = Seconds([&] {
            Answer(sure, IDOK);
            WaitUntil([&] { return !IsWindow(sure); });
            done = Box(ruvex);
        });
        const std::wstring said = MessageBoxText(done);
        Answer(done, IDOK);
        bool gone = GetFileAttributesW((root + L"\\フォルダ0").c_str()) == INVALID_FILE_ATTRIBUTES;
        measured.Add(ours, bare);
        std::printf("uninstall of %d files in %d folders, round %d: bare %.2f s, Ruvex %.2f s (%s, folders %s)\n",
                    kFolders * kPerFolder, kFolders, round + 1, bare, ours,
                    said == std::wstring(L"Bench ｱﾝｲﾝｽﾄｰﾙ") + ruvex::texts::UninstalledSuffix ? "complete" : "partial",
                    gone ? "removed" : "left");
    }
    measured.Print("uninstall of 20,000 files in 2,000 folders", 2.0);
    return 0;
}
