#include "setup/main/TextFile.h"

#include "base/codec.h"

namespace setup {

std::optional<std::wstring> LoadTextForDisplay(const std::wstring& path) {
    std::string bytes;
    if (!ruvex::ReadFileBytes(path, bytes)) {
        return std::nullopt;
    }
    std::wstring text = ruvex::AnsiToWide(bytes);
    std::wstring out;
    out.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        wchar_t c = text[i];
        if (c == L'\r' || c == L'\n') {
            out += L"\r\n";
            if (c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') {
                ++i;
            }
        } else if (c != L'\0') {
            out += c;
        }
    }
    return out;
}

} // namespace setup
