// How a CUPS destination's attributes become the queue record the matching rule reads.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "session/QueueRule.h"
#include "platform/linux/CupsQueueRecord.h"

namespace zt40 {
namespace {

CupsPrinterRecord Zt40OnUsb() {
    CupsPrinterRecord record;
    record.name = "ZT40";
    record.deviceUri = "usb://Velmora/ZT-40?serial=A1B2";
    record.makeAndModel = "Velmora ZT-40";
    return record;
}

TEST(CupsQueueRecordTest, PortNameCapitalisesOnlyTheScheme) {
    EXPECT_EQ(PortNameFromDeviceUri("usb://Velmora/ZT-40?serial=a1b2"), "USB://Velmora/ZT-40?serial=a1b2");
    EXPECT_EQ(PortNameFromDeviceUri("file:///dev/null"), "FILE:///dev/null");
    EXPECT_EQ(PortNameFromDeviceUri("ipp://host/printers/usb"), "IPP://host/printers/usb");
    // Nothing that is not a scheme is touched.
    EXPECT_EQ(PortNameFromDeviceUri("/dev/usb/lp0"), "/dev/usb/lp0");
    EXPECT_EQ(PortNameFromDeviceUri(""), "");
    EXPECT_EQ(PortNameFromDeviceUri(":usb"), ":usb");
    EXPECT_EQ(PortNameFromDeviceUri("us b://x"), "us b://x");
}

TEST(CupsQueueRecordTest, UsbQueueWithTheDriverMatchesTheRule) {
    const QueueInfo info = ToQueueInfo(Zt40OnUsb(), {});
    EXPECT_EQ(info.name, "ZT40");
    EXPECT_EQ(info.driverName, "Velmora ZT-40");
    EXPECT_EQ(info.portName, "USB://Velmora/ZT-40?serial=A1B2");
    EXPECT_EQ(info.attributes, 0u);
    EXPECT_TRUE(MatchesPrinterQueue(info));
}

TEST(CupsQueueRecordTest, NetworkSchemesAndRemoteDestinationsAreNetworkQueues) {
    for (const std::string uri : {"ipp://h/printers/p", "IPPS://h/ipp/print", "http://h:631/p", "https://h/p",
                                  "socket://h:9100", "lpd://h/q", "dnssd://ZT%20USB._ipp._tcp.local/"}) {
        CupsPrinterRecord record = Zt40OnUsb();
        record.deviceUri = uri;
        EXPECT_EQ(ToQueueInfo(record, {}).attributes, kPrinterAttributeNetwork) << uri;
    }
    // A queue shared by another server carries the remote bit whatever its URI says.
    CupsPrinterRecord remote = Zt40OnUsb();
    remote.printerType = kCupsPrinterRemote;
    const QueueInfo info = ToQueueInfo(remote, {});
    EXPECT_EQ(info.attributes, kPrinterAttributeNetwork);
    EXPECT_FALSE(MatchesPrinterQueue(info));
    // Local device schemes are not.
    for (const std::string uri : {"usb://Velmora/ZT-40", "file:///tmp/out", "parallel:/dev/lp0", "serial:/dev/ttyS0"}) {
        CupsPrinterRecord record = Zt40OnUsb();
        record.deviceUri = uri;
        EXPECT_EQ(ToQueueInfo(record, {}).attributes & kPrinterAttributeNetwork, 0u) << uri;
    }
}

TEST(CupsQueueRecordTest, StoppedOrReportedOfflineIsOffline) {
    CupsPrinterRecord stopped = Zt40OnUsb();
    stopped.state = kCupsPrinterStateStopped;
    stopped.stateReasons = {"paused"};
    EXPECT_EQ(ToQueueInfo(stopped, {}).attributes, kPrinterAttributeWorkOffline);

    for (const std::string reason : {"offline", "offline-report", "offline-warning", "offline-error"}) {
        CupsPrinterRecord record = Zt40OnUsb();
        record.stateReasons = {"none", reason};
        EXPECT_EQ(ToQueueInfo(record, {}).attributes, kPrinterAttributeWorkOffline) << reason;
    }
    // Busy, not accepting, or other reasons are not off-line.
    CupsPrinterRecord busy = Zt40OnUsb();
    busy.state = 4;
    busy.acceptingJobs = false;
    busy.stateReasons = {"media-empty-warning", "offline-ish"};
    EXPECT_EQ(ToQueueInfo(busy, {}).attributes, 0u);
}

TEST(CupsQueueRecordTest, OnlyUsbQueuesAreLookedForOnTheBus) {
    std::vector<std::string> asked;
    const UsbPresence nothingPlugged = [&asked](std::string_view uri) {
        asked.emplace_back(uri);
        return false;
    };
    EXPECT_EQ(ToQueueInfo(Zt40OnUsb(), nothingPlugged).attributes, kPrinterAttributeWorkOffline);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked.front(), "usb://Velmora/ZT-40?serial=A1B2");

    CupsPrinterRecord upper = Zt40OnUsb();
    upper.deviceUri = "USB://Velmora/ZT-40?serial=A1B2";
    EXPECT_EQ(ToQueueInfo(upper, nothingPlugged).attributes, kPrinterAttributeWorkOffline);

    CupsPrinterRecord file = Zt40OnUsb();
    file.deviceUri = "file:///tmp/out";
    asked.clear();
    EXPECT_EQ(ToQueueInfo(file, nothingPlugged).attributes, 0u);
    EXPECT_TRUE(asked.empty());

    const UsbPresence plugged = [](std::string_view) { return true; };
    EXPECT_EQ(ToQueueInfo(Zt40OnUsb(), plugged).attributes, 0u);
}

TEST(CupsQueueRecordTest, OfflineAndNetworkTogether) {
    CupsPrinterRecord record = Zt40OnUsb();
    record.deviceUri = "ipp://h/printers/p";
    record.state = kCupsPrinterStateStopped;
    EXPECT_EQ(ToQueueInfo(record, {}).attributes, kPrinterAttributeWorkOffline | kPrinterAttributeNetwork);
}

}  // namespace
}  // namespace zt40
