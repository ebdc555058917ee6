// The vendor channel over a fake USB device: what reaches the wire for SET and GET, how the
// interface is held per transaction, and what an unplugged device does to the channel.
#include <gtest/gtest.h>

#include <array>
#include <numeric>
#include <vector>

#include "platform/linux/LibusbVendorChannel.h"
#include "tests/support/FakeUsbBus.h"

namespace zt40::test {
namespace {

using Calls = std::vector<std::string>;

class VendorChannelTest : public ::testing::Test {
protected:
    VendorChannelTest() {
        UsbDeviceRecord record;
        record.busNumber = 1;
        record.printerInterface = 1;
        device = bus.Plug(record);
        auto opened = bus.Open(device->record);
        channel = std::make_unique<LibusbVendorChannel>(std::move(opened.handle), kInterface);
    }

    // A request buffer as the packet builds it: F0 00 00 and a 32-byte data area.
    static std::array<std::uint8_t, 35> Packet() {
        std::array<std::uint8_t, 35> bytes{};
        bytes[0] = 0xF0;
        std::iota(bytes.begin() + 3, bytes.end(), std::uint8_t{0x10});
        return bytes;
    }

    static constexpr std::uint8_t kInterface = 1;
    FakeUsbBus bus;
    std::shared_ptr<FakeUsbDevice> device;
    std::unique_ptr<LibusbVendorChannel> channel;
};

TEST_F(VendorChannelTest, SetSendsTheDataAreaAsAVendorRequestToTheInterface) {
    auto packet = Packet();
    packet[0] = 0xF7;
    packet[1] = 0x34;
    packet[2] = 0x12;
    ASSERT_TRUE(channel->VendorSet(packet));

    ASSERT_EQ(device->transfers.size(), 1u);
    const auto& sent = device->transfers[0];
    EXPECT_EQ(sent.setup.requestType, 0x41);
    EXPECT_EQ(sent.setup.request, 0xF7);
    EXPECT_EQ(sent.setup.value, 0x1234);  // byte 1 low, byte 2 high
    EXPECT_EQ(sent.setup.index, kInterface);
    EXPECT_EQ(sent.setup.length, 32);
    EXPECT_EQ(sent.data, std::vector<std::uint8_t>(packet.begin() + 3, packet.end()));
    EXPECT_EQ(sent.timeoutMs, kVendorTransferTimeoutMs);
    EXPECT_LE(sent.timeoutMs, 1000u);
}

TEST_F(VendorChannelTest, SetOfAPrefixCarriesOnlyThosePacketBytes) {
    const auto packet = Packet();
    ASSERT_TRUE(channel->VendorSet(std::span(packet).first(4)));
    ASSERT_EQ(device->transfers.size(), 1u);
    EXPECT_EQ(device->transfers[0].setup.length, 1);
    EXPECT_EQ(device->transfers[0].data, std::vector<std::uint8_t>{0x10});
}

TEST_F(VendorChannelTest, HeaderOnlySetHasNoDataStage) {
    const std::array<std::uint8_t, 3> header{0xF0, 0, 0};
    ASSERT_TRUE(channel->VendorSet(header));
    EXPECT_EQ(device->transfers.at(0).setup.length, 0);
}

TEST_F(VendorChannelTest, GetFillsTheDataAreaAndLeavesTheHeader) {
    device->inReply.assign(32, 0xAB);
    auto packet = Packet();
    ASSERT_TRUE(channel->VendorGet(packet));

    const auto& setup = device->transfers.at(0).setup;
    EXPECT_EQ(setup.requestType, 0xC1);
    EXPECT_EQ(setup.request, 0xF0);
    EXPECT_EQ(setup.value, 0);
    EXPECT_EQ(setup.index, kInterface);
    EXPECT_EQ(setup.length, 32);
    EXPECT_EQ(packet[0], 0xF0);
    EXPECT_EQ(packet[1], 0);
    for (std::size_t i = 3; i < packet.size(); ++i) EXPECT_EQ(packet[i], 0xAB) << i;
}

TEST_F(VendorChannelTest, ShortAnswerSucceedsAndLeavesTheRestOfTheAreaAsItWas) {
    device->inReply = {1, 2};
    auto packet = Packet();
    ASSERT_TRUE(channel->VendorGet(packet));
    EXPECT_EQ(packet[3], 1);
    EXPECT_EQ(packet[4], 2);
    EXPECT_EQ(packet[5], 0x12);  // untouched from before the request
}

TEST_F(VendorChannelTest, BufferWithoutCompleteHeaderIsRefusedWithoutARequest) {
    std::array<std::uint8_t, 2> tooShort{0xF0, 0};
    EXPECT_FALSE(channel->VendorSet(tooShort));
    EXPECT_FALSE(channel->VendorGet(tooShort));
    std::vector<std::uint8_t> tooLong(3 + 0x10000, 0);
    EXPECT_FALSE(channel->VendorSet(tooLong));
    EXPECT_TRUE(device->calls.empty());
    EXPECT_TRUE(channel->IsAlive());
}

TEST_F(VendorChannelTest, InterfaceIsHeldOnlyForEachTransaction) {
    const auto packet = Packet();
    auto answer = Packet();
    ASSERT_TRUE(channel->VendorSet(packet));
    ASSERT_TRUE(channel->VendorGet(answer));
    EXPECT_EQ(device->calls, (Calls{"claim", "out", "release", "claim", "in", "release"}));
}

TEST_F(VendorChannelTest, BoundKernelPrinterDriverIsDetachedForTheTransactionAndAttachedAgain) {
    device->kernelDriverBound = true;
    ASSERT_TRUE(channel->VendorSet(Packet()));
    EXPECT_EQ(device->calls, (Calls{"detach", "claim", "out", "release", "attach"}));
    EXPECT_TRUE(device->kernelDriverBound);
}

TEST_F(VendorChannelTest, InterfaceHeldByTheSpoolerStillLetsTheRequestThrough) {
    device->claimStatus = UsbStatus::Busy;
    ASSERT_TRUE(channel->VendorSet(Packet()));
    // Nothing to release: the claim was never ours.
    EXPECT_EQ(device->calls, (Calls{"claim", "out"}));
}

TEST_F(VendorChannelTest, PartlyAcceptedSetFails) {
    device->outAccepted = 16;
    EXPECT_FALSE(channel->VendorSet(Packet()));
    EXPECT_TRUE(channel->IsAlive());
}

TEST_F(VendorChannelTest, TimeOutOrStallFailsTheRequestButKeepsTheChannel) {
    device->transferStatuses = {UsbStatus::Timeout, UsbStatus::Pipe};
    auto packet = Packet();
    EXPECT_FALSE(channel->VendorSet(packet));
    EXPECT_FALSE(channel->VendorGet(packet));
    EXPECT_TRUE(channel->IsAlive());
    EXPECT_TRUE(channel->VendorSet(packet));
    // Released after the failures too.
    EXPECT_EQ(std::count(device->calls.begin(), device->calls.end(), "release"), 3);
}

TEST_F(VendorChannelTest, VanishedDeviceDuringTransferKillsTheChannel) {
    device->transferStatuses = {UsbStatus::NoDevice};
    auto packet = Packet();
    EXPECT_FALSE(channel->VendorGet(packet));
    EXPECT_FALSE(channel->IsAlive());
    const auto requestsBefore = device->transfers.size();
    EXPECT_FALSE(channel->VendorSet(packet));
    EXPECT_EQ(device->transfers.size(), requestsBefore);
}

TEST_F(VendorChannelTest, UnpluggedDeviceIsNoticedAtTheClaimAndNothingIsSent) {
    bus.Unplug(device);
    EXPECT_FALSE(channel->VendorSet(Packet()));
    EXPECT_FALSE(channel->IsAlive());
    EXPECT_TRUE(device->transfers.empty());
}

TEST_F(VendorChannelTest, CloseReleasesTheDeviceAndEndsTheChannel) {
    EXPECT_TRUE(channel->Close());
    EXPECT_EQ(device->calls, (Calls{"close"}));
    EXPECT_FALSE(channel->IsAlive());
    EXPECT_FALSE(channel->VendorSet(Packet()));
    EXPECT_TRUE(channel->Close());
}

}  // namespace
}  // namespace zt40::test
