// The device-change notice from udev, with synthetic hotplug events from umockdev.
#include <gtest/gtest.h>
#include <poll.h>

#include <vector>

#include "platform/linux/UdevDeviceMonitor.h"
#include "tests/support/Umockdev.h"

namespace zt40::test {
namespace {

constexpr const char* kPrinter = "/sys/devices/pci0000:00/0000:00:14.0/usb1/1-4";
constexpr const char* kPrinterInterface = "/sys/devices/pci0000:00/0000:00:14.0/usb1/1-4/1-4:1.0";

class UdevDeviceMonitorTest : public UmockdevTest {
protected:
    void SetUp() override {
        UmockdevTest::SetUp();
        if (skipped || HasFatalFailure()) return;
        ASSERT_TRUE(testbed.Add("P: /devices/pci0000:00/0000:00:14.0/usb1/1-4\nE: SUBSYSTEM=usb\nE: DEVTYPE=usb_device\n"
                                "A: idVendor=1a2b\nA: idProduct=00c4\nA: busnum=1\nA: devnum=3\n"
                                "\nP: /devices/pci0000:00/0000:00:14.0/usb1/1-4/1-4:1.0\nE: SUBSYSTEM=usb\n"
                                "E: DEVTYPE=usb_interface\nA: bInterfaceClass=07\n"));
        monitor = UdevDeviceMonitor::Create([this](std::uint32_t type) { notices.push_back(type); });
        ASSERT_TRUE(monitor);
    }

    // Waits as the user-interface loop's socket notifier would, at most the second allowed.
    bool Readable() {
        pollfd fd{monitor->ReadableDescriptor(), POLLIN, 0};
        return poll(&fd, 1, 1000) == 1;
    }

    std::unique_ptr<UdevDeviceMonitor> monitor;
    std::vector<std::uint32_t> notices;
};

TEST_F(UdevDeviceMonitorTest, AddedDeviceGivesOneDeviceNodesChangedNotice) {
    if (skipped) return;
    testbed.Uevent(kPrinter, "add");
    ASSERT_TRUE(Readable());
    EXPECT_EQ(monitor->Dispatch(), 1);
    EXPECT_EQ(notices, std::vector<std::uint32_t>{7});
    EXPECT_EQ(monitor->Dispatch(), 0);  // drained: nothing more without a new event
    EXPECT_EQ(notices.size(), 1u);
}

TEST_F(UdevDeviceMonitorTest, BurstOfEventsIsOneNotice) {
    if (skipped) return;
    testbed.Uevent(kPrinter, "remove");
    testbed.Uevent(kPrinter, "add");
    testbed.Uevent(kPrinterInterface, "add");
    ASSERT_TRUE(Readable());
    EXPECT_EQ(monitor->Dispatch(), 1);
    EXPECT_EQ(notices.size(), 1u);
}

TEST_F(UdevDeviceMonitorTest, DriverBindingAndInterfaceEventsAreNoChange) {
    if (skipped) return;
    // What every claimed transaction with a kernel printer driver causes.
    testbed.Uevent(kPrinterInterface, "unbind");
    testbed.Uevent(kPrinterInterface, "bind");
    testbed.Uevent(kPrinterInterface, "remove");
    testbed.Uevent(kPrinter, "change");
    Readable();  // events reach the socket or are filtered out before it
    EXPECT_EQ(monitor->Dispatch(), 0);
    EXPECT_TRUE(notices.empty());
}

TEST(UdevDeviceMonitor, DispatchWithoutEventsReturnsAtOnce) {
    auto monitor = UdevDeviceMonitor::Create({});
    ASSERT_TRUE(monitor);
    EXPECT_GE(monitor->ReadableDescriptor(), 0);
    EXPECT_EQ(monitor->Dispatch(), 0);
}

}  // namespace
}  // namespace zt40::test
