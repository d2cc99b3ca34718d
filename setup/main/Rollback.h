// What an installation run changed on the machine, kept so that a failed run can be undone in reverse
// order: files it created or replaced, folders and registry keys it created, registry values it wrote.
#pragma once

#include "setup/main/Registry.h"

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace setup {

class InstallJournal {
public:
    InstallJournal() = default;
    ~InstallJournal(); // the copies kept for the run go with it
    InstallJournal(const InstallJournal&) = delete;
    InstallJournal& operator=(const InstallJournal&) = delete;

    // Creates the folder with its missing parents, noting the ones it made.
    bool CreateFolder(const std::wstring& folder);
    // Called before a file is created or replaced at path: a file that is already there is copied aside.
    // False when that copy could not be made; the file must then be left alone.
    [[nodiscard]] bool KeepFile(const std::wstring& path);
    // Writes a value, noting what it was and the keys that the write creates.
    [[nodiscard]] bool WriteString(HKEY root, const std::wstring& key, const std::wstring& name,
                                   const std::wstring& value);
    [[nodiscard]] bool WriteDword(HKEY root, const std::wstring& key, const std::wstring& name, DWORD value);

    // Undoes every change, the last first: new files deleted, replaced ones copied back, values restored or
    // deleted, created keys and folders removed when empty. Returns the files and values it could not put
    // back as they were.
    [[nodiscard]] std::vector<std::wstring> RollBack();

private:
    enum class Kind { Folder, File, Key, Value };
    struct Change {
        Change(Kind k, std::wstring p, std::wstring copy = {}, HKEY r = nullptr, std::wstring n = {}, SavedValue s = {})
            : kind(k), path(std::move(p)), kept(std::move(copy)), root(r), name(std::move(n)), saved(std::move(s)) {}
        Kind kind;
        std::wstring path; // folder, file or registry key
        std::wstring kept; // a replaced file's copy; empty when no file was there
        HKEY root;
        std::wstring name;
        SavedValue saved;
    };
    void NoteKeys(HKEY root, const std::wstring& key, const std::wstring& name);
    bool Written(bool ok);

    std::vector<Change> changes_;
    std::wstring keptFolder_;
};

} // namespace setup
