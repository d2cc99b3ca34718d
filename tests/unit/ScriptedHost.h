// A run host for engine tests: records what a run reports and answers from a script.
#pragma once

#include "uninstaller/monitor/RunHost.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace testsupport {

class ScriptedHost final : public ruvex::RunHost {
public:
    struct Position {
        ruvex::ProgressBar bar;
        double pos;
    };
    std::vector<double> maxima;
    std::vector<Position> positions;
    std::vector<std::wstring> labels;
    std::vector<std::wstring> messages;
    std::vector<std::wstring> questions;
    std::deque<ruvex::Answer> answers; // consumed by Ask; No when empty
    std::deque<std::wstring> inputs;   // consumed by AskText; empty text when empty
    int stopAfter = -1;                // StopPoint returns true after this many calls (-1: never)
    std::function<void()> atStopPoint; // runs at every stop point: the world changing while a run goes on
    int stopPoints = 0;
    int fullBars = 0;
    int eventPumps = 0;
    std::wstring inHand;
    std::vector<ruvex::RunPhase> phases;
    std::vector<std::wstring> sections;
    const ruvex::WalkLists* followed = nullptr;
    int followEnds = 0;
    bool waitWindowShown = false;
    bool busy = false;

    void SetProgressMax(double max) override { maxima.push_back(max); }
    void SetProgressPos(ruvex::ProgressBar bar, double pos) override { positions.push_back({bar, pos}); }
    void PMax() override { ++fullBars; }
    void SetWaitLabel(std::wstring_view text) override { labels.emplace_back(text); }
    void ShowWaitWindow(bool show) override { waitWindowShown = show; }
    void SetBusy(bool b) override { busy = b; }
    void InHand(std::wstring_view text) override { inHand = text; }
    void ProcessEvents() override { ++eventPumps; }
    bool StopPoint() override {
        if (atStopPoint) {
            atStopPoint();
        }
        return ++stopPoints > stopAfter && stopAfter >= 0;
    }
    ruvex::Answer Ask(std::wstring_view text, std::wstring_view, ruvex::QuestionKind) override {
        questions.emplace_back(text);
        if (answers.empty()) {
            return ruvex::Answer::No;
        }
        auto a = answers.front();
        answers.pop_front();
        return a;
    }
    void Message(std::wstring_view text, std::wstring_view, ruvex::MessageKind) override {
        messages.emplace_back(text);
    }
    void BeginPhase(ruvex::RunPhase phase) override { phases.push_back(phase); }
    void FollowLists(ruvex::WalkLists* lists) override {
        followed = lists;
        followEnds += lists ? 0 : 1;
    }
    void ShowSections(const std::vector<std::wstring>& s) override { sections = s; }
    // The name prompt: the next input, asked again while it is empty (an empty script ends as a closing
    // program does).
    std::wstring SoftwareName() override {
        while (!inputs.empty()) {
            std::wstring name = AskText(L"name", L"");
            if (!name.empty()) {
                return name;
            }
        }
        return {};
    }
    std::wstring AskText(std::wstring_view prompt, std::wstring_view) override {
        questions.emplace_back(prompt);
        if (inputs.empty()) {
            return {};
        }
        auto s = inputs.front();
        inputs.pop_front();
        return s;
    }
};

} // namespace testsupport
