// Registry keys of the tests: each test makes a key of its own below a shared parent, and removes
// only that key (and the parent once it is empty), so that tests side by side keep theirs.
#pragma once

#include <windows.h>

#include <string>

namespace testsupport {

// Deletes key with its subkeys, then each parent up to (not including) "Software" while it is empty.
void DeleteTestKey(HKEY root, const std::wstring& key);

} // namespace testsupport
