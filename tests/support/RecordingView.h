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
    void AppendMenuItem(int commandId, Text text) override { menu.push_back({commandId, text.source}); }

    MbResult ShowMessage(const Message& message, MbButtons buttons, MbIcon icon) override {
        boxes.push_back({message, buttons, icon});
        if (whileBoxOpen) whileBoxOpen();
        if (answers.empty()) return MbResult::Ok;
        const MbResult answer = answers.front();
        answers.pop_front();
        return answer;
    }

    // Keeps what each render changed, as a window's controls would have shown it in turn.
    void Render(const MainWindowState& state) override {
        const MainWindowState before = shown.value_or(MainWindowState{});
        const bool first = !shown;
        shown = state;
        caption = state.caption.English();
        for (const int id : {IDC_CLEANING, IDC_REPLACE_HEAD, IDC_READJUST_PINS, IDC_REFRESH}) {
            enabled[id] = state.actionsEnabled;
        }
        for (const int id : IDC_PIN_RADIOS) enabled[id] = state.actionsEnabled;
        enabled[IDC_APPLY_PIN_CHANGE] = state.applyEnabled;
        enabled[IDC_PRINTER_LIST] = state.printerListEnabled;
        menuEnabled[IDM_RESTORE_SETTINGS] = state.actionsEnabled;
        statusLine = state.statusLine.English();
        reason = state.reason ? std::optional<std::string>(state.reason->English()) : std::nullopt;
        if (state.note && (first || before.note != state.note)) {
            outcomes.push_back(state.note->English());
            outcomeFailed.push_back(false);
        }
        if (first || before.data != state.data) pushed.push_back(state.data);
        if (state.wait && (first || before.wait != state.wait)) {
            waits.push_back(state.wait->doing.English() + (state.wait->cancellable ? " [Cancel]" : ""));
            waitOpen = true;
            if (whileWaitShown) whileWaitShown(waits.back());
        }
        waitOpen = state.wait.has_value();
        waitDepth = state.busy ? 1 : 0;
    }
    void TellFailure(const Message& what, const std::optional<Message>& why) override {
        outcomes.push_back(what.English() + (why ? " | " + why->English() : std::string()));
        outcomeFailed.push_back(true);
    }
    void NotifyWear(const std::vector<BandCrossing>& crossings) override { wearNotices.push_back(crossings); }
    void Repaint() override { ++repaints; }
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
    std::vector<std::string> outcomes;  // "what | why": each failure, and each done note as it appeared
    std::vector<bool> outcomeFailed;
    std::optional<MainWindowState> shown;
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
