// From a queue name through the spooler and the registry to the device path.
#include <gtest/gtest.h>

#include "device/RegistryDeviceFinder.h"
#include "tests/support/FakeVersionQuery.h"
#include "tests/support/QueueTableSpooler.h"
#include "tests/device/RegistryLayouts.h"

namespace zt40::test {
namespace {

class RegistryDeviceFinderTest : public ::testing::Test {
protected:
    RegistryDeviceFinderTest() {
        spooler.Add({"ZT-40", std::string(kPort), std::string(kDriver), 0});
        spooler.Add({"Other", std::string(kPort), "Another driver", 0});
    }
    void TearDown() override {
        EXPECT_EQ(tree.OpenHandleCount(), 0u);
        EXPECT_EQ(spooler.openQueues, 0);
    }
    QueueTableSpooler spooler;
    InMemoryKeyTree tree;
    FakeVersionQuery version{PlatformFamily::Nt};
    RegistryDeviceFinder finder{spooler, tree, version};
};

TEST_F(RegistryDeviceFinderTest, EachFamilyReadsItsOwnLayout) {
    AddNtPrinter(tree);
    EXPECT_EQ(finder.FindDevicePath("ZT-40"), kNtLink);
    version.SetFamily(PlatformFamily::Win9x);
    EXPECT_EQ(finder.FindDevicePath("ZT-40"), std::nullopt);
    AddLegacyPrinter(tree);
    EXPECT_EQ(finder.FindDevicePath("ZT-40"), kLegacyLink);
}

TEST_F(RegistryDeviceFinderTest, FailedVersionQueryFindsNothing) {
    AddNtPrinter(tree);
    AddLegacyPrinter(tree);
    version.SetFamily(std::nullopt);
    EXPECT_EQ(finder.FindDevicePath("ZT-40"), std::nullopt);
    EXPECT_EQ(tree.OpenCallCount(), 0u);
}

TEST_F(RegistryDeviceFinderTest, UnknownQueueOrForeignDriverFindsNothing) {
    AddNtPrinter(tree);
    EXPECT_EQ(finder.FindDevicePath("Missing"), std::nullopt);
    EXPECT_EQ(finder.FindDevicePath("Other"), std::nullopt);
}

}  // namespace
}  // namespace zt40::test
