// The re-openable USB device paths.
#include <gtest/gtest.h>

#include "platform/linux/UsbDevicePath.h"

namespace zt40::test {
namespace {

UsbDeviceRecord Record(std::string serial, std::uint8_t bus, std::vector<std::uint8_t> ports) {
    UsbDeviceRecord record;
    record.vendorId = 0x1A2B;
    record.productId = 0x00C4;
    record.serial = std::move(serial);
    record.busNumber = bus;
    record.portChain = std::move(ports);
    record.deviceAddress = 9;
    return record;
}

TEST(UsbDevicePath, DeviceWithSerialIsNamedByItAndNotByItsPlace) {
    const auto path = DevicePathOf(Record("ZT4000123", 1, {1, 4}));
    EXPECT_EQ(FormatDevicePath(path), "usb:1a2b:00c4:serial=ZT4000123");
    EXPECT_TRUE(IsSameDevice(path, Record("ZT4000123", 3, {2})));
    EXPECT_FALSE(IsSameDevice(path, Record("ZT4000124", 1, {1, 4})));
}

TEST(UsbDevicePath, DeviceWithoutSerialIsNamedByBusAndPortChain) {
    const auto path = DevicePathOf(Record("", 2, {1, 4, 3}));
    EXPECT_EQ(FormatDevicePath(path), "usb:1a2b:00c4:port=2-1.4.3");
    auto moved = Record("", 2, {1, 4, 3});
    moved.deviceAddress = 77;  // the kernel's number does not count
    EXPECT_TRUE(IsSameDevice(path, moved));
    EXPECT_FALSE(IsSameDevice(path, Record("", 2, {1, 4})));
    EXPECT_FALSE(IsSameDevice(path, Record("", 1, {1, 4, 3})));
    auto otherProduct = Record("", 2, {1, 4, 3});
    otherProduct.productId = 0x00C5;
    EXPECT_FALSE(IsSameDevice(path, otherProduct));
}

TEST(UsbDevicePath, FormattedPathsReadBackTheSame) {
    for (const auto& record : {Record("A&B=1 %/:x", 1, {1}), Record("\xC3\xA9t\xC3\xA9", 1, {1}),
                               Record("", 255, {7, 255, 1, 2, 3, 4, 5})}) {
        const auto path = DevicePathOf(record);
        const auto text = FormatDevicePath(path);
        const auto parsed = ParseDevicePath(text);
        ASSERT_TRUE(parsed) << text;
        EXPECT_EQ(FormatDevicePath(*parsed), text);
        EXPECT_TRUE(IsSameDevice(*parsed, record)) << text;
    }
}

TEST(UsbDevicePath, TextsItCannotHaveWrittenAreRefused) {
    for (const char* text :
         {"", "usb:1a2b:00c4:", "usb:1a2b:00c4:serial=", "usb:1a2b:c4:serial=1", "usb:1a2b:00c4:serial=%4",
          "usb:1a2b:00c4:port=1", "usb:1a2b:00c4:port=0-1", "usb:1a2b:00c4:port=1-0", "usb:1a2b:00c4:port=1-1.",
          "usb:1a2b:00c4:port=1-1..2", "usb:1a2b:00c4:port=256-1", "usb:1a2b:00c4:port=1-1.2.3.4.5.6.7.8",
          "usb:1a2b:00c4:port=1-1x", "usb:xyzw:00c4:port=1-1", "/dev/bus/usb/001/004", "USB001"}) {
        EXPECT_FALSE(ParseDevicePath(text)) << text;
    }
}

}  // namespace
}  // namespace zt40::test
