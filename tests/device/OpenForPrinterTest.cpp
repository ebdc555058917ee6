// The port opened from a queue name through the registry discovery.
#include <gtest/gtest.h>

#include <set>

#include "device/CUsbPrintPort.h"
#include "device/RegistryDeviceFinder.h"
#include "tests/support/FakeVersionQuery.h"
#include "tests/support/QueueTableSpooler.h"
#include "tests/device/RegistryLayouts.h"

namespace zt40::test {
namespace {

class IdleChannel : public IVendorChannel {
public:
    bool VendorSet(std::span<const std::uint8_t>) override { return true; }
    bool VendorGet(std::span<std::uint8_t>) override { return true; }
    bool IsAlive() const override { return true; }
    bool Close() override { return true; }
};

// Opens the paths of devices that are "plugged in", and remembers every attempt.
class PluggedDevices : public IDeviceOpener {
public:
    std::set<std::string, std::less<>> plugged;
    std::vector<std::string> attempts;
    std::unique_ptr<IVendorChannel> OpenDevice(std::string_view devicePath) override {
        attempts.emplace_back(devicePath);
        if (!plugged.contains(devicePath)) return nullptr;
        return std::make_unique<IdleChannel>();
    }
};

class OpenForPrinterTest : public ::testing::Test {
protected:
    OpenForPrinterTest() {
        spooler.Add({"ZT-40", std::string(kPort), std::string(kDriver), 0});
        spooler.Add({"Office", "USB002", "Another driver", 0});
        AddNtPrinter(tree);
    }
    void TearDown() override { EXPECT_EQ(tree.OpenHandleCount(), 0u); }

    QueueTableSpooler spooler;
    InMemoryKeyTree tree;
    FakeVersionQuery version{PlatformFamily::Nt};
    RegistryDeviceFinder finder{spooler, tree, version};
    PluggedDevices devices;
    CUsbPrintPort port{finder, devices};
};

TEST_F(OpenForPrinterTest, QueueWhoseDriverIsNobodysDescriptionLeavesThePortClosedAndEmpty) {
    devices.plugged.insert(kNtLink);
    EXPECT_FALSE(port.OpenForPrinter("Office"));
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(port.QueueName(), "");
    EXPECT_EQ(port.DevicePath(), "");
    EXPECT_TRUE(devices.attempts.empty());
    EXPECT_FALSE(port.Reopen());
}

TEST_F(OpenForPrinterTest, FoundButUnopenableDeviceKeepsItsPathForALaterReopen) {
    EXPECT_FALSE(port.OpenForPrinter("ZT-40"));
    EXPECT_FALSE(port.IsHandleValid());
    EXPECT_EQ(port.QueueName(), "ZT-40");
    EXPECT_EQ(port.DevicePath(), kNtLink);

    devices.plugged.insert(kNtLink);
    tree.FailOpen(kUsbPrint);  // a reopen needs no second discovery
    EXPECT_TRUE(port.Reopen());
    EXPECT_TRUE(port.IsHandleValid());
    EXPECT_EQ(devices.attempts, (std::vector<std::string>{kNtLink, kNtLink}));
}

TEST_F(OpenForPrinterTest, FoundAndOpenableDeviceLeavesNamePathAndHandle) {
    devices.plugged = {kNtLink, kLegacyLink};
    EXPECT_TRUE(port.OpenForPrinter("ZT-40"));
    EXPECT_TRUE(port.IsHandleValid());
    EXPECT_EQ(port.QueueName(), "ZT-40");
    EXPECT_EQ(port.DevicePath(), kNtLink);

    ASSERT_TRUE(port.Close());
    version.SetFamily(PlatformFamily::Win9x);
    AddLegacyPrinter(tree);
    EXPECT_TRUE(port.OpenForPrinter("ZT-40"));
    EXPECT_EQ(port.DevicePath(), kLegacyLink);
}

}  // namespace
}  // namespace zt40::test
