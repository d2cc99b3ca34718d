#include "setup/main/Placeholders.h"

#include "base/text.h"

namespace setup {

namespace {

std::wstring ReplaceIgnoringCase(const std::wstring& text, const std::wstring& placeholder,
                                 const std::wstring& replacement) {
    // The placeholders are ASCII, and lower-casing never changes the length of the text around them,
    // so positions found in the lower-cased copy hold in the original.
    std::wstring lower = ruvex::ToLower(text);
    std::wstring needle = ruvex::ToLower(placeholder);
    if (lower.size() != text.size()) {
        return text;
    }
    std::wstring out;
    std::size_t from = 0;
    for (std::size_t at = lower.find(needle); at != std::wstring::npos; at = lower.find(needle, from)) {
        out.append(text, from, at - from);
        out += replacement;
        from = at + needle.size();
    }
    out.append(text, from, std::wstring::npos);
    return out;
}

} // namespace

std::wstring ExpandPlaceholders(const std::wstring& value, const std::wstring& programFiles,
                                const std::wstring& installFolder) {
    return ReplaceIgnoringCase(ReplaceIgnoringCase(value, L"<Program Folder>", programFiles), L"<Setup Folder>",
                               installFolder);
}

} // namespace setup
