// The Windows 95 family's walks W1' (printer-class node), W2' (USB device node) and
// W3' (interface entry).
#include <gtest/gtest.h>

#include "device/RegistryWalks.h"
#include "tests/device/RegistryLayouts.h"

namespace zt40::test {
namespace {

class LegacyWalkTest : public ::testing::Test {
protected:
    void TearDown() override {
        EXPECT_EQ(tree.OpenHandleCount(), 0u) << "a key was left open";
        EXPECT_EQ(tree.StrayCloseCount(), 0u) << "a key was closed twice";
    }
    // Splits one printer-class key name as W1' does.
    static std::optional<LegacyPrinterNode> Split(const std::string& instanceName) {
        InMemoryKeyTree one;
        AddPrinterClassNode(one, kLegacyUsbPrint, "M", instanceName, kDriver);
        return FindLegacyPrinterClassNode(one, kDriver, kPort);
    }
    std::optional<LegacySymbolicName> UsbNodeWith(std::string_view symbolicName) {
        tree.SetValue(kLegacyUsb + "\\VID_1A2B&PID_0040\\SN0001", "SymbolicName", symbolicName);
        return FindLegacyUsbDeviceNode(tree, {"VID_1A2B&PID_0040", "SN0001"});
    }

    InMemoryKeyTree tree;
};

// --- W1' ----------------------------------------------------------------------

TEST_F(LegacyWalkTest, NameIsCutAroundTheVendorAndProductPart) {
    const auto node = Split("USB001&VID_1A2B&PID_0040&SN0001");
    ASSERT_TRUE(node);
    EXPECT_EQ(node->vendorProduct, "VID_1A2B&PID_0040");
    EXPECT_EQ(node->remainder, "SN0001");
}

TEST_F(LegacyWalkTest, NameWithoutVidIsCutFromItsStartWithoutSkippingASeparator) {
    const auto node = Split("ABCDEFGHIJKLMNOPQ&R&USB001");
    ASSERT_TRUE(node);
    EXPECT_EQ(node->vendorProduct, "ABCDEFGHIJKLMNOPQ");
    EXPECT_EQ(node->remainder, "&R&USB001");
}

TEST_F(LegacyWalkTest, NameEndingInsideTheVendorPartLeavesAnEmptyRemainder) {
    const auto shortVid = Split("USB001&VID_1A2B");
    ASSERT_TRUE(shortVid);
    EXPECT_EQ(shortVid->vendorProduct, "VID_1A2B");
    EXPECT_EQ(shortVid->remainder, "");
    const auto exact = Split("USB001&VID_1A2B&PID_0040");  // ends where the separator would be
    ASSERT_TRUE(exact);
    EXPECT_EQ(exact->vendorProduct, "VID_1A2B&PID_0040");
    EXPECT_EQ(exact->remainder, "");
}

TEST_F(LegacyWalkTest, PrinterNodeTestIgnoresDescriptionCaseAndTakesTheFirstMatch) {
    AddPrinterClassNode(tree, kLegacyUsbPrint, "M", "usb001&VID_0000&PID_0001&A", kDriver);
    AddPrinterClassNode(tree, kLegacyUsbPrint, "M", "USB001&VID_0000&PID_0002&B", "velmora ZT-40");
    AddPrinterClassNode(tree, kLegacyUsbPrint, "N", "USB001&VID_0000&PID_0003&C", kDriver);
    const auto node = FindLegacyPrinterClassNode(tree, kDriver, kPort);
    ASSERT_TRUE(node);
    EXPECT_EQ(node->vendorProduct, "VID_0000&PID_0002");
    EXPECT_EQ(node->remainder, "B");
}

TEST_F(LegacyWalkTest, PrinterNodeWalkEndsOnLongKeyNameOrEnumerationError) {
    AddPrinterClassNode(tree, kLegacyUsbPrint, "M", std::string(256, 'k'), "other");
    AddPrinterClassNode(tree, kLegacyUsbPrint, "N", "USB001&VID_0000&PID_0001&A", kDriver);
    EXPECT_EQ(FindLegacyPrinterClassNode(tree, kDriver, kPort), std::nullopt);
    InMemoryKeyTree failing;
    AddPrinterClassNode(failing, kLegacyUsbPrint, "M", "USB001&VID_0000&PID_0001&A", kDriver);
    failing.FailEnumAt(kLegacyUsbPrint + "\\M", 0);
    EXPECT_EQ(FindLegacyPrinterClassNode(failing, kDriver, kPort), std::nullopt);
}

// --- W2' ----------------------------------------------------------------------

TEST_F(LegacyWalkTest, SymbolicNameSkipsTwelveCharactersAndSplitsAtTheFirstHash) {
    const auto parts = UsbNodeWith("\\DosDevices\\USBPRINT0001#{c}#more");
    ASSERT_TRUE(parts);
    EXPECT_EQ(parts->firstPart, "USBPRINT0001");
    EXPECT_EQ(parts->secondPart, "{c}#more");
}

// Without a "#" past the skipped twelve characters there is nothing to split.
TEST_F(LegacyWalkTest, SymbolicNameWithoutAHashAfterTheSkippedPrefixIsUnusable) {
    EXPECT_EQ(UsbNodeWith("\\DosDevices\\USBPRINT0001"), std::nullopt);
    EXPECT_EQ(UsbNodeWith("\\Dos#"), std::nullopt);
    const auto emptyFirst = UsbNodeWith("\\DosDevices\\#{c}");
    ASSERT_TRUE(emptyFirst);
    EXPECT_EQ(emptyFirst->firstPart, "");
    EXPECT_EQ(emptyFirst->secondPart, "{c}");
}

TEST_F(LegacyWalkTest, OnlyKeysEqualToTheCutNamesAreOpened) {
    tree.FailOpen(kLegacyUsb + "\\VID_9999&PID_9999");
    tree.FailOpen(kLegacyUsb + "\\VID_1A2B&PID_0040\\SN0002");
    tree.SetValue(kLegacyUsb + "\\vid_1a2b&pid_0040\\sn0001", "SymbolicName", "\\DosDevices\\P#{c}");
    const auto parts = FindLegacyUsbDeviceNode(tree, {"VID_1A2B&PID_0040", "SN0001"});
    ASSERT_TRUE(parts);
    EXPECT_EQ(parts->firstPart, "P");
}

TEST_F(LegacyWalkTest, UnopenableOrUnreadableChosenKeyFindsNothing) {
    tree.SetValue(kLegacyUsb + "\\VID_1A2B&PID_0040\\SN0001", "SymbolicName", "\\DosDevices\\P#{c}");
    tree.FailValue(kLegacyUsb + "\\VID_1A2B&PID_0040\\SN0001", "SymbolicName");
    EXPECT_EQ(FindLegacyUsbDeviceNode(tree, {"VID_1A2B&PID_0040", "SN0001"}), std::nullopt);
    tree.FailOpen(kLegacyUsb + "\\VID_1A2B&PID_0040\\SN0001");
    EXPECT_EQ(FindLegacyUsbDeviceNode(tree, {"VID_1A2B&PID_0040", "SN0001"}), std::nullopt);
}

// --- W3' ----------------------------------------------------------------------

TEST_F(LegacyWalkTest, EntryMustContainBothPartsUnderAClassKeyEqualToTheSecond) {
    const LegacySymbolicName parts{"USBPRINT0001", kPrintClass};
    AddInterfaceEntry(tree, "{other}", "##.#USBPRINT0001#" + kPrintClass, "other class");
    AddInterfaceEntry(tree, kPrintClass, "##.#USBPRINT0002#" + kPrintClass, "other device");
    AddInterfaceEntry(tree, kPrintClass, "##.#USBPRINT0001#", "no class in name");
    EXPECT_EQ(FindLegacyInterfaceLink(tree, parts), std::nullopt);
    AddInterfaceEntry(tree, kPrintClass, "##.#USBPRINT0001#" + kPrintClass, kLegacyLink);
    EXPECT_EQ(FindLegacyInterfaceLink(tree, parts), kLegacyLink);
}

TEST_F(LegacyWalkTest, WholeLayoutLeadsFromDriverToLink) {
    AddLegacyPrinter(tree);
    const auto node = FindLegacyPrinterClassNode(tree, kDriver, kPort);
    ASSERT_TRUE(node);
    const auto parts = FindLegacyUsbDeviceNode(tree, *node);
    ASSERT_TRUE(parts);
    EXPECT_EQ(FindLegacyInterfaceLink(tree, *parts), kLegacyLink);
}

}  // namespace
}  // namespace zt40::test
