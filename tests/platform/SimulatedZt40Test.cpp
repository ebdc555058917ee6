// The simulated printer at the cable: vendor requests in, busy echo, final states, faults,
// and the handle rules of an exclusive, unpluggable device.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <optional>
#include <vector>

#include "platform/sim/SimChannel.h"
#include "platform/sim/SimulatedZt40.h"

namespace zt40 {
namespace {

using ::testing::ElementsAre;
using Bytes = std::vector<std::uint8_t>;

Bytes Packet(Bytes data) {
    Bytes packet(3 + data.size(), 0x00);
    packet[0] = 0xF0;
    std::copy(data.begin(), data.end(), packet.begin() + 3);
    return packet;
}

// A whole 32-byte data area with `head` in front.
Bytes FullFrame(Bytes head) {
    head.resize(32, 0);
    return Packet(std::move(head));
}

class SimulatedZt40Test : public ::testing::Test {
protected:
    // Sends the frame (with 0 for its opcode, as the host does) and then the opcode alone.
    bool Start(Bytes frame) {
        const std::uint8_t opcode = frame[0];
        frame[0] = 0;
        return channel->VendorSet(FullFrame(frame)) && channel->VendorSet(Packet({opcode}));
    }
    // One poll; the data area as answered, or nothing when the GET failed.
    std::optional<Bytes> Poll() {
        Bytes packet = Packet(Bytes(32, 0xCC));
        if (!channel->VendorGet(packet)) return std::nullopt;
        return Bytes(packet.begin() + 3, packet.end());
    }

    SimulatedZt40 printer{"SN1"};
    std::unique_ptr<SimChannel> channel = SimChannel::Open(printer);
};

TEST_F(SimulatedZt40Test, EchoesTheOpcodeForTheBusyPollsThenAnswers) {
    printer.Faults().busyPolls = 2;
    printer.State().selectedPin = 4;
    ASSERT_TRUE(Start({0x78, 0x00, 0x08, 0x00}));
    EXPECT_TRUE(printer.IsBusy());
    EXPECT_EQ(Poll()->at(0), 0x78);
    EXPECT_EQ(Poll()->at(0), 0x78);
    const auto done = Poll();
    EXPECT_THAT(Bytes(done->begin(), done->begin() + 5), ElementsAre(0x00, 0x00, 0x08, 0x00, 0x04));
    EXPECT_FALSE(printer.IsBusy());
    EXPECT_EQ(Poll()->at(0), 0x00) << "the reply stays until the next frame";
    EXPECT_EQ(printer.CommandsStarted(), 1u);
}

TEST_F(SimulatedZt40Test, TheFrameAloneDoesNothingUntilItsOpcodeArrives) {
    ASSERT_TRUE(channel->VendorSet(FullFrame({0x00, 0x00, 0x01, 0x05})));
    EXPECT_FALSE(printer.IsBusy());
    EXPECT_EQ(Poll()->at(0), 0x00);
    EXPECT_EQ(printer.State().selectedPin, 1);
    ASSERT_TRUE(channel->VendorSet(Packet({0x78})));
    EXPECT_EQ(Poll()->at(0), 0x00);
    EXPECT_EQ(printer.State().selectedPin, 5);
}

TEST_F(SimulatedZt40Test, WritesTakeEffectOnlyWhenTheCommandFinishes) {
    printer.Faults().busyPolls = 1;
    ASSERT_TRUE(Start({0x78, 0x00, 0x01, 0x07}));
    Poll();
    EXPECT_EQ(printer.State().selectedPin, 1);
    Poll();
    EXPECT_EQ(printer.State().selectedPin, 7);
}

TEST_F(SimulatedZt40Test, InvalidFramesEndInTheFirmwaresErrorState) {
    ASSERT_TRUE(Start({0x78, 0x00, 0x01, 0x0A}));
    EXPECT_EQ(Poll()->at(0), kFirmwareBadArgument);
    ASSERT_TRUE(Start({0x33, 0x20}));
    EXPECT_EQ(Poll()->at(0), kFirmwareUnknownCommand);
}

TEST_F(SimulatedZt40Test, ErrorStateFaultAnswersEveryCommandWithoutRunningIt) {
    printer.Faults().errorState = 0x05;
    ASSERT_TRUE(Start({0x78, 0x00, 0x01, 0x03}));
    EXPECT_EQ(Poll()->at(0), 0x05);
    EXPECT_EQ(printer.State().selectedPin, 1);
}

TEST_F(SimulatedZt40Test, NeverFinishingEchoesForEverAndANewFrameAbandonsIt) {
    printer.Faults().neverFinish = true;
    ASSERT_TRUE(Start({0x78, 0x00, 0x01, 0x03}));
    for (int i = 0; i < 1000; ++i) ASSERT_EQ(Poll()->at(0), 0x78);
    ASSERT_TRUE(channel->VendorSet(FullFrame({0x00, 0x20})));
    EXPECT_FALSE(printer.IsBusy());
    EXPECT_EQ(printer.State().selectedPin, 1);
}

TEST_F(SimulatedZt40Test, FailedSetsNeverReachThePrinter) {
    printer.Faults().failSets = SetFailure::Every;
    EXPECT_FALSE(channel->VendorSet(FullFrame({0x00, 0x20})));
    EXPECT_FALSE(channel->VendorSet(Packet({0x01})));
    EXPECT_EQ(printer.SetsReceived(), 0u);

    printer.Faults().failSets = SetFailure::FrameOnly;
    EXPECT_FALSE(channel->VendorSet(FullFrame({0x00, 0x20})));
    EXPECT_TRUE(channel->VendorSet(Packet({0x01})));

    printer.Faults().failSets = SetFailure::StartOnly;
    EXPECT_TRUE(channel->VendorSet(FullFrame({0x00, 0x20})));
    EXPECT_FALSE(printer.IsBusy());
    EXPECT_FALSE(channel->VendorSet(Packet({0x01})));
    EXPECT_FALSE(printer.IsBusy());
}

TEST_F(SimulatedZt40Test, FailedGetsLeaveTheHostsBufferAsItWas) {
    ASSERT_TRUE(Start({0x01, 0x20}));
    printer.Faults().failGets = true;
    Bytes packet = Packet(Bytes(32, 0xCC));
    EXPECT_FALSE(channel->VendorGet(packet));
    EXPECT_THAT(Bytes(packet.begin() + 3, packet.begin() + 6), ElementsAre(0xCC, 0xCC, 0xCC));
    EXPECT_TRUE(printer.IsBusy()) << "a GET that did not arrive is no poll";
    printer.Faults().failGets = false;
    const auto reply = Poll();
    ASSERT_TRUE(reply);
    EXPECT_THAT(Bytes(reply->begin(), reply->begin() + 4), ElementsAre(0x00, 0x01, 0x01, 0x00));
}

TEST_F(SimulatedZt40Test, RequestsOtherThanItsOwnAreStalled) {
    Bytes wrongCode = FullFrame({0x00, 0x20});
    wrongCode[0] = 0xF1;
    EXPECT_FALSE(channel->VendorSet(wrongCode));
    Bytes wrongValue = Packet({0x01});
    wrongValue[2] = 0x01;
    EXPECT_FALSE(channel->VendorSet(wrongValue));
    EXPECT_FALSE(channel->VendorSet(Packet({})));
    EXPECT_FALSE(channel->VendorSet(Packet(Bytes(33, 0))));
    EXPECT_EQ(printer.SetsReceived(), 0u);
}

TEST_F(SimulatedZt40Test, AShorterGetReceivesThePartThatFits) {
    printer.State().status = 0x0201;
    ASSERT_TRUE(Start({0x01, 0x20}));
    Bytes packet = Packet(Bytes(3, 0));
    ASSERT_TRUE(channel->VendorGet(packet));
    EXPECT_THAT(packet, ElementsAre(0xF0, 0x00, 0x00, 0x00, 0x01, 0x01));
}

TEST_F(SimulatedZt40Test, UnplugBetweenPollsKillsTheHandleForGood) {
    printer.Faults().busyPolls = 5;
    printer.Faults().unplugAfterPolls = 2;
    ASSERT_TRUE(Start({0x78, 0x00, 0x01, 0x03}));
    EXPECT_TRUE(Poll().has_value());
    EXPECT_TRUE(channel->IsAlive());
    EXPECT_TRUE(Poll().has_value());
    EXPECT_FALSE(channel->IsAlive());
    EXPECT_FALSE(Poll().has_value());
    EXPECT_EQ(printer.State().selectedPin, 1);

    printer.Plug();
    EXPECT_FALSE(channel->IsAlive()) << "a replugged printer needs a new handle";
    EXPECT_FALSE(channel->VendorSet(Packet({0x01})));
    channel.reset();
    EXPECT_NE(SimChannel::Open(printer), nullptr);
}

TEST_F(SimulatedZt40Test, PoweredOffFailsRequestsButKeepsTheHandle) {
    printer.PowerOff();
    EXPECT_TRUE(channel->IsAlive());
    EXPECT_FALSE(channel->VendorSet(FullFrame({0x00, 0x20})));
    EXPECT_FALSE(Poll().has_value());
    printer.PowerOn();
    EXPECT_TRUE(Start({0x01, 0x20}));
    EXPECT_EQ(Poll()->at(0), 0x00);
}

TEST_F(SimulatedZt40Test, OpeningIsExclusiveAndClosingReleases) {
    EXPECT_EQ(SimChannel::Open(printer), nullptr);
    ASSERT_TRUE(channel->Close());
    EXPECT_FALSE(channel->IsAlive());
    EXPECT_FALSE(channel->VendorSet(Packet({0x01})));
    EXPECT_TRUE(channel->Close()) << "closing twice is harmless";
    auto second = SimChannel::Open(printer);
    ASSERT_NE(second, nullptr);
    second.reset();  // destruction releases as well
    printer.SetHeldElsewhere(true);
    EXPECT_EQ(SimChannel::Open(printer), nullptr);
}

TEST_F(SimulatedZt40Test, ARefusedCloseKeepsTheHandleOpen) {
    printer.Faults().failClose = true;
    EXPECT_FALSE(channel->Close());
    EXPECT_TRUE(channel->IsAlive());
    EXPECT_TRUE(Start({0x01, 0x20}));
}

TEST_F(SimulatedZt40Test, ObserversHearChangesButNotRepeats) {
    std::vector<SimEvent> events;
    const int id = printer.Subscribe([&](SimEvent e) { events.push_back(e); });
    printer.Unplug();
    printer.Unplug();
    printer.Plug();
    printer.PowerOff();
    printer.PowerOff();
    printer.PowerOn();
    printer.Unsubscribe(id);
    printer.Unplug();
    EXPECT_THAT(events, ElementsAre(SimEvent::Unplugged, SimEvent::Plugged, SimEvent::PoweredOff, SimEvent::PoweredOn));
}

TEST_F(SimulatedZt40Test, AnObserverMayUnsubscribeItselfWhileBeingTold) {
    int calls = 0;
    int id = 0;
    id = printer.Subscribe([&](SimEvent) {
        ++calls;
        printer.Unsubscribe(id);
    });
    printer.Unplug();
    printer.Plug();
    EXPECT_EQ(calls, 1);
}

}  // namespace
}  // namespace zt40
