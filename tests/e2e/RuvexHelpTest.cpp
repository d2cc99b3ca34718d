// The help button opens the help page beside the program through the shell's "open" verb.
#include "RuvexWindows.h"

using namespace e2e;
namespace ids = ruvex::ids;

namespace {

constexpr const wchar_t* kProgId = L"RuvexE2E.HelpPage";

// For the test's life, .htm files open with a command that copies the opened file to a marker (the
// project's prefix has no .htm association of its own, so removing ours restores it).
class HelpPageAssociation {
public:
    explicit HelpPageAssociation(const std::wstring& marker) {
        std::wstring command = L"\"C:\\windows\\system32\\cmd.exe\" /c copy \"%1\" \"" + marker + L"\"";
        Set(L".htm", kProgId);
        Set(std::wstring(kProgId) + L"\\shell\\open\\command", command);
    }
    ~HelpPageAssociation() {
        RegDeleteTreeW(HKEY_CLASSES_ROOT, kProgId);
        RegDeleteTreeW(HKEY_CLASSES_ROOT, L".htm");
    }
    HelpPageAssociation(const HelpPageAssociation&) = delete;
    HelpPageAssociation& operator=(const HelpPageAssociation&) = delete;

private:
    static void Set(const std::wstring& key, const std::wstring& value) {
        RegSetKeyValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, REG_SZ, value.c_str(),
                        static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    }
};

} // namespace

TEST(RuvexHelp, TheHelpButtonOpensTheHelpPageBesideTheProgram) {
    TempFolder out;
    std::wstring marker = out / L"opened.htm";
    HelpPageAssociation association(marker);
    Program ruvex(L"Ruvex.exe", std::wstring(), std::vector<std::wstring>{L"ruvex.htm"});
    HWND main = WaitMain(ruvex);
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(Exists(ruvex.File(L"ruvex.htm"))) << "the build puts the help page beside the program";

    Click(main, ids::Command5);
    ASSERT_TRUE(WaitUntil([&] { return Exists(marker) && !ReadBytes(marker).empty(); }));
    EXPECT_EQ(ReadBytes(marker), ReadBytes(ruvex.File(L"ruvex.htm")));
    EXPECT_NE(ReadBytes(marker).find("ﾍﾙﾌﾟ"), std::string::npos);

    // F1, the shortcut of the help menu entry, does the same.
    ASSERT_TRUE(DeleteFileW(marker.c_str()));
    PressKey(Control(main, ids::List1), VK_F1);
    EXPECT_TRUE(WaitUntil([&] { return Exists(marker) && !ReadBytes(marker).empty(); }));
    CloseAndExpectExit(ruvex, main);
}
