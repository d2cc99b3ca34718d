// The added-entries merge in its first, direct form (a linear search for every removed entry): the
// reference that the indexed merge is checked and measured against.
#pragma once

#include "base/text.h"

#include <string>
#include <vector>

namespace testsupport {

inline std::vector<std::wstring> MergeAsWritten(const std::vector<std::wstring>& before,
                                                const std::vector<std::wstring>& after) {
    auto at = [](const std::vector<std::wstring>& l, std::size_t i) { return i < l.size() ? l[i] : std::wstring(); };
    std::vector<std::wstring> added;
    std::size_t b = 0;
    for (std::size_t a = 0; a < after.size(); ++a) {
        for (;;) {
            if (ruvex::TextEquals(at(before, b), at(after, a))) {
                ++b;
                break;
            }
            bool found = false;
            for (std::size_t k = a + 1; k <= after.size() && !found; ++k) {
                found = ruvex::TextEquals(at(after, k), at(before, b));
            }
            if (found) {
                added.push_back(after[a]);
                break;
            }
            ++b;
        }
    }
    return added;
}

} // namespace testsupport
