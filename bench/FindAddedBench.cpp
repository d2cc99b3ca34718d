// Times the indexed added-entries merge against the direct one, side by side in one run, and prints
// the ratios. Not a test: run it with scripts/bench.
#include "Seconds.h"
#include "support/MergeAsWritten.h"
#include "uninstaller/monitor/inspect.h"

#include <windows.h>

#include <cstdio>
#include <functional>

namespace {

using bench::Seconds;

using Lines = std::vector<std::wstring>;

void Case(const char* name, const Lines& before, const Lines& after) {
    std::size_t n1 = 0, n2 = 0;
    double direct = Seconds([&] { n1 = testsupport::MergeAsWritten(before, after).size(); });
    double indexed = Seconds([&] { n2 = ruvex::FindAddedEntries(before, after).size(); });
    std::printf("%-34s before %6zu after %6zu added %6zu  direct %8.3f s  indexed %8.3f s  direct/indexed %7.1f%s\n",
                name, before.size(), after.size(), n2, direct, indexed, direct / indexed, n1 == n2 ? "" : "  MISMATCH");
}

Lines Paths(const wchar_t* folder, int n) {
    Lines l;
    for (int i = 0; i < n; ++i) {
        l.push_back(std::wstring(L"C:\\") + folder + L"\\file" + std::to_wstring(i) + L".dat");
    }
    return l;
}

} // namespace

int main() {
    for (int n : {2000, 8000}) {
        Lines same = Paths(L"Program Files\\App", n);
        Lines grown = same;
        Lines fresh = Paths(L"New", n / 10);
        grown.insert(grown.begin() + n / 2, fresh.begin(), fresh.end());
        Case("shared order, 10% added", same, grown);
        Lines half;
        for (int i = 0; i < n; i += 2) {
            half.push_back(same[static_cast<std::size_t>(i)]);
        }
        Case("half of the entries removed", same, half);
        Case("everything replaced", same, Paths(L"Other", n));
    }
    // The large case: 300,000 entries, none removed against 10,000 removed (spread over the list).
    Lines big = Paths(L"Program Files\\Big", 300000);
    Lines removed;
    removed.reserve(big.size());
    for (std::size_t i = 0; i < big.size(); ++i) {
        if (i % 30 != 0) {
            removed.push_back(big[i]);
        }
    }
    double none = Seconds([&] { (void)ruvex::FindAddedEntries(big, big); });
    double some = Seconds([&] { (void)ruvex::FindAddedEntries(big, removed); });
    std::printf("300,000 entries: none removed %.3f s, %zu removed %.3f s, ratio %.2f (goal: at most 3)\n", none,
                big.size() - removed.size(), some, some / none);
    return 0;
}
