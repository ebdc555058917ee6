// The NT family's walks W1 (printer-class node), W2 (USB device node), W3 (interface entry).
#include <gtest/gtest.h>

#include "device/RegistryWalks.h"
#include "tests/device/RegistryLayouts.h"

namespace zt40::test {
namespace {

class NtWalkTest : public ::testing::Test {
protected:
    void TearDown() override {
        EXPECT_EQ(tree.OpenHandleCount(), 0u) << "a key was left open";
        EXPECT_EQ(tree.StrayCloseCount(), 0u) << "a key was closed twice";
    }
    std::optional<std::string> Prefix(std::string_view driver = kDriver) {
        return FindPrinterClassPrefix(tree, driver, kPort);
    }
    void AddPrinter(const std::string& model, const std::string& instance, std::string_view desc = kDriver) {
        AddPrinterClassNode(tree, kUsbPrint, model, instance, desc);
    }
    std::string Symbolic(const std::string& instance) { return "\\??\\USB#" + kModel + "#" + instance + "#" + kUsbClass; }

    InMemoryKeyTree tree;
};

// --- W1 -----------------------------------------------------------------------

TEST_F(NtWalkTest, DescriptionIgnoresLetterCaseButPortNameDoesNot) {
    AddPrinter("M", "1&A&usb001");          // port in other case: no
    AddPrinter("M", "1&B&USB001", "VELMORA zt-40");
    EXPECT_EQ(Prefix(), "1&B");
}

TEST_F(NtWalkTest, FirstMatchInEnumerationOrderWins) {
    AddPrinter("A", "1&X&USB002");          // other port
    AddPrinter("A", "1&Y&USB001", "Other printer");
    AddPrinter("B", "2&Z&USB001");
    AddPrinter("C", "3&W&USB001");
    EXPECT_EQ(Prefix(), "2&Z");
}

TEST_F(NtWalkTest, PrefixDropsPortAndSeparatorAndIsEmptyForShortNames) {
    AddPrinter("M", "P&Q&USB001");
    EXPECT_EQ(Prefix(), "P&Q");
    InMemoryKeyTree shortTree;
    AddPrinterClassNode(shortTree, kUsbPrint, "M", "xUSB001", kDriver);
    EXPECT_EQ(FindPrinterClassPrefix(shortTree, kDriver, kPort), "");
}

TEST_F(NtWalkTest, UnreadableDescriptionSkipsTheKey) {
    AddPrinter("M", "1&A&USB001");
    tree.FailValue(kUsbPrint + "\\M\\1&A&USB001", "DeviceDesc");
    AddPrinter("M", "1&B&USB001");
    EXPECT_EQ(Prefix(), "1&B");
}

TEST_F(NtWalkTest, DescriptionLongerThan255CountsAsMissing) {
    const std::string fits(255, 'd');
    const std::string tooLong(256, 'd');
    AddPrinter("M", "1&A&USB001", tooLong);
    AddPrinter("M", "1&B&USB001", fits);
    EXPECT_EQ(Prefix(tooLong), std::nullopt);
    EXPECT_EQ(Prefix(fits), "1&B");
}

TEST_F(NtWalkTest, KeyNameLongerThan255EndsTheWalk) {
    AddPrinter("M", std::string(255, 'k'), "other");  // fits: passed over
    AddPrinter("M", "1&A&USB001");
    EXPECT_EQ(Prefix(), "1&A");
    InMemoryKeyTree longTree;
    AddPrinterClassNode(longTree, kUsbPrint, std::string(256, 'm'), "1&A&X", "other");
    AddPrinterClassNode(longTree, kUsbPrint, "M", "1&A&USB001", kDriver);
    EXPECT_EQ(FindPrinterClassPrefix(longTree, kDriver, kPort), std::nullopt);
    EXPECT_EQ(longTree.OpenHandleCount(), 0u);
}

TEST_F(NtWalkTest, EnumerationErrorEndsTheWalkAtEitherLevel) {
    AddPrinter("A", "1&A&USB002");
    AddPrinter("A", "1&B&USB002");
    AddPrinter("B", "2&A&USB001");
    tree.FailEnumAt(kUsbPrint + "\\A", 1);
    EXPECT_EQ(Prefix(), std::nullopt);
    InMemoryKeyTree rootFails;
    AddPrinterClassNode(rootFails, kUsbPrint, "A", "1&A&USB001", kDriver);
    rootFails.FailEnumAt(kUsbPrint, 0);
    EXPECT_EQ(FindPrinterClassPrefix(rootFails, kDriver, kPort), std::nullopt);
}

TEST_F(NtWalkTest, UnopenableKeyEndsTheWalkEvenIfALaterOneMatches) {
    AddPrinter("A", "1&A&USB002");
    AddPrinter("B", "2&A&USB001");
    tree.FailOpen(kUsbPrint + "\\A\\1&A&USB002");
    EXPECT_EQ(Prefix(), std::nullopt);
    tree.FailOpen(kUsbPrint);
    EXPECT_EQ(Prefix(), std::nullopt);
}

// --- W2 -----------------------------------------------------------------------

TEST_F(NtWalkTest, UsbNodeMatchesParentIdPrefixIgnoringCase) {
    AddUsbNode(tree, kModel, "5&1", "7&OTHER&0", Symbolic("5&1"));
    AddUsbNode(tree, kModel, "5&2", "7&2C4C&0", Symbolic("5&2"));
    const auto node = FindUsbDeviceNode(tree, "7&2c4c&0");
    ASSERT_TRUE(node);
    EXPECT_EQ(node->modelKey, kModel);
    EXPECT_EQ(node->instanceKey, "5&2");
    EXPECT_EQ(node->interfaceClass, kUsbClass);
}

TEST_F(NtWalkTest, UnopenableDeviceParametersEndsW2BeforeALaterMatch) {
    AddUsbNode(tree, kModel, "5&1", "7&P&0", Symbolic("5&1"));
    AddUsbNode(tree, kModel, "5&2", "7&P&0", Symbolic("5&2"));
    tree.FailOpen(kUsb + "\\" + kModel + "\\5&1\\Device Parameters");
    EXPECT_EQ(FindUsbDeviceNode(tree, "7&P&0"), std::nullopt);
}

TEST_F(NtWalkTest, UnreadableOrTooLongSymbolicNameGoesOnToTheNextNode) {
    AddUsbNode(tree, kModel, "5&1", "7&P&0", Symbolic("5&1"));
    tree.FailValue(kUsb + "\\" + kModel + "\\5&1\\Device Parameters", "SymbolicName");
    AddUsbNode(tree, kModel, "5&2", "7&P&0", "\\??\\" + std::string(252, 's'));  // 256 characters
    AddUsbNode(tree, kModel, "5&3", "7&P&0", Symbolic("5&3"));
    const auto node = FindUsbDeviceNode(tree, "7&P&0");
    ASSERT_TRUE(node);
    EXPECT_EQ(node->instanceKey, "5&3");
}

TEST_F(NtWalkTest, SymbolicNameWithoutBraceIsTheWholeInterfaceClass) {
    AddUsbNode(tree, kModel, kInstance, "7&P&0", "NoBraceHere");
    const auto node = FindUsbDeviceNode(tree, "7&P&0");
    ASSERT_TRUE(node);
    EXPECT_EQ(node->interfaceClass, "NoBraceHere");
    const std::string entry = kModel + "#" + kInstance + "#NoBraceHere";
    AddInterfaceEntry(tree, kUsbClass, entry, "wrong class");
    EXPECT_EQ(FindInterfaceLink(tree, *node), std::nullopt);
    AddInterfaceEntry(tree, "nobracehere", entry, "right class");
    EXPECT_EQ(FindInterfaceLink(tree, *node), "right class");
}

// A prefix can only be empty for a malformed printer-class key; matching it against
// nodes without "ParentIdPrefix" would pick an unrelated device.
TEST_F(NtWalkTest, EmptyPrefixMatchesNoUsbNode) {
    tree.SetValue(kUsb + "\\Hub\\1\\Device Parameters", "SymbolicName", Symbolic("1"));
    AddUsbNode(tree, kModel, "5&1", "", Symbolic("5&1"));
    EXPECT_EQ(FindUsbDeviceNode(tree, ""), std::nullopt);
}

TEST_F(NtWalkTest, ParentIdPrefixLongerThan255CountsAsMissing) {
    const std::string tooLong(256, 'p');
    AddUsbNode(tree, kModel, kInstance, tooLong, Symbolic(kInstance));
    EXPECT_EQ(FindUsbDeviceNode(tree, tooLong), std::nullopt);
}

// --- W3 -----------------------------------------------------------------------

TEST_F(NtWalkTest, EntryMustHoldTheInstanceKeyWrappedInHashes) {
    const UsbDeviceNode node{kModel, kInstance, kUsbClass};
    AddInterfaceEntry(tree, kUsbClass, "##?#USB#" + kModel + "_" + kInstance + "_" + kUsbClass, "no hashes");
    AddInterfaceEntry(tree, kUsbClass, "##?#USB#" + kModel + "#" + kInstance + "_" + kUsbClass, "one hash");
    EXPECT_EQ(FindInterfaceLink(tree, node), std::nullopt);
    AddInterfaceEntry(tree, kUsbClass, NtEntryName(kModel, kInstance), kNtLink);
    EXPECT_EQ(FindInterfaceLink(tree, node), kNtLink);
}

TEST_F(NtWalkTest, OtherClassKeysArePassedOverUnopened) {
    AddInterfaceEntry(tree, "{other}", NtEntryName(kModel, kInstance), "other class");
    tree.FailOpen(kClasses + "\\{other}");
    AddInterfaceEntry(tree, "{A5DCBF10-6530-11D2-901F-00C04FB951ED}", NtEntryName(kModel, kInstance), kNtLink);
    EXPECT_EQ(FindInterfaceLink(tree, {kModel, kInstance, kUsbClass}), kNtLink);
}

TEST_F(NtWalkTest, UnreadableOrTooLongLinkGoesOnToTheNextEntry) {
    const std::string first = NtEntryName(kModel, kInstance) + "&1";
    const std::string second = NtEntryName(kModel, kInstance) + "&2";
    AddInterfaceEntry(tree, kUsbClass, first, "unreadable");
    tree.FailValue(kClasses + "\\" + kUsbClass + "\\" + first + "\\#", "SymbolicLink");
    AddInterfaceEntry(tree, kUsbClass, second, std::string(256, 'l'));
    AddInterfaceEntry(tree, kUsbClass, NtEntryName(kModel, kInstance), kNtLink);
    EXPECT_EQ(FindInterfaceLink(tree, {kModel, kInstance, kUsbClass}), kNtLink);
}

TEST_F(NtWalkTest, EntryWithoutHashSubkeyEndsW3) {
    tree.AddKey(kClasses + "\\" + kUsbClass + "\\" + NtEntryName(kModel, kInstance) + "&1");
    AddInterfaceEntry(tree, kUsbClass, NtEntryName(kModel, kInstance), kNtLink);
    EXPECT_EQ(FindInterfaceLink(tree, {kModel, kInstance, kUsbClass}), std::nullopt);
}

TEST_F(NtWalkTest, WholeLayoutLeadsFromDriverToLink) {
    AddNtPrinter(tree);
    const auto prefix = Prefix();
    ASSERT_TRUE(prefix);
    const auto node = FindUsbDeviceNode(tree, *prefix);
    ASSERT_TRUE(node);
    EXPECT_EQ(FindInterfaceLink(tree, *node), kNtLink);
    EXPECT_GT(tree.OpenCallCount(), 0u);
}

}  // namespace
}  // namespace zt40::test
