// From a spooler queue to the attached USB printer through its device URI.
#include <gtest/gtest.h>

#include "platform/linux/LinuxDeviceFinder.h"
#include "platform/linux/UsbDevicePresence.h"
#include "platform/linux/UsbPrinterMatch.h"
#include "tests/support/QueueTableSpooler.h"
#include "tests/support/FakeUsbBus.h"

namespace zt40::test {
namespace {

constexpr std::uint16_t kVendor = 0x1A2B;
constexpr std::uint16_t kProduct = 0x00C4;

UsbDeviceRecord Printer(std::string manufacturer, std::string product, std::string serial,
                        std::vector<std::uint8_t> ports, std::uint16_t productId = kProduct) {
    UsbDeviceRecord record;
    record.vendorId = kVendor;
    record.productId = productId;
    record.busNumber = 1;
    record.portChain = std::move(ports);
    record.manufacturer = std::move(manufacturer);
    record.product = std::move(product);
    record.serial = std::move(serial);
    return record;
}

class LinuxDeviceFinderTest : public ::testing::Test {
protected:
    void AddQueue(std::string name, std::string port, std::string driver = "Velmora ZT-40") {
        spooler.Add({std::move(name), std::move(port), std::move(driver), 0});
    }
    std::optional<std::string> Find(std::string_view queue) { return finder.FindDevicePath(queue); }

    QueueTableSpooler spooler;
    FakeUsbBus bus;
    DeviceAccessReport report;
    LinuxDeviceFinder finder{spooler, bus, &report};
};

TEST_F(LinuxDeviceFinderTest, RightPrinterAmongSeveralIsFoundBySerial) {
    bus.Plug(Printer("Acme", "LaserThing", "ZT4000123", {1}, 0x0001));  // another maker, same serial
    bus.Plug(Printer("Velmora", "ZT-40", "ZT4000999", {2}));             // the twin next to it
    bus.Plug(Printer("Velmora", "ZT-40", "ZT4000123", {3, 1}));
    AddQueue("ZT-40", "USB://Velmora/ZT-40?serial=ZT4000123");

    EXPECT_EQ(Find("ZT-40"), "usb:1a2b:00c4:serial=ZT4000123");
    EXPECT_EQ(report.Last(), DeviceAccessFailure::None);
    EXPECT_EQ(spooler.openQueues, 0);
}

TEST_F(LinuxDeviceFinderTest, EscapedUriMatchesTheDevicesPlainStrings) {
    bus.Plug(Printer("Velmora", "ZT-40 Rev/B", "SN 7&8", {4}));
    AddQueue("ZT-40", "usb://Velmora/ZT-40%20Rev%2FB?serial=SN%207%268", "VELMORA zt-40 rev/b");
    EXPECT_EQ(Find("ZT-40"), "usb:1a2b:00c4:serial=SN%207%268");
}

TEST_F(LinuxDeviceFinderTest, DeviceWithoutSerialIsNamedByItsPortChain) {
    bus.Plug(Printer("Velmora", "ZT-40", "", {1, 4}));
    AddQueue("ZT-40", "usb://Velmora/ZT-40");
    EXPECT_EQ(Find("ZT-40"), "usb:1a2b:00c4:port=1-1.4");
}

TEST_F(LinuxDeviceFinderTest, DeviceIdDecidesWhenTheStringsDoNotNameThePrinter) {
    auto other = bus.Plug(Printer("Velmora Corporation", "Marking Printer", "", {1}), "MFG:Velmora;MDL:ZT-30;");
    auto printer = bus.Plug(Printer("Velmora Corporation", "Marking Printer", "", {2}),
                            "MFG:Velmora;CMD:PJL,RTL;MDL:ZT-40;SN:ZT4000123;CLS:PRINTER;");
    AddQueue("ZT-40", "usb://Velmora/ZT-40?serial=ZT4000123");
    EXPECT_EQ(Find("ZT-40"), "usb:1a2b:00c4:port=1-2");  // the path's identity comes from the USB serial
    EXPECT_EQ(other->deviceIdRequests, 1);
    EXPECT_EQ(printer->deviceIdRequests, 1);
}

TEST_F(LinuxDeviceFinderTest, DeviceIdWithoutSerialFallsBackToTheSerialString) {
    bus.Plug(Printer("", "", "ZT4000123", {2}), "MANUFACTURER:Velmora;MODEL:Velmora ZT-40;");
    AddQueue("ZT-40", "usb://Velmora/ZT-40?serial=ZT4000123");
    EXPECT_EQ(Find("ZT-40"), "usb:1a2b:00c4:serial=ZT4000123");
}

TEST_F(LinuxDeviceFinderTest, DeviceIdIsNotAskedForWhenTheStringsAlreadyMatch) {
    auto printer = bus.Plug(Printer("Velmora", "ZT-40", "ZT4000123", {2}), "MFG:Velmora;MDL:ZT-40;");
    AddQueue("ZT-40", "usb://Velmora/ZT-40?serial=ZT4000123");
    EXPECT_TRUE(Find("ZT-40"));
    EXPECT_EQ(printer->deviceIdRequests, 0);
}

TEST_F(LinuxDeviceFinderTest, DriverNameMustBeTheDevicesMakeAndModelInAnyCase) {
    bus.Plug(Printer("Velmora", "ZT-40", "ZT4000123", {2}));
    AddQueue("right", "usb://Velmora/ZT-40?serial=ZT4000123", "velmora zt-40");
    AddQueue("wrong", "usb://Velmora/ZT-40?serial=ZT4000123", "Velmora ZT-40 (generic)");
    EXPECT_TRUE(Find("right"));
    EXPECT_FALSE(Find("wrong"));
    EXPECT_EQ(report.Last(), DeviceAccessFailure::DeviceNotFound);
}

TEST_F(LinuxDeviceFinderTest, DescriptionOfAModelThatRepeatsTheMakeIsTheModel) {
    bus.Plug(Printer("Velmora", "Velmora ZT-40", "7", {2}));
    AddQueue("ZT-40", "usb://Velmora/ZT-40?serial=7");  // the spooler drops the make from the model
    EXPECT_TRUE(Find("ZT-40"));
}

TEST_F(LinuxDeviceFinderTest, FirstDeviceWhoseDescriptionFitsWinsAmongUriMatches) {
    bus.Plug(Printer("Velmora", "ZT-40", "", {1}), "MFG:Velmora;MDL:ZT-40;");
    bus.Plug(Printer("Velmora", "ZT-40", "", {2}));
    AddQueue("ZT-40", "usb://Velmora/ZT-40");
    EXPECT_EQ(Find("ZT-40"), "usb:1a2b:00c4:port=1-1");
}

TEST_F(LinuxDeviceFinderTest, InterfaceOptionSelectsThePrinterInterface) {
    auto first = Printer("Velmora", "ZT-40", "", {1});
    first.printerInterface = 0;
    auto second = Printer("Velmora", "ZT-40", "", {2});
    second.printerInterface = 1;
    bus.Plug(first);
    bus.Plug(second);
    AddQueue("ZT-40", "usb://Velmora/ZT-40?interface=1");
    EXPECT_EQ(Find("ZT-40"), "usb:1a2b:00c4:port=1-2");
}

TEST_F(LinuxDeviceFinderTest, NoAttachedPrinterOrAnotherSerialIsNotFound) {
    AddQueue("ZT-40", "usb://Velmora/ZT-40?serial=ZT4000123");
    EXPECT_FALSE(Find("ZT-40"));
    EXPECT_EQ(report.Last(), DeviceAccessFailure::DeviceNotFound);
    bus.Plug(Printer("Velmora", "ZT-40", "zt4000123", {1}));  // serials compare exactly
    EXPECT_FALSE(Find("ZT-40"));
}

TEST_F(LinuxDeviceFinderTest, UnknownQueueOrNonUsbPortIsNotFound) {
    bus.Plug(Printer("Velmora", "ZT-40", "1", {1}));
    AddQueue("network", "socket://192.0.2.1:9100");
    EXPECT_FALSE(Find("missing"));
    EXPECT_EQ(report.Last(), DeviceAccessFailure::QueueNotFound);
    EXPECT_FALSE(Find("network"));
    EXPECT_EQ(report.Last(), DeviceAccessFailure::DeviceNotFound);
    EXPECT_EQ(bus.scans, 0);
}

TEST_F(LinuxDeviceFinderTest, PrinterThatCannotBeAskedForLackOfPermissionIsReportedSo) {
    auto printer = bus.Plug(Printer("", "", "", {1}));
    printer->deviceIdStatus = UsbStatus::Access;
    AddQueue("ZT-40", "usb://Velmora/ZT-40");
    EXPECT_FALSE(Find("ZT-40"));
    EXPECT_EQ(report.Last(), DeviceAccessFailure::NoPermission);
    EXPECT_FALSE(report.Hint().empty());
}

TEST_F(LinuxDeviceFinderTest, PresenceTakesOneScanAndNoDeviceRequestWhenStringsMatch) {
    auto printer = bus.Plug(Printer("Velmora", "ZT-40", "ZT4000123", {2}), "MFG:Velmora;MDL:ZT-40;");
    EXPECT_TRUE(IsUsbDevicePresent(bus, "USB://Velmora/ZT-40?serial=ZT4000123"));
    EXPECT_EQ(bus.scans, 1);
    EXPECT_EQ(printer->deviceIdRequests, 0);
    EXPECT_FALSE(IsUsbDevicePresent(bus, "usb://Velmora/ZT-40?serial=ZT4000124"));
    EXPECT_EQ(bus.scans, 2);
    EXPECT_FALSE(IsUsbDevicePresent(bus, "not a uri"));
    EXPECT_EQ(bus.scans, 2);
    bus.Unplug(printer);
    EXPECT_FALSE(IsUsbDevicePresent(bus, "usb://Velmora/ZT-40?serial=ZT4000123"));
}

TEST(PrinterDescription, MakeIsNotRepeatedAndMatchingIgnoresCase) {
    EXPECT_EQ(DescriptionOf({"Velmora", "ZT-40", ""}), "Velmora ZT-40");
    EXPECT_EQ(DescriptionOf({"Velmora", "velmora ZT-40", ""}), "velmora ZT-40");
    EXPECT_EQ(DescriptionOf({"Velmora", "VelmoraZT-40", ""}), "Velmora VelmoraZT-40");
    EXPECT_EQ(DescriptionOf({"", "ZT-40", ""}), "ZT-40");

    UsbDeviceUri uri{"velmora", "zt-40", std::nullopt, std::nullopt};
    EXPECT_TRUE(IdentityMatchesUri({"Velmora", "ZT-40", "any"}, uri));
    EXPECT_TRUE(IdentityMatchesUri({"Velmora", "Velmora  ZT-40", ""}, uri));
    EXPECT_FALSE(IdentityMatchesUri({"Velmora", "ZT-400", ""}, uri));
    EXPECT_FALSE(IdentityMatchesUri({"", "ZT-40", ""}, uri));
    uri.serial = "";
    EXPECT_TRUE(IdentityMatchesUri({"Velmora", "ZT-40", ""}, uri));
    EXPECT_FALSE(IdentityMatchesUri({"Velmora", "ZT-40", "1"}, uri));
}

}  // namespace
}  // namespace zt40::test
