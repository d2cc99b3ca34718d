#include "base/codec.h"
#include "base/safefile.h"
#include "base/text.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <thread>

using namespace ruvex;
using testsupport::TempFolder;

namespace {
std::string Bytes(const std::wstring& path) {
    std::string b;
    EXPECT_TRUE(ReadFileBytes(path, b));
    return b;
}
std::vector<std::wstring> Read(const std::wstring& path) {
    LineReader reader;
    std::vector<std::wstring> lines;
    if (!reader.Open(path)) {
        return lines;
    }
    std::wstring line;
    while (reader.Next(line)) {
        lines.push_back(line);
    }
    return lines;
}
} // namespace

TEST(Codec, JapaneseTextIsShiftJisInFilesAndRoundTrips) {
    // The test process runs with the ANSI code page of a Japanese system.
    ASSERT_EQ(GetACP(), 932u);
    const std::wstring name = L"C:\\Program Files\\表計算ｿﾌﾄ\\ﾍﾙﾌﾟ.txt";
    std::string sjis = WideToAnsi(name);
    EXPECT_EQ(sjis.substr(17, 2), "\x95\x5c"); // 表: its second byte is a backslash in Shift-JIS
    EXPECT_EQ(AnsiLength(name), sjis.size());
    EXPECT_EQ(AnsiToWide(sjis), name);

    TempFolder dir;
    ASSERT_TRUE(ReplaceFileLines(dir / L"a.dat", {L"[表計算]", name}));
    EXPECT_EQ(Bytes(dir / L"a.dat"), "[" + WideToAnsi(L"表計算") + "]\r\n" + sjis + "\r\n");
    EXPECT_EQ(Read(dir / L"a.dat"), (std::vector<std::wstring>{L"[表計算]", name}));
}

TEST(Codec, AFileHeldForAMomentIsReadOnceItIsReleased) {
    // A virus scanner's hold: the file open without sharing for half a second, through either reader.
    TempFolder dir;
    const std::wstring path = dir / L"held.dat";
    ASSERT_TRUE(ReplaceFileLines(path, {L"[A]", L"C:\\a"}));
    for (bool lines : {true, false}) {
        FileHandle hold(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(hold);
        std::thread release([&] {
            Sleep(500);
            hold.reset();
        });
        if (lines) {
            EXPECT_EQ(Read(path), (std::vector<std::wstring>{L"[A]", L"C:\\a"}));
        } else {
            EXPECT_EQ(Bytes(path), "[A]\r\nC:\\a\r\n");
        }
        release.join();
    }
}

TEST(Codec, LinesEndAtCrLfOrLoneCrAndTheLastMayHaveNoEnd) {
    EXPECT_EQ(SplitLines("a\r\nb\rc"), (std::vector<std::wstring>{L"a", L"b", L"c"}));
    EXPECT_EQ(SplitLines("a\r\n\r\nb\r\n"), (std::vector<std::wstring>{L"a", L"", L"b"}));
    EXPECT_EQ(SplitLines("x\ny\r"), (std::vector<std::wstring>{L"x\ny"}));
    EXPECT_TRUE(SplitLines("").empty());
    EXPECT_EQ(JoinLines({L"a", L""}), "a\r\n\r\n");

    // The streaming reader agrees with the splitter, also where a CR LF straddles its read blocks.
    TempFolder dir;
    std::string big;
    std::vector<std::wstring> expected;
    for (int i = 0; big.size() < 200000; ++i) {
        std::string line(static_cast<std::size_t>(i % 97), 'x');
        big += line + (i % 3 == 0 ? "\r" : "\r\n");
        expected.push_back(AnsiToWide(line));
    }
    big += "tail";
    expected.push_back(L"tail");
    ASSERT_TRUE(ReplaceFileContents(dir / L"big.dat", big));
    EXPECT_EQ(Read(dir / L"big.dat"), expected);
    EXPECT_EQ(SplitLines(big), expected);

    std::string edge(65535, 'a');
    edge += "\r\nb";
    ASSERT_TRUE(ReplaceFileContents(dir / L"edge.dat", edge));
    EXPECT_EQ(Read(dir / L"edge.dat"), (std::vector<std::wstring>{std::wstring(65535, L'a'), L"b"}));
}

TEST(Text, ComparesWithoutCaseInTheSortedListOrder) {
    EXPECT_TRUE(TextEquals(L"C:\\Program Files\\FOO.EXE", L"c:\\program files\\foo.exe"));
    EXPECT_TRUE(TextEquals(L"[Ｆｏｏ]", L"[ｆｏｏ]"));
    EXPECT_FALSE(TextEquals(L"abc", L"abd"));
    EXPECT_TRUE(TextBeginsWith(L"C:\\WINDOWS\\System32\\x.dll", L"c:\\windows\\SYSTEM"));
    EXPECT_FALSE(TextBeginsWith(L"C:\\WIN", L"C:\\WINDOWS")) << "a prefix longer than the text";
    std::vector<std::wstring> v{L"C:\\b", L"-[Fonts]", L"c:\\A", L"-[boot]", L"1", L"!x"};
    SortTexts(v);
    // Hyphens weigh least: the win.ini lines of a record come before its paths.
    // Hyphens are disregarded, so "-[boot]" sorts as the punctuation "[boot]": before digits and letters.
    EXPECT_EQ(v, (std::vector<std::wstring>{L"!x", L"-[boot]", L"-[Fonts]", L"1", L"c:\\A", L"C:\\b"}));
    std::vector<std::wstring> same{L"B", L"a", L"b", L"A"};
    SortTexts(same);
    EXPECT_EQ(same, (std::vector<std::wstring>{L"a", L"A", L"B", L"b"}));
    // Hundreds of entries in three groups, equal within a group without regard to case but each spelled
    // differently: a sort that is not stable reorders a group; this one keeps its input order.
    std::vector<std::wstring> many;
    for (int i = 0; i < 600; ++i) {
        std::wstring name(1, L"cab"[i % 3]);
        for (int bit = 0; bit < 9; ++bit) {
            name += ((i / 3) >> bit) & 1 ? L'X' : L'x';
        }
        many.push_back(name);
    }
    std::vector<std::wstring> expected;
    for (wchar_t group : {L'a', L'b', L'c'}) {
        std::copy_if(many.begin(), many.end(), std::back_inserter(expected),
                     [&](const std::wstring& e) { return e[0] == group; });
    }
    SortTexts(many);
    EXPECT_EQ(many, expected);
}

TEST(Text, SortsExactlyAsTheComparisonOrders) {
    std::vector<std::wstring> v{L"C:\\a-b", L"C:\\ab",     L"c:\\a'b",    L"C:\\a b",     L"C:\\A\\b", L"C:\\a_b",
                                L"C:\\a.b", L"C:\\a1",     L"C:\\a10",    L"C:\\a2",      L"ｱｲｳ",      L"アイウ",
                                L"あいう",  L"設定\\資料", L"設定",       L"ＡＢＣ",      L"abc",      L"-[Fonts]",
                                L"[Fonts]", L"x:\\dｶﾅ1",   L"x:\\dカナ1", L"x:\\d画像2f", L"",         L"~",
                                L"C:\\Ä",   L"C:\\a",      L"C:\\z",      L"C:\\Z\\1"};
    v.push_back(L"c:\\A\\B");
    // Keys longer than most: made in a second call.
    v.insert(v.end(), {std::wstring(3000, L'a') + L"b", std::wstring(3000, L'A') + L"a", std::wstring(3000, L'a')});
    std::vector<bool> repeats;
    SortTexts(v, &repeats);
    ASSERT_EQ(repeats.size(), v.size());
    for (std::size_t i = 0; i + 1 < v.size(); ++i) {
        EXPECT_LE(TextCompare(v[i], v[i + 1]), 0) << i;
        EXPECT_EQ(repeats[i + 1], TextEquals(v[i], v[i + 1])) << i;
    }
}
