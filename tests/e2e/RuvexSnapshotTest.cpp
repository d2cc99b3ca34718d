// The preparation's snapshot of the Windows drive and a second drive, X:, which scripts/test maps to a
// host folder holding only x:\loop, a link back to the root: each test lays its own tree beside it. The files are
// checked byte for byte (code page 932, CR LF). Named RuvexMonitor so that they run alone, like every walk of C:.
#include "MonitorSteps.h"

#include "support/TempFolder.h"

using namespace e2e;
namespace ids = ruvex::ids;
namespace texts = ruvex::texts;

namespace {

using ByteLines = std::vector<std::string>;

const std::wstring kDrive = L"X:";

// X: emptied before and after a test (the walk records all of it), but for the link.
class DriveX {
public:
    DriveX() { Empty(); }
    ~DriveX() { Empty(); }
    DriveX(const DriveX&) = delete;
    DriveX& operator=(const DriveX&) = delete;
    [[nodiscard]] static bool Mapped() {
        DWORD root = GetFileAttributesW(L"X:\\");
        DWORD loop = GetFileAttributesW(L"X:\\loop");
        return root != INVALID_FILE_ATTRIBUTES && (root & FILE_ATTRIBUTE_DIRECTORY) &&
               loop != INVALID_FILE_ATTRIBUTES && (loop & FILE_ATTRIBUTE_REPARSE_POINT);
    }
    // The root's entries only: removing the root itself would take the mapped host folder away.
    static void Empty() { testsupport::EmptyFolder(kDrive, testsupport::Links::Keep); }
    static void Folder(const std::wstring& path) { CreateDirectoryW((kDrive + path).c_str(), nullptr); }
    static void File(const std::wstring& path) { WriteBytes(kDrive + path, "x"); }
};

// The chain x:\d\d...\d, n folders deep.
std::wstring Chain(int n) {
    std::wstring path;
    for (int i = 0; i < n; ++i) {
        path += L"\\d";
    }
    return path;
}
std::string ChainBytes(int n) {
    std::wstring chain = Chain(n);
    return "x:" + std::string(chain.begin(), chain.end()); // ASCII only
}

// Japanese names whose code page 932 bytes hold a 0x5C (表, 予) and half-width katakana (ﾃﾞｰﾀ, ｿﾌﾄ); a hidden
// folder; names that sort differently with and without case; an empty folder; and a chain of 101 folders
// with a file in the 99th and the 100th, so the level limit shows.
void LayTree() {
    for (const wchar_t* folder :
         {L"\\alpha", L"\\alpha\\表", L"\\alpha\\表\\sub", L"\\Beta", L"\\empty", L"\\ﾃﾞｰﾀ", L"\\.hidden"}) {
        DriveX::Folder(folder);
    }
    SetFileAttributesW(L"X:\\.hidden", FILE_ATTRIBUTE_HIDDEN);
    for (int n = 1; n <= 101; ++n) {
        DriveX::Folder(Chain(n));
    }
    for (const std::wstring& file : Lines{L"\\Zeta.txt", L"\\apple.txt", L"\\alpha\\a.txt", L"\\alpha\\表\\予定表.txt",
                                          L"\\alpha\\表\\sub\\z.txt", L"\\Beta\\b.dat", L"\\ﾃﾞｰﾀ\\ｿﾌﾄ.txt",
                                          L"\\.hidden\\h.txt", Chain(99) + L"\\f.txt", Chain(100) + L"\\f.txt"}) {
        DriveX::File(file);
    }
}

// Breadth-first, each folder's subfolders in name order without case; the link is listed, not entered; the
// 101st folder is never seen.
ByteLines ExpectedFolders() {
    ByteLines folders{"x:\\",
                      "x:\\.hidden",
                      "x:\\alpha",
                      "x:\\Beta",
                      "x:\\d",
                      "x:\\empty",
                      "x:\\loop",
                      "x:\\\xC3\xDE\xB0\xC0",
                      "x:\\alpha\\\x95\\",
                      ChainBytes(2),
                      "x:\\alpha\\\x95\\\\sub"};
    for (int n = 3; n <= 100; ++n) {
        folders.push_back(ChainBytes(n));
    }
    return folders;
}

// Every file, in the order its folder was walked; root files with one backslash; nothing from the
// 100th folder.
ByteLines ExpectedFiles() {
    return {"x:\\apple.txt",
            "x:\\Zeta.txt",
            "x:\\.hidden\\h.txt",
            "x:\\alpha\\a.txt",
            "x:\\Beta\\b.dat",
            "x:\\\xC3\xDE\xB0\xC0\\\xBF\xCC\xC4.txt",
            "x:\\alpha\\\x95\\\\\x97\\\x92\xE8\x95\\.txt",
            "x:\\alpha\\\x95\\\\sub\\z.txt",
            ChainBytes(99) + "\\f.txt"};
}

// A snapshot file's lines as bytes; every line must end in CR LF.
ByteLines SnapshotLines(const std::wstring& path) {
    std::string bytes = ReadBytes(path);
    ByteLines lines;
    std::size_t at = 0;
    while (at < bytes.size()) {
        std::size_t end = bytes.find("\r\n", at);
        if (end == std::string::npos) {
            ADD_FAILURE() << "a line without CR LF at byte " << at;
            break;
        }
        std::string line = bytes.substr(at, end - at);
        EXPECT_EQ(line.find('\n'), std::string::npos) << "a bare LF in " << line;
        lines.push_back(std::move(line));
        at = end + 2;
    }
    return lines;
}

ByteLines OnDrive(const ByteLines& lines, char drive) {
    ByteLines on;
    std::copy_if(lines.begin(), lines.end(), std::back_inserter(on),
                 [&](const std::string& l) { return l.size() >= 2 && l[0] == drive && l[1] == ':'; });
    return on;
}

bool Contains(const Lines& lines, const std::wstring& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

bool StartsWithNoCase(const std::wstring& text, const std::wstring& prefix) {
    return text.size() >= prefix.size() &&
           CompareStringOrdinal(text.c_str(), static_cast<int>(prefix.size()), prefix.c_str(),
                                static_cast<int>(prefix.size()), TRUE) == CSTR_EQUAL;
}

// Partial mode records only the files of the Windows and system folders themselves and of the trees of
// the Start Menu, the Desktop and Send To.
bool WantedInPartialMode(const std::wstring& file) {
    std::wstring folder = file.substr(0, file.rfind(L'\\'));
    auto same = [&](const std::wstring& f) {
        return CompareStringOrdinal(folder.c_str(), -1, f.c_str(), -1, TRUE) == CSTR_EQUAL;
    };
    auto below = [&](int csidl) { return StartsWithNoCase(file, ShellFolder(csidl) + L"\\"); };
    return same(L"C:\\windows") || same(L"C:\\windows\\system32") || below(CSIDL_STARTMENU) || below(CSIDL_DESKTOP) ||
           below(CSIDL_SENDTO);
}

void PrepareBothDrives(bool allFolders) {
    ASSERT_TRUE(DriveX::Mapped()) << "drive X: or its x:\\loop is missing: run the tests through scripts/test";
    DriveX drive;
    LayTree();
    Program ruvex(L"Ruvex.exe", WithOptions(allFolders, L"x:"));
    HWND main = WaitMain(ruvex);
    ASSERT_NE(main, nullptr);

    Click(main, ids::Command1);
    HWND done = ruvex.WaitMessageBox(120s);
    ASSERT_NE(done, nullptr);
    EXPECT_EQ(MessageBoxText(done), texts::PreparationDone);
    EXPECT_EQ(WindowText(done), L"Ruvex");
    EXPECT_EQ(MessageBoxIcon(done), IDI_INFORMATION);
    AnswerAndClose(done, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return Enabled(main, 2); }));
    ExpectWaitingForInspection(ruvex, main);

    ByteLines folders = SnapshotLines(ruvex.File(L"dir_bf.dat"));
    ASSERT_GE(folders.size(), 2u);
    EXPECT_EQ(folders[1], "x:\\") << "the second root follows the Windows drive's";
    EXPECT_EQ(OnDrive(folders, 'x'), ExpectedFolders());
    Lines cFolders = ReadLines(ruvex.File(L"dir_bf.dat"));
    EXPECT_TRUE(Contains(cFolders, L"C:\\windows\\system32\\drivers"));

    ByteLines files = SnapshotLines(ruvex.File(L"file_bf.dat"));
    EXPECT_EQ(OnDrive(files, 'x'), allFolders ? ExpectedFiles() : ByteLines{});
    Lines cFiles = ReadLines(ruvex.File(L"file_bf.dat"));
    EXPECT_TRUE(Contains(cFiles, L"C:\\windows\\win.ini"));
    EXPECT_TRUE(Contains(cFiles, L"C:\\windows\\system32\\kernel32.dll"));
    EXPECT_EQ(Contains(cFiles, L"C:\\windows\\system32\\drivers\\mountmgr.sys"), allFolders)
        << "a subfolder of the system folder is not the system folder";
    if (!allFolders) {
        for (const auto& file : cFiles) {
            EXPECT_TRUE(WantedInPartialMode(file)) << "recorded in partial mode: " << file;
        }
    }
    CloseAndExpectExit(ruvex, main);
}

// More files than a list counted in 16 bits holds, whatever C: has, below folder; a hundred to a folder, since a
// new name is looked up among its folder's names without case, and a big folder makes that slow.
void LayManyFiles(const std::wstring& folder) {
    CreateDirectoryW(folder.c_str(), nullptr);
    for (int f = 0; f < 330; ++f) {
        const std::wstring sub = folder + L"\\many" + std::to_wstring(f);
        CreateDirectoryW(sub.c_str(), nullptr);
        for (int i = 0; i < 100; ++i) {
            ruvex::FileHandle file(CreateFileW((sub + L"\\f" + std::to_wstring(i)).c_str(), GENERIC_WRITE, 0, nullptr,
                                               CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
            ASSERT_TRUE(file) << "file " << i << " in " << sub;
        }
    }
}

// The lists' ceiling, lowered for the programs this test starts: C: alone holds more folders and files.
class LowCeiling {
public:
    LowCeiling() { SetEnvironmentVariableW(L"RUVEX_LIST_CEILING", L"100"); }
    ~LowCeiling() { SetEnvironmentVariableW(L"RUVEX_LIST_CEILING", nullptr); }
    LowCeiling(const LowCeiling&) = delete;
    LowCeiling& operator=(const LowCeiling&) = delete;
};

void TooManyFiles(bool allFolders) {
    LowCeiling ceiling;
    const std::string earlierFolders = "C:\\\r\nx:\\\r\n";
    const std::string earlierFiles = "C:\\windows\\win.ini\r\n";
    Program ruvex(L"Ruvex.exe", [&](const std::wstring& folder) {
        WithOptions(allFolders, L"x:")(folder);
        WriteBytes(folder + L"\\dir_bf.dat", earlierFolders);
        WriteBytes(folder + L"\\file_bf.dat", earlierFiles);
    });
    HWND main = WaitMain(ruvex);
    ASSERT_NE(main, nullptr);

    Click(main, ids::Command1);
    HWND box = ruvex.WaitMessageBox(120s);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), allFolders ? texts::TooManyFilesAllFolders : texts::TooManyFilesPartial);
    EXPECT_EQ(WindowText(box), texts::AppTitle);
    EXPECT_EQ(MessageBoxIcon(box), IDI_ERROR);
    Answer(box, IDOK);
    EXPECT_TRUE(ruvex.WaitExit());
    EXPECT_FALSE(Exists(ruvex.File(L"continue")));
    EXPECT_EQ(ReadBytes(ruvex.File(L"dir_bf.dat")), earlierFolders);
    EXPECT_EQ(ReadBytes(ruvex.File(L"file_bf.dat")), earlierFiles);
}

} // namespace

TEST(RuvexMonitor, PartialPreparationRecordsBothDrivesFoldersAndOnlyTheWatchedFiles) {
    PrepareBothDrives(false);
}

TEST(RuvexMonitor, AllFoldersPreparationRecordsEveryFileOfBothDrives) {
    PrepareBothDrives(true);
}

// A system drive holds hundreds of thousands of files: the walk goes past what a 16-bit list counted.
TEST(RuvexMonitor, AllFoldersPreparationWalksPastThe16BitCountToTheEnd) {
    ASSERT_TRUE(DriveX::Mapped()) << "drive X: or its x:\\loop is missing: run the tests through scripts/test";
    DriveX drive;
    LayManyFiles(L"X:\\many");
    Program ruvex(L"Ruvex.exe", WithOptions(true, L"x:"));
    HWND main = WaitMain(ruvex);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(RunToMessage(ruvex, main, 1, 300s), texts::PreparationDone);
    const Lines files = ReadLines(ruvex.File(L"file_bf.dat"));
    EXPECT_GT(files.size(), 33000u);
    EXPECT_TRUE(Contains(files, L"x:\\many\\many329\\f99")) << "the last folder walked";
    EXPECT_EQ(SendMessageW(Control(main, ids::List2), LB_GETCOUNT, 0, 0), static_cast<LRESULT>(files.size()));
    CloseAndExpectExit(ruvex, main);
}

// A real limit (here the ceiling, set low) still ends the program with the message of the mode.
TEST(RuvexMonitor, TooManyFilesInAllFoldersModeEndsTheProgramAndLeavesTheEarlierSnapshot) {
    TooManyFiles(true);
}

TEST(RuvexMonitor, TooManyFilesInPartialModeEndTheProgramToo) {
    TooManyFiles(false);
}
