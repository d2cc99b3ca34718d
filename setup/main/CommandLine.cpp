#include "setup/main/CommandLine.h"

#include "base/text.h"

namespace setup {

CommandLine ParseCommandLine(const std::vector<std::wstring>& arguments) {
    CommandLine line;
    bool uninstall = false;
    bool silent = false;
    bool unknown = false;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        std::wstring lower = ruvex::ToLower(arguments[i]);
        auto value = [&](const wchar_t* prefix, std::wstring& out) {
            std::wstring_view p(prefix);
            if (lower.size() <= p.size() || !lower.starts_with(p)) {
                return false;
            }
            out = arguments[i].substr(p.size());
            return true;
        };
        if (lower == L"/r") {
            uninstall = true;
        } else if (lower == L"/s") {
            silent = true;
        } else if (!value(L"/d=", line.folder) && !value(L"/log=", line.log)) {
            unknown = true;
        }
    }
    line.silent = silent && !unknown;
    line.uninstall = line.silent ? uninstall : arguments.size() > 1 && ruvex::ToLower(arguments[1]) == L"/r";
    return line;
}

} // namespace setup
