#include <gtest/gtest.h>
#include <poll.h>

#include <vector>

#include "platform/sim/SimDeviceChangeMonitor.h"

namespace zt40 {
namespace {

bool Readable(int fd) {
    pollfd waiting{fd, POLLIN, 0};
    return poll(&waiting, 1, 0) == 1 && (waiting.revents & POLLIN);
}

TEST(SimDeviceChangeMonitor, PowerCycleWakesTheDescriptorAndGivesOneNoticePerDispatch) {
    SimulatedZt40 printer("SIM0001");
    std::vector<std::uint32_t> notices;
    SimDeviceChangeMonitor monitor(printer, [&](std::uint32_t type) { notices.push_back(type); });
    ASSERT_GE(monitor.FileDescriptor(), 0);
    EXPECT_FALSE(Readable(monitor.FileDescriptor()));
    EXPECT_EQ(monitor.Dispatch(), 0);

    printer.PowerOff();
    EXPECT_TRUE(notices.empty()) << "no notice inside the call that switched the printer off";
    EXPECT_TRUE(Readable(monitor.FileDescriptor()));
    printer.PowerOn();
    EXPECT_EQ(monitor.Dispatch(), 1);
    EXPECT_EQ(notices, std::vector<std::uint32_t>{kDeviceNodesChanged});
    EXPECT_FALSE(Readable(monitor.FileDescriptor())) << "both events were taken by the one dispatch";

    printer.Unplug();
    printer.Unplug();  // a repeat is no change
    EXPECT_EQ(monitor.Dispatch(), 1);
    EXPECT_EQ(monitor.Dispatch(), 0);
    EXPECT_EQ(notices.size(), 2u);
}

TEST(SimDeviceChangeMonitor, StopsListeningWhenDestroyed) {
    SimulatedZt40 printer("SIM0001");
    int notices = 0;
    {
        SimDeviceChangeMonitor monitor(printer, [&](std::uint32_t) { ++notices; });
    }
    printer.PowerOff();  // must not reach the destroyed monitor
    EXPECT_EQ(notices, 0);
}

}  // namespace
}  // namespace zt40
