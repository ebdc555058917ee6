#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <deque>
#include <optional>

#include "device/CHeadDevice.h"
#include "support/MockChannel.h"

namespace zt40 {
namespace {

using ::testing::_;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::NiceMock;
using ::testing::Return;
using namespace zt40::testing;

using Bytes = std::vector<std::uint8_t>;

Bytes Head(const Bytes& bytes, std::size_t n) { return Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n)); }

class SteppingClock : public IClock {
public:
    std::uint32_t NowMs() override { return now += step; }
    void Pause(std::uint32_t ms) override {
        now += ms;
        ++pauses;
    }
    int pauses = 0;
    std::uint32_t now = 0xFFFFF000u;  // close to the wrap, which the elapsed time must survive
    std::uint32_t step = 7;
};

class NullSpooler : public ISpooler {
public:
    bool EnumLocalQueues(std::vector<QueueInfo>&) override { return false; }
    std::unique_ptr<ISpoolerQueue> OpenQueue(std::string_view) override { return nullptr; }
    std::string LastErrorText() override { return {}; }
};

// Exposes the frame primitives whose limits are part of the protocol.
class ProtocolUnderTest : public CHeadDevice {
public:
    using CHeadDevice::CHeadDevice;
    using CHeadDevice::SendShort16;
    using CHeadDevice::SendShort32;
    using CHeadDevice::SendShort8;
};

// A printer answering from a script: each GET takes the next reply (data bytes from 0);
// when the script runs dry it keeps echoing the opcode of the last start.
class CommandProtocolTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto owned = std::make_unique<NiceMock<MockVendorChannel>>();
        channel = owned.get();
        ON_CALL(*channel, IsAlive()).WillByDefault([this] { return alive; });
        ON_CALL(*channel, Close()).WillByDefault(Return(true));
        ON_CALL(*channel, VendorSet(_)).WillByDefault([this](std::span<const std::uint8_t> bytes) {
            sets.emplace_back(bytes.begin(), bytes.end());
            if (bytes.size() == 4) started = bytes[3];
            return setsSucceed;
        });
        ON_CALL(*channel, VendorGet(_)).WillByDefault([this](std::span<std::uint8_t> bytes) {
            ++gets;
            if (!getsSucceed) return false;
            if (finishAtElapsedMs && gets > kPollLimit) {
                bytes[3] = 0x02;  // a poll whose clock never moves on ends here, not never
            } else if (finishAtElapsedMs && clock.now - commandStartMs >= *finishAtElapsedMs) {
                bytes[3] = 0x00;
            } else if (replies.empty()) {
                bytes[3] = started;
            } else {
                std::ranges::copy(replies.front(), bytes.begin() + 3);
                replies.pop_front();
            }
            return true;
        });
        ON_CALL(finder, FindDevicePath(_)).WillByDefault(Return(std::string("usb:test")));
        ON_CALL(opener, OpenDevice(_)).WillByDefault(Return(::testing::ByMove(std::move(owned))));
        ASSERT_TRUE(device.Open("ZT-40", 0, 32));
    }

    // The first SET of a transaction: the frame with 0 in place of its opcode.
    Bytes FrameSent(std::size_t transaction = 0) const {
        const auto& set = sets.at(2 * transaction);
        return Bytes(set.begin() + 3, set.end());
    }

    NiceMock<MockDeviceFinder> finder;
    NiceMock<MockDeviceOpener> opener;
    NiceMock<MockMessageBox> messages;
    SteppingClock clock;
    NullSpooler spooler;
    ProtocolUnderTest device{DeviceLinkPlatform{finder, opener, clock, messages, spooler}};
    MockVendorChannel* channel = nullptr;

    std::vector<Bytes> sets;
    std::deque<Bytes> replies;
    std::uint8_t started = 0;
    int gets = 0;
    bool alive = true;
    bool setsSucceed = true;
    bool getsSucceed = true;
    static constexpr int kPollLimit = 6000;
    // When set, the printer echoes the opcode until this long after `commandStartMs`, then finishes.
    std::optional<std::uint32_t> finishAtElapsedMs;
    std::uint32_t commandStartMs = 0;
};

TEST_F(CommandProtocolTest, SelectPinSendsFrameWithLeftoversThenOpcodeAloneAndPollsWhileEchoed) {
    // Fill the data area with a reply's bytes so that the leftovers are visible.
    Bytes previous(32);
    for (std::size_t i = 0; i < previous.size(); ++i) previous[i] = static_cast<std::uint8_t>(0xA0 + i);
    previous[0] = 0x00;
    previous[1] = 0x01;
    previous[2] = 0x05;
    previous[3] = 0x00;
    replies = {previous};
    ASSERT_EQ(device.GetStatus(), 5);
    sets.clear();
    gets = 0;

    replies = {Bytes{0x78}, Bytes{0x78}, Bytes{0x00}};
    ASSERT_TRUE(device.SelectPin(3));

    ASSERT_EQ(sets.size(), 2u);
    Bytes expectedFirst{0xF0, 0x00, 0x00, 0x00, 0x00, 0x01, 0x03};
    // The new frame overwrote bytes 0-3 only; bytes 4-31 are the earlier reply's.
    for (std::size_t i = 4; i < 32; ++i) expectedFirst.push_back(static_cast<std::uint8_t>(0xA0 + i));
    EXPECT_THAT(sets[0], ElementsAreArray(expectedFirst));
    EXPECT_THAT(sets[1], ElementsAre(0xF0, 0x00, 0x00, 0x78));
    EXPECT_EQ(gets, 3);
}

TEST_F(CommandProtocolTest, ReadPinCounterOfPinNineReadsTenThousand) {
    replies = {Bytes{0x00, 0x40, 0x05, 0x89, 0x10, 0x27, 0x00, 0x00}};
    std::uint32_t count = 0;
    ASSERT_TRUE(device.ReadPinCounter(9, count));
    EXPECT_EQ(count, 10000u);
    EXPECT_THAT(Head(FrameSent(), 4), ElementsAre(0x00, 0x40, 0x05, 0x89));
}

TEST_F(CommandProtocolTest, GetStatusRepliesAndTheirMeaning) {
    replies = {Bytes{0x00, 0x01, 0x01, 0x00}};
    EXPECT_EQ(device.GetStatus(), 1);
    EXPECT_THAT(Head(FrameSent(), 2), ElementsAre(0x00, 0x20));
    EXPECT_THAT(sets[1], ElementsAre(0xF0, 0x00, 0x00, 0x01));

    replies = {Bytes{0x00, 0x00}};
    EXPECT_EQ(device.GetStatus(), kStatusUnknown);
    replies = {Bytes{0x00, 0x80, 0x01, 0x00}};  // a negative count is no value
    EXPECT_EQ(device.GetStatus(), kStatusUnknown);
    replies = {Bytes{0x00, 0x01, 0x05, 0x00}};
    const auto status = device.GetStatus();
    EXPECT_EQ(status, 5);
    EXPECT_EQ(status & 3, 1);  // ready, though not the exact 1 that writes wait for
}

TEST_F(CommandProtocolTest, APrinterThatKeepsEchoingTimesOutJustAfterFiveSeconds) {
    const auto before = clock.now;
    EXPECT_FALSE(device.SetHeadFlag(true));
    const std::uint32_t elapsed = clock.now - before;
    EXPECT_GT(elapsed, kTransactionTimeoutMs);
    EXPECT_LE(elapsed, kTransactionTimeoutMs + 3 * clock.step);
    EXPECT_GT(gets, 100);
}

// The clock moves only by the poll's pauses, so every millisecond of the bound is polled once:
// the printer's answer at exactly 5000 ms still counts, one at 5001 ms is never asked for.
TEST_F(CommandProtocolTest, TheBoundIsExactlyFiveSecondsAndOnlyBusyRepliesPause) {
    struct Case {
        const char* name;
        std::uint32_t finishesAtMs;
        bool ok;
        int gets;
        int pauses;
    };
    const Case cases[] = {
        {"AnswersAtOnce", 0, true, 1, 0},
        {"BusyTwice", 2, true, 3, 2},
        {"OneTickBeforeTheBound", 4999, true, 5000, 4999},
        {"AtTheBound", 5000, true, 5001, 5000},
        {"OneTickAfterTheBound", 5001, false, 5001, 5001},
    };
    for (const auto& c : cases) {
        clock.step = 0;
        commandStartMs = clock.now;
        finishAtElapsedMs = c.finishesAtMs;
        gets = 0;
        clock.pauses = 0;
        EXPECT_EQ(device.SetHeadFlag(true), c.ok) << c.name;
        EXPECT_EQ(gets, c.gets) << c.name;
        EXPECT_EQ(clock.pauses, c.pauses) << c.name;
        EXPECT_EQ(clock.now - commandStartMs, static_cast<std::uint32_t>(c.pauses) * kBusyPollPauseMs) << c.name;
    }
}

TEST_F(CommandProtocolTest, AnErrorStateEndsTheCommandAtOnce) {
    replies = {Bytes{0x78}, Bytes{0x02}, Bytes{0x00}};
    EXPECT_FALSE(device.MoveHead(4));
    EXPECT_EQ(gets, 2);
}

TEST_F(CommandProtocolTest, ShortFrameLimitsSendNothingBeyondTheirCounts) {
    const std::array<std::uint8_t, 30> bytes{};
    const std::array<std::uint16_t, 15> words{};
    const std::array<std::uint32_t, 7> longs{};
    EXPECT_FALSE(device.SendShort8(0x64, bytes));
    EXPECT_FALSE(device.SendShort16(0x01, words));
    EXPECT_FALSE(device.SendShort32(0x40, 0, longs));
    EXPECT_TRUE(sets.empty());

    for (int i = 0; i < 3; ++i) replies.push_back(Bytes{0x00});
    EXPECT_TRUE(device.SendShort8(0x64, std::span(bytes).first(29)));
    EXPECT_TRUE(device.SendShort16(0x01, std::span(words).first(14)));
    EXPECT_TRUE(device.SendShort32(0x40, 0, std::span(longs).first(6)));
    EXPECT_EQ(sets.size(), 6u);
    EXPECT_EQ(FrameSent(0)[1], 29);
    EXPECT_EQ(FrameSent(1)[1], 14 + 0x20);
    EXPECT_EQ(FrameSent(2)[1], 6 + 0x40);
}

TEST_F(CommandProtocolTest, WritePinAdjustmentsPutsNineValuesLowByteFirst) {
    replies = {Bytes{0x00}};
    const std::array<std::uint16_t, 9> values{0x0102, 2, 3, 4, 5, 6, 7, 8, 0xFFFE};
    ASSERT_TRUE(device.WritePinAdjustments(values));
    const auto frame = FrameSent();
    EXPECT_THAT(Bytes(frame.begin(), frame.begin() + 4), ElementsAre(0x00, 0x29, 0x02, 0x00));
    EXPECT_THAT(Bytes(frame.begin() + 4, frame.begin() + 22),
                ElementsAre(0x02, 0x01, 2, 0, 3, 0, 4, 0, 5, 0, 6, 0, 7, 0, 8, 0, 0xFE, 0xFF));
    EXPECT_THAT(sets[1], ElementsAre(0xF0, 0x00, 0x00, 0x78));
}

TEST_F(CommandProtocolTest, MotionBlockOfTheCleaningStep) {
    replies = {Bytes{0x00}};
    const std::array<std::int32_t, 2> values{-416, 3333};
    ASSERT_TRUE(device.SendMotionBlock(values, 0xFFFF));
    const auto frame = FrameSent();
    EXPECT_THAT(Bytes(frame.begin(), frame.begin() + 12),
                ElementsAre(0x00, 0x42, 0xFF, 0xFF, 0x60, 0xFE, 0xFF, 0xFF, 0x05, 0x0D, 0x00, 0x00));
    EXPECT_THAT(sets[1], ElementsAre(0xF0, 0x00, 0x00, 0x40));
}

TEST_F(CommandProtocolTest, ReadsFillTheirTargetsFromTheReplyOffsets) {
    replies = {Bytes{0x00, 0x20, 0x02, 0x01, 1, 0, 2, 0, 3, 0, 4, 0, 5, 0, 6, 0, 7, 0, 8, 0, 0x34, 0x12}};
    std::array<std::uint16_t, 9> adjustments{};
    ASSERT_TRUE(device.ReadPinAdjustments(adjustments));
    EXPECT_THAT(adjustments, ElementsAre(1, 2, 3, 4, 5, 6, 7, 8, 0x1234));
    EXPECT_THAT(Head(FrameSent(), 4), ElementsAre(0x00, 0x20, 0x02, 0x01));

    replies = {Bytes{0x00, 0x00, 0x08, 0x00, 0x07}};
    EXPECT_EQ(device.ReadSelectedPin(), 7);
    EXPECT_THAT(Head(FrameSent(1), 4), ElementsAre(0x00, 0x00, 0x08, 0x00));

    replies = {Bytes{0x00, 0x20, 0x07, 0x01, 0x05, 0x00, 0x06, 0x00}};
    std::array<std::uint16_t, 2> head{};
    ASSERT_TRUE(device.ReadHeadCounters(head));
    EXPECT_THAT(head, ElementsAre(5, 6));
}

TEST_F(CommandProtocolTest, ReadHeadCountersLeavesTargetsAloneOnFailure) {
    replies = {Bytes{0x03}};
    std::array<std::uint16_t, 2> head{11, 22};
    EXPECT_FALSE(device.ReadHeadCounters(head));
    EXPECT_THAT(head, ElementsAre(11, 22));
}

TEST_F(CommandProtocolTest, AFailedSetEndsTheCommandWithoutPolling) {
    setsSucceed = false;
    EXPECT_EQ(device.GetStatus(), kStatusUnknown);
    EXPECT_EQ(sets.size(), 1u);
    EXPECT_EQ(gets, 0);
}

TEST_F(CommandProtocolTest, AHandleThatDiesBetweenPollsEndsTheCommand) {
    ON_CALL(*channel, VendorGet(_)).WillByDefault([this](std::span<std::uint8_t> bytes) {
        ++gets;
        alive = false;  // unplugged while the printer was still busy
        bytes[3] = started;
        return true;
    });
    EXPECT_FALSE(device.SelectPin(1));
    EXPECT_EQ(gets, 1);
}

TEST_F(CommandProtocolTest, WithThePortClosedEveryCommandFails) {
    ASSERT_TRUE(device.Close());
    std::array<std::uint16_t, 9> nine{};
    std::array<std::uint16_t, 2> two{};
    std::uint32_t value = 0;
    const std::array<std::int32_t, 2> motion{0, 0};
    EXPECT_EQ(device.GetStatus(), kStatusUnknown);
    EXPECT_FALSE(device.SetHeadFlag(false));
    EXPECT_FALSE(device.SelectPin(1));
    EXPECT_FALSE(device.ReadPinAdjustments(nine));
    EXPECT_FALSE(device.WritePinAdjustments(nine));
    EXPECT_FALSE(device.ReadWordPair(two));
    EXPECT_FALSE(device.WriteWordPair(two));
    EXPECT_FALSE(device.MoveHead(4));
    EXPECT_FALSE(device.ReadPinCounter(1, value));
    EXPECT_FALSE(device.WritePinCounter(1, 0));
    EXPECT_FALSE(device.ReadTotalCounter(value));
    EXPECT_FALSE(device.WriteTotalCounter(0));
    EXPECT_FALSE(device.ReadHeadCounters(two));
    EXPECT_FALSE(device.WriteHeadCounters(two));
    EXPECT_EQ(device.ReadSelectedPin(), -1);
    EXPECT_FALSE(device.SendMotionBlock(motion, 0xFFFF));
    EXPECT_EQ(gets, 0);
}

}  // namespace
}  // namespace zt40
