#include "base/text.h"

#include <windows.h>

#include <algorithm>

namespace ruvex {

int TextCompare(std::wstring_view a, std::wstring_view b) noexcept {
    int r = CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()), b.data(),
                           static_cast<int>(b.size()));
    return r == 0 ? 0 : r - CSTR_EQUAL;
}

bool TextEquals(std::wstring_view a, std::wstring_view b) noexcept {
    return TextCompare(a, b) == 0;
}

bool TextBeginsWith(std::wstring_view text, std::wstring_view prefix) noexcept {
    return text.size() >= prefix.size() && TextEquals(text.substr(0, prefix.size()), prefix);
}

// One call for most texts, into a buffer on the stack, the key then copied at its size: a key made in place
// keeps the room it was given as its capacity, and a tidy holds hundreds of thousands of keys (the pages of
// that room cost about what the keys themselves cost).
bool SortKey(std::wstring_view text, std::string& key) {
    alignas(wchar_t) char buffer[2048];
    int n =
        LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_SORTKEY | NORM_IGNORECASE, text.data(), static_cast<int>(text.size()),
                     reinterpret_cast<LPWSTR>(buffer), static_cast<int>(sizeof buffer));
    if (n > 0) {
        key.assign(buffer, static_cast<std::size_t>(n));
        return true;
    }
    n = LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_SORTKEY | NORM_IGNORECASE, text.data(), static_cast<int>(text.size()),
                     nullptr, 0);
    key.resize(static_cast<std::size_t>(n));
    n = n == 0 ? 0
               : LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_SORTKEY | NORM_IGNORECASE, text.data(),
                              static_cast<int>(text.size()), reinterpret_cast<LPWSTR>(key.data()), n);
    key.resize(static_cast<std::size_t>(n));
    return n > 0 || text.empty();
}

void SortTexts(std::vector<std::wstring>& texts, std::vector<bool>* repeats) {
    // CompareStringW costs microseconds a call under Wine, and a tidy sorts hundreds of thousands of paths:
    // each text is mapped to its sort key once, and the sort compares bytes (as unsigned, like memcmp).
    std::vector<std::string> keys(texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (!SortKey(texts[i], keys[i])) {
            std::stable_sort(texts.begin(), texts.end(),
                             [](const std::wstring& a, const std::wstring& b) { return TextCompare(a, b) < 0; });
            if (repeats) {
                repeats->assign(texts.size(), false);
                for (std::size_t j = 1; j < texts.size(); ++j) {
                    (*repeats)[j] = TextEquals(texts[j - 1], texts[j]);
                }
            }
            return;
        }
    }
    std::vector<std::size_t> order(texts.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        order[i] = i;
    }
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
    std::vector<std::wstring> sorted;
    sorted.reserve(texts.size());
    for (std::size_t i : order) {
        sorted.push_back(std::move(texts[i]));
    }
    texts = std::move(sorted);
    if (repeats) {
        // Equal keys are exactly the texts that compare equal.
        repeats->assign(texts.size(), false);
        for (std::size_t j = 1; j < order.size(); ++j) {
            (*repeats)[j] = keys[order[j - 1]] == keys[order[j]];
        }
    }
}

static std::wstring MapCase(std::wstring_view text, DWORD flag) {
    if (text.empty()) {
        return {};
    }
    int n = LCMapStringW(LOCALE_USER_DEFAULT, flag, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    LCMapStringW(LOCALE_USER_DEFAULT, flag, text.data(), static_cast<int>(text.size()), out.data(), n);
    return out;
}

std::wstring ToUpper(std::wstring_view text) {
    return MapCase(text, LCMAP_UPPERCASE);
}
std::wstring ToLower(std::wstring_view text) {
    return MapCase(text, LCMAP_LOWERCASE);
}

} // namespace ruvex
