// Why no queue could be used: the queue nearest to the rule, and the status line's words for it.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "session/QueueRule.h"

namespace zt40::testing {
namespace {

constexpr std::uint32_t kOffline = kPrinterAttributeWorkOffline;
constexpr std::uint32_t kNetwork = kPrinterAttributeNetwork;

QueueInfo Zt(std::string name, std::string port = "USB001", std::uint32_t attributes = 0) {
    return {std::move(name), std::move(port), "Velmora ZT-40", attributes};
}
QueueInfo Other(std::string name) { return {std::move(name), "USB002", "Other Printer", 0}; }

struct NearestCase {
    const char* name;
    std::vector<QueueInfo> queues;
    std::optional<std::string> only;
    QueueUnusable why;
    const char* queue;   // the queue named, empty for none
    const char* reason;  // a part of the status line's reason
};

class NearestQueueReason : public ::testing::TestWithParam<NearestCase> {};

TEST_P(NearestQueueReason, NamesTheQueueAndWhatToDo) {
    const NearestCase& c = GetParam();
    const NearestQueue nearest = FindNearestQueue(c.queues, c.only);
    EXPECT_EQ(nearest.why, c.why);
    EXPECT_EQ(nearest.name, c.queue);
    const std::string reason = NoQueueReason(nearest, c.only).English();
    EXPECT_NE(reason.find(c.reason), std::string::npos) << reason;
}

INSTANTIATE_TEST_SUITE_P(
    Queues, NearestQueueReason,
    ::testing::Values(
        NearestCase{"removed", {}, std::nullopt, QueueUnusable::OtherDriver, "", "No print queue uses the \"Velmora ZT-40\""},
        // Another make's queue is no ZT-40 queue: the reason is still that none is installed.
        NearestCase{"onlyOtherMakes", {Other("Office")}, std::nullopt, QueueUnusable::OtherDriver, "", "add a queue"},
        NearestCase{"paused", {Zt("ZT-40", "USB001", kOffline)}, std::nullopt, QueueUnusable::Offline, "ZT-40",
                    "The queue ZT-40 is paused or offline"},
        NearestCase{"network", {Zt("Far", "USB001", kNetwork)}, std::nullopt, QueueUnusable::Network, "Far",
                    "network queue"},
        NearestCase{"notUsb", {Zt("Serial", "COM1")}, std::nullopt, QueueUnusable::NotUsb, "Serial", "USB port"},
        // A paused queue is nearer than a network one, whichever is listed first.
        NearestCase{"offlineBeforeNetwork",
                    {Zt("A-net", "USB001", kNetwork), Zt("B-serial", "LPT1"), Zt("C-paused", "USB003", kOffline)},
                    std::nullopt, QueueUnusable::Offline, "C-paused", "C-paused is paused"},
        NearestCase{"firstOfEqualDistance",
                    {Zt("First", "USB001", kOffline), Zt("Second", "USB002", kOffline)}, std::nullopt,
                    QueueUnusable::Offline, "First", "First"},
        NearestCase{"namedMissing", {Zt("ZT-40", "USB001", kOffline)}, std::string("Lab"), QueueUnusable::OtherDriver, "",
                    "no print queue named \"Lab\""},
        NearestCase{"namedOtherDriver", {Other("Office"), Zt("ZT-40")}, std::string("office"), QueueUnusable::OtherDriver,
                    "Office", "Office does not use the \"Velmora ZT-40\" driver"},
        NearestCase{"namedPaused", {Zt("ZT-40"), Zt("Lab", "USB002", kOffline)}, std::string("Lab"),
                    QueueUnusable::Offline, "Lab", "Lab is paused"}),
    [](const auto& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace zt40::testing
