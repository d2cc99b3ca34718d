// The program ended by TerminateProcess at random moments while it rewrites the database: afterwards
// uninstall.dat holds the old or the new content, never a mix or a truncation, and the next start removes
// what the ended copy left and works.
#include "RuvexWindows.h"

#include "support/TestKeys.h"

#include <cstdio>
#include <random>
#include <thread>

using namespace e2e;
namespace ids = ruvex::ids;
namespace texts = ruvex::texts;

namespace {

using Lines = std::vector<std::wstring>;
using Clock = std::chrono::steady_clock;

// option.dat with the start-up check for deleted files on or off; nothing minimised.
void Options(const std::wstring& folder, bool startupCheck) {
    WriteLines(folder + L"\\option.dat", {L"c:", L"NOTEPAD", L" 0 ", L" 1 ", L" 0 ", L" 0 ", L" 0 ", L" 0 ",
                                          startupCheck ? L" 0 " : L" 1 ", L" 0 "});
}

enum class Kind { Untidy, Gone, Tidy };

// 600 records of 80 lines: bodies out of order with doubles and empty lines (the tidy rewrites them), or the
// same without empty lines, on a drive that is away (the check for deleted files keeps them); or files that
// are gone (it drops them).
Lines Database(Kind kind) {
    std::mt19937 random(7);
    Lines lines;
    for (int r = 0; r < 600; ++r) {
        lines.push_back(L"[Soft" + std::to_wstring(r) + L"]");
        for (int f = 0; f < 80; ++f) {
            lines.push_back(kind == Kind::Gone
                                ? L"C:\\rvx-kill-gone\\" + std::to_wstring(r) + L"\\" + std::to_wstring(f)
                                : L"Q:\\away\\" + std::to_wstring(random() % 100) + L".dat");
            if (kind == Kind::Untidy && f % 10 == 0) {
                lines.emplace_back();
            }
        }
    }
    return lines;
}

constexpr const wchar_t* kVictimKey = L"Software\\RvxKillVictim";

// A record whose 100 files lie in the folder and 20 registry keys with a value each, ahead of a tidy
// database: what an uninstall removes.
Lines Victim(const std::wstring& folder) {
    CreateDirectoryW((folder + L"\\victim").c_str(), nullptr);
    Lines lines{L"[Victim]"};
    for (int f = 0; f < 100; ++f) {
        lines.push_back(folder + L"\\victim\\" + std::to_wstring(f) + L".txt");
        WriteBytes(lines.back(), "installed");
    }
    for (int k = 0; k < 20; ++k) {
        const std::wstring key = kVictimKey + (L"\\" + std::to_wstring(k));
        HKEY made = nullptr;
        RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &made, nullptr);
        RegSetValueExW(made, L"v", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"1"), 4);
        RegCloseKey(made);
        lines.push_back(L"*K:HKEY_CURRENT_USER\\" + key);
        lines.push_back(L"*V:HKEY_CURRENT_USER\\" + key + L"\\\\v");
    }
    Lines rest = Database(Kind::Tidy);
    lines.insert(lines.end(), rest.begin(), rest.end());
    return lines;
}

struct Operation {
    const char* name;
    bool startupCheck;
    std::function<Lines(const std::wstring& folder)> database;
    // Starts the rewrite in a running copy (nothing: the start-up check does it).
    std::function<void(Program&, HWND)> start;
};

bool NoTemporaryFiles(const std::wstring& folder) {
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((folder + L"\\rvx*.tmp").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) {
        return true;
    }
    FindClose(find);
    return false;
}

// Runs the operation to its end once (its new content and how long it takes), then kills it at random
// moments in that span; the number of kills and of those that hit before the new content was written.
void KillAtRandomMoments(const Operation& op, int kills, int& tried, int& early) {
    SCOPED_TRACE(op.name);
    testsupport::TempFolder folder(L"kill");
    auto lay = [&] {
        Options(folder.path(), op.startupCheck);
        WriteLines(folder.path() + L"\\uninstall.dat", op.database(folder.path()));
    };
    lay();
    const std::string old = ReadBytes(folder / L"uninstall.dat");
    CopyFileW((StageFolder() + L"\\Ruvex.exe").c_str(), (folder / L"Ruvex.exe").c_str(), FALSE);

    std::string fresh;
    Clock::duration span{};
    {
        Clock::time_point t0 = Clock::now();
        Program ruvex(folder.path(), L"Ruvex.exe", L"");
        HWND main = WaitMain(ruvex, 60s);
        ASSERT_NE(main, nullptr);
        if (op.start) {
            op.start(ruvex, main);
        }
        ASSERT_TRUE(WaitUntil([&] { return ReadBytes(folder / L"uninstall.dat") != old; }, 120s));
        span = Clock::now() - t0;
        ASSERT_TRUE(WaitUntil([&] { return !ListItems(Control(main, ids::List1)).empty(); }, 60s));
        fresh = ReadBytes(folder / L"uninstall.dat");
        if (HWND done = ruvex.WaitMessageBox(2s)) {
            Answer(done, IDOK); // the release says what it did
        }
        CloseAndExpectExit(ruvex, main);
    }
    ASSERT_NE(fresh, old);

    std::mt19937 random(static_cast<unsigned>(GetTickCount()));
    for (int k = 0; k < kills; ++k) {
        lay();
        // Every other kill lands near the moment the reference run rewrote the file.
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(span).count();
        auto at = std::chrono::milliseconds(k % 2 ? static_cast<long long>(random() % (ms + 1))
                                                  : ms * 9 / 10 + static_cast<long long>(random() % (ms / 5 + 1)));
        {
            Clock::time_point t0 = Clock::now();
            Program ruvex(folder.path(), L"Ruvex.exe", L"");
            if (op.start) {
                HWND main = WaitMain(ruvex, 60s);
                ASSERT_NE(main, nullptr);
                op.start(ruvex, main);
            }
            std::this_thread::sleep_until(t0 + at);
            ruvex.Kill();
        }
        const std::string now = ReadBytes(folder / L"uninstall.dat");
        ++tried;
        early += now == old ? 1 : 0;
        ASSERT_TRUE(now == old || now == fresh) << "kill " << k << " at " << at.count() << " ms: " << now.size()
                                                << " bytes, old " << old.size() << ", new " << fresh.size();
    }
    // The next start clears what the ended copies left and lists the database.
    Program again(folder.path(), L"Ruvex.exe", L"");
    HWND main = WaitMain(again, 60s);
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return !ListItems(Control(main, ids::List1)).empty(); }, 60s));
    EXPECT_TRUE(NoTemporaryFiles(folder.path()));
    CloseAndExpectExit(again, main);
}

} // namespace

TEST(RuvexKill, TheDatabaseIsOldOrNewWhereverTheProgramIsEnded) {
    auto kind = [](Kind k) { return [k](const std::wstring&) { return Database(k); }; };
    // Answers the box that shows text (waiting for it: a box still closing is not it) until it is gone.
    auto answer = [](Program& ruvex, const std::wstring& text, int button) {
        HWND box = nullptr;
        ASSERT_TRUE(WaitUntil([&] {
            box = ruvex.WaitMessageBox(100ms);
            return box && MessageBoxText(box) == text;
        }));
        ASSERT_TRUE(WaitUntil([&] {
            Answer(box, button);
            return WaitUntil([&] { return !IsWindow(box); }, 2s);
        }));
    };
    auto selectAndPress = [&](Program& ruvex, HWND main, int command, const std::wstring& question) {
        ClickListItem(Control(main, ids::List1), 0);
        ASSERT_TRUE(WaitUntil([&] { return Enabled(main, command); }, 30s));
        Click(main, ids::Command(command));
        answer(ruvex, question, IDYES);
    };
    const std::vector<Operation> operations{
        {"check for deleted files at start-up", true, kind(Kind::Gone), nullptr},
        {"refresh (tidy and check)", false, kind(Kind::Untidy),
         [](Program&, HWND main) { Click(main, ids::Command14); }},
        {"release", false, kind(Kind::Untidy),
         [&](Program& ruvex, HWND main) {
             selectAndPress(ruvex, main, 12, std::wstring(L"Soft0") + texts::ReleaseQuestionSuffix);
         }},
        {"uninstall", false, Victim,
         [&](Program& ruvex, HWND main) {
             selectAndPress(ruvex, main, 3, std::wstring(L"Victim") + texts::UninstallQuestionSuffix);
             answer(ruvex, texts::CannotUndo, IDOK);
         }},
    };
    int tried = 0;
    int early = 0;
    for (const auto& op : operations) {
        KillAtRandomMoments(op, 10, tried, early);
    }
    testsupport::DeleteTestKey(HKEY_CURRENT_USER, kVictimKey);
    std::printf("kill points tried: %d (%d before the rewrite, %d after)\n", tried, early, tried - early);
}
