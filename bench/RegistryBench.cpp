// Times the registry snapshot of a preparation (the watched keys walked, link and churn checks, written to
// reg_bf.dat) against a bare walk of the same keys (RegEnumKeyExW and RegEnumValueW, each name written to a
// file), side by side in rounds. A tree of 20,000 keys with three values each is laid below
// HKEY_CURRENT_USER\Software for the run (a real system's registry is far larger than a fresh Wine prefix's)
// and removed afterwards.
#include "BenchSupport.h"

#include "base/codec.h"
#include "base/safefile.h"
#include "support/TempFolder.h"
#include "uninstaller/monitor/registry.h"

using namespace bench;

namespace {

constexpr const wchar_t* kTree = L"Software\\RvxRegistryBench";

void LayTree() {
    for (int a = 0; a < 200; ++a) {
        for (int b = 0; b < 100; ++b) {
            const std::wstring key =
                std::wstring(kTree) + L"\\Vendor" + std::to_wstring(a) + L"\\Product" + std::to_wstring(b);
            HKEY made = nullptr;
            RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &made, nullptr);
            for (const wchar_t* value : {L"InstallPath", L"Version", L"Language"}) {
                RegSetValueExW(made, value, 0, REG_SZ, reinterpret_cast<const BYTE*>(L"C:\\Program Files\\x"), 40);
            }
            RegCloseKey(made);
        }
    }
}

// The bare walk: every key and value name below the key, one line each, no checks.
void BareWalk(HKEY key, const std::wstring& path, std::vector<std::wstring>& lines) {
    wchar_t name[16384];
    for (DWORD i = 0;; ++i) {
        DWORD length = 16384;
        if (RegEnumValueW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
            break;
        }
        lines.push_back(path + L"\\\\" + std::wstring(name, length));
    }
    for (DWORD i = 0;; ++i) {
        DWORD length = 16384;
        if (RegEnumKeyExW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
            break;
        }
        std::wstring child = path + L"\\" + std::wstring(name, length);
        lines.push_back(child);
        HKEY sub = nullptr;
        if (RegOpenKeyExW(key, name, 0, KEY_READ | KEY_WOW64_64KEY, &sub) == ERROR_SUCCESS) {
            BareWalk(sub, child, lines);
            RegCloseKey(sub);
        }
    }
}

} // namespace

int main() {
    LayTree();
    testsupport::TempFolder folder(L"regbench");
    const std::wstring bare = folder / L"bare.dat", ours = folder / L"reg_bf.dat";
    Rounds rounds;
    std::size_t bareLines = 0, ourLines = 0;
    for (int round = 0; round < std::max(RoundCount(1), 5); ++round) {
        double baseline = Seconds([&] {
            std::vector<std::wstring> lines;
            for (const auto& watched : ruvex::WatchedKeys()) {
                HKEY key = nullptr;
                if (RegOpenKeyExW(watched.root, watched.path, 0, KEY_READ | KEY_WOW64_64KEY, &key) == ERROR_SUCCESS) {
                    BareWalk(key, ruvex::WatchedPath(watched), lines);
                    RegCloseKey(key);
                }
            }
            (void)ruvex::ReplaceFileLines(bare, lines);
            bareLines = lines.size();
        });
        double measured = Seconds([&] {
            ruvex::RegistrySnapshot snapshot = ruvex::SnapshotRegistry(ruvex::WatchedKeys(), nullptr);
            (void)ruvex::ReplaceFileLines(ours, snapshot.lines);
            ourLines = snapshot.lines.size();
        });
        rounds.Add(measured, baseline);
        std::printf("round %d: bare %.3f s (%zu lines), snapshot %.3f s (%zu lines)\n", round + 1, baseline, bareLines,
                    measured, ourLines);
    }
    rounds.Print("registry snapshot, watched keys + 20,000 keys of 3 values", 1.2);
    RegDeleteTreeW(HKEY_CURRENT_USER, kTree);
    RegDeleteKeyW(HKEY_CURRENT_USER, kTree);
    return 0;
}
