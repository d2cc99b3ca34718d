#include "uninstaller/ui/ViewerText.h"

#include "base/codec.h"

namespace ruvex {

std::wstring ReadViewerText(const std::wstring& path, RunHost& host) {
    LineReader reader;
    bool open = reader.Open(path);
    host.SetProgressMax(ViewerMaxLines);
    std::wstring text;
    std::wstring line;
    for (int i = 1; i <= ViewerMaxLines; ++i) {
        if (i % 20 == 0) {
            host.SetProgressPos(ProgressBar::Wait, i);
        }
        if (!open || !reader.Next(line)) {
            text += L"[END]";
            host.SetProgressPos(ProgressBar::Wait, ViewerMaxLines);
            break;
        }
        text += line;
        text += L"\r\n";
    }
    host.PMax();
    return text;
}

} // namespace ruvex
