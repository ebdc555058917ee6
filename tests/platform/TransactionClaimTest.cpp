// A device command holds the printer interface once, from its first SET to its last poll,
// however long the printer stays busy; the kernel printer driver moves out and back once.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "device/CHeadDevice.h"
#include "platform/linux/LibusbVendorChannel.h"
#include "tests/support/FakeClock.h"
#include "tests/support/RecordingMessageBox.h"
#include "platform/sim/SimSpooler.h"
#include "tests/support/FakeUsbBus.h"

namespace zt40::test {
namespace {

class OneDeviceFinder final : public IDeviceFinder {
public:
    std::optional<std::string> FindDevicePath(std::string_view) override { return std::string("fake"); }
};

class FakeBusOpener final : public IDeviceOpener {
public:
    explicit FakeBusOpener(FakeUsbBus& bus) : m_bus(bus) {}
    std::unique_ptr<IVendorChannel> OpenDevice(std::string_view) override {
        auto opened = m_bus.Open(m_bus.devices.at(0)->record);
        if (!opened.handle) return nullptr;
        return std::make_unique<LibusbVendorChannel>(std::move(opened.handle), 0);
    }

private:
    FakeUsbBus& m_bus;
};

struct ClaimCase {
    const char* name;
    std::function<bool(CHeadDevice&)> command;
    std::uint8_t opcode;
    int busyPolls;
    bool kernelDriverBound;
};

std::ostream& operator<<(std::ostream& out, const ClaimCase& c) { return out << c.name; }

std::vector<std::uint8_t> Reply(std::uint8_t state) {
    std::vector<std::uint8_t> reply(32, 0);
    reply[0] = state;
    reply[1] = 1;  // one status word, for GetStatus
    reply[2] = 1;
    return reply;
}

class TransactionClaimTest : public ::testing::TestWithParam<ClaimCase> {
protected:
    TransactionClaimTest() {
        device = bus.Plug(UsbDeviceRecord{});
        EXPECT_TRUE(head.Open("ZT-40", 0, 32));
        device->calls.clear();
    }

    FakeUsbBus bus;
    std::shared_ptr<FakeUsbDevice> device;
    OneDeviceFinder finder;
    FakeBusOpener opener{bus};
    FakeClock clock{0, 1};
    RecordingMessageBox messages;
    SimSpooler spooler;
    CHeadDevice head{DeviceLinkPlatform{finder, opener, clock, messages, spooler}};
};

TEST_P(TransactionClaimTest, OneClaimAndOneDriverCycleAroundAllRequests) {
    const auto& c = GetParam();
    device->kernelDriverBound = c.kernelDriverBound;
    for (int i = 0; i < c.busyPolls; ++i) device->inReplies.push_back(Reply(c.opcode));
    device->inReplies.push_back(Reply(0));

    ASSERT_TRUE(c.command(head));

    std::vector<std::string> expected;
    if (c.kernelDriverBound) expected.emplace_back("detach");
    expected.insert(expected.end(), {"claim", "out", "out"});
    expected.insert(expected.end(), static_cast<std::size_t>(c.busyPolls) + 1, "in");
    expected.emplace_back("release");
    if (c.kernelDriverBound) expected.emplace_back("attach");
    EXPECT_EQ(device->calls, expected);
    EXPECT_EQ(device->kernelDriverBound, c.kernelDriverBound);
}

const std::array<std::uint16_t, 2> kPair{1, 2};
const std::array<std::int32_t, 2> kMotion{-416, 3333};

INSTANTIATE_TEST_SUITE_P(
    Commands, TransactionClaimTest,
    ::testing::Values(
        ClaimCase{"StatusAnsweredAtOnce", [](CHeadDevice& d) { return d.GetStatus() == 1; }, 0x01, 0, false},
        ClaimCase{"StatusAfterBusyPollsWithKernelDriver", [](CHeadDevice& d) { return d.GetStatus() == 1; }, 0x01,
                  40, true},
        ClaimCase{"SelectPinAfterBusyPolls", [](CHeadDevice& d) { return d.SelectPin(3); }, 0x78, 25, false},
        ClaimCase{"WordPairWithKernelDriver", [](CHeadDevice& d) { return d.WriteWordPair(kPair); }, 0x78, 3, true},
        ClaimCase{"MotionBlockAfterBusyPolls",
                  [](CHeadDevice& d) { return d.SendMotionBlock(kMotion, 0x4242); }, 0x40, 10, true}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(TransactionClaimTest, EachCommandHasItsOwnClaimSoTheSpoolerCanPrintBetween) {
    device->inReply = Reply(0);
    ASSERT_EQ(head.GetStatus(), 1);
    ASSERT_EQ(head.GetStatus(), 1);
    EXPECT_EQ(std::count(device->calls.begin(), device->calls.end(), "claim"), 2);
    EXPECT_EQ(std::count(device->calls.begin(), device->calls.end(), "release"), 2);
    const auto firstRelease = std::find(device->calls.begin(), device->calls.end(), "release");
    EXPECT_EQ(*(firstRelease + 1), "claim");
}

TEST_F(TransactionClaimTest, PrinterUnpluggedMidCommandEndsItWithoutFurtherRequests) {
    device->inReplies = {Reply(0x01), Reply(0x01)};
    device->transferStatuses = {UsbStatus::Ok, UsbStatus::Ok, UsbStatus::Ok, UsbStatus::NoDevice};
    EXPECT_EQ(head.GetStatus(), kStatusUnknown);
    EXPECT_EQ(std::count(device->calls.begin(), device->calls.end(), "in"), 2);
    EXPECT_FALSE(head.Port().IsHandleValid());
}

}  // namespace
}  // namespace zt40::test
