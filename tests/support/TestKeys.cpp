#include "support/TestKeys.h"

namespace testsupport {

void DeleteTestKey(HKEY root, const std::wstring& key) {
    RegDeleteTreeW(root, key.c_str());
    // RegDeleteKeyW refuses a key that still has subkeys: another test's key keeps the parent.
    std::wstring parent = key;
    for (std::size_t at = parent.rfind(L'\\'); at != std::wstring::npos; at = parent.rfind(L'\\')) {
        parent.resize(at);
        if (_wcsicmp(parent.c_str(), L"Software") == 0 || RegDeleteKeyW(root, parent.c_str()) != ERROR_SUCCESS) {
            break;
        }
    }
}

} // namespace testsupport
