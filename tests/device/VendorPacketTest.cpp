#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>

#include "device/CUsbPrintPort.h"
#include "device/CVendorPacket.h"
#include "support/MockChannel.h"

namespace zt40 {
namespace {

using ::testing::_;
using ::testing::ElementsAre;
using ::testing::NiceMock;
using ::testing::Return;
using namespace zt40::testing;

std::vector<std::uint8_t> Bytes(std::span<const std::uint8_t> s) { return {s.begin(), s.end()}; }

class VendorPacketTest : public ::testing::Test {
protected:
    NiceMock<MockMessageBox> messages;
    CVendorPacket packet{messages};
};

TEST_F(VendorPacketTest, AllocateBuildsZeroedPacketWithRequestCodeFromIndex) {
    ASSERT_TRUE(packet.Allocate(0, 32));
    ASSERT_EQ(packet.Bytes().size(), 35u);
    EXPECT_THAT(Bytes(packet.Bytes().first(3)), ElementsAre(0xF0, 0x00, 0x00));
    for (auto b : packet.Data()) EXPECT_EQ(b, 0);

    ASSERT_TRUE(packet.Allocate(7, 32));
    EXPECT_EQ(packet.Bytes()[0], 0xF7);
}

TEST_F(VendorPacketTest, AllocateRejectsIndexAboveSevenAndKeepsEarlierBuffer) {
    ASSERT_TRUE(packet.Allocate(3, 32));
    const auto* before = packet.Bytes().data();
    EXPECT_FALSE(packet.Allocate(8, 32));
    EXPECT_EQ(packet.Bytes().data(), before);
    EXPECT_EQ(packet.Bytes()[0], 0xF3);
}

TEST_F(VendorPacketTest, AllocateThatCannotBeCarriedSaysOutOfMemoryAndLeavesNoBuffer) {
    ASSERT_TRUE(packet.Allocate(0, 32));
    EXPECT_CALL(messages, Show(::testing::Property(&Message::English, "Out of memory."), MbButtons::Ok, _)).WillOnce(Return(MbResult::Ok));
    // dataSize + 3 would wrap around in 32 bits; it must not become a 2-byte buffer.
    EXPECT_FALSE(packet.Allocate(0, 0xFFFFFFFEu));
    EXPECT_FALSE(packet.HasBuffer());
    // Without a buffer every cursor operation is harmless.
    packet.RewindWrite();
    packet.PutByte(1);
    const std::array<std::uint16_t, 1> v{1};
    EXPECT_EQ(packet.PutLE16(v), 0);
    EXPECT_FALSE(packet.GetByte().has_value());
}

TEST_F(VendorPacketTest, LittleEndianPutsAndGets) {
    ASSERT_TRUE(packet.Allocate(0, 32));
    packet.RewindWrite();
    const std::array<std::uint16_t, 1> word{0x1234};
    const std::array<std::uint32_t, 1> minusOne{0xFFFFFFFFu};
    const std::array<std::uint8_t, 4> raw{0x60, 0xFE, 0xFF, 0xFF};
    EXPECT_EQ(packet.PutLE16(word), 1);
    EXPECT_EQ(packet.PutLE32(minusOne), 1);
    EXPECT_EQ(packet.PutBytes(raw), 4);
    EXPECT_THAT(Bytes(packet.Data().first(10)), ElementsAre(0x34, 0x12, 0xFF, 0xFF, 0xFF, 0xFF, 0x60, 0xFE, 0xFF, 0xFF));

    packet.SeekRead(6);
    std::array<std::uint32_t, 1> value{};
    EXPECT_EQ(packet.GetLE32(value), 1);
    EXPECT_EQ(static_cast<std::int32_t>(value[0]), -416);
}

TEST_F(VendorPacketTest, PutsStopAtTheEndOfTheDataArea) {
    ASSERT_TRUE(packet.Allocate(0, 32));
    const std::array<std::uint16_t, 9> nine{1, 2, 3, 4, 5, 6, 7, 8, 9};
    packet.RewindWrite();
    for (int i = 0; i < 4; ++i) packet.PutByte(0xAA);
    EXPECT_EQ(packet.PutLE16(nine), 9);
    EXPECT_EQ(packet.WriteOffset(), 22u);
    EXPECT_EQ(packet.Data()[4], 1);
    EXPECT_EQ(packet.Data()[21], 0);
    EXPECT_EQ(packet.Data()[20], 9);

    // From offset 31 not even one 16-bit value fits.
    packet.RewindWrite();
    for (int i = 0; i < 31; ++i) packet.PutByte(0);
    EXPECT_EQ(packet.PutLE16(nine), 0);
    EXPECT_EQ(packet.WriteOffset(), 31u);
    packet.PutByte(0x55);
    packet.PutByte(0x66);  // past the end: ignored
    EXPECT_EQ(packet.Data()[31], 0x55);
    EXPECT_EQ(packet.WriteOffset(), 32u);
}

TEST_F(VendorPacketTest, EmptyAndOversizedByteRunsMoveNothing) {
    ASSERT_TRUE(packet.Allocate(0, 32));
    packet.RewindWrite();
    EXPECT_EQ(packet.PutBytes({}), 0);
    EXPECT_EQ(packet.WriteOffset(), 0u);

    packet.SeekRead(30);
    std::array<std::uint8_t, 3> target{7, 7, 7};
    EXPECT_EQ(packet.GetBytes(target), -1);
    EXPECT_EQ(packet.ReadOffset(), 30u);
    EXPECT_THAT(target, ElementsAre(7, 7, 7));

    packet.SeekRead(32);  // not before the end: ignored
    EXPECT_EQ(packet.ReadOffset(), 30u);
    std::array<std::uint32_t, 1> tooWide{};
    EXPECT_EQ(packet.GetLE32(tooWide), 0);
    EXPECT_EQ(packet.ReadOffset(), 30u);
}

class PacketOnPortTest : public VendorPacketTest {
protected:
    void SetUp() override {
        auto owned = std::make_unique<NiceMock<MockVendorChannel>>();
        channel = owned.get();
        ON_CALL(*channel, IsAlive()).WillByDefault(Return(true));
        ON_CALL(*channel, Close()).WillByDefault(Return(true));
        ON_CALL(*channel, VendorSet(_)).WillByDefault(sets.Recorder());
        EXPECT_CALL(finder, FindDevicePath(_)).WillOnce(Return(std::string("dev")));
        EXPECT_CALL(opener, OpenDevice(_)).WillOnce(Return(::testing::ByMove(std::move(owned))));
        ASSERT_TRUE(port.OpenForPrinter("ZT"));
        ASSERT_TRUE(packet.Allocate(0, 32));
    }
    NiceMock<MockDeviceFinder> finder;
    NiceMock<MockDeviceOpener> opener;
    CUsbPrintPort port{finder, opener};
    MockVendorChannel* channel = nullptr;
    SetLog sets;
};

TEST_F(PacketOnPortTest, SendPrefixSendsHeaderAndFirstDataBytesOnly) {
    packet.RewindWrite();
    packet.PutByte(0x78);
    packet.PutByte(0x99);
    ASSERT_TRUE(packet.SendPrefix(port, 1));
    ASSERT_EQ(sets.requests.size(), 1u);
    EXPECT_THAT(sets.requests[0], ElementsAre(0xF0, 0x00, 0x00, 0x78));
}

TEST_F(PacketOnPortTest, SendAllCarriesLeftoversOfTheLastReply) {
    EXPECT_CALL(*channel, VendorGet(_)).WillOnce([](std::span<std::uint8_t> bytes) {
        EXPECT_EQ(bytes.size(), 35u);
        for (std::size_t i = 3; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i);
        return true;
    });
    ASSERT_TRUE(packet.Receive(port));
    packet.RewindWrite();
    packet.PutByte(0x01);
    packet.PutByte(0x20);
    ASSERT_TRUE(packet.SendAll(port));
    ASSERT_EQ(sets.requests.size(), 1u);
    const auto& sent = sets.requests[0];
    ASSERT_EQ(sent.size(), 35u);
    EXPECT_EQ(sent[3], 0x01);
    EXPECT_EQ(sent[4], 0x20);
    EXPECT_EQ(sent[5], 5);    // left by the reply, not zero
    EXPECT_EQ(sent[34], 34);
}

TEST(UsbPrintPortTest, CloseAndReopenFollowTheStoredPath) {
    NiceMock<MockDeviceFinder> finder;
    NiceMock<MockDeviceOpener> opener;
    CUsbPrintPort port{finder, opener};
    EXPECT_CALL(opener, OpenDevice(_)).Times(0);
    EXPECT_TRUE(port.Close());   // closed already: no platform call
    EXPECT_FALSE(port.Reopen()); // no path yet
    EXPECT_FALSE(port.IsHandleValid());
    std::array<std::uint8_t, 35> bytes{};
    EXPECT_FALSE(port.VendorSet(bytes));
    EXPECT_FALSE(port.VendorGet(bytes));
}

TEST(UsbPrintPortTest, AFailedCloseKeepsHandlePathAndName) {
    NiceMock<MockDeviceFinder> finder;
    NiceMock<MockDeviceOpener> opener;
    CUsbPrintPort port{finder, opener};
    auto owned = std::make_unique<NiceMock<MockVendorChannel>>();
    auto* channel = owned.get();
    ON_CALL(*channel, IsAlive()).WillByDefault(Return(true));
    EXPECT_CALL(finder, FindDevicePath(_)).WillOnce(Return(std::string("usb:1234:5678:S1")));
    EXPECT_CALL(opener, OpenDevice(std::string_view("usb:1234:5678:S1"))).WillOnce(Return(::testing::ByMove(std::move(owned))));
    ASSERT_TRUE(port.OpenForPrinter("ZT"));

    EXPECT_CALL(*channel, Close()).WillOnce(Return(false)).WillOnce(Return(true));
    EXPECT_FALSE(port.Close());
    EXPECT_TRUE(port.IsHandleValid());
    EXPECT_EQ(port.DevicePath(), "usb:1234:5678:S1");
    EXPECT_EQ(port.QueueName(), "ZT");

    EXPECT_TRUE(port.Close());
    EXPECT_EQ(port.DevicePath(), "");
    EXPECT_EQ(port.QueueName(), "");
    EXPECT_FALSE(port.Reopen());  // the path went with the close
}

}  // namespace
}  // namespace zt40
