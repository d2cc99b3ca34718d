// Shortcuts made through the shell link object, read back through it.
#include "setup/common/ComPtr.h"
#include "setup/common/Shortcut.h"
#include "support/TempFolder.h"

#include "base/safefile.h"

#include <shlobj.h>

#include <gtest/gtest.h>

using namespace setup;

namespace {

struct LinkData {
    bool loaded = false;
    std::wstring path;
    std::wstring workingFolder;
};

LinkData ReadLink(const std::wstring& file) {
    LinkData data;
    ComPtr<IShellLinkW> link;
    ComPtr<IPersistFile> persist;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(link.put()))) ||
        FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(persist.put()))) ||
        FAILED(persist->Load(file.c_str(), STGM_READ))) {
        return data;
    }
    wchar_t buffer[MAX_PATH] = {};
    data.loaded = SUCCEEDED(link->GetPath(buffer, MAX_PATH, nullptr, SLGP_RAWPATH));
    data.path = buffer;
    buffer[0] = L'\0';
    link->GetWorkingDirectory(buffer, MAX_PATH);
    data.workingFolder = buffer;
    return data;
}

} // namespace

TEST(SetupShortcut, CreatesTheMissingGroupFolderAndPointsAtTheTarget) {
    ComScope com;
    testsupport::TempFolder programs;
    std::wstring target = programs / L"表示\\Viewer.exe";
    ASSERT_TRUE(CreateDirectoryW((programs / L"表示").c_str(), nullptr));
    ASSERT_TRUE(ruvex::CreateEmptyFileIfMissing(target));

    ASSERT_TRUE(CreateShortcut(target, programs / L"Tools\\Viewer"));
    EXPECT_TRUE(ruvex::FolderExists(programs / L"Tools"));
    LinkData link = ReadLink(programs / L"Tools\\Viewer.lnk");
    ASSERT_TRUE(link.loaded);
    EXPECT_EQ(link.path, target);
    EXPECT_EQ(link.workingFolder, programs / L"表示");

    // Two levels of missing folders, and a second shortcut in an existing group.
    ASSERT_TRUE(CreateShortcut(target, programs / L"A\\B\\Viewer"));
    EXPECT_TRUE(ruvex::FileExists(programs / L"A\\B\\Viewer.lnk"));
    ASSERT_TRUE(CreateShortcut(target, programs / L"Tools\\Help"));
    EXPECT_TRUE(ruvex::FileExists(programs / L"Tools\\Help.lnk"));
}

TEST(SetupShortcut, ATargetWithoutFolderGetsAnEmptyWorkingFolderAndABadLinkPathFails) {
    ComScope com;
    testsupport::TempFolder programs;
    ASSERT_TRUE(CreateShortcut(L"notepad.exe", programs / L"Notepad"));
    LinkData link = ReadLink(programs / L"Notepad.lnk");
    ASSERT_TRUE(link.loaded);
    EXPECT_EQ(link.workingFolder, L"");

    // A file stands where the group folder would have to be.
    ASSERT_TRUE(ruvex::CreateEmptyFileIfMissing(programs / L"Blocked"));
    EXPECT_FALSE(CreateShortcut(L"C:\\windows\\notepad.exe", programs / L"Blocked\\Viewer"));
    EXPECT_FALSE(ruvex::FileExists(programs / L"Blocked\\Viewer.lnk"));
}
