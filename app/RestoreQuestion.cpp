#include "app/RestoreQuestion.h"

#include <array>

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

}  // namespace

std::optional<Message> RestoreQuestion(const RestoreOutcome& planned) {
    const RestorePlan& plan = planned.plan;
    if (!plan.settings && !plan.counters) return std::nullopt;
    const std::size_t groups = !plan.counters ? 0 : !plan.settings ? 1 : 2;
    const Text question = kRestoreQuestions[groups][plan.fromRecord ? 0 : 1];
    return plan.fromRecord ? Message::Of(question, {planned.path}) : Message::Of(question);
}

}  // namespace zt40
