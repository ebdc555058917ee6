// Opening device paths on a bus where printers are switched off and on, and the port on top.
#include <gtest/gtest.h>

#include <array>

#include "device/CUsbPrintPort.h"
#include "platform/linux/LibusbDeviceOpener.h"
#include "platform/linux/LinuxDeviceFinder.h"
#include "tests/support/QueueTableSpooler.h"
#include "tests/support/FakeUsbBus.h"

namespace zt40::test {
namespace {

UsbDeviceRecord Printer(std::string serial, std::vector<std::uint8_t> ports) {
    UsbDeviceRecord record;
    record.vendorId = 0x1A2B;
    record.productId = 0x00C4;
    record.busNumber = 1;
    record.portChain = std::move(ports);
    record.printerInterface = 0;
    record.manufacturer = "Velmora";
    record.product = "ZT-40";
    record.serial = std::move(serial);
    return record;
}

class LibusbDeviceOpenerTest : public ::testing::Test {
protected:
    FakeUsbBus bus;
    DeviceAccessReport report;
    LibusbDeviceOpener opener{bus, &report};
};

TEST_F(LibusbDeviceOpenerTest, OpensTheDeviceOfThePathAndTalksToItsPrinterInterface) {
    bus.Plug(Printer("A", {1}));
    auto printer = Printer("B", {2});
    printer.printerInterface = 2;
    auto device = bus.Plug(printer);
    auto channel = opener.OpenDevice("usb:1a2b:00c4:serial=B");
    ASSERT_TRUE(channel);
    EXPECT_EQ(report.Last(), DeviceAccessFailure::None);
    const std::array<std::uint8_t, 4> request{0xF0, 0, 0, 0x01};
    EXPECT_TRUE(channel->VendorSet(request));
    ASSERT_EQ(device->transfers.size(), 1u);
    EXPECT_EQ(device->transfers[0].setup.index, 2);
}

TEST_F(LibusbDeviceOpenerTest, SerialDeviceIsFoundAgainAfterAReplugIntoAnotherPort) {
    auto device = bus.Plug(Printer("ZT4000123", {1}));
    auto replugged = bus.Replug(device, std::vector<std::uint8_t>{3, 2});
    ASSERT_NE(replugged->record.deviceAddress, device->record.deviceAddress);
    EXPECT_TRUE(opener.OpenDevice("usb:1a2b:00c4:serial=ZT4000123"));
    EXPECT_EQ(replugged->opens, 1);
}

TEST_F(LibusbDeviceOpenerTest, SerialLessDeviceIsFoundAgainOnlyInTheSamePort) {
    auto device = bus.Plug(Printer("", {1, 4}));
    auto sameSocket = bus.Replug(device);
    EXPECT_TRUE(opener.OpenDevice("usb:1a2b:00c4:port=1-1.4"));
    EXPECT_EQ(sameSocket->opens, 1);

    bus.Replug(sameSocket, std::vector<std::uint8_t>{1, 3});
    EXPECT_FALSE(opener.OpenDevice("usb:1a2b:00c4:port=1-1.4"));
    EXPECT_EQ(report.Last(), DeviceAccessFailure::DeviceNotFound);
}

// The counter samples are kept per printer under this name.
TEST_F(LibusbDeviceOpenerTest, ReportNamesTheOpenedPrinterBySerialElseByPort) {
    auto withSerial = bus.Plug(Printer("ZT4000123", {2}));
    bus.Plug(Printer("", {1, 4}));
    EXPECT_TRUE(opener.OpenDevice("usb:1a2b:00c4:serial=ZT4000123"));
    EXPECT_EQ(report.OpenedPrinter(), "ZT4000123");
    EXPECT_TRUE(opener.OpenDevice("usb:1a2b:00c4:port=1-1.4"));
    EXPECT_EQ(report.OpenedPrinter(), "port:1-1.4");
    withSerial->openStatus = UsbStatus::Busy;
    EXPECT_FALSE(opener.OpenDevice("usb:1a2b:00c4:serial=ZT4000123"));
    EXPECT_EQ(report.OpenedPrinter(), "");  // not the printer opened before
}

TEST_F(LibusbDeviceOpenerTest, RefusedOpensSayWhy) {
    auto device = bus.Plug(Printer("1", {1}));
    const std::pair<UsbStatus, DeviceAccessFailure> cases[] = {
        {UsbStatus::Access, DeviceAccessFailure::NoPermission},
        {UsbStatus::Busy, DeviceAccessFailure::Busy},
        {UsbStatus::NotFound, DeviceAccessFailure::DeviceNotFound},
        {UsbStatus::Other, DeviceAccessFailure::OpenFailed},
    };
    for (const auto& [status, failure] : cases) {
        device->openStatus = status;
        EXPECT_FALSE(opener.OpenDevice("usb:1a2b:00c4:serial=1"));
        EXPECT_EQ(report.Last(), failure);
    }
    device->openStatus = UsbStatus::Ok;
    EXPECT_TRUE(opener.OpenDevice("usb:1a2b:00c4:serial=1"));
    EXPECT_EQ(report.Last(), DeviceAccessFailure::None);
}

TEST_F(LibusbDeviceOpenerTest, PathThatIsNotAUsbDevicePathOpensNothing) {
    bus.Plug(Printer("1", {1}));
    EXPECT_FALSE(opener.OpenDevice("\\\\?\\usb#vid_1a2b&pid_00c4#1#{28d78fad}"));
    EXPECT_FALSE(opener.OpenDevice(""));
    EXPECT_EQ(report.Last(), DeviceAccessFailure::DeviceNotFound);
    EXPECT_EQ(bus.devices[0]->opens, 0);
}

class LinuxPortTest : public ::testing::Test {
protected:
    LinuxPortTest() {
        spooler.Add({"ZT-40", "USB://Velmora/ZT-40", "Velmora ZT-40", 0});
        device = bus.Plug(Printer("", {1, 4}));
    }
    bool Ping() {
        std::array<std::uint8_t, 35> packet{0xF0};
        return port.VendorGet(packet);
    }

    QueueTableSpooler spooler;
    FakeUsbBus bus;
    DeviceAccessReport report;
    LinuxDeviceFinder finder{spooler, bus, &report};
    LibusbDeviceOpener opener{bus, &report};
    CUsbPrintPort port{finder, opener};
    std::shared_ptr<FakeUsbDevice> device;
};

TEST_F(LinuxPortTest, SwitchedOffAndOnPrinterIsReopenedUnderTheSamePath) {
    ASSERT_TRUE(port.OpenForPrinter("ZT-40"));
    EXPECT_EQ(port.DevicePath(), "usb:1a2b:00c4:port=1-1.4");
    EXPECT_TRUE(Ping());

    bus.Unplug(device);
    EXPECT_FALSE(Ping());
    EXPECT_FALSE(port.IsHandleValid());
    EXPECT_FALSE(port.Reopen());
    EXPECT_EQ(report.Last(), DeviceAccessFailure::DeviceNotFound);
    EXPECT_EQ(port.DevicePath(), "usb:1a2b:00c4:port=1-1.4");

    auto again = bus.Plug(device->record);
    ASSERT_TRUE(port.Reopen());
    EXPECT_TRUE(port.IsHandleValid());
    EXPECT_TRUE(Ping());
    EXPECT_EQ(again->transfers.size(), 1u);
    EXPECT_EQ(port.QueueName(), "ZT-40");
}

TEST_F(LinuxPortTest, FoundButUnopenableDeviceKeepsNameAndPathWithAnInvalidHandle) {
    device->openStatus = UsbStatus::Access;
    EXPECT_FALSE(port.OpenForPrinter("ZT-40"));
    EXPECT_FALSE(port.IsHandleValid());
    EXPECT_EQ(port.QueueName(), "ZT-40");
    EXPECT_EQ(port.DevicePath(), "usb:1a2b:00c4:port=1-1.4");
    EXPECT_EQ(report.Last(), DeviceAccessFailure::NoPermission);
    EXPECT_NE(report.Hint().find("permission"), std::string_view::npos);

    device->openStatus = UsbStatus::Ok;  // the udev rule is in place and the printer replugged
    EXPECT_TRUE(port.Reopen());
    EXPECT_EQ(report.Last(), DeviceAccessFailure::None);
    EXPECT_TRUE(report.Hint().empty());
}

TEST_F(LinuxPortTest, AbsentDeviceLeavesThePortEmpty) {
    bus.Unplug(device);
    EXPECT_FALSE(port.OpenForPrinter("ZT-40"));
    EXPECT_EQ(port.QueueName(), "");
    EXPECT_EQ(port.DevicePath(), "");
    EXPECT_EQ(report.Last(), DeviceAccessFailure::DeviceNotFound);
}

TEST_F(LinuxPortTest, ClosingThePortClosesTheUsbDevice) {
    ASSERT_TRUE(port.OpenForPrinter("ZT-40"));
    EXPECT_TRUE(port.Close());
    EXPECT_EQ(device->calls.back(), "close");
    EXPECT_FALSE(port.Reopen());
}

}  // namespace
}  // namespace zt40::test
