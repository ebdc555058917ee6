#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "platform/sim/SimDeviceChangeMonitor.h"

namespace zt40 {
namespace {

TEST(SimDeviceChangeMonitor, PowerCycleWakesTheOwnerAndGivesOneNoticePerDispatch) {
    SimulatedZt40 printer("SIM0001");
    std::vector<std::uint32_t> notices;
    int wakes = 0;
    SimDeviceChangeMonitor monitor(printer, [&](std::uint32_t type) { notices.push_back(type); });
    monitor.SetWake([&] { ++wakes; });
    EXPECT_EQ(monitor.ReadableDescriptor(), -1) << "the simulator needs no descriptor";
    EXPECT_EQ(wakes, 0);
    EXPECT_EQ(monitor.Dispatch(), 0);

    printer.PowerOff();
    EXPECT_TRUE(notices.empty()) << "no notice inside the call that switched the printer off";
    EXPECT_EQ(wakes, 1);
    printer.PowerOn();
    EXPECT_EQ(monitor.Dispatch(), 1);
    EXPECT_EQ(notices, std::vector<std::uint32_t>{kDeviceNodesChanged});
    EXPECT_EQ(monitor.Dispatch(), 0) << "both events were taken by the one dispatch";

    printer.Unplug();
    printer.Unplug();  // a repeat is no change
    EXPECT_EQ(monitor.Dispatch(), 1);
    EXPECT_EQ(monitor.Dispatch(), 0);
    EXPECT_EQ(notices.size(), 2u);
}

TEST(SimDeviceChangeMonitor, AnEventBeforeTheLoopIsReadyWakesItWhenItIs) {
    SimulatedZt40 printer("SIM0001");
    int notices = 0;
    int wakes = 0;
    SimDeviceChangeMonitor monitor(printer, [&](std::uint32_t) { ++notices; });
    printer.PowerOff();
    monitor.SetWake([&] { ++wakes; });
    EXPECT_EQ(wakes, 1);
    EXPECT_EQ(monitor.Dispatch(), 1);
    EXPECT_EQ(notices, 1);
}

TEST(SimDeviceChangeMonitor, EventsFromAnotherThreadAreAllTakenOnTheOwnersThread) {
    SimulatedZt40 printer("SIM0001");
    int notices = 0;
    SimDeviceChangeMonitor monitor(printer, [&](std::uint32_t) { ++notices; });
    std::thread outside([&] {
        for (int i = 0; i < 50; ++i) {
            printer.PowerOff();
            printer.PowerOn();
        }
    });
    outside.join();
    EXPECT_EQ(monitor.Dispatch(), 1);
    EXPECT_EQ(monitor.Dispatch(), 0);
    EXPECT_EQ(notices, 1);
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
