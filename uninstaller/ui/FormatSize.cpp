#include "uninstaller/ui/FormatSize.h"

#include "resources/RuvexTexts.h"

#include <cwchar>

namespace ruvex::ui {

namespace {

// The first four characters of the quotient written with up to 15 significant digits. The quotients
// lie in [1, 1024), so the text never takes an exponent and never rounds up to 1024.
std::wstring FirstDigits(std::uint64_t bytes, double unit) {
    wchar_t buffer[64] = {};
    std::swprintf(buffer, 64, L"%.15g", static_cast<double>(bytes) / unit);
    return std::wstring(buffer).substr(0, 4);
}

} // namespace

std::wstring FormatSize(std::uint64_t bytes) {
    std::wstring text;
    if (bytes < 1024) {
        text = std::to_wstring(bytes) + texts::Bytes;
    } else if (bytes < 1048576) {
        text = FirstDigits(bytes, 1024.0) + L"KB";
    } else if (bytes < 1073741824) {
        text = FirstDigits(bytes, 1048576.0) + L"MB";
    } else {
        text = std::to_wstring(bytes) + texts::Bytes;
    }
    // "120." reads better as "120".
    if (text.size() > 3 && text[3] == L'.') {
        text.erase(3, 1);
    }
    return L" " + text;
}

std::wstring SizeLabelText(std::uint64_t bytes) {
    return FormatSize(bytes).substr(0, 12);
}

} // namespace ruvex::ui
