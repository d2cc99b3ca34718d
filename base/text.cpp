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

void SortTexts(std::vector<std::wstring>& texts) {
    std::stable_sort(texts.begin(), texts.end(),
                     [](const std::wstring& a, const std::wstring& b) { return TextCompare(a, b) < 0; });
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
