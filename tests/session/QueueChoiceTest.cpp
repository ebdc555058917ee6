// Choosing the queue for zt40ctl and telling a silent spooler from one without a ZT-40 queue.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/sim/SimSpooler.h"
#include "session/QueueRule.h"
#include "support/SwitchableSpooler.h"

namespace zt40::testing {
namespace {

struct ChoiceCase {
    const char* name;
    bool spoolerDown;
    std::vector<QueueInfo> queues;
    std::optional<std::string> named;
    QueueChoiceStatus status;
    std::string chosen;
};

class QueueChoiceRule : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(QueueChoiceRule, ChoosesOrSaysWhy) {
    const ChoiceCase& c = GetParam();
    SimSpooler sim;
    for (const auto& queue : c.queues) sim.AddQueue(queue);
    SwitchableSpooler spooler(sim);
    spooler.down = c.spoolerDown;
    const QueueChoice choice = ChooseQueue(spooler, c.named);
    EXPECT_EQ(choice.status, c.status);
    EXPECT_EQ(choice.name, c.chosen);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, QueueChoiceRule,
    ::testing::Values(
        ChoiceCase{"first", false, {ZtQueue("B"), ZtQueue("A")}, {}, QueueChoiceStatus::Chosen, "B"},
        ChoiceCase{"skipsOffline", false, {ZtQueue("B", "S", kPrinterAttributeWorkOffline), ZtQueue("A")}, {},
                   QueueChoiceStatus::Chosen, "A"},
        ChoiceCase{"none", false, {ZtQueue("B", "S", kPrinterAttributeNetwork)}, {}, QueueChoiceStatus::NoUsableQueue, ""},
        ChoiceCase{"empty", false, {}, {}, QueueChoiceStatus::NoUsableQueue, ""},
        ChoiceCase{"spoolerDown", true, {ZtQueue("A")}, {}, QueueChoiceStatus::SpoolerUnreachable, ""},
        // A named queue need not pass the rule, but must exist; its name as the spooler spells it.
        ChoiceCase{"namedWins", false, {ZtQueue("A"), ZtQueue("Mine", "S", kPrinterAttributeNetwork)},
                   std::string("Mine"), QueueChoiceStatus::Chosen, "Mine"},
        ChoiceCase{"namedAnyCase", false, {ZtQueue("Mine")}, std::string("mINE"), QueueChoiceStatus::Chosen, "Mine"},
        ChoiceCase{"namedUnknown", false, {ZtQueue("A")}, std::string("Min"), QueueChoiceStatus::NoSuchQueue, ""},
        ChoiceCase{"namedSpoolerDown", true, {ZtQueue("Mine")}, std::string("Mine"),
                   QueueChoiceStatus::SpoolerUnreachable, ""}),
    [](const auto& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace zt40::testing
