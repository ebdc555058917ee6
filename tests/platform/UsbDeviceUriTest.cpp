// The spooler's usb:// device URIs, which every edition reads for the printer's serial.
#include <gtest/gtest.h>

#include "platform/UsbDeviceUri.h"

namespace zt40::test {
namespace {

TEST(UsbDeviceUri, PlainUriGivesMakeModelAndSerial) {
    const auto uri = ParseUsbDeviceUri("usb://Velmora/ZT-40?serial=ZT4000123");
    ASSERT_TRUE(uri);
    EXPECT_EQ(uri->make, "Velmora");
    EXPECT_EQ(uri->model, "ZT-40");
    EXPECT_EQ(uri->serial, "ZT4000123");
    EXPECT_FALSE(uri->interfaceNumber);
}

TEST(UsbDeviceUri, SchemeInCapitalsAsTheSpoolerReportsThePort) {
    const auto uri = ParseUsbDeviceUri("USB://Velmora/ZT-40?serial=1");
    ASSERT_TRUE(uri);
    EXPECT_EQ(uri->make, "Velmora");
    EXPECT_TRUE(ParseUsbDeviceUri("Usb://Velmora/ZT-40"));
}

TEST(UsbDeviceUri, EscapesAreDecodedAfterSplitting) {
    const auto uri = ParseUsbDeviceUri("usb://Velmora%20Corp/ZT-40%20Rev%2fB?serial=A%26B%3D1%25&interface=1");
    ASSERT_TRUE(uri);
    EXPECT_EQ(uri->make, "Velmora Corp");
    EXPECT_EQ(uri->model, "ZT-40 Rev/B");
    EXPECT_EQ(uri->serial, "A&B=1%");
    EXPECT_EQ(uri->interfaceNumber, 1);
}

TEST(UsbDeviceUri, UnescapedSlashStaysInTheModel) {
    const auto uri = ParseUsbDeviceUri("usb://Velmora/ZT-40/B");
    ASSERT_TRUE(uri);
    EXPECT_EQ(uri->model, "ZT-40/B");
    EXPECT_FALSE(uri->serial);
}

TEST(UsbDeviceUri, UnknownOptionsAreIgnoredAndAnEmptySerialIsKept) {
    const auto uri = ParseUsbDeviceUri("usb://Velmora/ZT-40?waitjob=false&serial=");
    ASSERT_TRUE(uri);
    EXPECT_EQ(uri->serial, "");
}

TEST(UsbDeviceUri, OtherSchemesAndIncompleteUrisAreRefused) {
    for (const char* text : {"ipp://host/printers/zt40", "USB001", "usb:/Velmora/ZT-40", "usb://Velmora",
                             "usb://Velmora/", "usb:///ZT-40", "", "usb://"}) {
        EXPECT_FALSE(ParseUsbDeviceUri(text)) << text;
    }
}

TEST(UsbDeviceUri, BrokenEscapesAndBadInterfaceNumbersAreRefused) {
    for (const char* text : {"usb://Velmora/ZT-40%2", "usb://Velmora/ZT-40%", "usb://Vel%G0/ZT-40",
                             "usb://Velmora/ZT-40?serial=%Z1", "usb://Velmora/ZT-40?interface=256",
                             "usb://Velmora/ZT-40?interface=1x", "usb://Velmora/ZT-40?interface="}) {
        EXPECT_FALSE(ParseUsbDeviceUri(text)) << text;
    }
}

}  // namespace
}  // namespace zt40::test
