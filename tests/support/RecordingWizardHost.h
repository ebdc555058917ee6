#pragma once
// Test doubles around a wizard sheet: a host that holds posted buttons until the test flushes
// them (as the window applies them only after the handler returns) and runs page timers on
// demand, and a main window that records the services the pages ask for.
#include <cstdint>
#include <map>
#include <set>
#include <optional>
#include <string>
#include <vector>

#include "session/PinwardenServices.h"
#include "wizards/WizardSheet.h"

namespace zt40 {

class RecordingWizardHost : public IWizardHost {
public:
    struct Timer {
        std::uint32_t id = 0;
        std::uint32_t periodMs = 0;
    };

    void PostWizardButtons(std::uint32_t buttons) override { m_pending.push_back(buttons); }
    std::uint32_t SetTimer(CWizardPage& page, std::uint32_t id, std::uint32_t periodMs) override {
        if (m_timersFail) return 0;
        m_timers[&page] = {id, periodMs};
        return id;
    }
    void KillTimer(CWizardPage& page, std::uint32_t timerId) override {
        auto it = m_timers.find(&page);
        if (it != m_timers.end() && it->second.id == timerId) m_timers.erase(it);
    }

    MbResult Ask(const Message& question, MbButtons, MbIcon) override {
        asked.push_back(question.English());
        return answer;
    }
    void ShowOutcome(const Outcome& outcome) override {
        outcomes.push_back((outcome.failed ? "failed: " : "done: ") + outcome.what.English() +
                           (outcome.why ? " | " + outcome.why->English() : std::string()));
    }
    std::vector<std::string> asked;     // the questions' English, in order
    MbResult answer = MbResult::Yes;    // what every question is answered
    std::vector<std::string> outcomes;  // "done: ..." or "failed: ... | why"

    // Applies what was posted, in order; the last post wins.
    void Flush() {
        for (const std::uint32_t buttons : m_pending) m_buttons = buttons;
        m_pending.clear();
    }
    std::optional<std::uint32_t> Buttons() const { return m_buttons; }
    const std::vector<std::uint32_t>& Pending() const { return m_pending; }

    std::optional<Timer> RunningTimer(CWizardPage& page) const {
        auto it = m_timers.find(&page);
        if (it == m_timers.end()) return std::nullopt;
        return it->second;
    }
    // One period of the page's timer, if it runs, then the posts applied.
    void Tick(CWizardPage& page) {
        if (auto timer = RunningTimer(page)) page.OnTimer(timer->id);
        Flush();
    }
    void SetTimersFail(bool fail) { m_timersFail = fail; }

private:
    std::vector<std::uint32_t> m_pending;
    std::optional<std::uint32_t> m_buttons;
    std::map<CWizardPage*, Timer> m_timers;
    bool m_timersFail = false;
};

class RecordingServices : public IPinwardenServices {
public:
    explicit RecordingServices(std::string printerName) : m_printerName(std::move(printerName)) {}

    bool MoveHeadToCentre() override { return Call("move"); }
    bool ResetPinSettings() override { return Call("reset settings"); }
    bool ResetPinCounters() override { return Call("reset counters"); }
    bool ApplyPinAdjustments(std::span<const std::int32_t, kPinCount> values) override {
        m_applied.emplace_back(values.begin(), values.end());
        return Call("apply");
    }
    // The services by name ("move", "apply", ...) that report a failure from now on.
    std::set<std::string> failing;
    std::string GetPrinterName() const override { return m_printerName; }

    const std::vector<std::string>& Calls() const { return m_calls; }
    const std::vector<std::vector<std::int32_t>>& Applied() const { return m_applied; }
    void ClearCalls() { m_calls.clear(); }

private:
    bool Call(const std::string& name) {
        m_calls.push_back(name);
        return failing.count(name) == 0;
    }

    std::string m_printerName;
    std::vector<std::string> m_calls;
    std::vector<std::vector<std::int32_t>> m_applied;
};

}  // namespace zt40
