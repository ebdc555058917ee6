// The discovery walks against the system's own registry: keys written, walked, removed.
#include <gtest/gtest.h>

#include "device/CUsbPrintPort.h"
#include "device/RegistryDeviceFinder.h"
#include "device/RegistryLayouts.h"
#include "support/FakeVersionQuery.h"
// Before the system headers, whose StartDoc macro would rename the double's method.
#include "support/QueueTableSpooler.h"

#include "platform/win32/Win32KeyTree.h"
#include "platform/win32/Win32VendorChannel.h"
#include "win32/SystemRegistry.h"

namespace zt40 {
namespace {

using namespace zt40::test;

class SystemRegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        spooler.Add({"ZT-40", std::string(kPort), std::string(kDriver), 0});
        // A prefix that already holds a ZT-40 would make the answers someone else's.
        ASSERT_FALSE(keys.OpenKey(kRootKey, kUsbPrint + "\\VelmoraZT-40")) << "left over from an earlier run";
    }

    QueueTableSpooler spooler;
    Win32KeyTree keys;
    SystemRegistry registry;
};

TEST_F(SystemRegistryTest, RegistryNtLayoutLeadsFromTheQueueToTheDevicePath) {
    AddNtPrinter(registry);
    Win32VersionQuery version;
    ASSERT_EQ(version.Family(), PlatformFamily::Nt) << "the system reports the NT family";
    RegistryDeviceFinder finder(spooler, keys, version);
    EXPECT_EQ(finder.FindDevicePath("ZT-40"), kNtLink);
    EXPECT_EQ(finder.FindDevicePath("another queue"), std::nullopt);
}

TEST_F(SystemRegistryTest, RegistryWin9xLayoutIsWalkedWhenThatFamilyIsReported) {
    AddLegacyPrinter(registry);
    FakeVersionQuery win9x(PlatformFamily::Win9x);
    RegistryDeviceFinder finder(spooler, keys, win9x);
    EXPECT_EQ(finder.FindDevicePath("ZT-40"), kLegacyLink);
}

TEST_F(SystemRegistryTest, RegistryDescriptionOfAnotherPrinterFindsNothing) {
    AddPrinterClassNode(registry, kUsbPrint, "VelmoraZT-40", "7&2c4c&0&USB001", "Velmora ZT-30");
    AddUsbNode(registry, kModel, kInstance, "7&2c4c&0", "\\??\\USB#" + kModel + "#" + kInstance + "#" + kUsbClass);
    Win32VersionQuery version;
    RegistryDeviceFinder finder(spooler, keys, version);
    EXPECT_EQ(finder.FindDevicePath("ZT-40"), std::nullopt);
}

TEST_F(SystemRegistryTest, RegistryKeysWrittenByATestAreGoneAfterIt) {
    {
        SystemRegistry scoped;
        AddNtPrinter(scoped);
        EXPECT_GT(scoped.CreatedCount(), 0u);
        EXPECT_TRUE(keys.OpenKey(kRootKey, kUsbPrint + "\\VelmoraZT-40").has_value());
    }
    const auto gone = keys.OpenKey(kRootKey, kUsbPrint + "\\VelmoraZT-40");
    EXPECT_FALSE(gone.has_value());
    if (gone) keys.CloseKey(*gone);
}

TEST_F(SystemRegistryTest, RegistryFoundButAbsentDeviceKeepsThePathForALaterReopen) {
    AddNtPrinter(registry);
    Win32VersionQuery version;
    RegistryDeviceFinder finder(spooler, keys, version);
    DeviceAccessReport report;
    Win32DeviceOpener opener(SystemDeviceIo(), &report);
    CUsbPrintPort port(finder, opener);
    EXPECT_FALSE(port.OpenForPrinter("ZT-40"));
    EXPECT_EQ(port.DevicePath(), kNtLink);
    EXPECT_EQ(port.QueueName(), "ZT-40");
    EXPECT_FALSE(port.IsHandleValid());
    EXPECT_NE(report.Last(), DeviceAccessFailure::None);
}

struct ValueCase {
    const char* name;
    std::string stored;
    DWORD type;
    std::optional<std::string> read;
};

class SystemRegistryValueTest : public ::testing::TestWithParam<ValueCase> {};

TEST_P(SystemRegistryValueTest, RegistryValueReadsAsTextOfAtMost255Characters) {
    const std::string key = "SOFTWARE\\Zt40RegistryTest";
    SystemRegistry registry;
    ASSERT_TRUE(registry.SetValue(key, "Value", GetParam().stored, GetParam().type));
    Win32KeyTree keys;
    const auto opened = keys.OpenKey(kRootKey, key);
    ASSERT_TRUE(opened);
    EXPECT_EQ(keys.QueryValue(*opened, "Value"), GetParam().read);
    EXPECT_EQ(keys.QueryValue(*opened, "Missing"), std::nullopt);
    keys.CloseKey(*opened);
}

INSTANTIATE_TEST_SUITE_P(
    Values, SystemRegistryValueTest,
    ::testing::Values(ValueCase{"Text", "Velmora ZT-40", REG_SZ, "Velmora ZT-40"},
                      ValueCase{"Empty", "", REG_SZ, ""},
                      // 255 characters and the terminator fill the buffer exactly.
                      ValueCase{"Longest", std::string(255, 'x'), REG_SZ, std::string(255, 'x')},
                      ValueCase{"TooLong", std::string(256, 'x'), REG_SZ, std::nullopt},
                      // The type is not checked; a value without terminator reads up to its end.
                      ValueCase{"BinaryWithoutTerminator", "abc", REG_BINARY, "abc"}),
    [](const ::testing::TestParamInfo<ValueCase>& value) { return std::string(value.param.name); });

TEST(SystemRegistryKeys, RegistryEnumerationListsSubkeysThenReportsTheEnd) {
    SystemRegistry registry;
    ASSERT_TRUE(registry.AddKey("SOFTWARE\\Zt40RegistryTest\\first"));
    ASSERT_TRUE(registry.AddKey("SOFTWARE\\Zt40RegistryTest\\second"));
    Win32KeyTree keys;
    const auto opened = keys.OpenKey(kRootKey, "SOFTWARE\\Zt40RegistryTest");
    ASSERT_TRUE(opened);
    std::string name;
    std::vector<std::string> names;
    std::uint32_t index = 0;
    while (keys.EnumSubkey(*opened, index++, name) == EnumResult::Ok) names.push_back(name);
    EXPECT_EQ(names, (std::vector<std::string>{"first", "second"}));
    EXPECT_EQ(keys.EnumSubkey(*opened, 2, name), EnumResult::NoMoreItems);
    keys.CloseKey(*opened);
    EXPECT_FALSE(keys.OpenKey(kRootKey, "SOFTWARE\\Zt40RegistryTest\\third"));
}

}  // namespace
}  // namespace zt40
