// The one reading of the status word, and the one rule that says which queue is usable.
#include <gtest/gtest.h>

#include "session/QueueRule.h"
#include "types/PrinterStatus.h"

namespace zt40 {
namespace {

struct StatusCase {
    const char* name;
    std::uint16_t raw;
    std::optional<std::uint8_t> replyState;
    PrinterState poll;   // by LowBitsAreOne
    PrinterState write;  // by StatusIsOne
};

class PrinterStatusClassification : public ::testing::TestWithParam<StatusCase> {};

TEST_P(PrinterStatusClassification, ByEachRule) {
    const StatusCase& c = GetParam();
    const PrinterStatus status(c.raw, c.replyState);
    EXPECT_EQ(status.State(ReadyRule::LowBitsAreOne), c.poll);
    EXPECT_EQ(status.State(ReadyRule::StatusIsOne), c.write);
    EXPECT_EQ(status.Raw(), c.raw);
    EXPECT_EQ(status.IsReady(ReadyRule::LowBitsAreOne), c.poll == PrinterState::Ready);
}

using S = PrinterState;
INSTANTIATE_TEST_SUITE_P(
    Words, PrinterStatusClassification,
    ::testing::Values(StatusCase{"one", 0x0001, {}, S::Ready, S::Ready},
                      // Low bits 01 with other bits set: the poll accepts it, a write waits on.
                      StatusCase{"five", 0x0005, {}, S::Ready, S::Busy},
                      StatusCase{"highBitsLowOne", 0xFFFD, {}, S::Ready, S::Busy},
                      StatusCase{"zero", 0x0000, {}, S::Busy, S::Busy},
                      StatusCase{"two", 0x0002, {}, S::Busy, S::Busy},
                      StatusCase{"three", 0x0003, {}, S::Busy, S::Busy},
                      // 0xFFFF has low bits 11, but it is the word of no answer, never a status.
                      StatusCase{"noAnswer", kStatusUnknown, {}, S::NoAnswer, S::NoAnswer},
                      StatusCase{"noAnswerSuccessState", kStatusUnknown, std::uint8_t{0}, S::NoAnswer, S::NoAnswer},
                      StatusCase{"errorState", kStatusUnknown, std::uint8_t{5}, S::ErrorState, S::ErrorState},
                      // A reply state beside a real status word is no error.
                      StatusCase{"answeredWithState", 0x0002, std::uint8_t{5}, S::Busy, S::Busy}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(PrinterStatus, ErrorCodeOnlyForAnUnansweredWord) {
    EXPECT_EQ(PrinterStatus(kStatusUnknown, 7).ErrorCode(), std::optional<std::uint8_t>(7));
    EXPECT_EQ(PrinterStatus(0x0001, 7).ErrorCode(), std::nullopt);
    EXPECT_FALSE(PrinterStatus().Answered()) << "a status never read is no answer";
}

struct QueueCase {
    const char* name;
    const char* driver;
    const char* port;
    std::uint32_t attributes;
    QueueUnusable why;
};

class QueueRuleReasons : public ::testing::TestWithParam<QueueCase> {};

TEST_P(QueueRuleReasons, FirstReasonInOrder) {
    const QueueCase& c = GetParam();
    const QueueInfo queue{"Q", c.port, c.driver, c.attributes};
    EXPECT_EQ(WhyQueueUnusable(queue), c.why);
    EXPECT_EQ(MatchesPrinterQueue(queue), c.why == QueueUnusable::None);
}

constexpr std::uint32_t kOffline = kPrinterAttributeWorkOffline;
constexpr std::uint32_t kNetwork = kPrinterAttributeNetwork;

INSTANTIATE_TEST_SUITE_P(
    Queues, QueueRuleReasons,
    ::testing::Values(QueueCase{"usable", "Velmora ZT-40", "USB001", 0, QueueUnusable::None},
                      QueueCase{"driverAnyCase", "vELMORA zt-40", "USB001", 0, QueueUnusable::None},
                      QueueCase{"otherBitsIgnored", "Velmora ZT-40", "USB001", 0x4, QueueUnusable::None},
                      QueueCase{"otherDriver", "Velmora ZT-41", "USB001", 0, QueueUnusable::OtherDriver},
                      QueueCase{"driverPrefixOnly", "Velmora ZT-40 ", "USB001", 0, QueueUnusable::OtherDriver},
                      // The driver is asked first: a foreign queue is foreign whatever its port.
                      QueueCase{"otherDriverOffline", "Other", "LPT1", kOffline, QueueUnusable::OtherDriver},
                      QueueCase{"lowerCaseUsb", "Velmora ZT-40", "usb001", 0, QueueUnusable::NotUsb},
                      QueueCase{"usbInside", "Velmora ZT-40", "dev/USB/lp0", 0, QueueUnusable::None},
                      QueueCase{"emptyPort", "Velmora ZT-40", "", 0, QueueUnusable::NotUsb},
                      QueueCase{"network", "Velmora ZT-40", "USB001", kNetwork, QueueUnusable::Network},
                      QueueCase{"networkAndOffline", "Velmora ZT-40", "USB001", kNetwork | kOffline,
                                QueueUnusable::Network},
                      QueueCase{"offline", "Velmora ZT-40", "USB001", kOffline, QueueUnusable::Offline}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(QueueRule, UsableNamesAreSortedAndOnlyUsable) {
    const std::vector<QueueInfo> queues{{"b", "USB1", "Velmora ZT-40", 0},
                                        {"c", "USB2", "Velmora ZT-40", kOffline},
                                        {"a", "USB3", "velmora zt-40", 0},
                                        {"d", "LPT1", "Velmora ZT-40", 0}};
    EXPECT_EQ(UsableQueueNames(queues), (std::vector<std::string>{"a", "b"}));
}

}  // namespace
}  // namespace zt40
