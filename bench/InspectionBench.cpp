// Times Ruvex.exe's install inspection, from the press of Command2 to the name prompt, against a bare walk of
// the same drives in the same state. Between the preparation and the inspection the "installation" adds
// 200 folders holding 2,000 files and removes 5,000 folders (leaves, with their files) of X:'s tree; the
// tree is put back afterwards, so that the next run finds it as generated.
#include "BenchSupport.h"

#include <algorithm>
#include <set>

using namespace e2e;
using namespace bench;

namespace {

struct Removed {
    std::wstring folder;
    std::vector<std::wstring> files;
};

// Leaves of the folder list: folders no other listed folder lies in.
std::vector<std::wstring> Leaves(const std::vector<std::wstring>& folders) {
    std::set<std::wstring> parents;
    for (const auto& f : folders) {
        parents.insert(ruvex::FolderPart(f));
    }
    std::vector<std::wstring> leaves;
    for (const auto& f : folders) {
        if (f.size() > 3 && !parents.count(f)) {
            leaves.push_back(f);
        }
    }
    return leaves;
}

std::vector<std::wstring> FilesOf(const std::wstring& folder) {
    std::vector<std::wstring> files;
    WIN32_FIND_DATAW data;
    ruvex::FindHandle find(FindFirstFileW(ruvex::JoinPath(folder, L"*").c_str(), &data));
    if (find) {
        do {
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
                files.push_back(data.cFileName);
            }
        } while (FindNextFileW(find.get(), &data));
    }
    return files;
}

void Touch(const std::wstring& path) {
    ruvex::FileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
}

} // namespace

int main() {
    if (!DrivePresent(L"X:\\")) {
        Fail("drive X: is not mapped: run scripts/bench");
    }
    const std::vector<std::wstring> roots{L"C:\\", L"x:\\"};
    Walked before = BareWalk(roots, false);
    std::vector<std::wstring> treeFolders;
    for (const auto& f : before.folders) {
        if (f.size() > 3 && (f[0] == L'x' || f[0] == L'X')) {
            treeFolders.push_back(f);
        }
    }
    std::vector<std::wstring> leaves = Leaves(treeFolders);
    if (leaves.size() < 5000 || treeFolders.size() < 200) {
        Fail("X: holds too small a tree");
    }

    Program ruvex(L"Ruvex.exe",
                  [&](const std::wstring& folder) { WriteLines(folder + L"\\option.dat", OptionLines(RunOptions{})); });
    HWND main = WaitReady(ruvex, L"RuvexForm1", std::chrono::minutes(1));
    if (!main) {
        Fail("Ruvex.exe did not start (is it staged in C:\\ruvex-e2e?)");
    }
    Click(main, ruvex::ids::Command1);
    HWND box = ruvex.WaitMessageBox(std::chrono::minutes(30));
    if (!box) {
        Fail("the preparation did not end");
    }
    Answer(box, IDOK);
    WaitUntil([&] { return IsEnabled(Control(main, ruvex::ids::Command2)); }, std::chrono::minutes(1));

    // The installation: new folders under folders spread over the tree, ten files in each.
    std::vector<std::wstring> added;
    for (std::size_t i = 0; i < 200; ++i) {
        std::wstring folder = treeFolders[i * treeFolders.size() / 200] + L"\\新しいフォルダ" + std::to_wstring(i);
        CreateDirectoryW(folder.c_str(), nullptr);
        added.push_back(folder);
        for (int f = 0; f < 10; ++f) {
            Touch(folder + L"\\file" + std::to_wstring(f) + L".dll");
        }
    }
    std::vector<Removed> removed;
    for (std::size_t i = 0; i < 5000; ++i) {
        Removed r{leaves[i * leaves.size() / 5000], {}};
        r.files = FilesOf(r.folder);
        for (const auto& f : r.files) {
            DeleteFileW(ruvex::JoinPath(r.folder, f).c_str());
        }
        RemoveDirectoryW(r.folder.c_str());
        removed.push_back(std::move(r));
    }

    double bare = Seconds([] { (void)BareWalk({L"C:\\", L"x:\\"}, false); });
    HWND prompt = nullptr;
    double ours = Seconds([&] {
        Click(main, ruvex::ids::Command2);
        prompt = ruvex.WaitWindowOfClass(L"RuvexInputBox", std::chrono::minutes(30));
    });
    ruvex.Kill();
    // The baseline brackets the inspection: the mean of a bare walk before and one after.
    double after = Seconds([] { (void)BareWalk({L"C:\\", L"x:\\"}, false); });
    std::printf("inspection: bare walk %.2f s and %.2f s, press to name prompt %.2f s%s\n", bare, after, ours,
                prompt ? "" : " (no prompt)");
    bare = (bare + after) / 2;

    for (const auto& folder : added) {
        for (int f = 0; f < 10; ++f) {
            DeleteFileW((folder + L"\\file" + std::to_wstring(f) + L".dll").c_str());
        }
        RemoveDirectoryW(folder.c_str());
    }
    for (const auto& r : removed) {
        CreateDirectoryW(r.folder.c_str(), nullptr);
        for (const auto& f : r.files) {
            Touch(ruvex::JoinPath(r.folder, f));
        }
    }
    if (!prompt) {
        Fail("the inspection did not reach the name prompt");
    }
    Row("inspection, partial, press to name prompt (X:)", ours, bare, 2.5);
    return 0;
}
