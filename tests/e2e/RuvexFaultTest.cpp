// Writes that the system refuses: the database and the settings held open by another process, read-only, or
// on a full disk. Each time the program names the file, leaves it byte for byte, and works on once the fault
// is gone.
#include "RuvexWindows.h"

#include <thread>

using namespace e2e;
namespace ids = ruvex::ids;
namespace texts = ruvex::texts;

namespace {

using Lines = std::vector<std::wstring>;

// A fault on the files of a program's folder, lifted when the object goes.
class Fault {
public:
    virtual ~Fault() = default;
    virtual void On(const std::wstring& file) = 0;
    virtual void Off() = 0;
};

class HeldOpen final : public Fault {
public:
    void On(const std::wstring& file) override {
        held_.reset(CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held_);
    }
    void Off() override { held_.reset(); }

private:
    ruvex::FileHandle held_;
};

class ReadOnly final : public Fault {
public:
    void On(const std::wstring& file) override {
        file_ = file;
        SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY);
    }
    void Off() override { SetFileAttributesW(file_.c_str(), FILE_ATTRIBUTE_NORMAL); }

private:
    std::wstring file_;
};

// Fills the rest of the disk the file lies on.
class DiskFull final : public Fault {
public:
    void On(const std::wstring& file) override {
        filler_ = file.substr(0, 3) + L"filler.bin";
        ruvex::FileHandle fill(CreateFileW(filler_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        ASSERT_TRUE(fill);
        std::string block(64 * 1024, 'x');
        DWORD written = 0;
        while (WriteFile(fill.get(), block.data(), static_cast<DWORD>(block.size()), &written, nullptr) && written) {
        }
        block.resize(512);
        while (WriteFile(fill.get(), block.data(), static_cast<DWORD>(block.size()), &written, nullptr) && written) {
        }
    }
    void Off() override { DeleteFileW(filler_.c_str()); }

private:
    std::wstring filler_;
};

std::string JoinedBytes(const Lines& lines) {
    std::string bytes;
    for (const auto& line : lines) {
        bytes += std::string(line.begin(), line.end()) + "\r\n";
    }
    return bytes;
}

void Type(Program& ruvex, const std::wstring& answer) {
    HWND box = ruvex.WaitWindowOfClass(L"RuvexInputBox");
    ASSERT_NE(box, nullptr);
    SetText(Control(box, ids::InputText), answer);
    Click(box, ids::InputOk);
}

// The next message box names the file; answered, the window answers again.
void ExpectNamed(Program& ruvex, HWND main, const std::wstring& file) {
    HWND box = ruvex.WaitMessageBox();
    ASSERT_NE(box, nullptr) << "no message for " << std::string(file.begin(), file.end());
    EXPECT_NE(MessageBoxText(box).find(file), std::wstring::npos) << "the message names the file";
    Answer(box, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
    EXPECT_EQ(ruvex.WaitMessageBox(500ms), nullptr) << "no success claimed after the failure";
    ASSERT_TRUE(WaitUntil([&] { return IsEnabled(main); }));
}

// Register (an append), rename (a rewrite) and the options' OK under the fault; then, lifted, they work.
void WritesUnder(Fault& fault, Program& ruvex) {
    HWND main = WaitMain(ruvex);
    ASSERT_NE(main, nullptr);
    const std::wstring database = ruvex.File(L"uninstall.dat");
    const std::wstring options = ruvex.File(L"option.dat");
    const std::string databaseBytes = ReadBytes(database);
    const std::string optionBytes = ReadBytes(options);

    ClickListItem(Control(main, ids::List1), 0);
    ASSERT_TRUE(WaitUntil([&] { return Enabled(main, 11); }));
    fault.On(database);
    Click(main, ids::Command11);
    Type(ruvex, L"Renamed");
    ExpectNamed(ruvex, main, database);
    // The reload after the failure lists the software still, even from a database it cannot read.
    ASSERT_TRUE(WaitUntil([&] { return !Enabled(main, 11); }));
    EXPECT_EQ(ListItems(Control(main, ids::List1)), Lines{L"Old"});
    Click(main, ids::Command8);
    Type(ruvex, L"New");
    ExpectNamed(ruvex, main, database);
    fault.Off();
    EXPECT_EQ(ReadBytes(database), databaseBytes);

    fault.On(options);
    Click(main, ids::Command7);
    HWND dialog = ruvex.WaitWindowOfClass(L"RuvexForm2");
    ASSERT_NE(dialog, nullptr);
    Click(dialog, ids::form2::Command1);
    ExpectNamed(ruvex, main, options);
    fault.Off();
    EXPECT_EQ(ReadBytes(options), optionBytes);

    Click(main, ids::Command8);
    Type(ruvex, L"New");
    ASSERT_TRUE(WaitUntil([&] { return ListItems(Control(main, ids::List1)) == Lines{L"Old", L"New"}; }));
    Lines expected = ReadLines(database);
    EXPECT_EQ(expected.back(), L"[New]");
    expected.pop_back();
    EXPECT_EQ(JoinedBytes(expected), databaseBytes);
    CloseAndExpectExit(ruvex, main);
}

// A database of exactly one 4 KB page: on a full disk even an append needs room that is not there.
void LayFiles(const std::wstring& folder) {
    WriteLines(folder + L"\\option.dat",
               {L"c:", L"NOTEPAD", L" 0 ", L" 1 ", L" 0 ", L" 0 ", L" 0 ", L" 0 ", L" 1 ", L" 0 "});
    WriteLines(folder + L"\\uninstall.dat", {L"[Old]", L"C:\\" + std::wstring(4096 - 7 - 3 - 2, L'p')});
}

} // namespace

TEST(RuvexFaults, AFileHeldOpenOrReadOnlyIsNamedAndKeptAsItWas) {
    HeldOpen held;
    ReadOnly readOnly;
    for (Fault* fault : std::initializer_list<Fault*>{&held, &readOnly}) {
        SCOPED_TRACE(fault == &held ? "held open" : "read-only");
        Program ruvex(L"Ruvex.exe", LayFiles);
        WritesUnder(*fault, ruvex);
    }
}

TEST(RuvexFaults, ADatabaseHeldOpenIsWaitedForAMomentAndNeverShownAsEmpty) {
    HeldOpen held;
    std::wstring database;
    Program ruvex(L"Ruvex.exe", [&](const std::wstring& folder) {
        // The check for deleted files runs at start-up here.
        WriteLines(folder + L"\\option.dat",
                   {L"c:", L"NOTEPAD", L" 0 ", L" 1 ", L" 0 ", L" 0 ", L" 0 ", L" 0 ", L" 0 ", L" 0 "});
        database = folder + L"\\uninstall.dat";
        WriteLines(database, {L"[Old]", L"C:\\windows\\win.ini", L"[Other]"});
        held.On(database);
    });
    const std::wstring cannotRead = std::wstring(texts::CannotRead) + L"\r\n";
    auto expectCannotRead = [&] {
        HWND box = ruvex.WaitMessageBox();
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(MessageBoxText(box).rfind(cannotRead + database + L"\r\n", 0), 0u);
        Answer(box, IDOK);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
        EXPECT_EQ(ruvex.WaitMessageBox(3s), nullptr) << "the file is named once";
    };
    // At start-up neither the check for deleted files nor the list can read it: said once.
    expectCannotRead();
    HWND main = WaitMain(ruvex);
    ASSERT_NE(main, nullptr);
    held.Off();
    Click(main, ids::Command14);
    ASSERT_TRUE(WaitUntil([&] { return ListItems(Control(main, ids::List1)) == Lines{L"Old", L"Other"}; }));

    // A record selected while the hold lasts is said to be unreadable, and its commands stay off.
    held.On(database);
    ClickListItem(Control(main, ids::List1), 1);
    expectCannotRead();
    EXPECT_FALSE(Enabled(main, 3));
    held.Off();

    // A hold lifted within the moment is waited for: the record is read, nothing said.
    held.On(database);
    std::thread release([&] {
        Sleep(500);
        held.Off();
    });
    ClickListItem(Control(main, ids::List1), 0);
    EXPECT_TRUE(WaitUntil([&] { return Enabled(main, 3); }));
    release.join();
    EXPECT_EQ(ListItems(Control(main, ids::List2)), Lines{L"C:\\windows\\win.ini"});
    EXPECT_EQ(ruvex.WaitMessageBox(500ms), nullptr);
    CloseAndExpectExit(ruvex, main);
}

TEST(RuvexFaults, AFullDiskIsNamedAndTheFilesKeptAsTheyWere) {
    // Y: is a small file system that scripts/test mounts where the machine allows it.
    if (GetDriveTypeW(L"Y:\\") == DRIVE_NO_ROOT_DIR) {
        GTEST_SKIP() << "skipped: no small drive Y: here (mounting a file system was refused)";
    }
    const std::wstring folder = L"Y:\\" + testsupport::UniqueName(L"rvx");
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    ASSERT_TRUE(CopyFileW((StageFolder() + L"\\Ruvex.exe").c_str(), (folder + L"\\Ruvex.exe").c_str(), FALSE));
    LayFiles(folder);
    {
        DiskFull full;
        Program ruvex(folder, L"Ruvex.exe", L"");
        WritesUnder(full, ruvex);
    }
    RemoveTree(folder);
}
