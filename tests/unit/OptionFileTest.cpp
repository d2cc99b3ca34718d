#include "uninstaller/ui/OptionFile.h"
#include "uninstaller/ui/ViewerText.h"

#include "ScriptedHost.h"
#include "base/codec.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

using namespace ruvex;
using testsupport::ScriptedHost;
using testsupport::TempFolder;

namespace {
void Write(const TempFolder& dir, const std::string& bytes) {
    ASSERT_TRUE(ReplaceFileContents(OptionFilePath(dir.path()), bytes));
}
std::wstring AbsentLetter() {
    DWORD drives = GetLogicalDrives();
    for (wchar_t c = L'Q'; c <= L'Y'; ++c) {
        if (!(drives & (1u << (c - L'A')))) {
            return std::wstring(1, c);
        }
    }
    return L"Y";
}
} // namespace

TEST(OptionFile, WritesElevenLinesWithBlanksAroundEachCheckValue) {
    TempFolder dir;
    Options o;
    o.drive = L"c: [ﾃﾞｨｽｸ]";
    ASSERT_TRUE(WriteOptionFile(dir.path(), o));
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(OptionFilePath(dir.path()), bytes));
    EXPECT_EQ(bytes, WideToAnsi(L"c: [ﾃﾞｨｽｸ]") +
                         "\r\nNOTEPAD\r\n 0 \r\n 1 \r\n 0 \r\n 1 \r\n 1 \r\n 0 \r\n 0 \r\n 0 \r\n 1 \r\n");
    auto read = ReadOptionFile(dir.path());
    ASSERT_TRUE(read);
    EXPECT_EQ(read->drive, o.drive);
    EXPECT_EQ(read->checks, o.checks);
}

TEST(OptionFile, ReadsLenientlyButRefusesShortOrBrokenFiles) {
    TempFolder dir;
    Write(dir, "C:\r\nC:\\Tools\\ed.exe\r\n1\r\n0\r\n 1 \r\n0 \r\n  0\r\n1\r\n1\r\n1");
    auto o = ReadOptionFile(dir.path());
    ASSERT_TRUE(o);
    EXPECT_EQ(o->editor, L"C:\\Tools\\ed.exe");
    EXPECT_TRUE(o->Get(Check::Check1));
    EXPECT_FALSE(o->Get(Check::Check2));
    EXPECT_TRUE(o->Get(Check::Check5));
    EXPECT_TRUE(o->Get(Check::Check9));
    EXPECT_TRUE(o->Get(Check::Check10)); // a file of ten lines: the registry is recorded

    Write(dir, "c:\r\nNOTEPAD\r\n 0 \r\n 1 \r\n 0 \r\n 1 \r\n 1 \r\n 0 \r\n 0 \r\n"); // nine lines
    EXPECT_FALSE(ReadOptionFile(dir.path()));
    Write(dir, "c:\r\nNOTEPAD\r\n 0 \r\n yes \r\n 0 \r\n 1 \r\n 1 \r\n 0 \r\n 0 \r\n 0 \r\n");
    EXPECT_FALSE(ReadOptionFile(dir.path()));
    Write(dir, WideToAnsi(AbsentLetter()) +
                   ": [gone]\r\nNOTEPAD\r\n 0 \r\n 1 \r\n 0 \r\n 1 \r\n 1 \r\n 0 \r\n 0 \r\n 0 \r\n");
    EXPECT_FALSE(ReadOptionFile(dir.path()));
    EXPECT_FALSE(ReadOptionFile(dir / L"none"));
}

TEST(OptionFile, DefaultsKeepTheDrive) {
    Options o;
    o.drive = L"d:";
    o.editor = L"vi";
    o.checks.fill(true);
    o.ResetToDefaults();
    EXPECT_EQ(o.drive, L"d:");
    EXPECT_EQ(o.editor, L"NOTEPAD");
    EXPECT_EQ(o.checks, Options{}.checks);
    EXPECT_EQ(DriveListText(L'C').substr(0, 2), L"c:");
    EXPECT_NE(PresentDrives().find(L'C'), std::wstring::npos);
}

TEST(ViewerText, ShowsUpTo400LinesAndMarksAnEarlyEnd) {
    TempFolder dir;
    ASSERT_TRUE(ReplaceFileContents(dir / L"three.txt", "one\r\n" + WideToAnsi(L"二") + "\r\nthree"));
    ScriptedHost host;
    EXPECT_EQ(ReadViewerText(dir / L"three.txt", host), L"one\r\n二\r\nthree\r\n[END]");

    std::string big;
    for (int i = 1; i <= 1000; ++i) {
        big += "line " + std::to_string(i) + "\r\n";
    }
    ASSERT_TRUE(ReplaceFileContents(dir / L"big.txt", big));
    ScriptedHost bigHost;
    std::wstring text = ReadViewerText(dir / L"big.txt", bigHost);
    EXPECT_EQ(std::count(text.begin(), text.end(), L'\n'), 400);
    EXPECT_EQ(text.find(L"[END]"), std::wstring::npos);
    EXPECT_EQ(text.substr(text.size() - 10), L"line 400\r\n");
    EXPECT_EQ(bigHost.maxima, std::vector<double>{400});
    ASSERT_EQ(bigHost.positions.size(), 20u);
    EXPECT_EQ(bigHost.positions[0].pos, 20);

    std::string exact;
    for (int i = 1; i <= 400; ++i) {
        exact += "x\r\n";
    }
    ASSERT_TRUE(ReplaceFileContents(dir / L"400.txt", exact));
    EXPECT_EQ(ReadViewerText(dir / L"400.txt", host).find(L"[END]"), std::wstring::npos);
    EXPECT_EQ(ReadViewerText(dir / L"missing.txt", host), L"[END]");
}

// Every broken shape of option.dat reads as no settings (the dialog then writes the defaults), or as settings
// that are sound as they stand; none crashes the reader.
TEST(OptionFile, BrokenShapesReadAsNoSettingsOrSoundOnes) {
    const std::string checks = "1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n";
    const std::wstring utf16 = L"\xFEFF"
                               L"c:\r\nNOTEPAD\r\n1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n";
    const struct {
        const char* shape;
        std::string bytes;
        bool accepted;
        std::size_t editorLength;
    } cases[] = {
        {"empty", "", false, 0},
        {"ten empty lines", "\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n", false, 0},
        {"LF line ends", "c:\nNOTEPAD\n1\n0\n0\n0\n0\n0\n0\n0\n", false, 0},
        {"UTF-16 with its byte-order mark",
         std::string(reinterpret_cast<const char*>(utf16.data()), utf16.size() * sizeof(wchar_t)), false, 0},
        {"UTF-8 with its byte-order mark",
         "\xEF\xBB\xBF"
         "c:\r\nNOTEPAD\r\n" +
             checks,
         false, 0},
        {"a NUL in a check line", "c:\r\nNOTEPAD\r\n" + std::string(" 1\0 \r\n", 6) + checks.substr(3), false, 0},
        {"a drive that is no letter", "1:\r\nNOTEPAD\r\n" + checks, false, 0},
        {"a check value past every integer", "c:\r\nNOTEPAD\r\n99999999999999999999999\r\n" + checks.substr(3), true,
         7},
        {"lone CR line ends", "c:\rNOTEPAD\r1\r0\r0\r0\r0\r0\r0\r0", true, 7},
        {"an editor line of 100,000 characters", "c:\r\n" + std::string(100000, 'e') + "\r\n" + checks, true, 100000},
        {"lines beyond the tenth", "c:\r\nNOTEPAD\r\n" + checks + std::string("junk\r\n\0\0\r\n", 10), true, 7},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shape);
        TempFolder dir;
        Write(dir, c.bytes);
        auto read = ReadOptionFile(dir.path());
        ASSERT_EQ(read.has_value(), c.accepted);
        if (read) {
            EXPECT_EQ(read->drive.substr(0, 2), L"c:");
            EXPECT_EQ(read->editor.size(), c.editorLength);
            EXPECT_TRUE(read->Get(Check::Check1));
            EXPECT_FALSE(read->Get(Check::Check2));
        }
    }
}
