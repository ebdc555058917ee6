// Finding and opening simulated printers: from a queue to "sim:<serial>", and from that
// path to a channel, with the refusals a real device gives.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "device/CHeadDevice.h"
#include "tests/support/FakeClock.h"
#include "tests/support/RecordingMessageBox.h"
#include "platform/sim/SimDeviceFinder.h"
#include "platform/sim/SimDeviceOpener.h"
#include "platform/sim/SimPrinterRig.h"
#include "platform/sim/SimSpooler.h"

namespace zt40 {
namespace {

using ::testing::Optional;

class SimDeviceTest : public ::testing::Test {
protected:
    SimDeviceTest() {
        opener.Attach(first);
        opener.Attach(second);
    }
    void AddQueue(std::string name, std::string port, std::string driver = "Velmora ZT-40") {
        spooler.AddQueue(QueueInfo{std::move(name), std::move(port), std::move(driver), 0});
    }

    SimulatedZt40 first{"A1"};
    SimulatedZt40 second{"B2"};
    SimDeviceOpener opener;
    SimSpooler spooler;
    SimDeviceFinder finder{spooler, opener};
};

TEST_F(SimDeviceTest, FinderFollowsTheQueuePortToTheSerial) {
    AddQueue("one", SimPortName("A1"));
    AddQueue("two", "USB://Velmora/ZT-40?serial=B2", "velmora zt-40");
    EXPECT_THAT(finder.FindDevicePath("one"), Optional(std::string("sim:A1")));
    EXPECT_THAT(finder.FindDevicePath("two"), Optional(std::string("sim:B2"))) << "driver name in any case";
}

TEST_F(SimDeviceTest, FinderRefusesOtherDriversPortsAndUnknownPrinters) {
    AddQueue("other driver", SimPortName("A1"), "Velmora ZT-400");
    AddQueue("unknown serial", SimPortName("C3"));
    AddQueue("no serial", SimPortName(""));
    AddQueue("other port", "USB001");
    AddQueue("other case port", "usb://Velmora/ZT-40?serial=A1");
    for (const char* queue : {"other driver", "unknown serial", "no serial", "other port", "other case port", "absent"}) {
        EXPECT_EQ(finder.FindDevicePath(queue), std::nullopt) << queue;
    }
    EXPECT_EQ(spooler.OpenHandleCount(), 0) << "every lookup closes the queue again";
}

TEST_F(SimDeviceTest, FinderStillFindsAnUnpluggedPrinterThatTheOpenerThenRefuses) {
    AddQueue("one", SimPortName("A1"));
    first.Unplug();
    const auto path = finder.FindDevicePath("one");
    ASSERT_THAT(path, Optional(std::string("sim:A1")));
    EXPECT_EQ(opener.OpenDevice(*path), nullptr);
    first.Plug();
    EXPECT_NE(opener.OpenDevice(*path), nullptr);
}

TEST_F(SimDeviceTest, OpenerRefusesWhatARealDeviceWould) {
    EXPECT_EQ(opener.OpenDevice("sim:C3"), nullptr);
    EXPECT_EQ(opener.OpenDevice("A1"), nullptr);
    EXPECT_EQ(opener.OpenDevice("sim:"), nullptr);

    second.PowerOff();
    EXPECT_EQ(opener.OpenDevice("sim:B2"), nullptr);
    second.PowerOn();

    auto held = opener.OpenDevice("sim:B2");
    ASSERT_NE(held, nullptr);
    EXPECT_EQ(opener.OpenDevice("sim:B2"), nullptr) << "one holder at a time";
    EXPECT_NE(opener.OpenDevice("sim:A1"), nullptr) << "another printer is free";
    held.reset();
    second.SetHeldElsewhere(true);
    EXPECT_EQ(opener.OpenDevice("sim:B2"), nullptr);
    EXPECT_EQ(opener.OpenAttempts(), 8);
}

TEST(SimDeviceAccessReport, SaysWhyTheLatestSearchOrOpenFailed) {
    SimulatedZt40 printer("A1");
    DeviceAccessReport report;
    SimDeviceOpener opener(&report);
    opener.Attach(printer);
    SimSpooler spooler;
    spooler.AddQueue(QueueInfo{"one", SimPortName("A1"), "Velmora ZT-40", 0});
    spooler.AddQueue(QueueInfo{"lost", SimPortName("Z9"), "Velmora ZT-40", 0});
    SimDeviceFinder finder(spooler, opener, &report);

    EXPECT_FALSE(finder.FindDevicePath("absent"));
    EXPECT_EQ(report.Last(), DeviceAccessFailure::QueueNotFound);
    EXPECT_FALSE(finder.FindDevicePath("lost"));
    EXPECT_EQ(report.Last(), DeviceAccessFailure::DeviceNotFound);
    ASSERT_TRUE(finder.FindDevicePath("one"));
    EXPECT_EQ(report.Last(), DeviceAccessFailure::None);

    printer.PowerOff();
    EXPECT_EQ(opener.OpenDevice("sim:A1"), nullptr);
    EXPECT_EQ(report.Last(), DeviceAccessFailure::DeviceNotFound);
    printer.PowerOn();
    printer.SetHeldElsewhere(true);
    EXPECT_EQ(opener.OpenDevice("sim:A1"), nullptr);
    EXPECT_EQ(report.Last(), DeviceAccessFailure::Busy);
    printer.SetHeldElsewhere(false);
    EXPECT_NE(opener.OpenDevice("sim:A1"), nullptr);
    EXPECT_EQ(report.Last(), DeviceAccessFailure::None);
}

TEST_F(SimDeviceTest, ADetachedPrinterCanNoLongerBeOpened) {
    opener.Detach("A1");
    EXPECT_EQ(opener.Find("A1"), nullptr);
    EXPECT_EQ(opener.OpenDevice("sim:A1"), nullptr);
    EXPECT_EQ(opener.Find("B2"), &second);
}

// The rig wired into the command protocol, as zt40ctl and the demo use it.
TEST(SimPrinterRigTest, DeviceOpensThroughTheQueueAndReopensAfterReplug) {
    SimPrinterSetup setup;
    setup.serial = "RIG1";
    setup.state.selectedPin = 6;
    SimPrinterRig rig(setup, "Marking");
    FakeClock clock(0, 1);
    RecordingMessageBox messages;
    CHeadDevice device(rig.Platform(clock, messages));

    ASSERT_TRUE(device.Open("Marking", 0, 32));
    EXPECT_EQ(device.Port().DevicePath(), "sim:RIG1");
    EXPECT_EQ(device.ReadSelectedPin(), 6);

    rig.Printer().Unplug();
    EXPECT_EQ(device.ReadSelectedPin(), -1);
    std::vector<QueueInfo> queues;
    ASSERT_TRUE(rig.Spooler().EnumLocalQueues(queues));
    ASSERT_EQ(queues.size(), 1u);
    EXPECT_EQ(queues[0].attributes, kPrinterAttributeWorkOffline) << "the queue follows the printer";
    EXPECT_FALSE(device.Reopen());

    rig.Printer().Plug();
    ASSERT_TRUE(device.Reopen());
    EXPECT_EQ(device.ReadSelectedPin(), 6);
    EXPECT_TRUE(messages.ShownBoxes().empty());
}

}  // namespace
}  // namespace zt40
