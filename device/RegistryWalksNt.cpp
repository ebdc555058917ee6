// The NT family's layout: printer-class nodes under Enum\USBPRINT name their parent
// through a prefix, the parent USB node's "Device Parameters" give its interface class.
#include <array>

#include "device/RegistryScan.h"
#include "device/RegistryWalks.h"

namespace zt40 {

namespace {
constexpr std::string_view kPrinterClassRoot = "SYSTEM\\CurrentControlSet\\Enum\\USBPRINT";
constexpr std::string_view kUsbRoot = "SYSTEM\\CurrentControlSet\\Enum\\USB";
constexpr std::string_view kParentIdPrefix = "ParentIdPrefix";
constexpr std::string_view kDeviceParameters = "Device Parameters";
constexpr std::string_view kSymbolicName = "SymbolicName";

// "{...}" from the first brace on; a name without a brace is taken whole.
std::string InterfaceClassOf(std::string_view symbolicName) {
    const auto brace = symbolicName.find('{');
    return std::string(brace == std::string_view::npos ? symbolicName : symbolicName.substr(brace));
}
}  // namespace

std::optional<std::string> FindPrinterClassPrefix(IKeyTree& tree, std::string_view driverName,
                                                  std::string_view portName) {
    const auto instance = FindPrinterClassInstance(tree, kPrinterClassRoot, driverName, portName);
    if (!instance) return std::nullopt;
    const std::size_t cut = portName.size() + 1;  // the port name and the separator before it
    return instance->size() > cut ? instance->substr(0, instance->size() - cut) : std::string();
}

std::optional<UsbDeviceNode> FindUsbDeviceNode(IKeyTree& tree, std::string_view prefix) {
    // A missing "ParentIdPrefix" reads as empty text: an empty prefix would take the first
    // childless USB device, whatever it is, for the printer.
    if (prefix.empty()) return std::nullopt;
    std::optional<UsbDeviceNode> found;
    const ScanStep end = ForEachDeviceInstance(
        tree, kUsbRoot, [&](const std::string& modelName, const std::string& instanceName, KeyHandle instance) {
            const auto childPrefix = ReadRegistryText(tree, instance, kParentIdPrefix);
            if (!EqualsIgnoringCase(childPrefix.value_or(std::string()), prefix)) return ScanStep::Next;
            const auto parameters = OpenScopedKey(tree, instance, kDeviceParameters);
            if (!parameters) return ScanStep::Abort;
            const auto symbolicName = ReadRegistryText(tree, parameters->Handle(), kSymbolicName);
            if (!symbolicName) return ScanStep::Next;
            found = UsbDeviceNode{modelName, instanceName, InterfaceClassOf(*symbolicName)};
            return ScanStep::Found;
        });
    return end == ScanStep::Found ? found : std::nullopt;
}

std::optional<std::string> FindInterfaceLink(IKeyTree& tree, const UsbDeviceNode& node) {
    const std::array<std::string, 3> needles{node.modelKey, "#" + node.instanceKey + "#", node.interfaceClass};
    return FindSymbolicLink(tree, node.interfaceClass, needles);
}

}  // namespace zt40
