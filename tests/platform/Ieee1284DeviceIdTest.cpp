// The printer's IEEE-1284 device ID: the request on the wire, the reply's length prefix and
// the keys that give make, model and serial.
#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <vector>

#include "platform/linux/Ieee1284DeviceId.h"
#include "tests/support/FakeUsbBus.h"

namespace zt40::test {
namespace {

std::vector<std::uint8_t> Reply(std::string_view text, bool bigEndianLength = true) {
    const auto length = text.size() + 2;
    const auto high = static_cast<std::uint8_t>(length >> 8);
    const auto low = static_cast<std::uint8_t>(length & 0xFF);
    std::vector<std::uint8_t> reply(length);
    reply[0] = bigEndianLength ? high : low;
    reply[1] = bigEndianLength ? low : high;
    std::copy(text.begin(), text.end(), reply.begin() + 2);
    return reply;
}

TEST(Ieee1284Id, KeysGiveMakeModelAndSerialWithTheLongKeyWinning) {
    const auto id = ParseIeee1284Id("MFG:Vel;CMD:PJL,RTL;MANUFACTURER:Velmora;MDL:ZT-40;SN:A1;SERIALNUMBER:ZT4000123;");
    EXPECT_EQ(id.make, "Velmora");
    EXPECT_EQ(id.model, "ZT-40");
    EXPECT_EQ(id.serial, "ZT4000123");
}

TEST(Ieee1284Id, KeysIgnoreCaseAndBlanksAroundKeysAndValues) {
    const auto id = ParseIeee1284Id(" mfg : Velmora ; Mdl:ZT-40 Rev B ;sn:X 1");
    EXPECT_EQ(id.make, "Velmora");
    EXPECT_EQ(id.model, "ZT-40 Rev B");
    EXPECT_EQ(id.serial, "X 1");
}

TEST(Ieee1284Id, FirstOfEqualKeysWinsAndMissingKeysStayEmpty) {
    const auto id = ParseIeee1284Id("MDL:first;MDL:second;garbage;CLS:PRINTER");
    EXPECT_EQ(id.model, "first");
    EXPECT_EQ(id.make, "");
    EXPECT_EQ(id.serial, "");
}

TEST(Ieee1284Reply, LengthPrefixIsMostSignificantByteFirstAndCountsItself) {
    auto reply = Reply("MFG:Velmora;MDL:ZT-40;");
    reply.resize(100, 'x');  // bytes past the stated length are not part of the ID
    EXPECT_EQ(DeviceIdFromReply(reply), "MFG:Velmora;MDL:ZT-40;");
}

TEST(Ieee1284Reply, LengthSentTheOtherWayRoundIsUnderstood) {
    EXPECT_EQ(DeviceIdFromReply(Reply("MFG:Velmora;MDL:ZT-40;", false)), "MFG:Velmora;MDL:ZT-40;");
}

TEST(Ieee1284Reply, LengthBeyondTheAnswerIsCutToWhatArrived) {
    auto reply = Reply("MFG:Velmora;MDL:ZT-40;");
    reply[0] = 0x01;  // claims 256 + 24 bytes; the little-endian reading (0x1801) is no better
    EXPECT_EQ(DeviceIdFromReply(reply), "MFG:Velmora;MDL:ZT-40;");
}

TEST(Ieee1284Reply, TooShortOrBrokenRepliesGiveNothing) {
    EXPECT_FALSE(DeviceIdFromReply({}));
    EXPECT_FALSE(DeviceIdFromReply(Reply("MFG:V;MDL:")));  // 12 bytes in all
    EXPECT_FALSE(DeviceIdFromReply(Reply("MFG:Velmora;\x01MDL:ZT-40;")));
}

TEST(Ieee1284Reply, LineBreaksBecomeBlanksAndZeroPaddingEndsTheText) {
    auto reply = Reply(std::string("MFG:Velmora;\r\nMDL:ZT-40;\0\0\0", 27));
    EXPECT_EQ(DeviceIdFromReply(reply), "MFG:Velmora;  MDL:ZT-40;");
}

class DeviceIdRequestTest : public ::testing::Test {
protected:
    DeviceIdRequestTest() {
        UsbDeviceRecord record;
        device = bus.Plug(record);
        handle = bus.Open(device->record).handle;
    }
    FakeUsbBus bus;
    std::shared_ptr<FakeUsbDevice> device;
    std::unique_ptr<IUsbDeviceHandle> handle;
};

TEST_F(DeviceIdRequestTest, ClassRequestAddressesInterfaceAndAlternateSetting) {
    device->inReply = Reply("MFG:Velmora;MDL:ZT-40;SN:1;");
    const auto answer = RequestIeee1284DeviceId(*handle, 2, 1);
    EXPECT_EQ(answer.status, UsbStatus::Ok);
    EXPECT_EQ(answer.deviceId, "MFG:Velmora;MDL:ZT-40;SN:1;");
    const auto& setup = device->transfers.at(0).setup;
    EXPECT_EQ(setup.requestType, 0xA1);
    EXPECT_EQ(setup.request, 0);
    EXPECT_EQ(setup.value, 0);
    EXPECT_EQ(setup.index, 0x0201);
    EXPECT_EQ(setup.length, kDeviceIdBufferSize);
    EXPECT_EQ(device->calls, (std::vector<std::string>{"claim", "in", "release"}));
}

TEST_F(DeviceIdRequestTest, KernelDriverIsSetAsideForTheRequest) {
    device->kernelDriverBound = true;
    device->inReply = Reply("MFG:Velmora;MDL:ZT-40;");
    EXPECT_TRUE(RequestIeee1284DeviceId(*handle, 0, 0).deviceId);
    EXPECT_EQ(device->calls, (std::vector<std::string>{"detach", "claim", "in", "release", "attach"}));
}

TEST_F(DeviceIdRequestTest, InterfaceHeldElsewhereIsReportedWithoutARequest) {
    device->claimStatus = UsbStatus::Busy;
    const auto answer = RequestIeee1284DeviceId(*handle, 0, 0);
    EXPECT_EQ(answer.status, UsbStatus::Busy);
    EXPECT_FALSE(answer.deviceId);
    EXPECT_TRUE(device->transfers.empty());
}

TEST_F(DeviceIdRequestTest, StalledOrUnusableAnswerGivesNothing) {
    device->transferStatuses = {UsbStatus::Pipe};
    EXPECT_EQ(RequestIeee1284DeviceId(*handle, 0, 0).status, UsbStatus::Pipe);
    device->inReply = {0, 4, 'M', 'F'};
    const auto answer = RequestIeee1284DeviceId(*handle, 0, 0);
    EXPECT_FALSE(answer.deviceId);
    EXPECT_NE(answer.status, UsbStatus::Ok);
}

}  // namespace
}  // namespace zt40::test
