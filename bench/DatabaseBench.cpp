// Times the database tidy (Seiri) and the missing-file check (Killed) on a database of 200,000 lines in 500
// records, half of whose files are missing, against a bare read and rewrite of the same file (for the check,
// plus one existence test per line), side by side in one run.
#include "BenchSupport.h"
#include "support/TempFolder.h"
#include "uninstaller/monitor/tidy.h"

#include <algorithm>

using namespace bench;

namespace {

// A host that shows nothing: the engine's own cost.
class QuietHost final : public ruvex::RunHost {
public:
    void SetProgressMax(double) override {}
    void SetProgressPos(ruvex::ProgressBar, double) override {}
    void PMax() override {}
    void SetWaitLabel(std::wstring_view) override {}
    void ShowWaitWindow(bool) override {}
    void SetBusy(bool) override {}
    void InHand(std::wstring_view) override {}
    void ProcessEvents() override {}
    bool StopPoint() override { return false; }
    ruvex::Answer Ask(std::wstring_view, std::wstring_view, ruvex::QuestionKind) override { return ruvex::Answer::No; }
    void Message(std::wstring_view, std::wstring_view, ruvex::MessageKind) override {}
    std::wstring AskText(std::wstring_view, std::wstring_view) override { return {}; }
    void BeginPhase(ruvex::RunPhase) override {}
    void FollowLists(ruvex::WalkLists*) override {}
    void ShowSections(const std::vector<std::wstring>&) override {}
    std::wstring SoftwareName() override { return {}; }
};

// The baseline: the file's lines converted in, (tested,) converted out and written through a temporary file
// that then replaces the original.
void BareRewrite(const std::wstring& path, bool testEach) {
    const std::string bytes = BareRead(path);
    std::vector<std::wstring> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r') {
            int n = MultiByteToWideChar(CP_ACP, 0, bytes.data() + start, static_cast<int>(i - start), nullptr, 0);
            std::wstring line(static_cast<std::size_t>(n), L'\0');
            MultiByteToWideChar(CP_ACP, 0, bytes.data() + start, static_cast<int>(i - start), line.data(), n);
            if (testEach && line[0] != L'[') {
                (void)GetFileAttributesW(line.c_str());
            }
            lines.push_back(std::move(line));
            start = i + 2;
        }
    }
    std::string out;
    for (const auto& line : lines) {
        int n =
            WideCharToMultiByte(CP_ACP, 0, line.data(), static_cast<int>(line.size()), nullptr, 0, nullptr, nullptr);
        std::size_t at = out.size();
        out.resize(at + static_cast<std::size_t>(n));
        WideCharToMultiByte(CP_ACP, 0, line.data(), static_cast<int>(line.size()), out.data() + at, n, nullptr,
                            nullptr);
        out += "\r\n";
    }
    std::wstring temp = path + L".tmp";
    {
        ruvex::FileHandle file(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        DWORD put = 0;
        WriteFile(file.get(), out.data(), static_cast<DWORD>(out.size()), &put, nullptr);
        FlushFileBuffers(file.get());
    }
    MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

} // namespace

int main() {
    if (!DrivePresent(L"X:\\")) {
        Fail("drive X: is not mapped: run scripts/bench");
    }
    testsupport::TempFolder data(L"rvxdb");
    const std::wstring original = data / L"original.dat";
    const std::wstring database = data / L"uninstall.dat";
    e2e::WriteLines(original, MakeDatabase(500, 400));
    QuietHost host;
    const int rounds = RoundCount(3);
    for (bool check : {false, true}) {
        Rounds measured;
        for (int round = 0; round < rounds; ++round) {
            CopyFileW(original.c_str(), database.c_str(), FALSE);
            double bare = Seconds([&] { BareRewrite(database, check); });
            CopyFileW(original.c_str(), database.c_str(), FALSE);
            double ours = Seconds([&] {
                if (!(check ? ruvex::Killed(data.path(), host) : ruvex::Seiri(data.path(), host))) {
                    Fail("the database could not be rewritten");
                }
            });
            measured.Add(ours, bare);
            std::printf("%s, round %d: bare %.2f s, ours %.2f s, %zu lines left\n", check ? "Killed" : "Seiri",
                        round + 1, bare, ours, e2e::ReadLines(database).size());
        }
        measured.Print(check ? "missing-file check (Killed), 200,000 lines" : "tidy (Seiri), 200,000 lines",
                       check ? 0.2 : 2.0);
    }
    return 0;
}
