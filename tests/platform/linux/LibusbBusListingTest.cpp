// The real bus's listing, run against synthetic devices in umockdev's private sysfs.
#include <gtest/gtest.h>

#include "platform/linux/LibusbBus.h"
#include "platform/linux/UsbDevicePresence.h"
#include "tests/support/Umockdev.h"

namespace zt40::test {
namespace {

constexpr const char* kHub = "/sys/devices/pci0000:00/0000:00:14.0/usb1/1-1";

std::string UsbDevice(const std::string& name, int address, const std::string& strings) {
    return "P: /devices/pci0000:00/0000:00:14.0/usb1/1-1/" + name +
           "\nE: SUBSYSTEM=usb\nE: DEVTYPE=usb_device\nA: idVendor=1a2b\nA: idProduct=00c4\nA: busnum=1\nA: devnum=" +
           std::to_string(address) + "\n" + strings + "\n";
}

std::string Interface(const std::string& device, int number, const char* interfaceClass) {
    char text[16];
    std::snprintf(text, sizeof text, "%02x", number);
    return "P: /devices/pci0000:00/0000:00:14.0/usb1/1-1/" + device + "/" + device + ":1." + std::to_string(number) +
           "\nE: SUBSYSTEM=usb\nE: DEVTYPE=usb_interface\nA: bInterfaceNumber=" + text +
           "\nA: bAlternateSetting= 0\nA: bInterfaceClass=" + interfaceClass + "\n";
}

class LibusbBusListingTest : public UmockdevTest {
protected:
    void SetUp() override {
        UmockdevTest::SetUp();
        if (skipped || HasFatalFailure()) return;
        ASSERT_TRUE(testbed.Add("P: /devices/pci0000:00/0000:00:14.0/usb1/1-1\nE: SUBSYSTEM=usb\nE: DEVTYPE=usb_device\n"
                                "A: idVendor=05e3\nA: idProduct=0610\nA: busnum=1\nA: devnum=2\nA: bDeviceClass=09\n"));
        bus = LibusbBus::Create();
        ASSERT_TRUE(bus);
    }

    std::unique_ptr<LibusbBus> bus;
};

TEST_F(LibusbBusListingTest, ListsPrinterClassDevicesWithTheirIdentity) {
    if (skipped) return;
    ASSERT_TRUE(testbed.Add(UsbDevice("1-1.4", 7, "A: manufacturer=Velmora \nA: product=ZT-40\nA: serial=ZT4000123")));
    ASSERT_TRUE(testbed.Add(Interface("1-1.4", 0, "ff")));
    ASSERT_TRUE(testbed.Add(Interface("1-1.4", 1, "07")));
    ASSERT_TRUE(testbed.Add(Interface("1-1.4", 2, "07")));
    ASSERT_TRUE(testbed.Add(UsbDevice("1-1.2", 5, "A: product=Keyboard")));
    ASSERT_TRUE(testbed.Add(Interface("1-1.2", 0, "03")));

    const auto devices = bus->ListPrinterDevices();
    ASSERT_EQ(devices.size(), 1u);
    const auto& printer = devices[0];
    EXPECT_EQ(printer.vendorId, 0x1A2B);
    EXPECT_EQ(printer.productId, 0x00C4);
    EXPECT_EQ(printer.busNumber, 1);
    EXPECT_EQ(printer.portChain, (std::vector<std::uint8_t>{1, 4}));
    EXPECT_EQ(printer.deviceAddress, 7);
    EXPECT_EQ(printer.printerInterface, 1);  // the first printer interface of the two
    EXPECT_EQ(printer.alternateSetting, 0);
    EXPECT_EQ(printer.manufacturer, "Velmora");
    EXPECT_EQ(printer.product, "ZT-40");
    EXPECT_EQ(printer.serial, "ZT4000123");
}

TEST_F(LibusbBusListingTest, PresenceFollowsPlugAndUnplug) {
    if (skipped) return;
    const std::string uri = "USB://Velmora/ZT-40";
    EXPECT_FALSE(IsUsbDevicePresent(*bus, uri));
    ASSERT_TRUE(testbed.Add(UsbDevice("1-1.3", 9, "A: manufacturer=Velmora\nA: product=ZT-40")));
    ASSERT_TRUE(testbed.Add(Interface("1-1.3", 0, "07")));
    const auto devices = bus->ListPrinterDevices();
    ASSERT_EQ(devices.size(), 1u);
    EXPECT_EQ(devices[0].serial, "");
    EXPECT_TRUE(IsUsbDevicePresent(*bus, uri));
    testbed.Remove(std::string(kHub) + "/1-1.3");
    EXPECT_FALSE(IsUsbDevicePresent(*bus, uri));
}

}  // namespace
}  // namespace zt40::test
