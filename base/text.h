// Text comparison as the user sees it: without regard to case, under the user's locale.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ruvex {

// Equal without regard to case (CompareStringW, user locale, NORM_IGNORECASE).
[[nodiscard]] bool TextEquals(std::wstring_view a, std::wstring_view b) noexcept;
// <0, 0, >0 in the order of a sorted list box: the user locale's word sort without case
// (hyphens weigh least, punctuation before digits before letters).
[[nodiscard]] int TextCompare(std::wstring_view a, std::wstring_view b) noexcept;
// Whether text begins with prefix, compared as TextEquals compares (an empty prefix begins every text).
[[nodiscard]] bool TextBeginsWith(std::wstring_view text, std::wstring_view prefix) noexcept;
// The sort key of a text in that order: its bytes order as the texts do, and texts that compare equal have
// equal keys. False (and no key) when the locale gives none.
bool SortKey(std::wstring_view text, std::string& key);
// Sorts in that order; entries that compare equal keep their relative order. With repeats, also tells for
// each sorted entry whether it equals the one before it.
void SortTexts(std::vector<std::wstring>& texts, std::vector<bool>* repeats = nullptr);

// Upper and lower case under the user's locale (full-width letters included).
[[nodiscard]] std::wstring ToUpper(std::wstring_view text);
[[nodiscard]] std::wstring ToLower(std::wstring_view text);

// The first character, or L'\0' for empty text: the kind of a database line.
[[nodiscard]] inline wchar_t FirstChar(std::wstring_view text) noexcept {
    return text.empty() ? L'\0' : text[0];
}

} // namespace ruvex
