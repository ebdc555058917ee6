#pragma once
// A window that remembers what the dialog asked of it, answers message boxes and wizards from
// a script, and can run a hook while a box is open (as a poll tick would arrive then).
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/ControlIds.h"
#include "app/PinwardenView.h"

namespace zt40::testing {

class RecordingView : public IPinwardenView {
public:
    struct Box {
        Message message;
        MbButtons buttons;
        MbIcon icon;
    };

    int StartTimer(int timerId, std::uint32_t periodMs) override {
        timers[timerId] = periodMs;
        return timerId;
    }
    void StopTimer(int timerId) override {
        timers.erase(timerId);
        stoppedTimers.push_back(timerId);
    }
    void SetCaption(const std::string& text) override { caption = text; }
    void EnableControl(int controlId, bool enable) override { enabled[controlId] = enable; }
    void AppendMenuItem(int commandId, Text text) override { menu.push_back({commandId, text.source}); }
    void EnableMenuItem(int commandId, bool enable) override { menuEnabled[commandId] = enable; }

    MbResult ShowMessage(const Message& message, MbButtons buttons, MbIcon icon) override {
        boxes.push_back({message, buttons, icon});
        if (whileBoxOpen) whileBoxOpen();
        if (answers.empty()) return MbResult::Ok;
        const MbResult answer = answers.front();
        answers.pop_front();
        return answer;
    }

    void UpdateControls(const DialogData& data) override { pushed.push_back(data); }
    void NotifyWear(const std::vector<BandCrossing>& crossings) override { wearNotices.push_back(crossings); }
    void Repaint() override { ++repaints; }
    void SetWaitCursor(bool busy) override { waitDepth += busy ? 1 : -1; }
    void SetStatusLine(const Message& line, const std::optional<Message>& why) override {
        statusLine = line.English();
        reason = why ? std::optional<std::string>(why->English()) : std::nullopt;
    }
    void ShowOutcome(const Outcome& outcome) override {
        outcomes.push_back(outcome.what.English() + (outcome.why ? " | " + outcome.why->English() : std::string()));
        outcomeFailed.push_back(outcome.failed);
    }
    void BeginWait(const Message& doing, bool cancellable) override {
        waits.push_back(doing.English() + (cancellable ? " [Cancel]" : ""));
        waitOpen = true;
        if (whileWaitShown) whileWaitShown(waits.back());
    }
    void EndWait() override { waitOpen = false; }
    void ShowAbout() override { ++aboutBoxes; }
    int RunWizard(WizardKind kind) override {
        wizards.push_back(kind);
        if (whileWizardOpen) whileWizardOpen();
        return wizardResult;
    }
    void DestroyWindow() override { destroyed = true; }

    // True when a control is enabled; a control never touched counts as enabled, as a new window's do.
    bool IsEnabled(int controlId) const {
        const auto it = enabled.find(controlId);
        return it == enabled.end() || it->second;
    }
    std::vector<std::string> BoxTexts() const {
        std::vector<std::string> texts;
        for (const auto& box : boxes) texts.push_back(box.message.English());
        return texts;
    }

    std::map<int, std::uint32_t> timers;
    std::vector<int> stoppedTimers;
    std::string caption;
    std::map<int, bool> enabled;
    std::vector<std::pair<int, std::string>> menu;
    std::map<int, bool> menuEnabled;
    std::vector<Box> boxes;
    std::deque<MbResult> answers;
    std::function<void()> whileBoxOpen;
    std::vector<DialogData> pushed;
    std::vector<std::vector<BandCrossing>> wearNotices;
    int repaints = 0;
    int waitDepth = 0;
    std::string statusLine;
    std::optional<std::string> reason;
    std::vector<std::string> outcomes;  // "what | why"
    std::vector<bool> outcomeFailed;
    std::vector<std::string> waits;     // each text a wait showed, "[Cancel]" when offered
    bool waitOpen = false;
    std::function<void(const std::string& doing)> whileWaitShown;
    int aboutBoxes = 0;
    std::vector<WizardKind> wizards;
    int wizardResult = ID_WIZFINISH;
    std::function<void()> whileWizardOpen;
    bool destroyed = false;
};

}  // namespace zt40::testing
