#include "app/RestoreQuestion.h"

#include "app/ActionTexts.h"

#include <array>
#include <string>

namespace zt40 {

namespace {

// Restore's question: [from the record (%1 its file), from the defaults] by the groups it writes.
constexpr std::array<std::array<Text, 2>, 3> kRestoreQuestions{{
    {ZT40_TR("CPinwardenDlg", "The printer's pin settings are out of range. Write those of the last usable record in %1?"),
     ZT40_TR("CPinwardenDlg", "The printer's pin settings are out of range. Write the default pin settings?")},
    {ZT40_TR("CPinwardenDlg", "The printer's usage counters are out of range. Write those of the last usable record in %1?"),
     ZT40_TR("CPinwardenDlg", "The printer's usage counters are out of range. Write the default usage counters?")},
    {ZT40_TR("CPinwardenDlg",
             "The printer's pin settings and usage counters are out of range. Write those of the last usable record in %1?"),
     ZT40_TR("CPinwardenDlg",
             "The printer's pin settings and usage counters are out of range. Write the default pin settings and usage "
             "counters?")},
}};

// The end of a restore, by the same index.
constexpr std::array<std::array<Text, 2>, 3> kRestoredTexts{{
    {ZT40_TR("CPinwardenDlg", "The pin settings of the record of %1 were written."),
     ZT40_TR("CPinwardenDlg", "The default pin settings were written.")},
    {ZT40_TR("CPinwardenDlg", "The usage counters of the record of %1 were written."),
     ZT40_TR("CPinwardenDlg", "The default usage counters were written.")},
    {ZT40_TR("CPinwardenDlg", "The pin settings and usage counters of the record of %1 were written."),
     ZT40_TR("CPinwardenDlg", "The default pin settings and usage counters were written.")},
}};

constexpr Text kFromRecord = ZT40_TR("CPinwardenDlg", "The record of %1 holds (now -> written):");
constexpr Text kFromDefaults = ZT40_TR("CPinwardenDlg", "The defaults are (now -> written):");
constexpr Text kNoChange = ZT40_TR("CPinwardenDlg", "Every value stays as it is.");
constexpr Text kFailsRange =
    ZT40_TR("CPinwardenDlg", "The record's pin settings fail the range check: they would not be written.");
// One field that would change, named as the command line's preview names it; a field of nine
// values lists them all, pin 1 first.
constexpr Text kWordPair = ZT40_TR("CPinwardenDlg", "word pair: %1 -> %2");
constexpr Text kSelectedPin = ZT40_TR("CPinwardenDlg", "selected pin: %1 -> %2");
constexpr Text kAdjustment = ZT40_TR("CPinwardenDlg", "adjustment (pins 1-9): %1 -> %2");
constexpr Text kTotalCounter = ZT40_TR("CPinwardenDlg", "total counter: %1 -> %2");
constexpr Text kPinCounter = ZT40_TR("CPinwardenDlg", "pin counter (pins 1-9): %1 -> %2");
constexpr Text kHeadCounter = ZT40_TR("CPinwardenDlg", "head counter: %1 -> %2");

std::size_t GroupsIndex(const RestorePlan& plan) { return !plan.counters ? 0 : !plan.settings ? 1 : 2; }

template <typename Value, std::size_t N>
std::string Joined(const std::array<Value, N>& values) {
    std::string out;
    for (const Value v : values) out += (out.empty() ? "" : " ") + std::to_string(v);
    return out;
}

template <typename Value, std::size_t N>
void AddChange(Message& to, Text text, const std::array<Value, N>& before, const std::array<Value, N>& after) {
    if (before != after) to.then.push_back(Message::Line(text, {Joined(before), Joined(after)}));
}

void AddChange(Message& to, Text text, long long before, long long after) {
    if (before != after) to.then.push_back(Message::Line(text, {std::to_string(before), std::to_string(after)}));
}

// Each field that the plan would change.
Message Changes(const RestoreOutcome& planned, const GroupCopies& now) {
    const RestorePlan& plan = planned.plan;
    Message list = plan.fromRecord ? Message::Of(kFromRecord, {planned.recordDate}) : Message::Of(kFromDefaults);
    if (const auto& to = plan.settings) {
        AddChange(list, kWordPair, now.settings.WordPair, to->WordPair);
        AddChange(list, kSelectedPin, now.settings.SelectedPin, to->SelectedPin);
        AddChange(list, kAdjustment, now.settings.PinAdjustments, to->PinAdjustments);
        if (!IsValidPinSettings(*to)) list.then.push_back(Message::Line(kFailsRange));
    }
    if (const auto& to = plan.counters) {
        AddChange(list, kTotalCounter, now.counters.TotalCounter, to->TotalCounter);
        AddChange(list, kPinCounter, now.counters.PinCounter, to->PinCounter);
        AddChange(list, kHeadCounter, now.counters.HeadCounters[0], to->HeadCounters[0]);
    }
    if (list.then.empty()) list.then.push_back(Message::Line(kNoChange));
    return list;
}

}  // namespace

std::optional<Message> RestoreQuestion(const RestoreOutcome& planned, const GroupCopies& now) {
    const RestorePlan& plan = planned.plan;
    if (!plan.settings && !plan.counters) return std::nullopt;
    const Text question = kRestoreQuestions[GroupsIndex(plan)][plan.fromRecord ? 0 : 1];
    const Message asked = plan.fromRecord ? Message::Of(question, {planned.path}) : Message::Of(question);
    return asked.Then(Changes(planned, now));
}

std::optional<Outcome> RestoreEnd(const RestoreOutcome& restored, const std::optional<Message>& waitFailure) {
    if (restored.basis == RestoreBasis::NothingNeeded) return Outcome::Done(Message::Of(kNothingToRestore));
    if (restored.basis == RestoreBasis::FileUnreadable) return std::nullopt;
    const RestorePlan& plan = restored.plan;
    if ((plan.settings && !restored.settingsWritten) || (plan.counters && !restored.countersWritten)) {
        return Outcome::Failed(Message::Of(kNotRestored), waitFailure);
    }
    const Text done = kRestoredTexts[GroupsIndex(plan)][plan.fromRecord ? 0 : 1];
    return Outcome::Done(plan.fromRecord ? Message::Of(done, {restored.recordDate}) : Message::Of(done));
}

}  // namespace zt40
